#include "MenuDrawing.h"

#include "Bitmap.h"
#include "Canvas.h"
#include "Exceptions.h"
#include "FileTheme.h"
#include "GraphicsHandles.h"
#include "ImageList.h"
#include "SkinThemes.h"

#include <cstring>
#include <memory>
#include <vector>

namespace {

// The size of the non-client metrics as the menus ask for them: the
// structure without the padded-border field that later systems added, so
// that every system answers. mingw's sizeof depends on the target version.
constexpr UINT NonClientMetricsSize = 340;
static_assert(sizeof(NONCLIENTMETRICSA) >= NonClientMetricsSize);

bool SystemMenuLogFont(LOGFONTA& Font) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = NonClientMetricsSize;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, NonClientMetricsSize, &metrics, 0)) return false;
    Font = metrics.lfMenuFont;
    return true;
}

LOGFONTA NamedLogFont(const std::string& Name, int Size, TFontCharset Charset) {
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(Size, ScreenPixelsPerInch(), 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = Charset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    std::strncpy(lf.lfFaceName, Name.c_str(), LF_FACESIZE - 1);
    return lf;
}

// Fonts made for menus, one per description, alive until the program ends.
struct TMenuFontEntry {
    bool System;
    std::string Name;
    int Size;
    TFontCharset Charset;
    bool Bold;
    TGdiObject<HFONT> Font;
};

struct TMenuFontCache {
    std::vector<TMenuFontEntry> Entries;
    int Made = 0;
};

TMenuFontCache& MenuFonts() {
    static TMenuFontCache cache;
    return cache;
}

// A picture of the program's resources, cut to its top Rows rows, loaded once.
class TMenuPicture {
public:
    TMenuPicture(const char* Name, int Rows) : name_(Name), rows_(Rows) {}
    TBitmap* Get() {
        if (!loaded_) {
            loaded_ = true;
            try {
                TBitmap whole;
                whole.LoadFromResourceName(nullptr, name_);
                const int rows = std::min(rows_, whole.Height());
                bitmap_.SetSize(whole.Width(), rows);
                bitmap_.Canvas()->CopyRect(Rect(0, 0, whole.Width(), rows), whole.Canvas(), Rect(0, 0, whole.Width(), rows));
            } catch (const EInvalidGraphic&) {
                // A program built without the art draws nothing here rather than failing.
            }
        }
        return &bitmap_;
    }

private:
    const char* name_;
    int rows_;
    bool loaded_ = false;
    TBitmap bitmap_;
};

void StretchMenuPicture(TCanvas* Canvas, const TRect& Rect, TMenuPicture& Picture) {
    TBitmap* bitmap = Picture.Get();
    if (!Canvas || bitmap->Empty()) return;
    Canvas->StretchDraw(Rect, bitmap);
}

}  // namespace

void HookMenuItemDrawing(TMenuItem* Item, TMenuMeasureItemEvent MeasureHandler, TMenuDrawItemEvent DrawHandler) {
    if (!Item) return;
    Item->OnMeasureItem = MeasureHandler;
    Item->OnDrawItem = DrawHandler;
    for (int i = 0; i < Item->Count(); ++i) HookMenuItemDrawing(Item->Items(i), MeasureHandler, DrawHandler);
}

void FillMenuRect(TCanvas* Canvas, const TRect& Rect, TColor Color) {
    Canvas->Brush()->SetColor(Color);
    Canvas->FillRect(Rect);
}

void FrameMenuRect(TCanvas* Canvas, const TRect& Rect, TColor Color) {
    Canvas->Brush()->SetColor(Color);
    Canvas->FrameRect(Rect);
}

void DrawMenuSeparator(TCanvas* Canvas, const TRect& Rect, TColor Color, int Indent) {
    Canvas->Pen()->SetColor(Color);
    Canvas->MoveTo(Rect.Left + Indent + 4, Rect.Top + 2);
    Canvas->LineTo(Rect.Right - 2, Rect.Top + 2);
}

void DrawMacOSMenuSeparator(TCanvas* Canvas, const TRect& Rect) {
    static TMenuPicture picture("MACOS_MENU_BAR", 12);
    StretchMenuPicture(Canvas, Rect, picture);
}

void DrawMacOSMenuItem(TCanvas* Canvas, const TRect& Rect) {
    static TMenuPicture picture("MACOS_MENU_BAR", 20);
    StretchMenuPicture(Canvas, Rect, picture);
}

void DrawMacOSMenuSelected(TCanvas* Canvas, const TRect& Rect) {
    static TMenuPicture picture("MACOS_MENU_SELECT", 20);
    StretchMenuPicture(Canvas, Rect, picture);
}

