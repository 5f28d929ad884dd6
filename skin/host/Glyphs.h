#pragma once
// Outlines of the small symbols drawn on the skin pictures, centred on (cx, cy)
// with half-size k.

#include "Raster.h"

enum class Direction { Up, Down, Left, Right };

Shape GlyphClose(double cx, double cy, double k, double stroke);
Shape GlyphMaximize(double cx, double cy, double k, double stroke);
Shape GlyphRestore(double cx, double cy, double k, double stroke);
Shape GlyphMinimize(double cx, double cy, double k, double stroke);
Shape GlyphHelp(double cx, double cy, double k, double stroke);
Shape Chevron(Direction d, double cx, double cy, double k, double stroke);
Shape Triangle(Direction d, double cx, double cy, double k);
Shape CheckMark(double cx, double cy, double k, double stroke);
Shape Plus(double cx, double cy, double k, double stroke);
Shape Minus(double cx, double cy, double k, double stroke);
// An arrow with a head of half-width k and a shaft of the given width.
Shape BlockArrow(Direction d, double cx, double cy, double k, double shaft);
