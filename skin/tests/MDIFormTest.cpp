// The skinned MDI frame on a shown MDI main form with real MDI children:
// children laid out when tiled and cascaded, the child buttons on the menu
// bar of a maximised child and what they do, the bar following the active
// child's menu, the children's own frames, a frame freed before its form,
// the owner check and GDI handles over many repaints.
#include "FrameTestSupport.h"
#include "MDIForm.h"
#include "MainMenu.h"
#include "SkinPublic.h"
#include "SkinThemes.h"
#include "ThemeKeys.h"

#include "Application.h"
#include "Form.h"
#include "GraphicsHandles.h"
#include "Menus.h"
#include "Panel.h"
#include "Pump.h"
#include "UserInput.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace {

RECT InParent(HWND Window) {
    RECT r;
    GetWindowRect(Window, &r);
    MapWindowPoints(nullptr, GetParent(Window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

struct TBox {
    LONG Left, Top, Width, Height;
    bool operator==(const TBox&) const = default;
};

std::ostream& operator<<(std::ostream& Out, const TBox& B) {
    return Out << "(" << B.Left << ", " << B.Top << ") " << B.Width << " x " << B.Height;
}

TBox BoxOf(TCustomForm* Form) {
    const RECT r = InParent(Form->Handle());
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

TMainMenu* MakeMenu(TComponent* Owner, const std::vector<std::string>& Captions) {
    auto* menu = Create<TskMainMenu>(Owner);
    for (const std::string& caption : Captions) {
        auto* item = Create<TMenuItem>(Owner);
        item->SetCaption(caption);
        menu->Items()->Add(item);
    }
    return menu;
}

std::vector<std::string> BarCaptions(TskMDIForm* Frame) {
    std::vector<std::string> out;
    if (!Frame->MenuPanel() || !Frame->MenuPanel()->Visible()) return out;
    for (int i = 0; i < Frame->MenuBar()->ButtonCount(); ++i) out.push_back(Frame->MenuBar()->Buttons(i)->Caption());
    return out;
}

class MDIFrame : public ::testing::Test {
protected:
    void SetUp() override {
        previous = Application->MainForm();
        main = CreateOwned<TForm>();
        main->SetFormStyle(fsMDIForm);
        main->SetBounds(10, 10, 1040, 640);
        frame = Create<TskMDIForm>(main.get());
        frame->SetMenu(MakeMenu(main.get(), {"&File", "&Window"}));
        main->SetClientWidth(1000);
        main->SetClientHeight(500);
        Application->SetMainForm(main.get());
        main->Show();
        ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(main->Handle()) != FALSE; }, 5000));
    }
    void TearDown() override {
        // Children leave restored, as a user would leave them.
        for (int i = 0; main && i < main->MDIChildCount(); ++i) main->MDIChildren(i)->SetWindowState(wsNormal);
        PumpFor(20);
        main.reset();
        Application->SetMainForm(previous);
        PumpFor(20);
    }

    // An MDI child owned by the main form, optionally with its own frame.
    TForm* Child(const std::string& Caption, bool Framed = false) {
        auto* f = Create<TForm>(main.get());
        f->SetFormStyle(fsMDIChild);
        f->SetCaption(Caption);
        f->SetBounds(0, 0, 300, 200);
        if (Framed) {
            auto* childFrame = Create<TskForm>(f);
            childFrame->SetParent(f);
        }
        f->OnClose = TCloseEvent::Bind<&MDIFrame::FreeOnClose>(this);
        f->Show();
        PumpFor(20);
        return f;
    }
    static TskForm* FrameOf(TCustomForm* Form) {
        for (int i = 0; i < Form->ControlCount(); ++i)
            if (auto* f = dynamic_cast<TskForm*>(Form->Controls(i))) return f;
        return nullptr;
    }
    void Activate(TCustomForm* Child) {
        SendMessageA(main->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Child->Handle()), 0);
        PumpFor(20);
    }
    std::vector<bool> ButtonsShown() const {
        std::vector<bool> out;
        for (int i = 0; i < 3; ++i) out.push_back(frame->ChildButton(i)->Visible());
        return out;
    }
    // What the form's top and bottom bars take from its client area.
    int Bars() const { return frame->TitleBar()->Height() + frame->MenuPanel()->Height(); }

    void Redraw() {
        RedrawWindow(main->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
        PumpFor(50);
    }

public:
    void FreeOnClose(TObject*, TCloseAction& Action) { Action = caFree; }
    void Ran(TObject* Sender) { ran.push_back(static_cast<TMenuItem*>(Sender)->Caption()); }
    std::vector<std::string> ran;

    TCustomForm* previous = nullptr;
    TOwned<TForm> main;
    TskMDIForm* frame = nullptr;
};

TEST_F(MDIFrame, CascadePlacesTheLastChildFirst) {
    Child("A");
    Child("B");
    Child("C");
    main->Cascade();
    PumpFor(20);
    ASSERT_EQ(main->ClientWidth(), 1000);
    ASSERT_EQ(main->ClientHeight(), 500);
    ASSERT_EQ(main->MDIChildCount(), 3);
    EXPECT_EQ(BoxOf(main->MDIChildren(2)), (TBox{0, 0, 800, 300}));
    EXPECT_EQ(BoxOf(main->MDIChildren(1)), (TBox{22, 22, 800, 300}));
    EXPECT_EQ(BoxOf(main->MDIChildren(0)), (TBox{44, 44, 800, 300}));
}

TEST_F(MDIFrame, TilingLeavesARowForMinimisedChildren) {
    ASSERT_TRUE(frame->MenuPanel()->Visible());
    ASSERT_GT(Bars(), frame->TitleBar()->Height());
    struct Case {
        TTileMode Mode;
        int Minimised;  // index into MDIChildren, or -1
        // The expected places of MDIChildren(2), (1), (0) that are not minimised;
        // H is the height the bars leave.
        std::vector<TBox> (*Expected)(int H);
    };
    const Case cases[] = {
        {tbVertical, 1,
         [](int H) { return std::vector<TBox>{{0, 0, 498, H - 25 - 4}, {498, 0, 498, H - 25 - 4}}; }},
        {tbVertical, -1,
         [](int H) {
             return std::vector<TBox>{{0, 0, 331, H - 4}, {331, 0, 331, H - 4}, {662, 0, 331, H - 4}};
         }},
        {tbHorizontal, -1,
         [](int H) {
             const int h = H / 3;
             return std::vector<TBox>{{0, 0, 996, h - 2}, {0, h - 2, 996, h - 2}, {0, 2 * (h - 2), 996, h - 2}};
         }},
        {tbHorizontal, 0,
         [](int H) {
             const int h = (H - 25) / 2;
             return std::vector<TBox>{{0, 0, 996, h - 2}, {0, h - 2, 996, h - 2}};
         }},
    };
    for (const Case& c : cases) {
        Child("A");
        Child("B");
        Child("C");
        ASSERT_EQ(main->MDIChildCount(), 3);
        if (c.Minimised >= 0) {
            main->MDIChildren(c.Minimised)->SetWindowState(wsMinimized);
            PumpFor(20);
        }
        // Minimising changes the children's order; tiling takes it as it is.
        std::vector<TCustomForm*> order;
        for (int i = 2; i >= 0; --i) order.push_back(main->MDIChildren(i));
        main->TileMode = c.Mode;
        main->Tile();
        PumpFor(20);
        std::vector<TBox> seen;
        for (TCustomForm* child : order)
            if (!IsIconic(child->Handle())) seen.push_back(BoxOf(child));
        EXPECT_EQ(seen, c.Expected(500 - Bars())) << "mode " << c.Mode << ", minimised " << c.Minimised;
        while (main->MDIChildCount() > 0) main->MDIChildren(0)->Free();
        PumpFor(20);
    }
}

TEST_F(MDIFrame, MaximisedChildShowsTheButtonsItsFrameHas) {
    struct Case {
        std::vector<TskTitleBarBtnType> Kept;
        std::vector<bool> Shown;  // close, restore, minimise
    };
    const Case cases[] = {
        {{TskTitleBarBtnType::skClose}, {true, false, false}},
        {{TskTitleBarBtnType::skClose, TskTitleBarBtnType::skMin}, {true, false, true}},
        {{TskTitleBarBtnType::skClose, TskTitleBarBtnType::skMax, TskTitleBarBtnType::skMin}, {true, true, true}},
    };
    for (const Case& c : cases) {
        TForm* child = Child("Framed", true);
        TskTitleBarButtons* buttons = FrameOf(child)->TitleBarButtons();
        for (int i = buttons->Count() - 1; i >= 0; --i) {
            const TskTitleBarBtnType type = buttons->Items(i)->ButtonType();
            if (std::find(c.Kept.begin(), c.Kept.end(), type) == c.Kept.end()) buttons->Delete(i);
        }
        EXPECT_EQ(ButtonsShown(), (std::vector<bool>{false, false, false}));
        child->SetWindowState(wsMaximized);
        PumpFor(30);
        EXPECT_EQ(ButtonsShown(), c.Shown) << c.Kept.size() << " buttons kept";
        // They sit at the right end of the menu bar, 18 pixels apart.
        const int right = main->ClientWidth();
        ASSERT_EQ(frame->MenuPanel()->Width(), right);
        EXPECT_EQ(frame->ChildButton(0)->Left(), right - 20);
        EXPECT_EQ(frame->ChildButton(1)->Left(), right - 38);
        EXPECT_EQ(frame->ChildButton(2)->Left(), right - 56);
        // What shows is on top where it is, for the pointer to reach.
        for (int i = 0; i < 3; ++i) {
            if (!c.Shown[static_cast<size_t>(i)]) continue;
            RECT r;
            GetWindowRect(frame->ChildButton(i)->Handle(), &r);
            EXPECT_EQ(WindowFromPoint({(r.left + r.right) / 2, (r.top + r.bottom) / 2}), frame->ChildButton(i)->Handle())
                << "button " << i;
        }
        child->SetWindowState(wsNormal);
        PumpFor(30);
        EXPECT_EQ(ButtonsShown(), (std::vector<bool>{false, false, false}));
        child->Free();
        PumpFor(20);
    }
}

TEST_F(MDIFrame, ChildButtonsActOnTheActiveChild) {
    TForm* a = Child("A", true);
    TForm* b = Child("B", true);
    TForm* c = Child("C", true);
    ASSERT_EQ(main->ActiveMDIChild(), c);
    c->SetWindowState(wsMaximized);
    PumpFor(30);
    ASSERT_TRUE(frame->ChildButton(2)->Visible());
    ClickAt(frame->ChildButton(2)->Handle(), 8, 8);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(c->Handle()) != FALSE; }, 3000)) << "minimise";
    EXPECT_FALSE(IsIconic(a->Handle()));
    EXPECT_FALSE(IsIconic(b->Handle()));

    Activate(b);
    b->SetWindowState(wsMaximized);
    PumpFor(30);
    ASSERT_EQ(main->ActiveMDIChild(), b);
    ASSERT_TRUE(frame->ChildButton(1)->Visible());
    ClickAt(frame->ChildButton(1)->Handle(), 8, 8);
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(b->Handle()) == FALSE; }, 3000)) << "restore";
    EXPECT_EQ(b->WindowState(), wsNormal);
    EXPECT_FALSE(frame->ChildButton(0)->Visible());

    // The last child closed while maximised takes the buttons with it.
    b->Free();
    c->Free();
    PumpFor(20);
    Activate(a);
    a->SetWindowState(wsMaximized);
    PumpFor(30);
    ASSERT_TRUE(frame->ChildButton(0)->Visible());
    ClickAt(frame->ChildButton(0)->Handle(), 8, 8);
    ASSERT_TRUE(PumpUntil([&] { return main->MDIChildCount() == 0; }, 3000)) << "close";
    EXPECT_FALSE(frame->ChildButton(0)->Visible());
}

