// The form frame on real windows: what it takes from the form and gives
// back, the border and region it puts on the window (read from the screen),
// maximising, styles and themes, and the menu bar.
#include "FormFrame.h"
#include "FrameDrawing.h"
#include "FrameTestSupport.h"
#include "TestSkinControls.h"

#include "Application.h"
#include "Bitmap.h"
#include "TitleBarPopupMenu.h"
#include "GraphicsHandles.h"
#include "Form.h"
#include "MainMenu.h"
#include "MenuDrawing.h"
#include "Menus.h"
#include "DialogAnswerer.h"
#include "Pump.h"
#include "UserInput.h"
#include "SkinPublic.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

namespace {

constexpr TColor Red = 0x000000FF;
constexpr TColor Green = 0x0000FF00;

TEST(FormFrame, BorderStylesWithoutACaption) {
    const struct {
        TFormBorderStyle stored, result;
    } cases[] = {
        {bsNone, bsDialog},     {bsSingle, bsDialog},   {bsToolWindow, bsDialog},
        {bsSizeable, bsSizeable}, {bsDialog, bsDialog}, {bsSizeToolWin, bsSizeToolWin},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.stored));
        TFramedForm f(c.stored);
        EXPECT_EQ(f.form->BorderStyle(), c.result);
        EXPECT_EQ(GetWindowLongPtrA(f.form->Handle(), GWL_STYLE) & WS_CAPTION, 0);
        EXPECT_EQ(f.frame->Align(), alClient);
        EXPECT_EQ(f.form->Constraints()->MinWidth(), 125);
        EXPECT_EQ(f.form->Constraints()->MinHeight(), 50);
    }
}

TEST(FormFrame, StoredClientSizeSurvivesTheCaptionGoing) {
    TOwned<TForm> form = CreateOwned<TForm>();
    form->SetBorderStyle(bsSingle);
    form->SetBounds(50, 50, 400, 300);
    form->SetClientWidth(320);
    form->SetClientHeight(240);
    auto* frame = Create<TskForm>(form.get());
    frame->SetParent(form.get());
    EXPECT_EQ(form->ClientWidth(), 320);
    EXPECT_EQ(form->ClientHeight(), 240);
}

