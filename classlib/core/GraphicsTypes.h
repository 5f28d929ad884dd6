#pragma once
// Points, sizes and rectangles of the library. TRect has the layout of the
// Win32 RECT (Right and Bottom exclusive), so the Windows code passes it
// straight to GDI; this header stays free of <windows.h>.

#include <cstdint>

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TSize {
    int32_t cx = 0;
    int32_t cy = 0;
    bool operator==(const TSize&) const = default;
};

struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    TPoint TopLeft() const { return {Left, Top}; }
    TPoint BottomRight() const { return {Right, Bottom}; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(TPoint P) const { return P.X >= Left && P.X < Right && P.Y >= Top && P.Y < Bottom; }
    bool operator==(const TRect&) const = default;
};

constexpr TPoint Point(int32_t X, int32_t Y) { return {X, Y}; }
constexpr TRect Rect(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom) { return {Left, Top, Right, Bottom}; }
constexpr TRect Bounds(int32_t Left, int32_t Top, int32_t Width, int32_t Height) {
    return {Left, Top, Left + Width, Top + Height};
}