void DrawMacOSMenuBarBackground(TCanvas* Canvas, const TRect& Rect) {
    static TMenuPicture picture("MACOS_MENU_BAR", 22);
    StretchMenuPicture(Canvas, Rect, picture);
}

void DrawMacOSMenuBarButton(TCanvas* Canvas, const TRect& Rect) {
    static TMenuPicture picture("MACOS_MENU_SELECT", 21);
    StretchMenuPicture(Canvas, Rect, picture);
}

void DrawPopupMenuBorder(HWND Window, TColor FrameColor, TColor EdgeColor) {
    RECT w{};
    if (!Window || !GetWindowRect(Window, &w)) return;
    TWindowDC desktop(nullptr);
    HDC dc = desktop.Get();
    if (!dc) return;
    TGdiObject<HBRUSH> frame(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(FrameColor))));
    TGdiObject<HBRUSH> white(CreateSolidBrush(RGB(0xFF, 0xFF, 0xFF)));
    const RECT outer{w.left, w.top + 1, w.right - 1, w.bottom - 1};
    const RECT inner{w.left + 1, w.top + 2, w.right - 2, w.bottom - 2};
    FrameRect(dc, &outer, frame.Get());
    FrameRect(dc, &inner, white.Get());
    TGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, static_cast<COLORREF>(ColorToRGB(EdgeColor))));
    HGDIOBJ old = SelectObject(dc, pen.Get());
    const POINT edge[] = {{w.left, w.bottom - 1}, {w.right - 1, w.bottom - 1}, {w.right - 1, w.top}, {w.right, w.top},
                          {w.left, w.top}};
    Polyline(dc, edge, static_cast<int>(std::size(edge)));
    SelectObject(dc, old);
}

bool LoadMenuFont(TFont* Font) {
    LOGFONTA lf{};
    if (!Font || !SystemMenuLogFont(lf)) return false;
    HFONT made = CreateFontIndirectA(&lf);
    if (!made) return false;
    Font->SetHandle(made);
    Font->SetColor(clMenuText);
    return true;
}

TImageList* MenuCheckImages() {
    static const TOwned<TImageList> list = [] {
        TOwned<TImageList> made = CreateOwned<TImageList>(16, 16);
        TBitmap mark;
        try {
            mark.LoadFromResourceName(nullptr, "MENU_CHECKED");
            made->AddMasked(&mark, 0x00FFFFFF);
        } catch (const EInvalidGraphic&) {
            // Without the art the list stays empty and no mark is drawn.
        }
        return made;
    }();
    return list.get();
}

void ApplyMenuStyle(TskMenuLook& Look, TskUIStyle Style) {
    Look.UIStyle = Style;
    Look.BarWidth = 26;
    if (Style == TskUIStyle::MacOS) {
        Look.MenuItemHeight = 20;
        Look.SeparatorHeight = 12;
        Look.SeparatorColor = 0;
    } else {
        Look.MenuItemHeight = 21;
        Look.SeparatorHeight = 5;
        Look.SeparatorColor = 0x00848284;
    }
    const TskResolvedTheme theme(Look.FileTheme, Style);
    Look.BarColor = theme.Color(TskThemeKey::MenuBarColor);
    Look.Color = theme.Color(TskThemeKey::MenuBackgroundColor);
    Look.FontColor = theme.Color(TskThemeKey::MenuFontColor);
    Look.SelectedBorderColor = theme.Color(TskThemeKey::MenuSelectedBorderColor);
    Look.SelectedColor = theme.Color(TskThemeKey::MenuSelectedBackgroundColor);
    Look.SelectedFontColor = theme.Color(TskThemeKey::MenuSelectedFontColor);
}

bool MenuItemHasImage(const TMenuItem* Item, TImageList* Images) {
    return Item && Images && Item->ImageIndex() != -1 && Item->ImageIndex() < Images->Count();
}

HFONT MenuItemFont(const TskMenuLook& Look, bool Bold) {
    auto& cache = MenuFonts();
    const bool system = Look.UseSystemFont;
    for (const TMenuFontEntry& e : cache.Entries) {
        if (e.System != system || e.Bold != Bold) continue;
        if (system || (e.Name == Look.FontName && e.Size == Look.FontSize && e.Charset == Look.FontCharset))
            return e.Font.Get();
    }
    LOGFONTA lf{};
    // Without an answer from the system the named font stands in.
    if (!system || !SystemMenuLogFont(lf)) lf = NamedLogFont(Look.FontName, Look.FontSize, Look.FontCharset);
    if (Bold) lf.lfWeight = FW_BOLD;
    TGdiObject<HFONT> font(CreateFontIndirectA(&lf));
    if (!font) throw EOutOfResources("Cannot create the menu font");
    ++cache.Made;
    const HFONT handle = font.Get();
    cache.Entries.push_back({system, system ? std::string() : Look.FontName, system ? 0 : Look.FontSize,
                             system ? TFontCharset{0} : Look.FontCharset, Bold, std::move(font)});
    return handle;
}

