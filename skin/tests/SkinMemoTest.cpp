// The skinned memo with skinned scroll bars on a shown form: native bars
// switched by attaching, the bars' places, the native state copied into the
// bars, a bar's change scrolling the memo once, and memos too long for the
// scroll message's 16 bits.
#include "SkinControlFixture.h"
#include "SkinMemo.h"
#include "SkinScrollBar.h"

#include <windows.h>

#include <string>

namespace {

std::string NumberedLines(int Count) {
    std::string text;
    for (int i = 0; i < Count; ++i) text += "line " + std::to_string(i) + "\r\n";
    return text;
}

// The vertical scroll messages the memo window receives, with whether the
// memo knew it was scrolling for a bar.
class TRecordingMemo : public TskMemo {
public:
    std::vector<WPARAM> VScrolls;

protected:
    void Dispatch(TMessage& Message) override {
        if (Message.Msg == WM_VSCROLL) VScrolls.push_back(Message.WParam);
        TskMemo::Dispatch(Message);
    }
};

class SkinMemos : public SkinControlsTest {
protected:
    TRecordingMemo* Memo(int Lines, int Width = 200, int Height = 100) {
        auto* m = Add<TRecordingMemo>(20, 20, Width, Height);
        m->SetWordWrap(false);
        m->Lines()->SetText(NumberedLines(Lines));
        return m;
    }
    TskScrollBar* Bar() { return Add<TskScrollBar>(300, 300, 100, 17); }
    static int FirstLine(TskMemo* M) { return static_cast<int>(SendMessageA(M->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0)); }
};

TEST_F(SkinMemos, AttachingSwitchesNativeBarsKeepingTextSelectionAndPlace) {
    TRecordingMemo* m = Memo(200);
    const std::string text = m->Lines()->Text();
    SendMessageA(m->Handle(), EM_SETSEL, 500, 510);
    SendMessageA(m->Handle(), EM_LINESCROLL, 0, 50 - FirstLine(m));
    ASSERT_EQ(FirstLine(m), 50);
    EXPECT_EQ(m->ScrollBars(), ssNone);
    TskScrollBar* v = Bar();
    struct TStep {
        TskScrollBar* bar;
        TScrollStyle native;
    };
    for (const TStep& step : {TStep{v, ssVertical}, TStep{nullptr, ssNone}}) {
        m->SetVScrollBar(step.bar);
        EXPECT_EQ(m->ScrollBars(), step.native);
        EXPECT_EQ(m->Lines()->Text(), text);
        EXPECT_EQ(m->SelStart(), 500);
        EXPECT_EQ(m->SelLength(), 10);
        EXPECT_EQ(FirstLine(m), 50);
    }
    // The released bar is left as a plain bar.
    EXPECT_FALSE(static_cast<bool>(v->OnChange()));
    EXPECT_EQ(v->LineButton(), 0);
    EXPECT_EQ(v->Max(), 100);
    EXPECT_TRUE(v->Enabled());
    TskScrollBar* h = Bar();
    m->SetHScrollBar(h);
    EXPECT_EQ(m->ScrollBars(), ssHorizontal);
    m->SetVScrollBar(v);
    EXPECT_EQ(m->ScrollBars(), ssBoth);
    h->Free();  // removal reaches the memo through the form
    EXPECT_EQ(m->HScrollBar(), nullptr);
    EXPECT_EQ(m->ScrollBars(), ssVertical);
}

TEST_F(SkinMemos, BarsLieOverTheRightAndBottomEdges) {
    TRecordingMemo* m = Memo(200, 200, 100);
    TskScrollBar* v = Bar();
    TskScrollBar* h = Bar();
    m->SetVScrollBar(v);
    m->SetHScrollBar(h);
    const int thick = h->Height();
    RecordProperty("bar_thickness", thick);
    EXPECT_EQ(v->Width(), thick);
    EXPECT_EQ(h->Left(), m->Left() + 1);
    EXPECT_EQ(h->Top(), m->Top() + 100 - thick - 2);
    EXPECT_EQ(h->Width(), 200 - 2 - thick);
    EXPECT_EQ(v->Left(), m->Left() + 200 - thick - 2);
    EXPECT_EQ(v->Top(), m->Top() + 1);
    EXPECT_EQ(v->Height(), 100 - 2 - thick);
    if (thick == 17) {
        EXPECT_EQ(h->Top(), m->Top() + 81);
        EXPECT_EQ(v->Height(), 81);
    }
    // Moving and resizing the memo carries the bars along.
    m->SetBounds(40, 60, 250, 120);
    PumpFor(20);
    EXPECT_EQ(h->Top(), 60 + 120 - thick - 2);
    EXPECT_EQ(v->Left(), 40 + 250 - thick - 2);
    // Hiding the memo hides its bars; showing it shows them again.
    m->SetVisible(false);
    EXPECT_FALSE(v->Visible());
    EXPECT_FALSE(h->Visible());
    m->SetVisible(true);
    EXPECT_TRUE(v->Visible());
    EXPECT_TRUE(h->Visible());
}

// Unlike the list view's, the memo's placement hides a bar that does not
// fit, yet still lays it along the edge it belongs to.
TEST_F(SkinMemos, ABarThickerThanTheMemoIsHiddenAndStillPlaced) {
    TRecordingMemo* m = Memo(3, 200, 10);
    TskScrollBar* h = Bar();
    ASSERT_GT(h->Height(), m->Height());
    m->SetHScrollBar(h);
    EXPECT_FALSE(h->Visible());
    EXPECT_EQ(h->Left(), m->Left() + 1);
    EXPECT_EQ(h->Width(), 200 - 2);
    m->SetBounds(m->Left(), m->Top(), 200, 100);
    PumpFor(20);
    EXPECT_TRUE(h->Visible());
    EXPECT_EQ(h->Top(), m->Top() + 100 - h->Height() - 2);
}

TEST_F(SkinMemos, NativeRangeCopiedIntoTheBar) {
    TRecordingMemo* m = Memo(200);
    TskScrollBar* v = Bar();
    m->SetVScrollBar(v);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 99, 10, 0, 0};
    SetScrollInfo(m->Handle(), SB_VERT, &info, FALSE);
    m->SyncScrollBars();
    EXPECT_EQ(v->Min(), 0);
    EXPECT_EQ(v->Max(), 90);
}

