// Skinned menus opened for real: a popup menu shown on the screen and chosen
// from as a user would, and a main menu's sub-menu dropped the way the form
// frame's menu bar drops it. While a menu is open its window is read back
// from the screen.
#include "MainMenu.h"
#include "MenuDrawing.h"
#include "PopupMenu.h"

#include "Form.h"
#include "MenuDriver.h"
#include "Menus.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

COLORREF Rgb(TColor Color) { return static_cast<COLORREF>(ColorToRGB(Color)); }

// What a timer saw of the open menu window: its place and the colours of
// each pixel row.
struct MenuSnapshot {
    bool Taken = false;
    RECT Window{};
    std::vector<std::set<COLORREF>> Rows;
};
MenuSnapshot snapshot;

// Runs inside the menu's own message loop, after the menu has painted.
void CALLBACK TakeSnapshot(HWND, UINT, UINT_PTR Timer, DWORD) {
    HWND menu = FindWindowA("#32768", nullptr);
    if (snapshot.Taken || !menu || !IsWindowVisible(menu)) return;
    KillTimer(nullptr, Timer);
    snapshot.Taken = true;
    GetWindowRect(menu, &snapshot.Window);
    HDC screen = GetDC(nullptr);
    for (int y = snapshot.Window.top; y < snapshot.Window.bottom; ++y) {
        std::set<COLORREF> row;
        for (int x = snapshot.Window.left; x < snapshot.Window.right; ++x) row.insert(GetPixel(screen, x, y));
        snapshot.Rows.push_back(row);
    }
    ReleaseDC(nullptr, screen);
}

// The first row (from the window's top) holding all the colours, or -1.
int RowWith(std::initializer_list<COLORREF> Colors) {
    for (std::size_t y = 0; y < snapshot.Rows.size(); ++y) {
        bool all = true;
        for (COLORREF c : Colors) all = all && snapshot.Rows[y].count(c) > 0;
        if (all) return static_cast<int>(y);
    }
    return -1;
}

class OpenMenu : public ::testing::Test {
protected:
    void SetUp() override {
        snapshot = {};
        form = CreateOwned<TForm>();
        form->SetBounds(100, 100, 300, 200);
        form->Show();
    }
    TMenuItem* Item(const std::string& Caption, TMenuItem* Parent) {
        auto* i = Create<TMenuItem>(form.get());
        i->SetCaption(Caption);
        i->OnClick = TNotifyEvent::Bind<&OpenMenu::Clicked>(this);
        Parent->Add(i);
        return i;
    }
    void Clicked(TObject* Sender) { clicked.push_back(Sender); }

    TOwned<TForm> form;
    std::vector<TObject*> clicked;
};

TEST_F(OpenMenu, PopupMenuShowsItsStyleAndRunsTheChosenItem) {
    auto* menu = Create<TskPopupMenu>(form.get());
    menu->SetUIStyle(TskUIStyle::WinXP);
    Item("&Add", menu->Items());
    Item("-", menu->Items());
    TMenuItem* remove = Item("&Remove", menu->Items());
    Item("Move &Up", menu->Items());

    SetTimer(nullptr, 0, 20, TakeSnapshot);
    TMenuDriver driver(menu->Handle(), remove->Command());
    menu->Popup(150, 150);
    ASSERT_TRUE(driver.Found());
    EXPECT_EQ(clicked, std::vector<TObject*>{remove});

    ASSERT_TRUE(snapshot.Taken);
    // Items measured by the menu: 21 + 5 + 21 + 21 pixels inside the window's border.
    const int height = snapshot.Window.bottom - snapshot.Window.top;
    EXPECT_GE(height, 68);
    EXPECT_LE(height, 68 + 8);
    // The separator row: band, background and line colours of WinXP.
    const int line = RowWith({Rgb(0x00CED3D6), Rgb(0x00FFFFFF), Rgb(0x00848284)});
    ASSERT_GE(line, 0) << "no separator line seen";
    // It lies 21 + 2 rows below the first item's top, which lies within the border.
    EXPECT_GE(line, 23);
    EXPECT_LE(line, 23 + 4);
}

TEST_F(OpenMenu, MainMenuSubItemsDropInTheMenusStyle) {
    auto* menu = Create<TskMainMenu>(form.get());
    menu->SetUIStyle(TskUIStyle::BlueGlass);
    TMenuItem* file = Item("&File", menu->Items());
    Item("&New", file);
    Item("-", file);
    TMenuItem* exit = Item("E&xit", file);

    SetTimer(nullptr, 0, 20, TakeSnapshot);
    TMenuDriver driver(nullptr, exit->Command());
    TMenuItem* chosen = file->PopupSubItems(120, 120, Rect(120, 100, 160, 120));
    ASSERT_TRUE(driver.Found());
    EXPECT_EQ(chosen, exit);
    ASSERT_TRUE(snapshot.Taken);
    EXPECT_GE(RowWith({Rgb(0x00CED3D6), Rgb(0x00E7E7E7), Rgb(0x00848284)}), 0);
}

}  // namespace

namespace {

// The border is painted on the desktop's device context. Over an open menu
// Wine shows the menu's own window on top of it, so the border's geometry is
// read back where no window covers the desktop: round a window never shown.
TEST(PopupMenuBorder, FramesEdgesAndWhiteInsideInScreenCoordinates) {
    TOwned<TForm> hidden = CreateOwned<TForm>();
    hidden->SetBorderStyle(bsNone);
    hidden->SetBounds(400, 300, 60, 40);
    DrawPopupMenuBorder(hidden->Handle(), 0x000000FF, 0x0000FF00);
    const COLORREF frame = RGB(0xFF, 0, 0), edge = RGB(0, 0xFF, 0), white = RGB(0xFF, 0xFF, 0xFF);
    struct Expect {
        int X, Y;
        COLORREF Color;
    };
    // Window (400, 300)-(460, 340).
    const Expect table[] = {
        {401, 300, edge},  {459, 300, edge},  {460, 300, edge},    // top edge, one past the right
        {400, 301, frame}, {400, 338, frame}, {458, 320, frame},   // frame (L, T+1)-(R-1, B-1)
        {430, 338, frame},                                          // its bottom row
        {401, 302, white}, {457, 320, white}, {430, 337, white},   // white frame one further in
        {400, 339, edge},  {458, 339, edge},  {459, 339, edge},    // bottom edge
        {459, 301, edge},  {459, 320, edge},                        // right edge
    };
    HDC screen = GetDC(nullptr);
    for (const Expect& e : table) EXPECT_EQ(GetPixel(screen, e.X, e.Y), e.Color) << e.X << "," << e.Y;
    // Untouched: the top-left corner, inside the white frame, beyond the window.
    const COLORREF desktop = GetPixel(screen, 399, 299);
    EXPECT_EQ(GetPixel(screen, 400, 300), desktop);
    EXPECT_EQ(GetPixel(screen, 430, 320), desktop);
    EXPECT_EQ(GetPixel(screen, 460, 320), desktop);
    EXPECT_EQ(GetPixel(screen, 430, 340), desktop);
    ReleaseDC(nullptr, screen);
}

}  // namespace