int MenuFontsMade() { return MenuFonts().Made; }

void MeasureSkinMenuItem(const TskMenuLook& Look, const TMenuItem* Item, TCanvas* Canvas, int& Width, int& Height) {
    const bool line = Item->Caption() == "-";
    Height = line ? Look.SeparatorHeight : Look.MenuItemHeight;
    // Measured in the font the item is painted in, so that no caption is cut.
    HDC dc = Canvas->Handle();
    TMenuFontSelection font(dc, MenuItemFont(Look, Item->Default()));
    auto textWidth = [dc](const std::string& Text) {
        SIZE s{};
        if (!Text.empty()) GetTextExtentPoint32A(dc, Text.data(), static_cast<int>(Text.size()), &s);
        return static_cast<int>(s.cx);
    };
    Width = textWidth(Item->Caption()) + textWidth(ShortCutToText(Item->ShortCut())) + Look.BarWidth + 40;
}

namespace {

// The band at the left and the background right of it.
void FillBandAndBackground(const TskMenuLook& Look, TCanvas* Canvas, const TRect& R) {
    if (Look.BarWidth > 0) FillMenuRect(Canvas, Rect(R.Left, R.Top, R.Left + Look.BarWidth, R.Bottom), Look.BarColor);
    FillMenuRect(Canvas, Rect(R.Left + Look.BarWidth, R.Top, R.Right, R.Bottom), Look.Color);
}

}  // namespace

void DrawSkinMenuItem(const TskMenuLook& Look, const TMenuItem* Item, TCanvas* Canvas, const TRect& Rect, bool Selected,
                      TImageList* UserImages, TImageList* CheckImages) {
    const bool macOS = Look.UIStyle == TskUIStyle::MacOS;
    HDC dc = Canvas->Handle();
    if (Look.FlatMenu) {
        if (HWND window = WindowFromDC(dc))
            DrawPopupMenuBorder(window, 0x00000000,
                                TskResolvedTheme(Look.FileTheme, Look.UIStyle).Color(TskThemeKey::FormBackgroundColor));
    }

    if (Item->Caption() == "-") {
        if (macOS) {
            DrawMacOSMenuSeparator(Canvas, Rect);
        } else {
            FillBandAndBackground(Look, Canvas, Rect);
            DrawMenuSeparator(Canvas, Rect, Look.SeparatorColor, Look.BarWidth);
        }
        return;
    }

    const bool enabled = Item->Enabled();
    if (Selected && enabled) {
        if (macOS) {
            DrawMacOSMenuSelected(Canvas, Rect);
        } else {
            FillMenuRect(Canvas, Rect, Look.SelectedColor);
            FrameMenuRect(Canvas, Rect, Look.SelectedBorderColor);
        }
    } else if (macOS) {
        DrawMacOSMenuItem(Canvas, Rect);
    } else {
        FillBandAndBackground(Look, Canvas, Rect);
    }

    {
        TMenuFontSelection font(dc, MenuItemFont(Look, Item->Default()));
        const TColor color = !enabled ? 0x00808080 : Selected ? Look.SelectedFontColor : Look.FontColor;
        SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(color)));
        const int oldMode = SetBkMode(dc, TRANSPARENT);
        RECT caption{Rect.Left + Look.BarWidth + 4, Rect.Top + 4, Rect.Right, Rect.Bottom};
        DrawTextA(dc, Item->Caption().c_str(), -1, &caption, DT_SINGLELINE);
        const std::string keys = ShortCutToText(Item->ShortCut());
        if (!keys.empty()) {
            SIZE s{};
            GetTextExtentPoint32A(dc, keys.data(), static_cast<int>(keys.size()), &s);
            TextOutA(dc, Rect.Right - s.cx - 16, Rect.Top + 4, keys.data(), static_cast<int>(keys.size()));
        }
        SetBkMode(dc, oldMode);
    }

    const bool hasImage = MenuItemHasImage(Item, UserImages);
    if (Item->Checked()) {
        if (hasImage) {
            FrameMenuRect(Canvas, ::Rect(Rect.Left + 2, Rect.Top + 1, Rect.Left + 21, Rect.Top + 20), 0x00000000);
            FillMenuRect(Canvas, ::Rect(Rect.Left + 3, Rect.Top + 2, Rect.Left + 20, Rect.Top + 19), Look.SelectedColor);
        } else if (CheckImages) {
            CheckImages->Draw(Canvas, Rect.Left + 4, Rect.Top + 3, 0, enabled);
        }
    }
    if (hasImage) UserImages->Draw(Canvas, Rect.Left + 4, Rect.Top + 3, Item->ImageIndex(), enabled);
}