TEST(FormFrame, SecondFrameIsRefusedAndTheFirstKeepsTheForm) {
    TFramedForm f(bsSingle);
    const TWndMethod hook = f.form->WindowProc;
    try {
        Create<TskForm>(f.form.get());
        FAIL() << "a second frame was made";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Sorry, You can create only one TskForm component in one form!");
    }
    EXPECT_TRUE(f.form->WindowProc == hook);
    EXPECT_EQ(f.form->WindowProc.Target(), f.frame);
    EXPECT_EQ(GetWindowLongPtrA(f.form->Handle(), GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_EQ(Application->OnMessage.Target(), f.frame);
    int frames = 0;
    for (int i = 0; i < f.form->ComponentCount(); ++i) frames += dynamic_cast<TskForm*>(f.form->Components(i)) != nullptr;
    EXPECT_EQ(frames, 1);
}

TEST(FormFrame, FreeingTheFrameGivesTheFormBack) {
    TOwned<TForm> form = CreateOwned<TForm>();
    form->SetBorderStyle(bsSizeable);
    form->SetBounds(40, 40, 300, 200);
    form->HandleNeeded();
    const TWndMethod original = form->WindowProc;
    ASSERT_FALSE(Application->OnMessage);
    auto* frame = Create<TskForm>(form.get());
    frame->SetParent(form.get());
    ASSERT_FALSE(form->WindowProc == original);
    ASSERT_EQ(Application->OnMessage.Target(), frame);

    frame->Free();
    EXPECT_TRUE(form->WindowProc == original);
    EXPECT_EQ(GetWindowLongPtrA(form->Handle(), GWL_STYLE) & WS_CAPTION, WS_CAPTION);
    EXPECT_FALSE(Application->OnMessage);
    // Still a working form: sized, captioned and painted by itself.
    form->SetBounds(60, 70, 320, 210);
    RECT r{};
    GetWindowRect(form->Handle(), &r);
    EXPECT_EQ(r.right - r.left, 320);
    form->SetCaption("Plain again");
    char text[32] = {};
    GetWindowTextA(form->Handle(), text, sizeof text);
    EXPECT_STREQ(text, "Plain again");
}

TEST(FormFrame, TheApplicationHookIsTakenOnlyWhenFree) {
    TFramedForm holder(bsSingle);
    holder.frame->Free();
    Application->OnMessage = TMessageEvent::Bind<&TFramedForm::NoMessage>(&holder);
    {
        TFramedForm f(bsSingle);
        EXPECT_EQ(Application->OnMessage.Target(), &holder);
    }
    EXPECT_EQ(Application->OnMessage.Target(), &holder);
    Application->OnMessage = {};
}

// A frame that sends its form a message after it has started to go.
class TLateFrame : public TskForm {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info = DescribeClass<TLateFrame, TskForm>("TLateFrame", [](auto&) {});
        return info;
    }

protected:
    void BeforeDestruction() override {
        TskForm::BeforeDestruction();
        if (TCustomForm* form = Form()) form->Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Said while leaving"));
    }
};

TEST(FormFrame, MessagesReachTheFormWhileTheFrameGoes) {
    TOwned<TForm> form = CreateOwned<TForm>();
    form->SetBounds(40, 40, 300, 200);
    auto* frame = Create<TLateFrame>(form.get());
    frame->SetParent(form.get());
    frame->Free();
    char text[32] = {};
    GetWindowTextA(form->Handle(), text, sizeof text);
    EXPECT_STREQ(text, "Said while leaving");
}

TEST(FormFrame, EveryReCreationOfTheFormWindowEndsWithoutCaption) {
    TFramedForm f(bsSingle);
    f.form->SetBorderStyle(bsSizeable);  // re-creates the window, then CM_STYLECHANGED
    EXPECT_EQ(GetWindowLongPtrA(f.form->Handle(), GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_EQ(f.form->WindowProc.Target(), f.frame);
    f.form->Perform(CM_RECREATEWND);
    EXPECT_EQ(GetWindowLongPtrA(f.form->Handle(), GWL_STYLE) & WS_CAPTION, 0);
    for (UINT message : {CM_STYLECHANGED, CM_BORDERCHANGED}) {
        HWND wnd = f.form->Handle();
        SetWindowLongPtrA(wnd, GWL_STYLE, GetWindowLongPtrA(wnd, GWL_STYLE) | WS_CAPTION);
        f.form->Perform(message);
        EXPECT_EQ(GetWindowLongPtrA(wnd, GWL_STYLE) & WS_CAPTION, 0) << std::hex << message;
    }
}

TEST(FormFrame, VersionReadsFixed) {
    TFramedForm f(bsSingle);
    EXPECT_EQ(f.frame->Version(), "5.4");
    SetStrProp(f.frame, "Version", "6.0");
    EXPECT_EQ(GetStrProp(f.frame, "Version"), "5.4");
}

TEST(FormFrame, BuiltInStylesGiveBorderAndColours) {
    TFramedForm f(bsSingle);
    for (TskUIStyle style : {TskUIStyle::MacOS, TskUIStyle::WinXP, TskUIStyle::DeepBlue, TskUIStyle::Protein,
                             TskUIStyle::BlueGlass}) {
        SCOPED_TRACE(std::string(UIStyleName(style)));
        f.frame->SetUIStyle(style);
        EXPECT_EQ(f.frame->BorderColor(), BuiltInThemeColor(style, TskThemeKey::FormBorderColor));
        EXPECT_EQ(f.frame->BorderWidth(), BuiltInThemeInt(style, TskThemeKey::FormBorderWidthInt));
        EXPECT_EQ(f.frame->Color(), BuiltInThemeColor(style, TskThemeKey::FormBackgroundColor));
        EXPECT_EQ(f.frame->MenuBarColor(), f.frame->Color());
    }
}

TEST(FormFrame, RemovingTheFileThemeResetsFrameAndChildren) {
    TScratchTheme file("frame_remove", {{"FormBackgroundColor", 0x00123456}, {"FormBorderWidthInt", 2}});
    TFramedForm f(bsSingle);
    auto* theme = Create<TskFileTheme>(f.form.get());
    theme->SetThemeFile(file.Name);
    ASSERT_TRUE(theme->IsLoaded());
    auto* other = Create<TskFileTheme>(f.form.get());
    other->SetThemeFile(file.Name);
    auto* child = Create<TskTestControl>(f.form.get());
    child->SetParent(f.frame);
    child->SetFileTheme(other);
    child->SetUIStyle(TskUIStyle::FromThemeFile);
    f.frame->SetUIStyle(TskUIStyle::FromThemeFile);
    f.frame->SetFileTheme(theme);
    ASSERT_EQ(f.frame->Color(), 0x00123456);
    ASSERT_EQ(f.frame->BorderWidth(), 2);

    theme->Free();
    EXPECT_EQ(f.frame->FileTheme(), nullptr);
    EXPECT_EQ(f.frame->UIStyle(), TskUIStyle::DeepBlue);
    EXPECT_EQ(f.frame->Color(), BuiltInThemeColor(TskUIStyle::DeepBlue, TskThemeKey::FormBackgroundColor));
    // The child used a theme of its own, which stays; the frame still resets it.
    EXPECT_EQ(child->FileTheme(), nullptr);
    EXPECT_EQ(child->UIStyle(), TskUIStyle::DeepBlue);
}

TEST(FormFrame, FormPanelTakesTheClientAreaAndRefusesTheFrame) {
    TFramedForm f(bsSingle);
    auto* panel = Create<TPanel>(f.form.get());
    panel->SetParent(f.frame);
    panel->SetCaption("Inside");
    f.frame->SetFormPanel(panel);
    EXPECT_EQ(panel->Align(), alClient);
    EXPECT_EQ(panel->BevelOuter(), bvNone);
    EXPECT_EQ(panel->Caption(), "");

    TDialogAnswerer answer(IDOK);
    f.frame->SetFormPanel(f.frame);
    ASSERT_EQ(answer.Count(), 1u);
    EXPECT_EQ(answer.Seen()[0].Caption, "Error");
    EXPECT_EQ(answer.Seen()[0].Text, "Sorry, you can't select the Form assign to FormPanel property");
    EXPECT_EQ(f.frame->FormPanel(), panel);
    panel->Free();
    EXPECT_EQ(f.frame->FormPanel(), nullptr);
}

// Window pixels as the screen shows them, (0, 0) at the window's corner.
class ShownFrame : public ::testing::Test {
protected:
    void Show(TFramedForm& F) {
        F.form->Show();
        ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(F.form->Handle()) != FALSE; }));
        PumpFor(100);
    }
    static void Redraw(TFramedForm& F) {
        RedrawWindow(F.form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
        PumpFor(50);
    }
};

TEST_F(ShownFrame, BorderPixelsForEachWidth) {
    for (bool titleBar : {false, true}) {
        for (int width : {1, 2, 3, 4}) {
            SCOPED_TRACE(testing::Message() << "width " << width << (titleBar ? " with" : " without") << " title bar");
            TFramedForm f(bsSingle, 200, 150);
            Show(f);
            f.frame->SetTitleBarVisible(titleBar);
            f.frame->SetColor(Green);
            f.frame->SetBorderColor(Red);
            f.frame->SetBorderWidth(width);
            // Painted again at the system's request, not by the setters.
            Redraw(f);
            const int W = f.form->Width(), H = f.form->Height();
            for (int x = 0; x < 3; ++x) {
                const TColor side = x < width ? Red : Green;
                EXPECT_EQ(ScreenPixel(f.form.get(), x, H / 2), side) << "left x " << x;
                EXPECT_EQ(ScreenPixel(f.form.get(), W - 1 - x, H / 2), side) << "right x " << W - 1 - x;
                EXPECT_EQ(ScreenPixel(f.form.get(), W / 2, H - 1 - x), side) << "bottom y " << H - 1 - x;
            }
            if (!titleBar) {
                // One line on top, then the client colour.
                EXPECT_EQ(ScreenPixel(f.form.get(), W / 2, 0), Red);
                EXPECT_EQ(ScreenPixel(f.form.get(), W / 2, 1), Green);
                EXPECT_EQ(ScreenPixel(f.form.get(), W / 2, 2), Green);
            }
        }
    }
}

// With the title bar, the caption's middle picture runs on through the three
// rows of native frame above it, unless the border is 4 wide or more.
TEST_F(ShownFrame, CaptionPictureContinuesIntoTheFrame) {
    TFramedForm f(bsSingle, 240, 150);
    f.frame->SetUIStyle(TskUIStyle::WinXP);
    Show(f);
    Redraw(f);
    TBitmap* client = nullptr;
    f.frame->TitleBar()->ClientSectionGraphic(client);
    ASSERT_NE(client, nullptr);
    const int W = f.form->Width();
    for (int y = 0; y < 3; ++y) EXPECT_EQ(ScreenPixel(f.form.get(), W / 2, y), static_cast<TColor>(client->Canvas()->Pixels(client->Width() / 2, y))) << y;
    EXPECT_EQ(ScreenPixel(f.form.get(), 0, 60), 0x00C82C00);
}

// The border painter takes the native frame left without caption as three
// pixels wide: a dialog frame. A sizeable one is whatever the system makes
// of its style without caption (three pixels under Wine as well).
TEST_F(ShownFrame, NativeFrameLeftWithoutCaption) {
    for (TFormBorderStyle style : {bsSingle, bsSizeable}) {
        SCOPED_TRACE(static_cast<int>(style));
        TFramedForm f(style, 200, 150);
        Show(f);
        HWND wnd = f.form->Handle();
        POINT origin{0, 0};
        ClientToScreen(wnd, &origin);
        RECT r{};
        GetWindowRect(wnd, &r);
        RECT expected{0, 0, 0, 0};
        AdjustWindowRectEx(&expected, static_cast<DWORD>(GetWindowLongPtrA(wnd, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrA(wnd, GWL_EXSTYLE)));
        RecordProperty(style == bsSingle ? "dialog_frame" : "sizeable_frame", static_cast<int>(origin.x - r.left));
        if (style == bsSingle) {
            EXPECT_EQ(origin.x - r.left, 3);
        }
        EXPECT_EQ(origin.x - r.left, -expected.left);
        EXPECT_EQ(origin.y - r.top, origin.x - r.left);
    }
}

TEST_F(ShownFrame, RegionIsTheWholeRectangleWithoutTitleBar) {
    TFramedForm f(bsSingle, 200, 150);
    f.frame->SetUIStyle(TskUIStyle::WinXP);
    Show(f);
    ASSERT_EQ(f.frame->RoundCorner(), 13);
    f.frame->SetTitleBarVisible(false);
    EXPECT_EQ(f.frame->RoundCorner(), 0);
    f.frame->UpdateFormRegion();
    TGdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(f.form->Handle(), region.Get()), ERROR);
    const int W = f.form->Width(), H = f.form->Height();
    for (auto [x, y] : {std::pair{0, 0}, {W - 1, 0}, {0, H - 1}, {W - 1, H - 1}, {W / 2, H / 2}})
        EXPECT_TRUE(PtInRegion(region.Get(), x, y)) << x << "," << y;
    EXPECT_FALSE(PtInRegion(region.Get(), W + 1, 0));
}

TEST_F(ShownFrame, RegionCutsOnlyTheTopCorners) {
    TFramedForm f(bsSingle, 200, 150);
    f.frame->SetUIStyle(TskUIStyle::WinXP);
    Show(f);
    ASSERT_EQ(f.frame->RoundCorner(), 13);
    TGdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(f.form->Handle(), region.Get()), ERROR);
    const int W = f.form->Width(), H = f.form->Height();
    const struct {
        int x, y;
        bool inside;
    } points[] = {{0, 0, false},     {1, 1, false},     {W - 1, 0, false}, {W - 2, 1, false}, {W / 2, 0, true},
                  {0, 13, true},     {0, H - 1, true},  {W - 1, H - 1, true}, {W / 2, H - 1, true}};
    for (const auto& p : points) EXPECT_EQ(PtInRegion(region.Get(), p.x, p.y) != FALSE, p.inside) << p.x << "," << p.y;
}

