#pragma once
// What the skinned menus share: hooking item drawing, the pieces an item is
// painted from, the border of a popup menu window, the menu fonts, and the
// look of a skinned menu (its stored colours, sizes and font) with the one
// measuring and painting of an item that the popup menu, the main menu and
// the form frame's menu bar all use.

#include "Colors.h"
#include "Font.h"
#include "GraphicsTypes.h"
#include "Menus.h"
#include "ThemeKeys.h"
#include "UIStyle.h"

#include <windows.h>

#include <string>

class TCanvas;
class TImageList;
class TskFileTheme;

// Puts the two handlers on Item and on every sub-item below it.
void HookMenuItemDrawing(TMenuItem* Item, TMenuMeasureItemEvent MeasureHandler, TMenuDrawItemEvent DrawHandler);

void FillMenuRect(TCanvas* Canvas, const TRect& Rect, TColor Color);
// One pixel wide, inside Rect.
void FrameMenuRect(TCanvas* Canvas, const TRect& Rect, TColor Color);
// A line at Rect.Top + 2 from Rect.Left + Indent + 4 up to (not including) Rect.Right - 2.
void DrawMenuSeparator(TCanvas* Canvas, const TRect& Rect, TColor Color, int Indent);

// The MacOS pictures stretched over Rect: the bar picture's top 12 rows (a
// separator) or top 20 rows (an item), and the selection picture's top 20
// rows. The pictures are loaded once and kept by the library.
void DrawMacOSMenuSeparator(TCanvas* Canvas, const TRect& Rect);
void DrawMacOSMenuItem(TCanvas* Canvas, const TRect& Rect);
void DrawMacOSMenuSelected(TCanvas* Canvas, const TRect& Rect);
// The whole pictures, for the form frame's menu bar: the bar picture (1 x 22)
// as the bar's background, the selection picture (1 x 21) under a hot button.
void DrawMacOSMenuBarBackground(TCanvas* Canvas, const TRect& Rect);
void DrawMacOSMenuBarButton(TCanvas* Canvas, const TRect& Rect);

// Draws a flat border round Window on the desktop's device context, in
// screen coordinates: FrameColor outside, white inside it, EdgeColor along the
// bottom, right and top edges.
void DrawPopupMenuBorder(HWND Window, TColor FrameColor, TColor EdgeColor);

// Font takes a new font made from the system's menu font, and the colour
// clMenuText; false (Font unchanged) when the system does not answer. Each
// call makes a font: painting uses MenuItemFont instead.
bool LoadMenuFont(TFont* Font);

// The check mark: one 16 x 16 image, white transparent, kept by the library.
TImageList* MenuCheckImages();

// What a skinned menu stores about its look; the values are those a menu
// holds before its first style is applied.
struct TskMenuLook {
    TskUIStyle UIStyle = TskUIStyle::DeepBlue;
    TskFileTheme* FileTheme = nullptr;
    int MenuItemHeight = 21;
    int SeparatorHeight = 21;
    int BarWidth = 0;
    TColor BarColor = clBtnFace;
    TColor Color = 0x00FFFFFF;
    TColor SeparatorColor = 0x00808080;
    TColor SelectedBorderColor = clHighlight;
    TColor SelectedColor = clHighlight;
    TColor SelectedFontColor = 0x00FFFFFF;
    TColor FontColor = 0x00FFFFFF;
    TColor BorderColor = 0;
    bool FlatMenu = false;
    std::string FontName = "MS Sans Serif";
    int FontSize = 8;
    TFontCharset FontCharset = DEFAULT_CHARSET;
    bool UseSystemFont = true;
};

// Stores Style and sets what a style decides: BarWidth 26; heights and
// separator colour (20, 12, 0 in MacOS; 21, 5, $00848284 otherwise); the six
// colours of the menu keys. Colours set before are overwritten.
void ApplyMenuStyle(TskMenuLook& Look, TskUIStyle Style);

// Whether Item shows one of Images: an index other than -1 within a list.
bool MenuItemHasImage(const TMenuItem* Item, TImageList* Images);

// An item's size: SeparatorHeight for "-", else MenuItemHeight; the width of
// caption and shortcut text in the item's font, plus BarWidth and 40.
void MeasureSkinMenuItem(const TskMenuLook& Look, const TMenuItem* Item, TCanvas* Canvas, int& Width, int& Height);

// Paints Item into Rect of Canvas. UserImages is the menu's own image list
// (null when there is none); CheckImages holds the check mark at index 0.
void DrawSkinMenuItem(const TskMenuLook& Look, const TMenuItem* Item, TCanvas* Canvas, const TRect& Rect, bool Selected,
                      TImageList* UserImages, TImageList* CheckImages);

// The font items of a menu with this look are drawn in (the system menu font,
// or FontName, FontSize and FontCharset), bold for the default item. Each
// font is made once and kept by the library until the program ends, so no
// paint makes or frees a font; never delete the handle.
HFONT MenuItemFont(const TskMenuLook& Look, bool Bold);
// How many fonts MenuItemFont has made so far (each description once).
int MenuFontsMade();

// Selects a font into a device context for a scope and puts the previous
// one back.
class TMenuFontSelection {
public:
    TMenuFontSelection(HDC DC, HFONT Font) : dc_(DC), old_(SelectObject(DC, Font)) {}
    ~TMenuFontSelection() {
        if (old_) SelectObject(dc_, old_);
    }
    TMenuFontSelection(const TMenuFontSelection&) = delete;
    TMenuFontSelection& operator=(const TMenuFontSelection&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};