TEST_F(MDIFrame, MenuBarFollowsTheActiveChildsMenu) {
    TForm* plain = Child("Plain", true);
    TForm* edit = Child("Edit", true);
    // A menu given to the frame of the child already active shows at once.
    ASSERT_EQ(main->ActiveMDIChild(), edit);
    FrameOf(edit)->SetMenu(MakeMenu(edit, {"&Edit", "&View", "&Help"}));
    EXPECT_EQ(BarCaptions(frame), (std::vector<std::string>{"&Edit", "&View", "&Help"}));
    TForm* own = Child("Own");
    own->SetMenu(MakeMenu(own, {"&Tools"}));
    // The child's own menu never shows as a native bar in the child.
    Activate(edit);
    EXPECT_EQ(BarCaptions(frame), (std::vector<std::string>{"&Edit", "&View", "&Help"}));
    Activate(plain);
    EXPECT_EQ(BarCaptions(frame), (std::vector<std::string>{"&File", "&Window"}));
    // A child without a frame does not ask for the bar to follow it; once
    // asked, the bar shows its own menu.
    Activate(own);
    SendMessageA(main->ClientHandle(), WM_MDIREFRESHMENU, 0, 0);
    EXPECT_EQ(BarCaptions(frame), (std::vector<std::string>{"&Tools"}));
    Activate(edit);
    EXPECT_EQ(BarCaptions(frame), (std::vector<std::string>{"&Edit", "&View", "&Help"}));

    // Without child menus the bar keeps the frame's own.
    Activate(plain);
    frame->SetTitleBarDrawChildMenus(false);
    Activate(edit);
    EXPECT_EQ(BarCaptions(frame), (std::vector<std::string>{"&File", "&Window"}));
    frame->SetTitleBarDrawChildMenus(true);
    Activate(plain);
    Activate(edit);
    ASSERT_EQ(BarCaptions(frame), (std::vector<std::string>{"&Edit", "&View", "&Help"}));

    // The last child leaving gives the bar back to the frame's menu.
    own->Free();
    plain->Free();
    PumpFor(20);
    edit->Close();
    ASSERT_TRUE(PumpUntil([&] { return main->MDIChildCount() == 0; }, 3000));
    PumpFor(20);
    EXPECT_EQ(BarCaptions(frame), (std::vector<std::string>{"&File", "&Window"}));
}

