// Skinned menu items painted on bitmap canvases and measured, through the
// handlers the popup menu puts on its items, in every built-in style.
#include "SkinPixels.h"
#include "TestSkinControls.h"

#include "MenuDrawing.h"
#include "PopupMenu.h"

#include "FileStream.h"
#include "GraphicsHandles.h"
#include "Form.h"
#include "ImageList.h"
#include "Menus.h"
#include "SkinThemes.h"
#include "SysUtils.h"
#include "ThemeFileWriter.h"
#include "TypInfo.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr std::uint32_t Untouched = 0x00123456;
constexpr int L = 10, T = 5, R = 210;

// A TColor ($00BBGGRR) as the bitmaps' pixels hold it ($00RRGGBB).
std::uint32_t Px(TColor Color) {
    const auto c = static_cast<std::uint32_t>(Color);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

struct StyleColors {
    TskUIStyle Style;
    TColor Bar, Background, Font, SelectedBorder, Selected, SelectedFont;
};

// The menu colours each built-in style gives.
const StyleColors Styles[] = {
    {TskUIStyle::MacOS, 0x00000000, 0x00000000, 0x00000000, 0x00C47339, 0x00C47339, 0x00FFFFFF},
    {TskUIStyle::WinXP, 0x00CED3D6, 0x00FFFFFF, 0x00000000, 0x00C66931, 0x00EFD3C6, 0x00000000},
    {TskUIStyle::DeepBlue, 0x00CED3D6, 0x00FFFFFF, 0x00000000, 0x00A04A44, 0x00A04A44, 0x00FFFFFF},
    {TskUIStyle::Protein, 0x00CED3D6, 0x00FFFFFF, 0x00000000, 0x00C4302D, 0x00C4302D, 0x00FFFFFF},
    {TskUIStyle::BlueGlass, 0x00CED3D6, 0x00E7E7E7, 0x00000000, 0x00EC5E5E, 0x00EC5E5E, 0x00FFFFFF},
};

std::string Name(TskUIStyle Style) { return std::string(UIStyleName(Style)); }

// A bare form with a popup menu of the given style and one item per test.
class MenuPaint : public ::testing::Test {
protected:
    void SetUp() override {
        form = CreateOwned<TForm>();
        menu = Create<TskPopupMenu>(form.get());
        item = AddItem("&Open", ShortCut('O', TShiftState{ssCtrl}));
    }
    TMenuItem* AddItem(const std::string& Caption, TShortCut Keys = 0) {
        auto* i = Create<TMenuItem>(form.get());
        i->SetCaption(Caption);
        i->SetShortCut(Keys);
        menu->Items()->Add(i);
        return i;
    }
    // Paints Item at (L, T) through its drawing event, Height pixels high.
    void Paint(TMenuItem* Item, bool Selected, int Height = 21) {
        FillWith(canvas, 240, 40, Untouched);
        Item->DrawItem(canvas.Canvas(), Rect(L, T, R, T + Height), Selected);
    }
    std::uint32_t At(int X, int Y) { return PixelAt(canvas, X, Y); }
    // Pixels of exactly this colour in (Left, Top)-(Right, Bottom).
    int Count(std::uint32_t Pixel, int Left, int Top, int Right, int Bottom) {
        int n = 0;
        for (int y = Top; y < Bottom; ++y)
            for (int x = Left; x < Right; ++x) n += At(x, y) == Pixel;
        return n;
    }

    TOwned<TForm> form;
    TskPopupMenu* menu = nullptr;
    TMenuItem* item = nullptr;
    TBitmap canvas;
};

std::uint32_t ResourcePixel(const char* Name, int Row) {
    TBitmap b;
    b.LoadFromResourceName(nullptr, Name);
    return PixelAt(b, 0, Row);
}

TEST_F(MenuPaint, EveryStyleDrawsBandBackgroundSelectionSeparatorAndDisabledItem) {
    TMenuItem* line = AddItem("-");
    TMenuItem* off = AddItem("Disabled");
    off->SetEnabled(false);
    for (const StyleColors& s : Styles) {
        SCOPED_TRACE(Name(s.Style));
        menu->SetUIStyle(s.Style);
        const bool mac = s.Style == TskUIStyle::MacOS;
        const int B = T + 21;

        Paint(item, false);
        if (mac) {
            EXPECT_EQ(At(L, T), ResourcePixel("MACOS_MENU_BAR", 0));
            EXPECT_EQ(At(R - 1, B - 1), ResourcePixel("MACOS_MENU_BAR", 19));
        } else {
            EXPECT_EQ(At(L, T), Px(s.Bar));
            EXPECT_EQ(At(L + 25, B - 1), Px(s.Bar));
            EXPECT_EQ(At(L + 26, T), Px(s.Background));
            EXPECT_EQ(At(R - 1, B - 1), Px(s.Background));
        }
        EXPECT_EQ(At(R, T), Untouched);
        EXPECT_EQ(At(L - 1, T), Untouched);
        EXPECT_GT(Count(Px(s.Font), L + 30, T + 4, R - 16, B), 5);

        Paint(item, true);
        if (mac) {
            EXPECT_EQ(At(L, T), ResourcePixel("MACOS_MENU_SELECT", 0));
            EXPECT_EQ(At(R - 1, B - 1), ResourcePixel("MACOS_MENU_SELECT", 19));
        } else {
            EXPECT_EQ(At(L, T), Px(s.SelectedBorder));
            EXPECT_EQ(At(R - 1, B - 1), Px(s.SelectedBorder));
            EXPECT_EQ(At(L + 1, T + 1), Px(s.Selected));
            EXPECT_EQ(At(R - 2, B - 2), Px(s.Selected));
        }
        EXPECT_GT(Count(Px(s.SelectedFont), L + 30, T + 4, R - 16, B), 5);

        // Selected but disabled: the unselected background, grey text.
        Paint(off, true);
        if (mac) {
            EXPECT_EQ(At(L, T), ResourcePixel("MACOS_MENU_BAR", 0));
        } else {
            EXPECT_EQ(At(L, T), Px(s.Bar));
            EXPECT_EQ(At(R - 1, B - 1), Px(s.Background));
        }
        EXPECT_GT(Count(0x808080, L + 30, T + 4, R, B), 5);
        if (s.SelectedFont != s.Background) {
            EXPECT_EQ(Count(Px(s.SelectedFont), L + 30, T + 4, R, B), 0);
        }

        const int h = menu->SeparatorHeight();
        Paint(line, true, h);
        if (mac) {
            ASSERT_EQ(h, 12);
            EXPECT_EQ(At(L, T), ResourcePixel("MACOS_MENU_BAR", 0));
            EXPECT_EQ(At(R - 1, T + 11), ResourcePixel("MACOS_MENU_BAR", 11));
        } else {
            ASSERT_EQ(h, 5);
            const std::uint32_t sep = Px(0x00848284);
            EXPECT_EQ(At(L + 1, T + 2), Px(s.Bar));
            EXPECT_EQ(At(L + 29, T + 2), Px(s.Background));
            EXPECT_EQ(At(L + 30, T + 2), sep);
            EXPECT_EQ(At(R - 3, T + 2), sep);
            EXPECT_EQ(At(R - 2, T + 2), Px(s.Background));
            EXPECT_EQ(At(L + 60, T + 1), Px(s.Background));
            EXPECT_EQ(At(L + 60, T + 3), Px(s.Background));
            // A separator is never drawn as a selection.
            EXPECT_EQ(Count(Px(s.SelectedBorder), L, T, R, T + h), 0);
        }
        EXPECT_EQ(At(L, T + h), Untouched);
    }
}

TEST_F(MenuPaint, CheckMarkWithoutImageAndImageInABlackBoxWithOne) {
    TBitmap mark;
    mark.LoadFromResourceName(nullptr, "MENU_CHECKED");
    // A user image list with one solid red image.
    auto* images = Create<TImageList>(form.get(), 16, 16);
    TBitmap red;
    FillWith(red, 16, 16, 0x00FF0000);
    ASSERT_EQ(images->Add(&red), 0);
    item->SetChecked(true);

    for (const StyleColors& s : Styles) {
        SCOPED_TRACE(Name(s.Style));
        menu->SetUIStyle(s.Style);
        menu->SetImages(nullptr);
        Paint(item, false);
        // The mark's own pixels at (L + 4, T + 3); its white stays transparent.
        int dark = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const std::uint32_t p = PixelAt(mark, x, y);
                if (p == 0xFFFFFF) continue;
                ++dark;
                EXPECT_EQ(At(L + 4 + x, T + 3 + y), p) << x << "," << y;
            }
        EXPECT_GT(dark, 10);
        if (s.Style != TskUIStyle::MacOS) {
            EXPECT_EQ(At(L + 2, T + 1), Px(s.Bar));
        }

        // With an image: a black frame (L+2, T+1)-(L+21, T+20) filled with the
        // selection colour, the image on top at (L + 4, T + 3).
        menu->SetImages(images);
        item->SetImageIndex(0);
        Paint(item, false);
        EXPECT_EQ(At(L + 2, T + 1), 0u);
        EXPECT_EQ(At(L + 20, T + 19), 0u);
        EXPECT_EQ(At(L + 3, T + 2), Px(s.Selected));
        EXPECT_EQ(At(L + 19, T + 18), 0xFF0000u);
        EXPECT_EQ(At(L + 4, T + 3), 0xFF0000u);
        EXPECT_EQ(At(L + 3, T + 10), Px(s.Selected));
        EXPECT_EQ(At(L + 20, T + 10), 0u);

        // An index past the list counts as no image: the mark again.
        item->SetImageIndex(1);
        Paint(item, false);
        EXPECT_NE(At(L + 2, T + 1), 0u);
        item->SetImageIndex(-1);
    }
}