TEST_F(ShownFrame, MaximisedOnTheWorkAreaOnePixelShortAndRestored) {
    TFramedForm f(bsSizeable, 300, 200);
    Show(f);
    const TRect before = f.form->BoundsRect();
    f.form->SetWindowState(wsMaximized);
    PumpFor(100);
    TRect area = GetDesktopWorkArea();
    area.Bottom -= 1;
    EXPECT_EQ(f.form->BoundsRect(), area);
    RECT r{};
    GetWindowRect(f.form->Handle(), &r);
    EXPECT_EQ(r.bottom, area.Bottom);
    f.form->SetWindowState(wsNormal);
    PumpFor(100);
    EXPECT_EQ(f.form->BoundsRect(), before);
}

TEST_F(ShownFrame, StoredMaximisedFormReturnsToItsStoredBounds) {
    TOwned<TForm> form = CreateOwned<TForm>();
    form->SetBounds(70, 80, 260, 190);
    form->SetWindowState(wsMaximized);
    TFramedForm f(std::move(form));
    Show(f);
    TRect area = GetDesktopWorkArea();
    area.Bottom -= 1;
    EXPECT_EQ(f.form->BoundsRect(), area);
    f.form->SetWindowState(wsNormal);
    PumpFor(100);
    EXPECT_EQ(f.form->BoundsRect(), Rect(70, 80, 70 + 260, 80 + 190));
}

