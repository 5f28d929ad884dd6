#include "SkinPublic.h"

#include "Application.h"
#include "Bitmap.h"
#include "Canvas.h"
#include "FileTheme.h"
#include "Form.h"
#include "PageControl.h"
#include "Picture.h"
#include "TypInfo.h"
#include "WinControl.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// A piece of Source (cut to Area) scaled to Width x Height by nearest pixel.
// Pixel copies keep skin colours exact, fuchsia included, whatever the device.
void CopyScaled(TBitmap* Source, const TRect& Area, TBitmap* Dest, int Width, int Height) {
    Dest->SetSize(Width, Height);
    const int sw = Area.Width(), sh = Area.Height();
    for (int y = 0; y < Height; ++y) {
        const std::uint32_t* src = Source->ScanLine(Area.Top + y * sh / Height);
        std::uint32_t* dst = Dest->ScanLine(y);
        for (int x = 0; x < Width; ++x) dst[x] = src[Area.Left + x * sw / Width];
    }
}

void DrawPiece(TCanvas* Canvas, TBitmap* Piece, TPoint At, bool Masked, TColor MaskColor) {
    if (Masked) {
        Piece->SetTransparentColor(MaskColor);
        Piece->SetTransparent(true);
    }
    Canvas->Draw(At.X, At.Y, Piece);
}

bool Usable(TBitmap* Bitmap) { return Bitmap && !Bitmap->Empty(); }

std::vector<std::uint32_t> Pixels(TBitmap* Bitmap) {
    const int w = Bitmap->Width(), h = Bitmap->Height();
    std::vector<std::uint32_t> out(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        const std::uint32_t* row = Bitmap->ScanLine(y);
        std::copy(row, row + w, out.begin() + static_cast<std::ptrdiff_t>(y) * w);
    }
    return out;
}

void SetPixelsFrom(TBitmap* Bitmap, const std::vector<std::uint32_t>& Pixels, int Width, int Height) {
    Bitmap->SetSize(Width, Height);
    for (int y = 0; y < Height; ++y)
        std::copy(Pixels.begin() + static_cast<std::ptrdiff_t>(y) * Width,
                  Pixels.begin() + static_cast<std::ptrdiff_t>(y + 1) * Width, Bitmap->ScanLine(y));
}

// A DC whose saved state comes back on every path.
class TSavedDC {
public:
    explicit TSavedDC(HDC DC) : dc_(DC), saved_(SaveDC(DC)) {}
    ~TSavedDC() { RestoreDC(dc_, saved_); }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;

private:
    HDC dc_;
    int saved_;
};

class TWholeWindowDC {
public:
    explicit TWholeWindowDC(HWND Window) : window_(Window), dc_(GetWindowDC(Window)) {}
    ~TWholeWindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    TWholeWindowDC(const TWholeWindowDC&) = delete;
    TWholeWindowDC& operator=(const TWholeWindowDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

void FrameInColor(HDC DC, const RECT& R, TColor Color) {
    const TGdiObject<HBRUSH> brush(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color))));
    if (!brush) return;
    FrameRect(DC, &R, brush.Get());
}

}  // namespace

void PaintParentBackground(TCanvas* Canvas, TControl* Control) {
    if (!Canvas || !Control || !Control->Parent()) return;
    TWinControl* parent = Control->Parent();
    HDC dc = Canvas->Handle();
    TSavedDC saved(dc);
    POINT origin{};
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x - Control->Left(), origin.y - Control->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, parent->ClientWidth(), parent->ClientHeight());
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
}

namespace {
std::vector<const TClassInfo*>& BackgroundContainers() {
    static std::vector<const TClassInfo*> classes;
    return classes;
}
}  // namespace

void RegisterBackgroundContainer(const TClassInfo& ContainerClass) {
    auto& classes = BackgroundContainers();
    if (std::find(classes.begin(), classes.end(), &ContainerClass) == classes.end()) classes.push_back(&ContainerClass);
}

bool IsBackgroundContainer(const TControl* Control) {
    if (!Control) return false;
    if (dynamic_cast<const TTabSheet*>(Control)) return true;
    const TClassInfo* info = ClassInfoOf(Control);
    return info && std::any_of(BackgroundContainers().begin(), BackgroundContainers().end(),
                               [info](const TClassInfo* c) { return info->InheritsFrom(c); });
}

void TilePicture(TCanvas* Canvas, TPicture* Picture, const TRect& Rect) {
    if (!Canvas || !Picture || !Picture->Graphic()) return;
    for (const TPoint& p : TilePositions(Picture->Width(), Picture->Height(), Rect))
        Canvas->Draw(p.X, p.Y, Picture->Graphic());
}

