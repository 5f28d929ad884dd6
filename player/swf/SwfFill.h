#pragma once
// How an area or a line is painted: one colour, a gradient over the gradient
// square, or a bitmap under its own matrix. Matrices map the fill's own space
// (gradient square units, bitmap pixels) into the shape's twips.

#include "SwfTypes.h"

#include <cstdint>
#include <vector>

struct TSwfGradientStop {
    uint8_t Ratio = 0;
    TSwfRgba Color;
    bool operator==(const TSwfGradientStop&) const = default;
};

enum class TSwfSpread : uint8_t { Pad, Reflect, Repeat };
enum class TSwfInterpolation : uint8_t { Rgb, LinearRgb };

struct TSwfFill {
    enum TKind : uint8_t { Solid, Linear, Radial, Focal, Bitmap };
    TKind Kind = Solid;
    // The solid colour; for the other kinds a flat stand-in (the average of the
    // stops, grey for a bitmap) used where the fill cannot be drawn as it is.
    TSwfRgba Color;
    TSwfMatrix Matrix;
    TSwfSpread Spread = TSwfSpread::Pad;
    TSwfInterpolation Interpolation = TSwfInterpolation::Rgb;
    std::vector<TSwfGradientStop> Stops;
    double FocalPoint = 0;  // -1..1 along the gradient's x axis
    uint16_t BitmapId = 0;
    bool Repeat = false;    // bitmap tiles; otherwise its edge pixels extend outwards
    bool Smooth = true;

    bool IsGradient() const { return Kind == Linear || Kind == Radial || Kind == Focal; }
    bool operator==(const TSwfFill&) const = default;
};

// The gradient square spans -GradientHalf..GradientHalf in both directions.
constexpr double GradientHalf = 16384;
