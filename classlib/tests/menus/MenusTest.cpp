#include "FormReader.h"
#include "Menus.h"
#include "MenuDriver.h"
#include "TypInfo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(ShortCuts, TextOfKeysWithModifiers) {
    const struct {
        TShortCut key;
        const char* text;
    } cases[] = {
        {ShortCut('S', {ssCtrl}), "Ctrl+S"},
        {ShortCut(VK_F5, {ssShift, ssCtrl}), "Shift+Ctrl+F5"},
        {ShortCut(VK_RETURN, {ssAlt}), "Alt+Enter"},
        {ShortCut(VK_DELETE, {}), "Del"},
        {ShortCut('7', {}), "7"},
        {ShortCut(VK_F12, {}), "F12"},
        {scNone, ""},
        {ShortCut(VK_LWIN, {ssCtrl}), ""},
        {16467, "Ctrl+S"},  // as a description stores it
    };
    for (const auto& c : cases) EXPECT_EQ(ShortCutToText(c.key), c.text) << c.key;
}

// The test form: it owns the menus a description makes and offers handlers.
class TMenuForm : public TComponent {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info = DescribeClass<TMenuForm, TComponent>("TMenuForm", [](auto& c) {
            c.template Handler<&TMenuForm::ItemClick>("ItemClick");
            c.template Handler<&TMenuForm::ListPopup>("ListPopup");
        });
        return info;
    }
    void ItemClick(TObject* Sender) { clicked.push_back(static_cast<TMenuItem*>(Sender)->Name()); }
    void ListPopup(TObject*) {
        ++popups;
        // Decided before the menu opens: the disabled item must show disabled.
        if (auto* item = dynamic_cast<TMenuItem*>(FindComponent("PMDelete"))) item->SetEnabled(enableDelete);
    }
    std::vector<std::string> clicked;
    int popups = 0;
    bool enableDelete = false;
};

const char* const Description = R"(
MenuForm: TMenuForm
  MainMenu: TMainMenu
    FileItem: TMenuItem
      Caption = "&File"
      SaveItem: TMenuItem
        Caption = "&Save"
        ShortCut = 16467
        OnClick = ItemClick
      end
      Line1: TMenuItem
        Caption = "-"
      end
      RefreshItem: TMenuItem
        Caption = "Refresh"
        ShortCut = 116
        OnClick = ItemClick
      end
      HiddenItem: TMenuItem
        Caption = "Hidden"
        ShortCut = 117
        Enabled = False
        OnClick = ItemClick
      end
    end
  end
  ListPopupMenu: TPopupMenu
    OnPopup = ListPopup
    PMAdd: TMenuItem
      Caption = "Add"
      Default = True
      OnClick = ItemClick
    end
    PMDelete: TMenuItem
      Caption = "Delete"
      Checked = True
      OnClick = ItemClick
    end
  end
end
)";

struct TItemState {
    std::string text;
    UINT type = 0;
    UINT state = 0;
    bool submenu = false;
};

TItemState StateAt(HMENU Menu, int Position) {
    char buf[128] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
    info.dwTypeData = buf;
    info.cch = sizeof buf;
    EXPECT_TRUE(GetMenuItemInfoA(Menu, Position, TRUE, &info));
    return {buf, info.fType, info.fState, info.hSubMenu != nullptr};
}

class MenusTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterClass<TMenuItem>();
        RegisterClass<TMainMenu>();
        RegisterClass<TPopupMenu>();
        RegisterClass<TMenuForm>();
        form = CreateOwned<TMenuForm>();
        ReadFormDescriptionText(form.get(), Description, "MenuForm");
        main = dynamic_cast<TMainMenu*>(form->FindComponent("MainMenu"));
        popup = dynamic_cast<TPopupMenu*>(form->FindComponent("ListPopupMenu"));
        ASSERT_TRUE(main && popup);
    }
    TMenuItem* Item(const char* Name) { return dynamic_cast<TMenuItem*>(form->FindComponent(Name)); }

    TOwned<TMenuForm> form;
    TMainMenu* main = nullptr;
    TPopupMenu* popup = nullptr;
};

