#include "FrameDrawing.h"

#include "Bitmap.h"
#include "GraphicsHandles.h"
#include "MenuDrawing.h"
#include "ThemeKeys.h"
#include "TitleBar.h"

namespace {

constexpr TColor kDisabledText = 0x00808080;
// Control font colours by which two theme files of the set mark a dark bar.
constexpr TColor kDarkBarMarkerBlue = 0x00020000;
constexpr TColor kDarkBarMarkerSteel = 0x00030000;

// The caption pictures reach into the native frame beside and above the
// title bar, so the frame looks as one piece with it.
void ContinueTitleBarPictures(HDC DC, TskTitleBar* Bar, int W, const TskFrameBorderLook& Look) {
    TBitmap* left = nullptr;
    TBitmap* right = nullptr;
    TBitmap* client = nullptr;
    Bar->LeftSectionGraphic(left);
    Bar->RightSectionGraphic(right);
    Bar->ClientSectionGraphic(client);
    if (!left || !right || !client) return;
    const int bw = Look.BorderWidth;
    TCanvas window;
    window.SetHandle(DC);
    TBitmap b;
    b.SetSize(3 - bw, left->Height());
    b.Canvas()->Draw(0, 0, left);
    window.Draw(bw, 0, &b);
    if (right->Width() < 3)
        b.Canvas()->StretchDraw(Rect(0, 0, b.Width(), b.Height()), right);
    else
        b.Canvas()->Draw(2 - right->Width(), 0, right);
    window.Draw(W - 3, 0, &b);
    b.SetSize(W - 5, 3);
    b.Canvas()->Draw(-2, 0, left);
    const int x1 = left->Width() - 2;
    const int x2 = (W - 5) - right->Width() + 3;
    b.Canvas()->Draw(x2, 0, right);
    b.Canvas()->StretchDraw(Rect(x1, 0, x2, client->Height()), client);
    window.Draw(2, 0, &b);
    if (bw == 1 && Look.RoundCorner == 11 && !Look.Designing) {
        const int r = Look.RoundCorner;
        window.Pen()->SetColor(Look.BorderColor);
        window.Arc(W - 2 * r + 1, -1, W + 1, 2 * r - 1, W + 1, r - 1, W - r + 1, -1);
        window.Arc(-1, -1, 2 * r - 1, 2 * r - 1, r - 1, -1, -1, r - 1);
    }
    window.SetHandle(nullptr);
}

// One line, centred both ways, transparent; Font null keeps the DC's own.
void DrawBarCaption(HDC DC, HFONT Font, TColor Color, const std::string& Caption, TRect R) {
    TMenuFontSelection font(DC, Font ? Font : static_cast<HFONT>(GetCurrentObject(DC, OBJ_FONT)));
    SetBkMode(DC, TRANSPARENT);
    SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(Color)));
    DrawTextA(DC, Caption.c_str(), static_cast<int>(Caption.size()), AsRECT(R), DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

}  // namespace

void PaintFrameBorder(HWND Wnd, const TskFrameBorderLook& Look, TskTitleBar* TitleBar) {
    if (IsIconic(Wnd) && !Look.Designing) return;
    RECT wr{};
    GetWindowRect(Wnd, &wr);
    const int W = wr.right - wr.left, H = wr.bottom - wr.top;
    const int bw = Look.BorderWidth;
    TWindowDC dc(Wnd, true);
    if (!dc.Get()) return;
    auto fill = [&](TColor Color, int L, int T, int R, int B) {
        if (R <= L || B <= T) return;
        TGdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(Color)));
        const RECT r{L, T, R, B};
        FillRect(dc.Get(), &r, brush.Get());
    };
    fill(Look.BorderColor, 0, 0, bw, H);
    fill(Look.BorderColor, 0, H - bw, W, H);
    fill(Look.BorderColor, W - bw, 0, W, H);
    if (bw < 4) {
        fill(Look.InnerColor, bw, Look.SideBandTop, 3, H - bw);
        fill(Look.InnerColor, bw, H - 3, W - bw, H - bw);
        fill(Look.InnerColor, W - 3, Look.SideBandTop, W - bw, H - bw);
        if (Look.MenuBandHeight > 0) {
            const int t = Look.MenuBandTop;
            fill(Look.MenuBandColor, bw, t, 3, t + Look.MenuBandHeight);
            fill(Look.MenuBandColor, W - 3, t, W - bw, t + Look.MenuBandHeight);
        }
    }
    const bool barShows = TitleBar && TitleBar->Visible();
    if (barShows && TitleBar->HasThreeSectionPictures() && bw < 4) {
        ContinueTitleBarPictures(dc.Get(), TitleBar, W, Look);
    } else if (!barShows) {
        fill(Look.BorderColor, 0, 0, W, 1);
        fill(Look.InnerColor, bw, 1, W - bw, 3);
    }
}