TEST_F(MDIFrame, ChildFramesHideTheirTitleBarWhileMaximisedAndFollowActivation) {
    TForm* a = Child("A", true);
    TForm* b = Child("B", true);
    TskForm* fa = FrameOf(a);
    TskForm* fb = FrameOf(b);
    EXPECT_TRUE(fb->TitleBar()->FormActive());
    EXPECT_FALSE(fa->TitleBar()->FormActive());
    Activate(a);
    EXPECT_TRUE(fa->TitleBar()->FormActive());
    EXPECT_FALSE(fb->TitleBar()->FormActive());

    auto* placed = Create<TPanel>(a);
    placed->SetParent(fa);
    placed->SetBounds(10, 60, 80, 30);
    const int barHeight = fa->TitleBar()->Height();
    ASSERT_GT(barHeight, 3);
    a->SetWindowState(wsMaximized);
    PumpFor(30);
    EXPECT_FALSE(fa->TitleBarVisible());
    // The frame's contents scroll up over the bar's place but three pixels.
    EXPECT_EQ(placed->Top(), 60 + 3 - barHeight);
    a->SetWindowState(wsNormal);
    PumpFor(30);
    EXPECT_TRUE(fa->TitleBarVisible());
    EXPECT_EQ(fa->TitleBar()->Top(), 0);
    EXPECT_EQ(placed->Top(), 60);
    // A child frame never makes a menu bar of its own.
    fa->SetMenu(MakeMenu(a, {"&Edit"}));
    EXPECT_EQ(fa->MenuBar(), nullptr);
}

