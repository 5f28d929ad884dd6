#include "DrawnText.h"

#include "Font.h"
#include "GraphicsHandles.h"
#include "Panel.h"

#include <algorithm>
#include <cstdint>

namespace {
constexpr uint32_t kPaper = 0xFFFFFF;

// Pixels of a top-down 32-bit bitmap that are not paper, as a rectangle
// (empty when there are none).
TRect InkBounds(const uint32_t* Pixels, int Width, int Height) {
    TRect ink{Width, Height, 0, 0};
    for (int y = 0; y < Height; ++y) {
        const uint32_t* row = Pixels + static_cast<size_t>(y) * Width;
        for (int x = 0; x < Width; ++x) {
            if ((row[x] & 0xFFFFFF) == kPaper) continue;
            ink.Left = std::min(ink.Left, x);
            ink.Right = std::max(ink.Right, x + 1);
            ink.Top = std::min(ink.Top, y);
            ink.Bottom = std::max(ink.Bottom, y + 1);
        }
    }
    return ink;
}
}  // namespace

TDrawnTextExtent MeasureDrawnText(TFont* Font, const std::string& Text, const TRect& Layout, UINT Flags) {
    Flags &= ~static_cast<UINT>(DT_CALCRECT);
    TWindowDC screen(nullptr);
    TRect layout = Layout;
    DrawControlText(screen.Get(), Font, Text, layout, Flags | DT_CALCRECT, clBlack);
    TDrawnTextExtent extent{layout, layout};

    // Room all round for glyphs reaching out of the measure: no glyph reaches
    // further from its place than a line is high plus its widest letter.
    TEXTMETRICA tm{};
    const HGDIOBJ oldFont = SelectObject(screen.Get(), Font->Handle());
    GetTextMetricsA(screen.Get(), &tm);
    SelectObject(screen.Get(), oldFont);
    const int margin = std::max<int>(tm.tmHeight + tm.tmMaxCharWidth, 8);
    const int width = layout.Width() + 2 * margin;
    const int height = layout.Height() + 2 * margin;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    TGdiObject<HBITMAP> bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    TOwnedDC dc(CreateCompatibleDC(screen.Get()));
    if (!bitmap || !bits || !dc.Get()) return extent;  // the measure is all there is
    const HGDIOBJ oldBitmap = SelectObject(dc.Get(), bitmap.Get());
    auto* pixels = static_cast<uint32_t*>(bits);
    std::fill(pixels, pixels + static_cast<size_t>(width) * height, kPaper);

    TRect at = Bounds(margin, margin, layout.Width(), layout.Height());
    DrawControlText(dc.Get(), Font, Text, at, Flags | DT_NOCLIP, clBlack);
    GdiFlush();
    const TRect ink = InkBounds(pixels, width, height);
    SelectObject(dc.Get(), oldBitmap);

    if (!ink.IsEmpty()) {
        const int dx = layout.Left - margin, dy = layout.Top - margin;
        extent.Painted.Left = std::min(extent.Painted.Left, ink.Left + dx);
        extent.Painted.Top = std::min(extent.Painted.Top, ink.Top + dy);
        extent.Painted.Right = std::max(extent.Painted.Right, ink.Right + dx);
        extent.Painted.Bottom = std::max(extent.Painted.Bottom, ink.Bottom + dy);
    }
    return extent;
}