TEST_F(MenuPaint, ImageOfAnUncheckedItemHasNoBoxAndIsGreyedWhenDisabled) {
    menu->SetUIStyle(TskUIStyle::WinXP);
    auto* images = Create<TImageList>(form.get(), 16, 16);
    TBitmap red;
    FillWith(red, 16, 16, 0x00FF0000);
    images->Add(&red);
    menu->SetImages(images);
    item->SetImageIndex(0);
    Paint(item, false);
    EXPECT_EQ(At(L + 2, T + 1), Px(0x00CED3D6));
    EXPECT_EQ(At(L + 10, T + 10), 0xFF0000u);
    item->SetEnabled(false);
    Paint(item, false);
    const std::uint32_t grey = At(L + 10, T + 10);
    EXPECT_NE(grey, 0xFF0000u);
    EXPECT_EQ(grey & 0xFF, (grey >> 8) & 0xFF);  // grey: equal green and blue
}

// The leftmost, rightmost, top and bottom pixels of Color in an area.
struct Extent {
    int Left = 1 << 30, Right = -1, Top = 1 << 30, Bottom = -1;
};

TEST_F(MenuPaint, CaptionFromL30WithUnderlinedAcceleratorAndShortcutEnding16BeforeR) {
    menu->SetUIStyle(TskUIStyle::WinXP);
    ASSERT_EQ(menu->BarWidth(), 26);
    const std::uint32_t text = Px(0x00000000);
    item->SetCaption("&Wii");
    item->SetShortCut(0);
    Paint(item, false);
    Extent caption;
    for (int y = T; y < T + 21; ++y)
        for (int x = L + 26; x < R; ++x)
            if (At(x, y) == text) {
                caption.Left = std::min(caption.Left, x);
                caption.Right = std::max(caption.Right, x);
                caption.Top = std::min(caption.Top, y);
                caption.Bottom = std::max(caption.Bottom, y);
            }
    ASSERT_GE(caption.Right, 0) << "no caption drawn";
    EXPECT_GE(caption.Left, L + 30);
    EXPECT_LE(caption.Left, L + 31);
    EXPECT_GE(caption.Top, T + 4);
    // The lowest text row is the underline, under the "W" only.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, MenuItemFont(menu->Look(), false));
    SIZE w{}, all{};
    GetTextExtentPoint32A(dc, "W", 1, &w);
    GetTextExtentPoint32A(dc, "Wii", 3, &all);
    SelectObject(dc, old);
    DeleteDC(dc);
    int underline = 0;
    for (int x = L + 26; x < R; ++x)
        if (At(x, caption.Bottom) == text) {
            ++underline;
            EXPECT_LT(x, L + 30 + w.cx + 1) << "underline beyond the accelerator letter";
        }
    EXPECT_GE(underline, w.cx - 2);
    EXPECT_LT(caption.Right, L + 30 + all.cx + 2);

    // The shortcut text alone (empty caption): it ends 16 pixels before R.
    item->SetCaption("");
    item->SetShortCut(ShortCut('S', TShiftState{ssCtrl}));
    Paint(item, false);
    Extent keys;
    for (int y = T; y < T + 21; ++y)
        for (int x = L + 26; x < R; ++x)
            if (At(x, y) == text) {
                keys.Left = std::min(keys.Left, x);
                keys.Right = std::max(keys.Right, x);
                keys.Top = std::min(keys.Top, y);
            }
    ASSERT_GE(keys.Right, 0) << "no shortcut drawn";
    EXPECT_LE(keys.Right, R - 17);
    EXPECT_GE(keys.Right, R - 19);
    EXPECT_GE(keys.Top, T + 4);
    EXPECT_LE(keys.Top, T + 7);
    EXPECT_GT(keys.Left, L + 100);
}