TEST_F(MDIFrame, FrameFreedBeforeItsFormGivesTheClientItsProcedureBack) {
    // A second form, so the hook found is the form's own default.
    auto other = CreateOwned<TForm>();
    other->SetFormStyle(fsMDIForm);
    other->SetBounds(40, 40, 600, 400);
    const TWndMethod before = other->ClientWindowProc;
    const TWndMethod windowBefore = other->WindowProc;
    auto* early = Create<TskMDIForm>(other.get());
    ASSERT_FALSE(other->ClientWindowProc == before);
    ASSERT_FALSE(other->WindowProc == windowBefore);
    early->Free();
    EXPECT_TRUE(other->ClientWindowProc == before);
    EXPECT_TRUE(other->WindowProc == windowBefore);
    EXPECT_NE(GetWindowLongPtrA(other->Handle(), GWL_STYLE) & WS_CAPTION, 0);

    Application->SetMainForm(other.get());
    other->Show();
    PumpFor(20);
    std::vector<TForm*> kids;
    for (const char* caption : {"A", "B", "C"}) {
        auto* f = Create<TForm>(other.get());
        f->SetFormStyle(fsMDIChild);
        f->SetCaption(caption);
        f->OnClose = TCloseEvent::Bind<&MDIFrame::FreeOnClose>(this);
        f->Show();
        kids.push_back(f);
    }
    PumpFor(20);
    other->TileMode = tbVertical;
    other->Tile();
    other->Cascade();
    PumpFor(20);
    for (TForm* f : kids) f->Close();
    EXPECT_TRUE(PumpUntil([&] { return other->MDIChildCount() == 0; }, 3000));
    other.reset();
    Application->SetMainForm(main.get());
}