// A plain main menu for the bar: four items, the second with a submenu.
struct TBarMenu {
    // A skinned menu links itself to the form's frame when it is made; the
    // items are then hooked as loading a form would.
    explicit TBarMenu(TComponent* Owner, bool Skinned = false)
        : menu(Skinned ? Create<TskMainMenu>(Owner) : Create<TMainMenu>(Owner)) {
        for (const char* caption : {"&File", "&Edit", "Vi&ew", "&Help about this program"}) {
            auto* item = Create<TMenuItem>(Owner);
            item->SetCaption(caption);
            menu->Items()->Add(item);
            top.push_back(item);
        }
        for (TMenuItem* parent : top) {
            auto* sub = Create<TMenuItem>(Owner);
            sub->SetCaption("Run");
            sub->OnClick = TNotifyEvent::Bind<&TBarMenu::Ran>(this);
            parent->Add(sub);
        }
        top[1]->Items(0)->SetShortCut(ShortCut('R', {ssCtrl}));
        if (auto* skinned = dynamic_cast<TskMainMenu*>(menu)) skinned->HookAllItems();
    }
    void Ran(TObject*) { ++runs; }
    TMainMenu* menu;
    std::vector<TMenuItem*> top;
    int runs = 0;
};

TEST(FrameMenuBar, OneAutoSizedButtonPerItemInMenuOrder) {
    // Wide enough for one row also under Wine, whose tool bar wraps by the
    // widest button rather than by each button's own width.
    TFramedForm f(bsSingle, 600, 200);
    TBarMenu m(f.form.get());
    f.frame->SetMenu(m.menu);
    TToolBar* bar = f.frame->MenuBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->ButtonCount(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(bar->Buttons(i)->MenuItem(), m.top[static_cast<size_t>(i)]);
        EXPECT_TRUE(bar->Buttons(i)->ButtonAutoSize());
        if (i > 0) {
            EXPECT_GE(bar->Buttons(i)->Left(), bar->Buttons(i - 1)->Left() + bar->Buttons(i - 1)->Width());
        }
    }
    // Sized to their captions: the long caption makes the widest button.
    EXPECT_GT(bar->Buttons(3)->Width(), bar->Buttons(0)->Width() + 40);
    EXPECT_EQ(bar->Color(), f.frame->MenuBarColor());

    f.frame->SetMenu(nullptr);
    EXPECT_EQ(f.frame->MenuBar(), nullptr);
    f.frame->SetMenu(m.menu);
    ASSERT_NE(f.frame->MenuBar(), nullptr);
    m.menu->Free();
    EXPECT_EQ(f.frame->MenuBar(), nullptr);
    EXPECT_EQ(f.frame->Menu(), nullptr);
}