void SetFrameRegion(HWND Wnd, int Radius) {
    RECT wr{};
    GetWindowRect(Wnd, &wr);
    const int W = wr.right - wr.left, H = wr.bottom - wr.top;
    const int r = Radius;
    TGdiObject<HRGN> region(CreateRoundRectRgn(0, 0, W + 1, H + 1, r, r));
    TGdiObject<HRGN> left(CreateRectRgn(0, H - 2 * r, 2 * r, H));
    TGdiObject<HRGN> right(CreateRectRgn(W - 2 * r, H - 2 * r, W, H));
    CombineRgn(region.Get(), region.Get(), left.Get(), RGN_OR);
    CombineRgn(region.Get(), region.Get(), right.Get(), RGN_OR);
    // The window owns the region from here on.
    if (SetWindowRgn(Wnd, region.Get(), TRUE)) region.Release();
}

std::optional<TColor> ThemeDarkMenuBarColor(const TskResolvedTheme& Theme) {
    if (!Theme.FromFile()) return std::nullopt;
    const TColor marker = Theme.Color(TskThemeKey::ControlFontColor);
    if (marker == kDarkBarMarkerBlue) return 0x00AC5B3B;
    if (marker == kDarkBarMarkerSteel) return 0x00996733;
    return std::nullopt;
}

void DrawFrameMenuBarButton(TToolBar* Sender, TToolButton* Button, TCustomDrawState State, TskUIStyle Style,
                            const TskResolvedTheme& Theme, HFONT Font, bool GreyDisabled) {
    TCanvas* canvas = Sender->Canvas();
    TRect r = Button->BoundsRect();
    const bool hot = State.Contains(cdsHot), selected = State.Contains(cdsSelected);
    const std::string caption = Button->Caption();
    if ((hot || selected) && Style == TskUIStyle::MacOS) {
        TBitmap face;
        face.SetSize(Button->Width(), Button->Height());
        DrawMacOSMenuBarButton(face.Canvas(), Rect(0, 0, Button->Width(), Button->Height()));
        DrawBarCaption(face.Canvas()->Handle(),
                       Font ? Font : static_cast<HFONT>(GetCurrentObject(canvas->Handle(), OBJ_FONT)),
                       Theme.Color(TskThemeKey::MenuSelectedFontColor), caption,
                       Rect(0, 0, Button->Width(), Button->Height() + 2));
        canvas->Draw(Button->Left(), Button->Top(), &face);
        return;
    }
    if (hot || selected) {
        if (selected) r.Right -= 2;
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Theme.Color(TskThemeKey::MenuSelectedBackgroundColor));
        canvas->FillRect(r);
        canvas->Brush()->SetColor(Theme.Color(TskThemeKey::MenuSelectedBorderColor));
        canvas->FrameRect(r);
        if (selected) r.Left += 2;
        r.Top += 2;
        DrawBarCaption(canvas->Handle(), Font, Theme.Color(TskThemeKey::MenuSelectedFontColor), caption, r);
        return;
    }
    r.Top += 2;
    // The steel theme's dark bar takes white captions.
    TColor color = Theme.FromFile() && Theme.Color(TskThemeKey::ControlFontColor) == kDarkBarMarkerSteel
                       ? 0x00FFFFFF
                       : Theme.Color(TskThemeKey::MenuFontColor);
    if (GreyDisabled && !Button->Enabled()) color = kDisabledText;
    DrawBarCaption(canvas->Handle(), Font, color, caption, r);
}