TEST_F(MDIFrame, AHookPutInAfterTheFrameStaysWhenTheFrameGoes) {
    struct THook {
        TCustomForm* Form;
        TWndMethod Saved;
        int Heard = 0;
        void Proc(TMessage& M) {
            ++Heard;
            Saved(M);
        }
    } hook{main.get(), main->ClientWindowProc};
    main->ClientWindowProc = TWndMethod::Bind<&THook::Proc>(&hook);
    frame->Free();
    frame = nullptr;
    EXPECT_TRUE(main->ClientWindowProc == TWndMethod::Bind<&THook::Proc>(&hook));
    // The bars went with the frame: the client has the form's whole client area.
    PumpFor(20);
    const RECT client = InParent(main->ClientHandle());
    EXPECT_EQ(client.top, 0);
    EXPECT_EQ(client.bottom - client.top, main->ClientRect().Height());
    Child("A");
    main->Cascade();
    PumpFor(20);
    EXPECT_GT(hook.Heard, 0);
    main->ClientWindowProc = hook.Saved;
}

TEST_F(MDIFrame, OnlyAFormCanHoldTheFrame) {
    auto panelOwner = CreateOwned<TForm>();
    TPanel* panel = Create<TPanel>(panelOwner.get());
    TComponent* owners[] = {nullptr, panel};
    for (TComponent* owner : owners) {
        try {
            Create<TskMDIForm>(owner);
            ADD_FAILURE() << "no exception";
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), "Sorry, TskMDIForm must be placed on a form");
        }
    }
}

TEST_F(MDIFrame, RepaintsLeaveGdiObjectsFlat) {
    Child("A", true);
    TForm* b = Child("B", true);
    b->SetWindowState(wsMaximized);
    PumpFor(30);
    const auto repaint = [&](int Times) {
        for (int i = 0; i < Times; ++i) {
            RedrawWindow(main->Handle(), nullptr, nullptr,
                         RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            if (i % 100 == 0) PumpFor(1);
        }
    };
    repaint(20);
    const long before = LiveGdiObjects();
    repaint(1000);
    EXPECT_EQ(LiveGdiObjects(), before);
}

}  // namespace

