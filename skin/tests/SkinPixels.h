#pragma once
// Bitmaps whose every pixel tells where it came from, for checking where the
// drawing routines put each piece.

#include "Bitmap.h"

#include <cstdint>

// Pixel (x, y) holds $00RRGGBB with RR = y and GGBB = x + 1 (never fuchsia,
// never black, so untouched black pixels show).
inline std::uint32_t Marker(int X, int Y) {
    return (static_cast<std::uint32_t>(Y) << 16) | static_cast<std::uint32_t>(X + 1);
}

inline void FillMarked(TBitmap& Bitmap, int Width, int Height) {
    Bitmap.SetSize(Width, Height);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) Bitmap.ScanLine(y)[x] = Marker(x, y);
}

inline void FillWith(TBitmap& Bitmap, int Width, int Height, std::uint32_t Pixel) {
    Bitmap.SetSize(Width, Height);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) Bitmap.ScanLine(y)[x] = Pixel;
}

inline std::uint32_t PixelAt(TBitmap& Bitmap, int X, int Y) { return Bitmap.ScanLine(Y)[X]; }
