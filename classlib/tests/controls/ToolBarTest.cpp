// Tool bars: buttons created later enter at the front, captions and images go
// to the native buttons, clicks and grouped check buttons, and the custom-draw
// events see the bar and each button with its state and can take the drawing over.
#include "Bitmap.h"
#include "Canvas.h"
#include "ControlsFixture.h"
#include "ImageList.h"
#include "ToolBar.h"

#include <commctrl.h>

namespace {

struct TBarEvents : public TRecorder {
    bool drawBar = true;
    bool drawButtons = true;
    void Click(TObject* Sender) { Note("click " + static_cast<TToolButton*>(Sender)->Caption()); }
    void DrawBar(TToolBar* Bar, const TRect& R, bool& Default) {
        Note("bar " + std::to_string(R.Width()));
        Bar->Canvas()->Brush()->SetColor(clYellow);
        Bar->Canvas()->FillRect(R);
        Default = drawBar;
    }
    void DrawButton(TToolBar*, TToolButton* Button, TCustomDrawState State, bool& Default) {
        Note("button " + Button->Caption() + (State.Contains(cdsChecked) ? " checked" : "") + (State.Contains(cdsHot) ? " hot" : ""));
        Default = drawButtons;
    }
};

class ToolBars : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        bar = Add<TToolBar>(form.get(), 0, 0, 400, 30);
        bar->SetShowCaptions(true);
        bar->SetFlat(true);
    }
    TToolButton* AddButton(const std::string& Caption) {
        auto* b = Create<TToolButton>(form.get());
        b->SetCaption(Caption);
        b->SetParent(bar);
        b->OnClick = TNotifyEvent::Bind<&TBarEvents::Click>(&events);
        return b;
    }
    std::string NativeText(int Index) {
        TBBUTTON tb{};
        SendMessageA(bar->Handle(), TB_GETBUTTON, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&tb));
        char text[64] = {};
        SendMessageA(bar->Handle(), TB_GETBUTTONTEXTA, static_cast<WPARAM>(tb.idCommand), reinterpret_cast<LPARAM>(text));
        return text;
    }
    void ClickButton(TToolButton* B) { ClickAt(bar->Handle(), B->Left() + B->Width() / 2, B->Top() + B->Height() / 2); }

    TToolBar* bar = nullptr;
    TBarEvents events;
};

TEST_F(ToolBars, NewButtonsEnterAtTheFront) {
    AddButton("Help");
    AddButton("Edit");
    AddButton("File");
    ASSERT_EQ(SendMessageA(bar->Handle(), TB_BUTTONCOUNT, 0, 0), 3);
    EXPECT_EQ(NativeText(0), "File");
    EXPECT_EQ(NativeText(1), "Edit");
    EXPECT_EQ(NativeText(2), "Help");
    EXPECT_EQ(bar->Buttons(0)->Caption(), "File");
    // The controls' bounds follow the native layout, left to right.
    EXPECT_LT(bar->Buttons(0)->Left(), bar->Buttons(1)->Left());
    EXPECT_GT(bar->Buttons(0)->Width(), 0);
}

TEST_F(ToolBars, ClicksAndGroupedCheckButtons) {
    auto* c = AddButton("C");
    auto* b = AddButton("B");
    auto* a = AddButton("A");
    for (TToolButton* x : {a, b}) {
        x->SetStyle(tbsCheck);
        x->SetGrouped(true);
    }
    ClickButton(a);
    EXPECT_TRUE(a->Down());
    ClickButton(b);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    c->SetEnabled(false);
    ClickButton(c);
    EXPECT_EQ(events.Log, (std::vector<std::string>{"click A", "click B"}));
    EXPECT_FALSE(SendMessageA(bar->Handle(), TB_ISBUTTONENABLED, static_cast<WPARAM>(c->CommandId()), 0));
}

TEST_F(ToolBars, ImagesReachTheNativeButtons) {
    auto* list = Create<TImageList>(form.get(), 16, 16);
    TBitmap glyph;
    glyph.SetSize(16, 16);
    list->Add(&glyph);
    list->Add(&glyph);
    bar->SetImages(list);
    auto* b = AddButton("Open");
    b->SetImageIndex(1);
    EXPECT_EQ(SendMessageA(bar->Handle(), TB_GETBITMAP, static_cast<WPARAM>(b->CommandId()), 0), 1);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(bar->Handle(), TB_GETIMAGELIST, 0, 0)), list->Handle());
    list->Free();
    EXPECT_EQ(bar->Images(), nullptr);
}

TEST_F(ToolBars, CustomDrawEventsSeeBarAndButtons) {
    auto* b = AddButton("Bold");
    b->SetStyle(tbsCheck);
    b->SetDown(true);
    bar->OnCustomDraw = TToolBarCustomDrawEvent::Bind<&TBarEvents::DrawBar>(&events);
    bar->OnCustomDrawButton = TToolBarCustomDrawButtonEvent::Bind<&TBarEvents::DrawButton>(&events);
    events.drawButtons = false;  // the handler draws the button (here: nothing)
    bar->Invalidate();
    bar->Update();
    ASSERT_GE(events.Log.size(), 2u);
    EXPECT_EQ(events.Log[0], "bar " + std::to_string(bar->ClientWidth()));
    EXPECT_EQ(events.Log[1], "button Bold checked");
    // With the default drawing off the bar's own yellow stays where the button would be.
    HDC dc = GetDC(bar->Handle());
    const COLORREF c = GetPixel(dc, b->Left() + b->Width() / 2, b->Top() + b->Height() / 2);
    ReleaseDC(bar->Handle(), dc);
    EXPECT_EQ(c, RGB(255, 255, 0));
}

}  // namespace