namespace {

TEST_F(MDIFrame, DisabledItemsAreNotGreyedAndTheBarDrawsInTheFramesStyle) {
    auto* menu = static_cast<TskMainMenu*>(MakeMenu(main.get(), {"&Tools", "&Edit"}));
    menu->Items()->Items(1)->SetEnabled(false);
    frame->SetMenu(menu);
    frame->SetUIStyle(TskUIStyle::WinXP);
    // The menu's own style is not the bar's.
    menu->SetUIStyle(TskUIStyle::MacOS);
    PumpFor(50);
    Redraw();
    TToolBar* bar = frame->MenuBar();
    ASSERT_EQ(bar->ButtonCount(), 2);
    TToolButton* edit = bar->Buttons(1);
    EXPECT_FALSE(edit->Enabled());
    EXPECT_EQ(CountPixels(edit, 0x00808080), 0);
    EXPECT_GT(CountPixels(edit, BuiltInThemeColor(TskUIStyle::WinXP, TskThemeKey::MenuFontColor)), 0);

    SendMessageA(bar->Handle(), TB_SETHOTITEM, 0, 0);
    RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpFor(50);
    TToolButton* tools = bar->Buttons(0);
    EXPECT_EQ(BarPixel(bar, tools->Left(), tools->Top()),
              BuiltInThemeColor(TskUIStyle::WinXP, TskThemeKey::MenuSelectedBorderColor));
    SendMessageA(bar->Handle(), TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
}

TEST_F(MDIFrame, BorderAndRoundedRegion) {
    for (TskUIStyle style : {TskUIStyle::MacOS, TskUIStyle::WinXP, TskUIStyle::DeepBlue, TskUIStyle::Protein,
                             TskUIStyle::BlueGlass}) {
        SCOPED_TRACE(std::string(UIStyleName(style)));
        frame->SetUIStyle(style);
        frame->SetTitleBarVisible(true);
        const int bw = frame->BorderWidth();
        ASSERT_EQ(bw, BuiltInThemeInt(style, TskThemeKey::FormBorderWidthInt));
        frame->SetBorderColor(0x000000FF);
        frame->SetMenuBarColor(0x0000FF00);
        Redraw();
        const int W = main->Width(), H = main->Height();
        // The border, then up to the third pixel the menu bar's colour.
        for (int x = 0; x < 3; ++x) {
            const TColor side = x < bw ? 0x000000FF : 0x0000FF00;
            EXPECT_EQ(ScreenPixel(main.get(), x, H / 2), side) << "left x " << x;
            EXPECT_EQ(ScreenPixel(main.get(), W - 1 - x, H / 2), side) << "right x " << x;
            EXPECT_EQ(ScreenPixel(main.get(), W / 2, H - 1 - x), side) << "bottom y " << x;
        }

        const int r = frame->RoundCorner();
        ASSERT_EQ(r, BuiltInThemeInt(style, TskThemeKey::FormRoundCornerInt));
        TGdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
        ASSERT_NE(GetWindowRgn(main->Handle(), region.Get()), ERROR);
        EXPECT_EQ(PtInRegion(region.Get(), 0, 0) != FALSE, r < 2) << "round corner " << r;
        EXPECT_EQ(PtInRegion(region.Get(), W - 1, 0) != FALSE, r < 2) << "round corner " << r;
        EXPECT_TRUE(PtInRegion(region.Get(), 0, H - 1));
        EXPECT_TRUE(PtInRegion(region.Get(), W / 2, 0));

        // Without the title bar: a line of border on top, then the bar's colour.
        frame->SetTitleBarVisible(false);
        Redraw();
        EXPECT_EQ(ScreenPixel(main.get(), W / 2, 0), 0x000000FF);
        EXPECT_EQ(ScreenPixel(main.get(), W / 2, 1), 0x0000FF00);
        EXPECT_EQ(ScreenPixel(main.get(), W / 2, 2), 0x0000FF00);
    }
    frame->SetRoundCorner(0);
    TGdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(main->Handle(), region.Get()), ERROR);
    EXPECT_TRUE(PtInRegion(region.Get(), 0, 0));
}

TEST_F(MDIFrame, ShortcutsFollowTheBarsMenuWhicheverFormIsActive) {
    auto* own = MakeMenu(main.get(), {"&File"});
    auto* newItem = Create<TMenuItem>(main.get());
    newItem->SetCaption("New");
    newItem->SetShortCut(ShortCut('N', {ssCtrl}));
    newItem->OnClick = TNotifyEvent::Bind<&MDIFrame::Ran>(this);
    own->Items()->Items(0)->Add(newItem);
    frame->SetMenu(own);
    TForm* edit = Child("Edit", true);
    auto* childMenu = MakeMenu(edit, {"&Edit"});
    auto* copy = Create<TMenuItem>(edit);
    copy->SetCaption("Copy");
    copy->SetShortCut(ShortCut('E', {ssCtrl}));
    copy->OnClick = TNotifyEvent::Bind<&MDIFrame::Ran>(this);
    childMenu->Items()->Items(0)->Add(copy);
    FrameOf(edit)->SetMenu(childMenu);
    ASSERT_TRUE(PumpUntil([&] { return main->Active(); }));

    PressKeys({VK_CONTROL, 'N'});
    PressKeys({VK_CONTROL, 'E'});
    PumpFor(200);
    EXPECT_EQ(ran, (std::vector<std::string>{"Copy"}));

    // Another form in front: the bar's menu still takes the keys.
    TOwned<TForm> other = CreateOwned<TForm>();
    other->SetBounds(600, 500, 200, 100);
    other->Show();
    ASSERT_TRUE(PumpUntil([&] { return other->Active() && !main->Active(); }));
    PressKeys({VK_CONTROL, 'E'});
    EXPECT_TRUE(PumpUntil([&] { return ran.size() == 2; }, 2000));
    other.reset();

    edit->Close();
    ASSERT_TRUE(PumpUntil([&] { return main->MDIChildCount() == 0; }, 3000));
    ran.clear();
    PressKeys({VK_CONTROL, 'E'});
    PressKeys({VK_CONTROL, 'N'});
    PumpFor(200);
    EXPECT_EQ(ran, (std::vector<std::string>{"New"}));
}

TEST_F(MDIFrame, BarsStayOnTopAndRemovedComponentsLeaveTheFrame) {
    // A strip made after the frame and put at the top goes above the bars;
    // the next component the form gets puts them back on top.
    auto* strip = Create<TPanel>(main.get());
    strip->SetAlign(alTop);
    strip->SetHeight(40);
    strip->SetTop(0);
    strip->SetParent(main.get());
    ASSERT_EQ(strip->Top(), 0);
    Create<TMenuItem>(main.get());
    PumpFor(20);
    EXPECT_EQ(frame->TitleBar()->Top(), 0);
    EXPECT_EQ(frame->MenuPanel()->Top(), frame->TitleBar()->Height());
    EXPECT_EQ(strip->Top(), frame->TitleBar()->Height() + frame->MenuPanel()->Height());

    TScratchTheme file("mdi_darkbar", {{"ControlFontColor", 0x00030000}, {"FormBackgroundColor", 0x00E0E0E0}});
    auto* theme = Create<TskFileTheme>(main.get());
    theme->SetThemeFile(file.Name);
    ASSERT_TRUE(theme->IsLoaded());
    frame->SetUIStyle(TskUIStyle::FromThemeFile);
    frame->SetFileTheme(theme);
    EXPECT_EQ(frame->MenuBarColor(), 0x00996733);
    EXPECT_EQ(frame->MenuBar()->Color(), 0x00996733);
    EXPECT_EQ(frame->ChildButton(0)->Color(), 0x00996733);
    theme->Free();
    EXPECT_EQ(frame->FileTheme(), nullptr);
    EXPECT_EQ(frame->UIStyle(), TskUIStyle::DeepBlue);
    EXPECT_EQ(frame->MenuBarColor(), BuiltInThemeColor(TskUIStyle::DeepBlue, TskThemeKey::FormBackgroundColor));

    ASSERT_TRUE(frame->MenuPanel()->Visible());
    frame->Menu()->Free();
    EXPECT_EQ(frame->Menu(), nullptr);
    EXPECT_FALSE(frame->MenuPanel()->Visible());
}

TEST_F(MDIFrame, TitleBarCountsAsInASkinnedMDIForm) {
    // The frame's bar hangs three rows of its pictures into the form's
    // border, so it is three pixels lower than the pictures; a bar put on
    // the same form by itself is not.
    auto* plain = Create<TskTitleBar>(main.get());
    plain->SetParent(main.get());
    EXPECT_TRUE(frame->TitleBar()->InSkinnedForm());
    EXPECT_TRUE(frame->TitleBar()->InMDIForm());
    EXPECT_FALSE(plain->InSkinnedForm());
    EXPECT_FALSE(plain->InMDIForm());
    const std::pair<TskUIStyle, int> heights[] = {{TskUIStyle::WinXP, 26},   {TskUIStyle::DeepBlue, 29},
                                                  {TskUIStyle::BlueGlass, 30}, {TskUIStyle::MacOS, 20},
                                                  {TskUIStyle::Protein, 20}};
    for (const auto& [style, height] : heights) {
        frame->SetUIStyle(style);
        plain->SetUIStyle(style);
        EXPECT_EQ(frame->TitleBar()->Height(), height) << UIStyleName(style);
        EXPECT_EQ(plain->Height(), height + 3) << UIStyleName(style);
    }
}

// The system keeps a maximised child's state for the next active child: a
// maximised child closed or left for another gives way to one maximised in
// its place. Each child frame scrolls its own contents and the buttons follow
// whichever child is maximised in front.
TEST_F(MDIFrame, MaximisedStatePassesFromChildToChild) {
    std::vector<TForm*> kids;
    std::vector<TPanel*> placed;
    for (const char* caption : {"A", "B", "C"}) {
        kids.push_back(Child(caption, true));
        placed.push_back(Create<TPanel>(kids.back()));
        placed.back()->SetParent(FrameOf(kids.back()));
        placed.back()->SetBounds(10, 60, 80, 30);
    }
    const int up = 60 + 3 - FrameOf(kids[0])->TitleBar()->Height();
    // Each child's contents, title bar and the parent's buttons as they should
    // be with the children's window states now.
    const auto check = [&](const char* When) {
        SCOPED_TRACE(When);
        for (size_t i = 0; i < kids.size(); ++i) {
            if (!kids[i]) continue;
            const bool zoomed = IsZoomed(kids[i]->Handle()) != FALSE;
            EXPECT_EQ(placed[i]->Top(), zoomed ? up : 60) << kids[i]->Caption();
            EXPECT_EQ(FrameOf(kids[i])->TitleBarVisible(), !zoomed) << kids[i]->Caption();
        }
        TCustomForm* active = main->ActiveMDIChild();
        const bool front = active && IsZoomed(active->Handle());
        EXPECT_EQ(ButtonsShown(), (std::vector<bool>{front, front, front}));
    };
    kids[2]->SetWindowState(wsMaximized);
    PumpFor(30);
    check("C maximised");
    kids[2]->Close();
    kids[2] = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return main->MDIChildCount() == 2; }, 3000));
    PumpFor(30);
    ASSERT_NE(main->ActiveMDIChild(), nullptr);
    check("C closed");
    TCustomForm* other = main->ActiveMDIChild() == kids[0] ? kids[1] : kids[0];
    Activate(other);
    PumpFor(30);
    check("the other child activated");
    main->ActiveMDIChild()->SetWindowState(wsNormal);
    PumpFor(30);
    check("restored");
    EXPECT_EQ(ButtonsShown(), (std::vector<bool>{false, false, false}));
}

TEST_F(MDIFrame, TilingWithoutAMenuLeavesNoRoomForTheHiddenBar) {
    frame->Menu()->Free();
    ASSERT_FALSE(frame->MenuPanel()->Visible());
    ASSERT_GT(frame->MenuPanel()->Height(), 0);
    Child("A");
    Child("B");
    main->TileMode = tbHorizontal;
    main->Tile();
    PumpFor(20);
    const int h = (500 - frame->TitleBar()->Height()) / 2;
    EXPECT_EQ(BoxOf(main->MDIChildren(1)), (TBox{0, 0, 996, h - 2}));
    EXPECT_EQ(BoxOf(main->MDIChildren(0)), (TBox{0, h - 2, 996, h - 2}));
}

TEST_F(MDIFrame, MaximisedMainFormCoversTheWorkAreaButItsLastRow) {
    main->SetWindowState(wsMaximized);
    PumpFor(50);
    TRect area = GetDesktopWorkArea();
    area.Bottom -= 1;
    EXPECT_EQ(main->BoundsRect(), area);
    RECT r;
    GetWindowRect(main->Handle(), &r);
    EXPECT_EQ(r.bottom, area.Bottom);
    main->SetWindowState(wsNormal);
    PumpFor(50);
}

}  // namespace