TEST_F(MenusTest, DescriptionBuildsTheItemTreeAndTheHandle) {
    ASSERT_EQ(main->Items()->Count(), 1);
    TMenuItem* file = main->Items()->Items(0);
    EXPECT_EQ(file, Item("FileItem"));
    ASSERT_EQ(file->Count(), 4);
    EXPECT_EQ(file->Items(0)->Name(), "SaveItem");
    EXPECT_EQ(Item("SaveItem")->GetParentMenu(), main);
    EXPECT_EQ(popup->Items()->Count(), 2);

    HMENU bar = main->Handle();
    ASSERT_EQ(GetMenuItemCount(bar), 1);
    const TItemState top = StateAt(bar, 0);
    EXPECT_EQ(top.text, "&File");
    ASSERT_TRUE(top.submenu);
    HMENU sub = GetSubMenu(bar, 0);
    ASSERT_EQ(GetMenuItemCount(sub), 4);
    EXPECT_EQ(StateAt(sub, 0).text, "&Save\tCtrl+S");
    EXPECT_TRUE(StateAt(sub, 1).type & MFT_SEPARATOR);
    EXPECT_EQ(StateAt(sub, 2).text, "Refresh\tF5");
    EXPECT_TRUE(StateAt(sub, 3).state & MFS_DISABLED);

    HMENU pm = popup->Handle();
    EXPECT_TRUE(StateAt(pm, 0).state & MFS_DEFAULT);
    EXPECT_TRUE(StateAt(pm, 1).state & MFS_CHECKED);
}

// A menu that counts its change notices.
class TCountingMenu : public TPopupMenu {
public:
    void MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) override {
        TPopupMenu::MenuChanged(Sender, Source, Rebuild);
        changes.push_back({Source, Rebuild});
    }
    std::vector<std::pair<TMenuItem*, bool>> changes;
};

TEST(Menus, ChangesReachTheHandleAndMenuChanged) {
    auto menu = CreateOwned<TCountingMenu>();
    TMenuItem* a = Create<TMenuItem>(menu.get());
    TMenuItem* b = Create<TMenuItem>(menu.get());
    menu->Items()->Add(a);
    menu->Items()->Add(b);
    a->SetCaption("One");
    HMENU h = menu->Handle();
    ASSERT_EQ(GetMenuItemCount(h), 2);

    menu->changes.clear();
    a->SetCaption("Uno");
    b->SetEnabled(false);
    EXPECT_EQ(StateAt(h, 0).text, "Uno");
    EXPECT_TRUE(StateAt(h, 1).state & MFS_DISABLED);
    ASSERT_EQ(menu->changes.size(), 2u);
    EXPECT_EQ(menu->changes[0].first, a);
    EXPECT_EQ(menu->changes[1].first, b);

    // Freeing an item takes it out of the menu.
    b->Free();
    EXPECT_EQ(menu->Items()->Count(), 1);
    EXPECT_EQ(GetMenuItemCount(h), 1);
    // A sub-item under an item makes a submenu.
    TMenuItem* sub = Create<TMenuItem>(menu.get());
    sub->SetCaption("Deep");
    a->Add(sub);
    EXPECT_TRUE(StateAt(h, 0).submenu);
    EXPECT_THROW(sub->Add(a), EMenuError);
}

TEST_F(MenusTest, MainMenuCommandsAndShortCuts) {
    LRESULT result = 0;
    // The command message a form receives when the user picks an item of its bar.
    EXPECT_TRUE(DispatchMenuMessage(main, WM_COMMAND, MAKEWPARAM(Item("RefreshItem")->Command(), 0), 0, result));
    // An item of another menu is not this menu's to run.
    EXPECT_FALSE(DispatchMenuMessage(main, WM_COMMAND, MAKEWPARAM(Item("PMAdd")->Command(), 0), 0, result));
    // A control's notification is no menu command.
    EXPECT_FALSE(DispatchMenuMessage(main, WM_COMMAND, MAKEWPARAM(Item("SaveItem")->Command(), BN_CLICKED), 1, result));

    EXPECT_TRUE(main->DispatchShortCut(ShortCut('S', {ssCtrl})));
    EXPECT_TRUE(main->IsShortCut(VK_F5));
    EXPECT_FALSE(main->IsShortCut(VK_F6)) << "the item of F6 is disabled";
    EXPECT_FALSE(main->DispatchShortCut(ShortCut('S', {})));
    Item("FileItem")->SetEnabled(false);
    EXPECT_FALSE(main->IsShortCut(VK_F5)) << "its parent item is disabled";
    EXPECT_EQ(form->clicked, (std::vector<std::string>{"RefreshItem", "SaveItem", "RefreshItem"}));
}

// A window with the main menu as its bar; its procedure hands menu messages on.
TMainMenu* BarMenu = nullptr;
LRESULT CALLBACK BarWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    LRESULT result = 0;
    if (BarMenu && DispatchMenuMessage(BarMenu, Msg, WParam, LParam, result)) return result;
    return DefWindowProcA(Wnd, Msg, WParam, LParam);
}

void PumpUntil(const std::function<bool()>& Done, int Seconds = 5) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(Seconds) * 1000;
    while (!Done() && GetTickCount() < end) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