TEST(FrameMenuBar, HeightReachesBarAndButtons) {
    TFramedForm f(bsSingle, 400, 200);
    TBarMenu m(f.form.get());
    f.frame->SetMenu(m.menu);
    f.frame->SetMenuBarHeight(26);
    EXPECT_EQ(f.frame->MenuBar()->Buttons(2)->Height(), 26);
    f.frame->SetMenuBarColor(0x00445566);
    EXPECT_EQ(f.frame->MenuBar()->Color(), 0x00445566);
}

TEST(FrameMenuBar, ShortcutRunsOnlyWhileItsFormIsActive) {
    TFramedForm f(bsSingle, 400, 200);
    TBarMenu m(f.form.get());
    f.frame->SetMenu(m.menu);
    f.form->Show();
    ASSERT_TRUE(PumpUntil([&] { return f.form->Active(); }));
    PressKeys({VK_CONTROL, 'R'});
    EXPECT_TRUE(PumpUntil([&] { return m.runs == 1; }));

    TOwned<TForm> other = CreateOwned<TForm>();
    other->SetBounds(500, 300, 200, 100);
    other->Show();
    ASSERT_TRUE(PumpUntil([&] { return other->Active() && !f.form->Active(); }));
    PressKeys({VK_CONTROL, 'R'});
    PumpFor(300);
    EXPECT_EQ(m.runs, 1);
}