TEST_F(MenuPaint, DefaultItemIsBold) {
    menu->SetUIStyle(TskUIStyle::WinXP);
    item->SetShortCut(0);
    Paint(item, false);
    const int regular = Count(0, L + 26, T, R, T + 21);
    item->SetDefault(true);
    Paint(item, false);
    const int bold = Count(0, L + 26, T, R, T + 21);
    EXPECT_GT(bold, regular + 3);
}

TEST_F(MenuPaint, FlatMenuOnACanvasWithoutWindowDrawsNoBorder) {
    // A bitmap's device context has no window: the item paints as usual.
    menu->SetUIStyle(TskUIStyle::WinXP);
    menu->SetFlatMenu(true);
    Paint(item, false);
    EXPECT_EQ(At(L, T), Px(0x00CED3D6));
}

TEST(MacOSMenuPictures, EachPieceStretchesItsRowsOfThePicture) {
    struct Piece {
        void (*Draw)(TCanvas*, const TRect&);
        const char* Picture;
        int Rows;
    };
    const Piece pieces[] = {
        {DrawMacOSMenuSeparator, "MACOS_MENU_BAR", 12},    {DrawMacOSMenuItem, "MACOS_MENU_BAR", 20},
        {DrawMacOSMenuSelected, "MACOS_MENU_SELECT", 20},  {DrawMacOSMenuBarBackground, "MACOS_MENU_BAR", 22},
        {DrawMacOSMenuBarButton, "MACOS_MENU_SELECT", 21},
    };
    for (const Piece& p : pieces) {
        SCOPED_TRACE(std::string(p.Picture) + " " + std::to_string(p.Rows));
        // Twice as high as the rows used: each source row covers two.
        TBitmap target;
        FillWith(target, 8, 2 * p.Rows + 2, Untouched);
        p.Draw(target.Canvas(), Rect(1, 1, 5, 1 + 2 * p.Rows));
        EXPECT_EQ(PixelAt(target, 1, 1), ResourcePixel(p.Picture, 0));
        EXPECT_EQ(PixelAt(target, 4, 2 * p.Rows), ResourcePixel(p.Picture, p.Rows - 1));
        // Where rows are left out, the last one used differs from the next.
        TBitmap whole;
        whole.LoadFromResourceName(nullptr, p.Picture);
        if (p.Rows < whole.Height()) {
            EXPECT_NE(PixelAt(whole, 0, p.Rows - 1), PixelAt(whole, 0, p.Rows));
        }
        EXPECT_EQ(PixelAt(target, 5, 1), Untouched);
        EXPECT_EQ(PixelAt(target, 1, 1 + 2 * p.Rows), Untouched);
    }
}

