// The skinned scroll bar on a shown form: thumb length from LineButton and
// the page size, the layout of arrows and track, the arrows' repeat with the
// real timer, the range forwarded to the track, and the art turned for each
// orientation.
#include "SkinControlFixture.h"
#include "SkinPublic.h"
#include "SkinScrollBar.h"
#include "SkinThemes.h"

#include <windows.h>

namespace {

class SkinScrollBars : public SkinControlsTest {
protected:
    // A bar whose track is TrackLength long between its arrows.
    TskScrollBar* Bar(TskProgressBarOrientation Orientation, int TrackLength) {
        auto* b = Add<TskScrollBar>(20, 20, 200, 17);
        b->SetOrientation(Orientation);
        const int arrows = Orientation == skVertical ? b->BackButton()->Height() + b->ForwardButton()->Height() + 1
                                                     : b->BackButton()->Width() + b->ForwardButton()->Width();
        if (Orientation == skVertical)
            b->SetHeight(TrackLength + arrows);
        else
            b->SetWidth(TrackLength + arrows);
        PumpFor(20);
        return b;
    }
    static int ThumbLength(TskScrollBar* B) {
        TskImagePanel* s = B->Track()->Slider();
        return B->Orientation() == skVertical ? s->Height() : s->Width();
    }
};

TEST_F(SkinScrollBars, ThumbLengthFromLineButtonOrPageSize) {
    for (TskProgressBarOrientation o : {skHorizontal, skVertical}) {
        TskScrollBar* b = Bar(o, 200);
        ASSERT_EQ(o == skVertical ? b->Track()->Height() : b->Track()->Width(), 200) << o;
        EXPECT_EQ(ThumbLength(b), 20) << o << ": page size 2 counts as 10 percent";
        b->SetPageSize(50);
        EXPECT_EQ(ThumbLength(b), 100) << o;
        b->SetLineButton(5);
        EXPECT_EQ(b->LineButton(), 18) << o;
        EXPECT_EQ(ThumbLength(b), 18) << o;
        // Longer than the room between the arrows (a vertical bar's room
        // includes its one-pixel gap, 201 here).
        b->SetLineButton(202);
        EXPECT_EQ(b->LineButton(), 18) << o;
        EXPECT_EQ(ThumbLength(b), 18) << o;
        b->SetLineButton(0);
        EXPECT_EQ(ThumbLength(b), 100) << o;
        b->Free();
    }
}

TEST_F(SkinScrollBars, LargeChangeWritesThePageSizeWithoutRebuildingTheThumb) {
    TskScrollBar* b = Bar(skHorizontal, 200);
    b->SetLargeChange(20);
    EXPECT_EQ(b->PageSize(), 20);
    EXPECT_EQ(ThumbLength(b), 20) << "the thumb still shows page size 2";
    b->SetPageSize(50);
    EXPECT_EQ(b->LargeChange(), 50);
    EXPECT_EQ(ThumbLength(b), 100);
    b->SetMax(200000);
    b->SetPageSize(65536 + 7);
    EXPECT_EQ(b->PageSize(), 65543);
    EXPECT_EQ(b->LargeChange(), 7) << "the low 16 bits";
}

TEST_F(SkinScrollBars, ArrowsAroundTheTrackWithOnePixelGapWhenVertical) {
    TskScrollBar* v = Bar(skVertical, 150);
    TskScrollBar* h = Bar(skHorizontal, 150);
    EXPECT_EQ(v->Width(), v->BackButton()->Width());
    EXPECT_EQ(v->Track()->Top(), v->BackButton()->Height());
    EXPECT_EQ(v->Track()->Top() + v->Track()->Height() + 1, v->ForwardButton()->Top());
    EXPECT_EQ(v->ForwardButton()->Top() + v->ForwardButton()->Height(), v->Height());
    EXPECT_EQ(h->Height(), h->BackButton()->Height());
    EXPECT_EQ(h->Track()->Left(), h->BackButton()->Width());
    EXPECT_EQ(h->Track()->Left() + h->Track()->Width(), h->ForwardButton()->Left());
    EXPECT_EQ(h->ForwardButton()->Left() + h->ForwardButton()->Width(), h->Width());
}

TEST_F(SkinScrollBars, ZeroSizeHidesAndLayoutNeverShowsItAgain) {
    TskScrollBar* b = Bar(skHorizontal, 150);
    b->SetWidth(0);
    EXPECT_FALSE(b->Visible());
    b->SetWidth(180);
    EXPECT_FALSE(b->Visible());
    b->SetVisible(true);
    EXPECT_TRUE(b->Visible());
    EXPECT_TRUE(b->Track()->Visible());
}

struct TSenders {
    std::vector<TObject*> Seen;
    void Changed(TObject* Sender) { Seen.push_back(Sender); }
};

TEST_F(SkinScrollBars, ArrowRepeatStepsEveryHundredMillisecondsAfterTheFirst) {
    TskScrollBar* b = Bar(skHorizontal, 150);
    b->SetSmallChange(4);
    TSenders senders;
    b->SetOnChange(TNotifyEvent::Bind<&TSenders::Changed>(&senders));
    TskImageButton* forward = b->ForwardButton();
    // About 40 ms held (the press helper's pumping): below the first step.
    LeftDown(forward, 5, 5);
    LeftUp(forward, 5, 5);
    EXPECT_EQ(b->Position(), 0);
    // Held 40 + 310 ms: steps at 100, 200 and 300 ms (50 ms margin to either side).
    LeftDown(forward, 5, 5);
    PumpFor(310);
    LeftUp(forward, 5, 5);
    EXPECT_EQ(b->Position(), 12);
    ASSERT_EQ(senders.Seen.size(), 3u);
    EXPECT_EQ(senders.Seen[0], b->Track()) << "OnChange passes the track";
    EXPECT_EQ(b->LastScrollDelta(), 4);
    // Held 40 + 110 ms: one step at 100 ms.
    LeftDown(b->BackButton(), 5, 5);
    PumpFor(110);
    LeftUp(b->BackButton(), 5, 5);
    EXPECT_EQ(b->Position(), 8);
    EXPECT_EQ(b->LastScrollDelta(), -4);
}

TEST_F(SkinScrollBars, RangeForwardedToTheTrack) {
    TskScrollBar* b = Bar(skVertical, 150);
    EXPECT_EQ(b->Max(), 100);
    EXPECT_EQ(b->Track()->Max(), 100);
    b->SetPosition(40);
    EXPECT_EQ(b->Track()->Position(), 40);
    b->SetMin(50);
    EXPECT_EQ(b->Position(), 50);
    b->SetSmallChange(0);
    EXPECT_EQ(b->SmallChange(), 1);
    b->SetColor(clLime);
    EXPECT_EQ(b->Track()->Color(), clLime);
}

// The pixels of Picture's bitmap.
std::vector<std::uint32_t> PixelsOf(TBitmap* Bitmap) {
    std::vector<std::uint32_t> out;
    for (int y = 0; y < Bitmap->Height(); ++y)
        for (int x = 0; x < Bitmap->Width(); ++x) out.push_back(Px(*Bitmap, x, y));
    return out;
}

TEST_F(SkinScrollBars, ArtTurnedForTheOrientation) {
    for (TskUIStyle style : {TskUIStyle::DeepBlue, TskUIStyle::WinXP, TskUIStyle::MacOS}) {
        TskScrollBar* h = Bar(skHorizontal, 150);
        h->SetUIStyle(style);
        // Horizontal arrows: the vertical art turned counter-clockwise.
        for (int k : {1, 4}) {
            TBitmap art;
            LoadBuiltInThemeBitmapFrame(style, TskThemeKey::ScrollBarButtonImage, &art, 6, k);
            ASSERT_GT(art.Width(), 0);
            RotateBitmapCCW(&art);
            TskImageButton* button = k == 1 ? h->BackButton() : h->ForwardButton();
            EXPECT_EQ(PixelsOf(button->PicNormal()->Bitmap()), PixelsOf(&art)) << UIStyleName(style) << " frame " << k;
            EXPECT_EQ(button->Width(), art.Width());
        }
        // A vertical thumb starts with the head turned clockwise.
        TskScrollBar* v = Bar(skVertical, 150);
        v->SetUIStyle(style);
        v->SetLineButton(60);
        TBitmap head;
        LoadBuiltInThemeBitmapFrame(style, TskThemeKey::ScrollBarSliderImage, &head, 3, 1);
        RotateBitmapCW(&head);
        TBitmap* thumb = v->Track()->SliderImage()->Bitmap();
        ASSERT_EQ(thumb->Width(), head.Width());
        ASSERT_EQ(thumb->Height(), 60);
        for (int y = 0; y < head.Height(); ++y)
            for (int x = 0; x < head.Width(); ++x)
                ASSERT_EQ(Px(*thumb, x, y), Px(head, x, y)) << UIStyleName(style) << " at " << x << "," << y;
        h->Free();
        v->Free();
    }
}

}  // namespace
