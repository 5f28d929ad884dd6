// Tool bars: buttons created later enter at the front, captions and images go
// to the native buttons, clicks and grouped check buttons, and the custom-draw
// events see the bar and each button with its state and can take the drawing over;
// a button with a menu item drops that item's submenu below itself.
#include "Bitmap.h"
#include "Canvas.h"
#include "ControlsFixture.h"
#include "ImageList.h"
#include "MenuDriver.h"
#include "Menus.h"
#include "ToolBar.h"

#include <commctrl.h>

namespace {

struct TBarEvents : public TRecorder {
    bool drawBar = true;
    bool drawButtons = true;
    void Click(TObject* Sender) { Note("click " + static_cast<TToolButton*>(Sender)->Caption()); }
    void ItemClick(TObject* Sender) {
        auto* item = static_cast<TMenuItem*>(Sender);
        Note("item " + item->Caption());
        pressedDuringClick = SendMessageA(bar->Handle(), TB_ISBUTTONPRESSED, static_cast<WPARAM>(button->CommandId()), 0) != 0;
    }
    TToolBar* bar = nullptr;
    TToolButton* button = nullptr;
    bool pressedDuringClick = true;
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

namespace {

class ToolBarMenus : public ToolBars {
protected:
    void SetUp() override {
        ToolBars::SetUp();
        auto* menu = Create<TPopupMenu>(form.get());
        recent = Create<TMenuItem>(form.get());
        recent->SetCaption("Recent");
        menu->Items()->Add(recent);
        for (const char* caption : {"one.swf", "two.swf", "three.swf"}) {
            auto* item = Create<TMenuItem>(form.get());
            item->SetCaption(caption);
            item->OnClick = TNotifyEvent::Bind<&TBarEvents::ItemClick>(&events);
            recent->Add(item);
        }
        AddButton("Other");
        button = AddButton("Recent");  // enters at the front
        button->SetMenuItem(recent);
        events.bar = bar;
        events.button = button;
    }
    // Clicks the face of the button (or its arrow) while a user picks Item from the menu that drops.
    RECT ChooseFromButton(TMenuItem* Item, bool Arrow) {
        TMenuDriver user(nullptr, Item->Command());
        const int x = Arrow ? button->Left() + button->Width() - 4 : button->Left() + 6;
        PostMessageA(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, button->Top() + button->Height() / 2));
        PostMessageA(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, button->Top() + button->Height() / 2));
        EXPECT_TRUE(PumpUntil([&] { return !events.Log.empty(); }, 8000));
        EXPECT_TRUE(user.Found());
        PumpFor(50);
        return user.Shown();
    }
    POINT BelowButton() {
        POINT p{button->Left(), button->Top() + button->Height()};
        ClientToScreen(bar->Handle(), &p);
        return p;
    }
    TMenuItem* recent = nullptr;
    TToolButton* button = nullptr;
};

TEST_F(ToolBarMenus, ClickDropsTheItemsSubmenuBelowTheButtonAndRunsTheChoice) {
    const RECT shown = ChooseFromButton(recent->Items(1), false);
    EXPECT_EQ(events.Log, (std::vector<std::string>{"item two.swf"})) << "the button's own click does not run";
    const POINT below = BelowButton();
    EXPECT_EQ(shown.left, below.x);
    EXPECT_NEAR(shown.top, below.y, 2);
    EXPECT_FALSE(events.pressedDuringClick) << "the button is up again before the chosen item runs";
    EXPECT_FALSE(SendMessageA(bar->Handle(), TB_ISBUTTONPRESSED, static_cast<WPARAM>(button->CommandId()), 0));
}

TEST_F(ToolBarMenus, ArrowOfADropDownButtonDropsTheMenuToo) {
    button->SetStyle(tbsDropDown);
    EXPECT_TRUE(SendMessageA(bar->Handle(), TB_GETEXTENDEDSTYLE, 0, 0) & TBSTYLE_EX_DRAWDDARROWS) << "the arrow shows";
    ChooseFromButton(recent->Items(2), true);
    EXPECT_EQ(events.Log, (std::vector<std::string>{"item three.swf"}));
}

TEST_F(ToolBarMenus, ItemWithoutVisibleSubItemsLeavesAPlainClick) {
    for (int i = 0; i < recent->Count(); ++i) recent->Items(i)->SetVisible(false);
    ClickButton(button);
    EXPECT_EQ(events.Log, (std::vector<std::string>{"click Recent"}));
    recent->Free();
    EXPECT_EQ(button->MenuItem(), nullptr) << "a freed item leaves no dangling reference";
}

}  // namespace