TEST_F(MenusTest, ItemChosenFromTheMenuBarRunsItsClick) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = BarWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TMenuBarTestWindow";
    RegisterClassA(&wc);
    HWND wnd = CreateWindowExA(0, "TMenuBarTestWindow", "Menu bar", WS_OVERLAPPEDWINDOW, 50, 50, 300, 200, nullptr,
                               main->Handle(), GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(wnd);
    BarMenu = main;
    main->SetWindowHandle(wnd);
    ShowWindow(wnd, SW_SHOW);
    SetForegroundWindow(wnd);
    {
        // Alt+F opens the File menu; the user goes down to Refresh and presses Enter.
        TMenuDriver user(GetSubMenu(main->Handle(), 0), Item("RefreshItem")->Command());
        PostMessageA(wnd, WM_SYSCOMMAND, SC_KEYMENU, 'f');
        PumpUntil([&] { return !form->clicked.empty(); });
        EXPECT_TRUE(user.Found());
    }
    EXPECT_EQ(form->clicked, (std::vector<std::string>{"RefreshItem"}));
    BarMenu = nullptr;
    main->SetWindowHandle(nullptr);
    SetMenu(wnd, nullptr);
    DestroyWindow(wnd);
}

TEST_F(MenusTest, PopupFiresOnPopupFirstThenRunsTheChosenItem) {
    {
        // The first item (Add) is chosen; Delete was disabled by OnPopup.
        TMenuDriver user({VK_DOWN, VK_RETURN});
        popup->Popup(100, 100);
        EXPECT_TRUE(user.Found());
    }
    EXPECT_EQ(form->popups, 1);
    EXPECT_FALSE(Item("PMDelete")->Enabled());
    EXPECT_EQ(form->clicked, (std::vector<std::string>{"PMAdd"}));
    EXPECT_TRUE(StateAt(popup->Handle(), 1).state & MFS_DISABLED);

    {
        TMenuDriver user({VK_ESCAPE});
        popup->Popup(100, 100);
    }
    EXPECT_EQ(form->popups, 2);
    EXPECT_EQ(form->clicked.size(), 1u) << "Esc chooses nothing";
}

// Owner drawing through the events, with a canvas on the menu's own context.
class TDrawLog : public TObject {
public:
    void Measure(TObject* Sender, TCanvas* Canvas, int& Width, int& Height) {
        measured.push_back(static_cast<TMenuItem*>(Sender)->Caption());
        EXPECT_NE(Canvas, nullptr);
        EXPECT_GT(Canvas->TextWidth("Wide"), 0);
        Width = 120;
        Height = 30;
    }
    void Draw(TObject* Sender, TCanvas* Canvas, TRect Rect, bool Selected) {
        drawn.push_back(static_cast<TMenuItem*>(Sender)->Caption() + (Selected ? "*" : ""));
        heights.push_back(Rect.Height());
        Canvas->Brush()->SetColor(Selected ? clRed : clWhite);
        Canvas->FillRect(Rect);
    }
    std::vector<std::string> measured, drawn;
    std::vector<int> heights;
};

// Popup is virtual: a derived menu decides where and whether it opens.
class TShiftedPopup : public TPopupMenu {
public:
    void Popup(int X, int Y) override { TPopupMenu::Popup(X + 10, Y + 10); }
};

TEST(Menus, OwnerDrawnPopupMeasuresAndDrawsThroughTheEvents) {
    auto menu = CreateOwned<TShiftedPopup>();
    TDrawLog log;
    const char* captions[] = {"First", "-", "Second"};
    for (const char* caption : captions) {
        TMenuItem* item = Create<TMenuItem>(menu.get());
        item->SetCaption(caption);
        item->OnMeasureItem = TMenuMeasureItemEvent::Bind<&TDrawLog::Measure>(&log);
        item->OnDrawItem = TMenuDrawItemEvent::Bind<&TDrawLog::Draw>(&log);
        menu->Items()->Add(item);
    }
    menu->SetOwnerDraw(true);
    EXPECT_TRUE(StateAt(menu->Handle(), 1).type & MFT_OWNERDRAW) << "separators are drawn by the owner too";
    {
        TMenuDriver user({VK_DOWN, VK_ESCAPE});
        static_cast<TPopupMenu*>(menu.get())->Popup(200, 200);
        EXPECT_TRUE(user.Found());
    }
    EXPECT_EQ(log.measured, (std::vector<std::string>{"First", "-", "Second"}));
    ASSERT_FALSE(log.drawn.empty());
    EXPECT_NE(std::find(log.drawn.begin(), log.drawn.end(), "First*"), log.drawn.end()) << "Down selects the first item";
    for (int h : log.heights) EXPECT_EQ(h, 30);
}

}  // namespace