// ---- measuring

TEST_F(MenuPaint, MeasuringSeparatorsAndItemsInTheItemsFont) {
    TMenuItem* line = AddItem("-");
    HDC dc = CreateCompatibleDC(nullptr);
    TCanvas screen;
    screen.SetHandle(dc);
    for (TskUIStyle style : {TskUIStyle::WinXP, TskUIStyle::MacOS}) {
        SCOPED_TRACE(Name(style));
        menu->SetUIStyle(style);
        HGDIOBJ old = SelectObject(dc, MenuItemFont(menu->Look(), false));
        SIZE dash{}, open{}, keys{};
        GetTextExtentPoint32A(dc, "-", 1, &dash);
        GetTextExtentPoint32A(dc, "&Open", 5, &open);
        GetTextExtentPoint32A(dc, "Ctrl+O", 6, &keys);
        SelectObject(dc, old);
        int width = 0, height = 0;
        line->MeasureItem(&screen, width, height);
        EXPECT_EQ(height, style == TskUIStyle::MacOS ? 12 : 5);
        EXPECT_EQ(width, 26 + 40 + dash.cx);
        item->MeasureItem(&screen, width, height);
        EXPECT_EQ(height, style == TskUIStyle::MacOS ? 20 : 21);
        EXPECT_EQ(width, open.cx + keys.cx + 26 + 40);
    }
    screen.SetHandle(nullptr);
    DeleteDC(dc);
}

