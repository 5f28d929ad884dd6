#pragma once
// A vector shape as the renderers want it: an ordered list of filled and
// stroked paths in the shape's own twips. The file describes shapes as edges
// with a fill on either side; the reader joins those edges into closed
// outlines per fill, so that a non-zero winding fill gives holes and overlaps
// their right look.

#include "SwfTypes.h"

#include <cstdint>
#include <span>
#include <vector>

struct TSwfPathSegment {
    enum TKind : uint8_t { Move, Line, Curve };
    TKind Kind = Move;
    TSwfPoint Control;  // only for Curve: the quadratic control point
    TSwfPoint To;
};

struct TSwfShapePath {
    bool IsLine = false;      // stroked outline; otherwise a filled area
    TSwfRgba Color;           // gradients and bitmaps come as one flat colour
    double LineWidth = 0;     // twips; 0 is a hairline
    std::vector<TSwfPathSegment> Segments;
};

struct TSwfShape {
    TSwfRect Bounds;
    std::vector<TSwfShapePath> Paths;  // in drawing order
};

// Reads the body of a DefineShape tag of version 1 to 4 after its character
// id. Returns false when the data ran out or made no sense; what was read up to
// that point is still in Shape.
bool ReadShape(std::span<const uint8_t> Body, int Version, TSwfShape& Shape);
