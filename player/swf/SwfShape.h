#pragma once
// A vector shape as the renderers want it: an ordered list of filled and
// stroked paths in the shape's own twips. The file describes shapes as edges
// with a fill on either side; the reader joins those edges into closed
// outlines per fill, so that a non-zero winding fill gives holes and overlaps
// their right look.

#include "SwfFill.h"
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

enum class TSwfCap : uint8_t { Round, None, Square };
enum class TSwfJoin : uint8_t { Round, Bevel, Miter };

struct TSwfLineStyle {
    TSwfCap StartCap = TSwfCap::Round, EndCap = TSwfCap::Round;
    TSwfJoin Join = TSwfJoin::Round;
    double MiterLimit = 3;  // times half the width
    bool NoClose = false;   // an outline that comes back to its start keeps its ends (caps, no join)
    bool operator==(const TSwfLineStyle&) const = default;
};

struct TSwfShapePath {
    bool IsLine = false;      // stroked outline; otherwise a filled area
    TSwfRgba Color;           // the solid colour, or the flat stand-in of Fill
    TSwfFill Fill;            // how the area or line is painted
    double LineWidth = 0;     // twips; 0 is a hairline
    TSwfLineStyle Line;
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

// A glyph outline (a shape without styles, filled with style 1). False when
// the data ran out before the end record.
bool ReadGlyphShape(std::span<const uint8_t> Body, TSwfShape& Shape);

// One edge of a shape's outline in twips, with the styles on its sides.
struct TSwfEdge {
    double X0 = 0, Y0 = 0;
    bool Curved = false;
    double Cx = 0, Cy = 0;
    double X1 = 0, Y1 = 0;
    unsigned Fill0 = 0, Fill1 = 0, Line = 0;
};

// A shape tween: the same edges at a start and an end, with start and end
// styles; drawn at any ratio between.
struct TSwfMorphShape {
    TSwfRect StartBounds, EndBounds;
    std::vector<TSwfShapePath> StartStyles, EndStyles;  // fills then lines, no segments
    size_t FillCount = 0;                               // how many of the styles are fills
    std::vector<TSwfEdge> StartEdges, EndEdges;         // pairwise
};

// DefineMorphShape (Version 1) and DefineMorphShape2 (Version 2) after the id.
// False when the data ran out or the two edge lists do not pair up; the tween
// then holds what could be paired.
bool ReadMorphShape(std::span<const uint8_t> Body, int Version, TSwfMorphShape& Morph);

// The tween at Ratio (0 the start, 1 the end).
TSwfShape MorphAt(const TSwfMorphShape& Morph, double Ratio);