TEST_F(MenuPaint, HeightsAreFixedInMacOSAndComeBackWithAnotherStyle) {
    menu->SetUIStyle(TskUIStyle::MacOS);
    menu->SetMenuItemHeight(30);
    menu->SetSeparatorHeight(9);
    EXPECT_EQ(menu->MenuItemHeight(), 20);
    EXPECT_EQ(menu->SeparatorHeight(), 12);
    menu->SetUIStyle(TskUIStyle::Protein);
    EXPECT_EQ(menu->MenuItemHeight(), 21);
    EXPECT_EQ(menu->SeparatorHeight(), 5);
    menu->SetMenuItemHeight(30);
    menu->SetSeparatorHeight(9);
    EXPECT_EQ(menu->MenuItemHeight(), 30);
    EXPECT_EQ(menu->SeparatorHeight(), 9);
    int width = 0, height = 0;
    TBitmap b;
    b.SetSize(4, 4);
    item->MeasureItem(b.Canvas(), width, height);
    EXPECT_EQ(height, 30);
}

// ---- fonts

TEST_F(MenuPaint, PaintingMakesNoFontPerItemAndLeavesGdiObjectsFlat) {
    menu->SetUIStyle(TskUIStyle::WinXP);
    TMenuItem* bold = AddItem("Bold");
    bold->SetDefault(true);
    // Repaints through the owner-draw message a menu window sends.
    HDC dc = CreateCompatibleDC(nullptr);
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 240, 40);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    auto repaint = [&](TMenuItem* Item, bool Selected) {
        DRAWITEMSTRUCT d{};
        d.CtlType = ODT_MENU;
        d.itemID = Item->Command();
        d.itemState = Selected ? ODS_SELECTED : 0;
        d.hDC = dc;
        d.rcItem = {0, 0, 200, 21};
        LRESULT result = 0;
        ASSERT_TRUE(DispatchMenuMessage(nullptr, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d), result));
    };
    repaint(item, false);
    repaint(bold, true);
    const int fonts = MenuFontsMade();
    // Wine answers 0 to GetGuiResources; the wrappers' own count stands in.
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const long live = LiveGdiObjects();
    for (int i = 0; i < 1000; ++i) {
        repaint(item, i % 2 == 0);
        repaint(bold, i % 3 == 0);
    }
    EXPECT_EQ(MenuFontsMade(), fonts);
    EXPECT_EQ(LiveGdiObjects(), live);
    if (before != 0) {
        EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before);
    }
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);

    // A named font is made once for its description, too.
    menu->SetUseSystemFont(false);
    menu->SetFontName("Arial");
    menu->SetFontSize(13);
    Paint(item, false);
    const int named = MenuFontsMade();
    EXPECT_EQ(named, fonts + 1);
    for (int i = 0; i < 50; ++i) Paint(item, i % 2 == 0);
    EXPECT_EQ(MenuFontsMade(), named);
}

TEST(MenuFont, LoadMenuFontGivesTheSystemMenuFontInMenuTextColour) {
    NONCLIENTMETRICSA m{};
    m.cbSize = 340;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &m, 0));
    TFont font;
    font.SetName("Courier New");
    font.SetColor(0x00123456);
    ASSERT_TRUE(LoadMenuFont(&font));
    EXPECT_EQ(font.Name(), std::string(m.lfMenuFont.lfFaceName));
    EXPECT_EQ(font.Height(), m.lfMenuFont.lfHeight);
    EXPECT_EQ(font.Color(), clMenuText);
}

}  // namespace