TRect GetDesktopWorkArea() {
    RECT r{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    return {r.left, r.top, r.right, r.bottom};
}

void MoveControlTo(TControl* Control, TPoint Point) {
    Control->SetLeft(Point.X);
    Control->SetTop(Point.Y);
}

void PlaceControl(TControl* Control, const TRect& Rect) {
    Control->SetLeft(Rect.Left);
    Control->SetTop(Rect.Top);
    Control->SetWidth(Rect.Right - Rect.Left);
    Control->SetHeight(Rect.Bottom - Rect.Top);
}

void DrawNineGridBitmap(TBitmap* Bitmap, TCanvas* Canvas, const TRect& Rect, bool Transparent) {
    if (!Usable(Bitmap) || !Canvas) return;
    for (const TskPicturePiece& piece : NineGridPieces(Bitmap->Width(), Bitmap->Height(), Rect)) {
        TBitmap part;
        CopyScaled(Bitmap, piece.Source, &part, piece.Dest.Width(), piece.Dest.Height());
        // Corners follow the caller's wish; stretched pieces are always masked.
        DrawPiece(Canvas, &part, {piece.Dest.Left, piece.Dest.Top}, piece.Stretched || Transparent, clFuchsia);
    }
}

void PaintWindowBorder(TWinControl* Control, TColor Color, TColor InnerColor, bool DrawInner) {
    if (!Control || !Control->HandleAllocated()) return;
    HWND window = Control->Handle();
    RECT bounds{};
    GetWindowRect(window, &bounds);
    TWholeWindowDC dc(window);
    if (!dc.Get()) return;
    RECT r{0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top};
    FrameInColor(dc.Get(), r, Color);
    if (DrawInner) {
        InflateRect(&r, -1, -1);
        FrameInColor(dc.Get(), r, InnerColor);
    }
}

void DrawThreePartBitmap(TBitmap* Bitmap, TCanvas* Canvas, const TRect& Rect, bool UseCornerPixel) {
    if (!Usable(Bitmap) || !Canvas) return;
    TColor mask = clFuchsia;
    if (UseCornerPixel) {
        const std::uint32_t p = Bitmap->ScanLine(0)[0];
        mask = RGBToColor(static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8), static_cast<std::uint8_t>(p));
    }
    for (const TskPicturePiece& piece : ThreePartPieces(Bitmap->Width(), Bitmap->Height(), Rect)) {
        TBitmap part;
        CopyScaled(Bitmap, piece.Source, &part, piece.Dest.Width(), piece.Dest.Height());
        DrawPiece(Canvas, &part, {piece.Dest.Left, piece.Dest.Top}, !piece.Stretched, mask);
    }
}

void RotateBitmapCCW(TBitmap* Bitmap) {
    if (!Usable(Bitmap)) return;
    const int w = Bitmap->Width(), h = Bitmap->Height();
    SetPixelsFrom(Bitmap, RotatePixelsCCW(Pixels(Bitmap), w, h), h, w);
}

void RotateBitmapCW(TBitmap* Bitmap) {
    if (!Usable(Bitmap)) return;
    const int w = Bitmap->Width(), h = Bitmap->Height();
    SetPixelsFrom(Bitmap, RotatePixelsCW(Pixels(Bitmap), w, h), h, w);
}

void ExtractBitmapFrame(TBitmap* Source, TBitmap* Dest, int Count, int Index) {
    if (!Usable(Source) || !Dest) return;
    const TskFrameColumns columns = FrameColumns(Source->Width(), Count, Index);
    if (columns.Width <= 0) return;
    TBitmap frame;
    const int h = Source->Height();
    CopyScaled(Source, {columns.Left, 0, columns.Left + columns.Width, h}, &frame, columns.Width, h);
    Dest->SetSize(columns.Width, h);
    for (int y = 0; y < h; ++y) std::copy(frame.ScanLine(y), frame.ScanLine(y) + columns.Width, Dest->ScanLine(y));
}

bool IsFormActive(TCustomForm* Form) {
    TCustomForm* main = Application->MainForm();
    if (!main) return Form && Form->Active();
    const bool mdi = main->FormStyle() == fsMDIForm;
    if (mdi && Form == main) return true;
    if (!Application->Active()) return false;
    if (!Form || Form == main) return true;
    if (mdi && main->HandleAllocated() && Form->HandleAllocated()) {
        HWND client = FindWindowExA(main->Handle(), nullptr, "MDICLIENT", nullptr);
        if (client) {
            const auto active = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
            if (active == Form->Handle()) return true;
        }
    }
    return Form->Active();
}

void ApplyStyleToChildren(TWinControl* Parent, TskUIStyle Style, TskFileTheme* FileTheme) {
    if (!Parent) return;
    for (int i = 0; i < Parent->ControlCount(); ++i) {
        TControl* child = Parent->Controls(i);
        if (!HasPublishedProperty(child, "FileTheme") || !HasPublishedProperty(child, "UIStyle")) continue;
        SetObjectProp(child, "FileTheme", FileTheme);
        SetOrdProp(child, "UIStyle", static_cast<std::int64_t>(Style));
    }
}
