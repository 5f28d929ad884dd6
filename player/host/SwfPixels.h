#pragma once
// For the programs that write movies while building: shapes are drawn and
// placed in pixels, while the SWF writer counts in twips.

#include "SwfWriter.h"

#include <cmath>
#include <cstdint>

// A length in pixels as whole twips.
inline int32_t Tw(double px) { return static_cast<int32_t>(std::lround(px * TwipsPerPixel)); }

// Placed at (xPx, yPx) pixels, scaled and turned by radians about the shape's origin.
inline TSwfMatrix At(double xPx, double yPx, double scale = 1, double radians = 0) {
    TSwfMatrix m = Concat(TSwfMatrix::Rotate(radians), TSwfMatrix::Scale(scale, scale));
    m.Tx = xPx * TwipsPerPixel;
    m.Ty = yPx * TwipsPerPixel;
    return m;
}
