#pragma once
// Plain values shared by the movie reader, the scene and the renderers:
// colours, rectangles, affine matrices and colour transforms, all in the
// units the file uses (twips for lengths).

#include <cstdint>

constexpr int TwipsPerPixel = 20;

struct TSwfRgba {
    uint8_t R = 0, G = 0, B = 0, A = 255;
    bool operator==(const TSwfRgba&) const = default;
};

// Edges in twips. The file stores them as signed values of up to 31 bits, so
// sizes are computed in 64 bits.
struct TSwfRect {
    int32_t XMin = 0, XMax = 0, YMin = 0, YMax = 0;
    int64_t Width() const { return int64_t(XMax) - XMin; }
    int64_t Height() const { return int64_t(YMax) - YMin; }
    bool IsEmpty() const { return Width() <= 0 || Height() <= 0; }
    bool operator==(const TSwfRect&) const = default;
};

struct TSwfPoint {
    double X = 0, Y = 0;
    bool operator==(const TSwfPoint&) const = default;
};

// x' = A*x + C*y + Tx, y' = B*x + D*y + Ty (the file's ScaleX, RotateSkew0,
// RotateSkew1, ScaleY, TranslateX, TranslateY).
struct TSwfMatrix {
    double A = 1, B = 0, C = 0, D = 1, Tx = 0, Ty = 0;

    TSwfPoint Apply(TSwfPoint p) const { return {A * p.X + C * p.Y + Tx, B * p.X + D * p.Y + Ty}; }
    // How much the matrix scales lengths on average: line widths follow it.
    double LengthScale() const;
    bool operator==(const TSwfMatrix&) const = default;

    static TSwfMatrix Translate(double x, double y) { return {1, 0, 0, 1, x, y}; }
    static TSwfMatrix Scale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
    static TSwfMatrix Rotate(double radians);
};

// Parent after child: Concat(parent, child).Apply(p) == parent.Apply(child.Apply(p)).
TSwfMatrix Concat(const TSwfMatrix& parent, const TSwfMatrix& child);

// Channel' = Channel * Mult + Add, clamped to 0..255.
struct TSwfColorTransform {
    double RM = 1, GM = 1, BM = 1, AM = 1;
    double RA = 0, GA = 0, BA = 0, AA = 0;

    TSwfRgba Apply(TSwfRgba c) const;
    bool operator==(const TSwfColorTransform&) const = default;
};

TSwfColorTransform Concat(const TSwfColorTransform& parent, const TSwfColorTransform& child);