TEST_F(ShownFrame, AltSpaceOpensTheSystemMenuOnlyWithTheApplicationHook) {
    for (bool frameHoldsHook : {true, false}) {
        SCOPED_TRACE(frameHoldsHook ? "frame holds the hook" : "another handler holds it");
        TFramedForm other(bsSingle);
        other.frame->Free();
        if (!frameHoldsHook) Application->OnMessage = TMessageEvent::Bind<&TFramedForm::NoMessage>(&other);
        {
            TFramedForm f(bsSingle, 240, 160);
            f.frame->SetUIStyle(TskUIStyle::WinXP);
            Show(f);
            ASSERT_TRUE(PumpUntil([&] { return f.form->Active(); }));
            const DWORD wait = frameHoldsHook ? 5000 : 1500;
            TMenuWatch watch(wait, {VK_ESCAPE}, frameHoldsHook ? nullptr : f.form->Handle());
            PressKeys({VK_MENU, VK_SPACE});
            PumpUntil([&] { return watch.Found(); }, wait);
            PumpFor(300);
            watch.Join();
            const HMENU systemMenu = f.frame->TitleBar()->SystemMenu()->Handle();
            if (frameHoldsHook) {
                ASSERT_TRUE(watch.Found());
                EXPECT_EQ(watch.Menu(), systemMenu);
                EXPECT_EQ(watch.Shown().left, f.form->Left());
                EXPECT_EQ(watch.Shown().top, f.form->Top() + f.frame->GetTitleBarHeight());
            } else {
                EXPECT_FALSE(watch.Found() && watch.Menu() == systemMenu);
            }
        }
        Application->OnMessage = {};
    }
}

