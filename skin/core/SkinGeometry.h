#pragma once
// Where the pieces of a skin picture go: frame strips, nine-grid and
// three-part stretching, tiling and rotation. Pure arithmetic; the drawing
// routines hand these rectangles to the canvas.

#include "GraphicsTypes.h"

#include <cstdint>
#include <vector>

// All four edges count as inside (unlike TRect::Contains): the controls use it
// for hit tests on pictures whose right and bottom pixels are part of them.
inline bool PointInRect(TPoint Point, const TRect& Rect) {
    return Rect.Left <= Point.X && Point.X <= Rect.Right && Rect.Top <= Point.Y && Point.Y <= Rect.Bottom;
}

// Frame Index (from 1) of Count equal-width frames side by side in a picture
// ImageWidth wide: the column range it occupies. Columns beyond Count frames
// are never part of a frame. A Count below 1 or an Index outside 1..Count
// gives an empty range.
struct TskFrameColumns {
    int Left = 0, Width = 0;
    bool operator==(const TskFrameColumns&) const = default;
};
TskFrameColumns FrameColumns(int ImageWidth, int Count, int Index);

// One piece of a stretched picture: Source in the picture, Dest on the canvas.
// Unscaled pieces have equal sizes; stretched ones are scaled to Dest.
struct TskPicturePiece {
    int Step = 0;  // order of drawing, as numbered below
    TRect Source;
    TRect Dest;
    bool Stretched = false;
    bool operator==(const TskPicturePiece&) const = default;
};

// A W x H picture (one frame) stretched over Rect with unscaled corners.
// Steps: 1 top-left, 2 bottom-left, 3 left edge, 4 top-right, 5 bottom-right,
// 6 right edge, 7 top edge, 8 centre, 9 bottom edge. Pieces on the left and
// top sit at 0, those on the right and bottom against Rect.Right and
// Rect.Bottom. Pieces that come out empty (a tiny picture or area, or an
// even-height picture's left edge) are left out; no size is ever negative and
// no piece reaches outside the picture or outside (0, 0)-(Rect.Right, Rect.Bottom).
std::vector<TskPicturePiece> NineGridPieces(int PictureWidth, int PictureHeight, const TRect& Rect);

// A picture of three equal frames (left cap, middle, right cap) over Rect:
// the caps unscaled at both ends, the middle stretched between them.
// Steps: 1 left cap, 2 right cap, 3 middle.
std::vector<TskPicturePiece> ThreePartPieces(int PictureWidth, int PictureHeight, const TRect& Rect);

// Where a picture is drawn to tile Rect: from the canvas origin, not from
// Rect's corner, one picture further than Rect reaches. A picture without
// width or height gives no places.
std::vector<TPoint> TilePositions(int PictureWidth, int PictureHeight, const TRect& Rect);

// Quarter turns of a row-major pixel block Width x Height; the result is
// Height wide and Width high. Counter-clockwise: (x, y) lands at
// (y, Width - 1 - x). Clockwise: (x, y) lands at (Height - 1 - y, x).
template <class T>
std::vector<T> RotatePixelsCCW(const std::vector<T>& Pixels, int Width, int Height) {
    std::vector<T> out(Pixels.size());
    const int outWidth = Height;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) out[(Width - 1 - x) * outWidth + y] = Pixels[y * Width + x];
    return out;
}

template <class T>
std::vector<T> RotatePixelsCW(const std::vector<T>& Pixels, int Width, int Height) {
    std::vector<T> out(Pixels.size());
    const int outWidth = Height;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) out[x * outWidth + (Height - 1 - y)] = Pixels[y * Width + x];
    return out;
}
