#pragma once
// Colours of gradient and bitmap fills at pixel centres, computed here rather
// than by the drawing library: the file's spread modes, interpolation modes,
// focal points and edge rules have no exact counterpart in GDI+. The renderer
// lays the result under the area's outline.

#include "SwfBitmap.h"
#include "SwfFill.h"

#include <array>
#include <cstdint>

// The 256 colours of a gradient's ramp, premultiplied 0xAARRGGBB.
std::array<uint32_t, 256> GradientRamp(const TSwfFill& Fill);

// Where on the ramp (0..1, before spreading) a point of the gradient square lies.
double GradientPosition(const TSwfFill& Fill, double X, double Y);

// Paints Width x Height premultiplied pixels whose top left is target pixel
// (Left, Top), rows Stride pixels apart (0: Width). FillToTarget maps the
// fill's own space (gradient square, bitmap pixels) to target pixels. Image is
// the bitmap of a bitmap fill and BitmapTransform its colour transform. False when nothing can be painted (a matrix
// that collapses the fill, a missing picture): the pixels are left as they were.
bool PaintFill(const TSwfFill& Fill, const TSwfImage* Image, const TSwfColorTransform& BitmapTransform,
               const TSwfMatrix& FillToTarget, int Left, int Top, int Width, int Height, uint32_t* Out,
               size_t Stride = 0);

// The inverse of M, or false when M has no inverse.
bool Invert(const TSwfMatrix& M, TSwfMatrix& Inverse);