TEST_F(SkinMemos, DraggingTheThumbScrollsTheMemoOnceWithoutSyncingBack) {
    // Tall enough that every position has a pixel of its own on the track.
    TRecordingMemo* m = Memo(80, 200, 300);
    TskScrollBar* v = Bar();
    m->SetVScrollBar(v);
    PumpFor(20);
    ASSERT_GT(v->Max(), 45);
    // A sync would copy the native thumb into LineButton.
    v->SetLineButton(0);
    TskScrollTrackBar* track = v->Track();
    int y = -1;
    for (int i = 0; i < track->Height() && y < 0; ++i)
        if (track->PositionFromPoint(0, i) == 40) y = i;
    ASSERT_GE(y, 0);
    m->VScrolls.clear();
    TskImagePanel* thumb = track->Slider();
    LeftDown(thumb, 2, 2);
    PointerTo(track, 2, y);
    LeftUp(track, 2, y);
    EXPECT_EQ(v->Position(), 40);
    EXPECT_EQ(m->VScrolls, (std::vector<WPARAM>{MAKEWPARAM(SB_THUMBPOSITION, 40)}));
    EXPECT_EQ(FirstLine(m), 40);
    EXPECT_EQ(v->LineButton(), 0) << "no sync ran during the bar's change";
    m->SyncScrollBars();
    EXPECT_GE(v->LineButton(), 18);
    EXPECT_EQ(v->Position(), 40);
}

TEST_F(SkinMemos, ScrollingTheMemoMovesTheBars) {
    TRecordingMemo* m = Memo(200);
    TskScrollBar* v = Bar();
    TskScrollBar* h = Bar();
    m->SetVScrollBar(v);
    m->SetHScrollBar(h);
    m->Lines()->Add(std::string(300, 'w'));
    PressKey(m->Handle(), VK_NEXT);
    EXPECT_EQ(v->Position(), FirstLine(m));
    EXPECT_GT(v->Position(), 0);
    SendMessageA(m->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(v->Position(), v->Max());
    // The horizontal arrow steps three page sizes.
    EXPECT_GT(h->PageSize(), 0);
    EXPECT_EQ(h->SmallChange(), 3 * h->PageSize());
}

TEST_F(SkinMemos, ShrinkingTheTextDisablesTheBarAndHidesItsThumb) {
    TRecordingMemo* m = Memo(200);
    TskScrollBar* v = Bar();
    m->SetVScrollBar(v);
    SCROLLBARINFO info{};
    info.cbSize = sizeof(SCROLLBARINFO);
    GetScrollBarInfo(m->Handle(), OBJID_VSCROLL, &info);
    const DWORD overflowState = info.rgstate[0];
    RecordProperty("memo_overflow_state", std::to_string(overflowState));
    EXPECT_TRUE(v->Enabled());
    EXPECT_TRUE(v->Track()->GetSliderVisible());
    m->Lines()->SetText("one line");
    GetScrollBarInfo(m->Handle(), OBJID_VSCROLL, &info);
    RecordProperty("memo_fitting_state", std::to_string(info.rgstate[0]));
    std::printf("memo vertical bar state words: overflow %#lx, fitting %#lx\n", overflowState, info.rgstate[0]);
    EXPECT_FALSE(v->Enabled());
    EXPECT_FALSE(v->Track()->GetSliderVisible());
    EXPECT_TRUE(v->Visible());
    m->Lines()->SetText(NumberedLines(100));
    EXPECT_TRUE(v->Enabled());
    EXPECT_TRUE(v->Track()->GetSliderVisible());
}

TEST_F(SkinMemos, SeventyThousandLinesReachedFromTheBar) {
    TRecordingMemo* m = Add<TRecordingMemo>(20, 20, 200, 100);
    SendMessageA(m->Handle(), EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
    m->Lines()->SetText(NumberedLines(70000));
    ASSERT_EQ(SendMessageA(m->Handle(), EM_GETLINECOUNT, 0, 0), 70001);
    // Attaching makes the window again with the long text in it.
    TskScrollBar* v = Bar();
    m->SetVScrollBar(v);
    ASSERT_EQ(SendMessageA(m->Handle(), EM_GETLINECOUNT, 0, 0), 70001);
    ASSERT_GT(v->Max(), 69000);
    v->SetPosition(69000);
    EXPECT_EQ(FirstLine(m), 69000);
    v->SetPosition(32000);  // back within the scroll message's signed 16 bits
    EXPECT_EQ(FirstLine(m), 32000);
    v->SetPosition(65000);  // fits 16 bits unsigned, which the native edit reads as negative
    EXPECT_EQ(FirstLine(m), 65000);
    v->SetPosition(69500);
    EXPECT_EQ(FirstLine(m), 69500);
}

}  // namespace