void RedrawBar(TToolBar* Bar) {
    RedrawWindow(Bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpFor(50);
}

TEST_F(ShownFrame, MenuBarDisabledItemTurnsGreyAfterAMenuChange) {
    TFramedForm f(bsSingle, 600, 200);
    TBarMenu m(f.form.get(), true);
    ASSERT_EQ(f.frame->Menu(), m.menu);
    f.frame->SetUIStyle(TskUIStyle::WinXP);
    Show(f);
    TToolButton* edit = f.frame->MenuBar()->Buttons(1);
    RedrawBar(f.frame->MenuBar());
    EXPECT_EQ(CountPixels(edit, 0x00808080), 0);
    EXPECT_GT(CountPixels(edit, 0x00000000), 0);
    m.top[1]->SetEnabled(false);
    EXPECT_FALSE(edit->Enabled());
    RedrawBar(f.frame->MenuBar());
    EXPECT_GT(CountPixels(edit, 0x00808080), 0);
    EXPECT_EQ(CountPixels(edit, 0x00000000), 0);
}

TEST_F(ShownFrame, MenuBarHotAndPressedFaces) {
    TFramedForm f(bsSingle, 600, 200);
    TBarMenu m(f.form.get(), true);
    f.frame->SetUIStyle(TskUIStyle::WinXP);
    Show(f);
    TToolBar* bar = f.frame->MenuBar();
    TToolButton* file = bar->Buttons(0);
    const TColor border = BuiltInThemeColor(TskUIStyle::WinXP, TskThemeKey::MenuSelectedBorderColor);
    const TColor fill = BuiltInThemeColor(TskUIStyle::WinXP, TskThemeKey::MenuSelectedBackgroundColor);
    const int L = file->Left(), T = file->Top(), R = file->Left() + file->Width(), B = file->Top() + file->Height();

    RedrawBar(bar);
    EXPECT_NE(BarPixel(bar, L, T), border);
    SendMessageA(bar->Handle(), TB_SETHOTITEM, 0, 0);
    RedrawBar(bar);
    EXPECT_EQ(BarPixel(bar, L, T), border);
    EXPECT_EQ(BarPixel(bar, R - 1, B - 1), border);
    EXPECT_EQ(BarPixel(bar, L + 1, B - 2), fill);

    SendMessageA(bar->Handle(), TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
    SendMessageA(bar->Handle(), TB_PRESSBUTTON, static_cast<WPARAM>(file->CommandId()), TRUE);
    RedrawBar(bar);
    // Pressed: two pixels narrower on the right.
    EXPECT_EQ(BarPixel(bar, R - 3, T), border);
    EXPECT_NE(BarPixel(bar, R - 1, T), border);
    EXPECT_NE(BarPixel(bar, R - 2, B - 2), fill);
    SendMessageA(bar->Handle(), TB_PRESSBUTTON, static_cast<WPARAM>(file->CommandId()), FALSE);
}

// Both frames take a dark menu bar from the theme files that mark one by their
// control font colour; any other colour, or a built-in style, leaves the bar
// in the frame's colour.
TEST(FormFrame, DarkMenuBarComesOnlyFromAMarkingThemeFile) {
    struct Case {
        std::int32_t Marker;
        TskUIStyle Style;
        std::optional<TColor> Dark;
    };
    const Case cases[] = {
        {0x00020000, TskUIStyle::FromThemeFile, 0x00AC5B3B},
        {0x00030000, TskUIStyle::FromThemeFile, 0x00996733},
        {0x00010000, TskUIStyle::FromThemeFile, std::nullopt},
        {0x00030000, TskUIStyle::DeepBlue, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Marker);
        TScratchTheme file("frame_darkmarker", {{"ControlFontColor", c.Marker}});
        TOwned<TskFileTheme> theme = CreateOwned<TskFileTheme>();
        theme->SetThemeFile(file.Name);
        ASSERT_TRUE(theme->IsLoaded());
        EXPECT_EQ(ThemeDarkMenuBarColor(TskResolvedTheme(theme.get(), c.Style)), c.Dark);
    }
}

TEST_F(ShownFrame, DarkBarThemeGivesWhiteCaptions) {
    TScratchTheme file("frame_darkbar", {{"ControlFontColor", 0x00030000},
                                         {"FormBackgroundColor", 0x00E0E0E0},
                                         {"MenuFontColor", 0x00000000},
                                         {"FormBorderWidthInt", 1}});
    TFramedForm f(bsSingle, 600, 200);
    TBarMenu m(f.form.get(), true);
    auto* theme = Create<TskFileTheme>(f.form.get());
    theme->SetThemeFile(file.Name);
    f.frame->SetUIStyle(TskUIStyle::FromThemeFile);
    const TColor before = f.frame->MenuBarColor();
    f.frame->SetFileTheme(theme);
    TToolBar* bar = f.frame->MenuBar();
    EXPECT_EQ(f.frame->Color(), 0x00E0E0E0);
    EXPECT_EQ(bar->Color(), 0x00996733);
    // The dark bar is the bar's own colour; the property keeps its value.
    EXPECT_EQ(f.frame->MenuBarColor(), before);
    Show(f);
    RedrawBar(bar);
    EXPECT_EQ(BarPixel(bar, bar->ClientWidth() - 3, bar->ClientHeight() / 2), 0x00996733);
    EXPECT_GT(CountPixels(bar->Buttons(0), 0x00FFFFFF), 0);
    EXPECT_EQ(CountPixels(bar->Buttons(0), 0x00000000), 0);
}

TEST_F(ShownFrame, SubmenuDropsBelowItsButtonAndRunsItsItem) {
    TFramedForm f(bsSingle, 600, 200);
    TBarMenu m(f.form.get(), true);
    f.frame->SetUIStyle(TskUIStyle::WinXP);
    Show(f);
    TToolBar* bar = f.frame->MenuBar();
    TToolButton* edit = bar->Buttons(1);
    POINT corner{edit->Left(), edit->Top() + edit->Height()};
    ClientToScreen(bar->Handle(), &corner);
    TMenuWatch watch(5000, {VK_DOWN, VK_RETURN});
    ClickAt(bar->Handle(), edit->Left() + edit->Width() / 2, edit->Top() + edit->Height() / 2);
    EXPECT_TRUE(PumpUntil([&] { return m.runs == 1; }, 6000));
    watch.Join();
    ASSERT_TRUE(watch.Found());
    EXPECT_EQ(watch.Shown().left, corner.x);
    EXPECT_EQ(watch.Shown().top, corner.y);
}

TEST_F(ShownFrame, RepaintsKeepGdiObjectsFlat) {
    TFramedForm f(bsSingle, 600, 200);
    TBarMenu m(f.form.get(), true);
    f.frame->SetUIStyle(TskUIStyle::WinXP);
    Show(f);
    HWND bar = f.frame->MenuBar()->Handle();
    auto repaint = [&](int i) {
        SendMessageA(bar, TB_SETHOTITEM, static_cast<WPARAM>(i % 5 == 4 ? -1 : i % 4), 0);
        RedrawWindow(f.form->Handle(), nullptr, nullptr,
                     RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    };
    for (int i = 0; i < 20; ++i) repaint(i);
    PumpFor(50);
    const DWORD systemBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const long wrappedBefore = LiveGdiObjects();
    const int fontsBefore = MenuFontsMade();
    for (int i = 0; i < 1000; ++i) repaint(i);
    PumpFor(50);
    RecordProperty("gdi_objects_reported", static_cast<int>(systemBefore));
    if (systemBefore != 0) {
        EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), systemBefore + 2);
    }
    EXPECT_EQ(LiveGdiObjects(), wrappedBefore);
    EXPECT_EQ(MenuFontsMade(), fontsBefore);
}

}  // namespace
