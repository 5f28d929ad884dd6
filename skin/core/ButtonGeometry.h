#pragma once
// Sizes and places of the skinned buttons and check box: where a button's
// glyph and caption go, how big an auto-sized button or check box becomes.
// Pure arithmetic; the controls measure text and pictures and ask here.
// Divisions truncate toward zero, as the controls' layout has always done.

#include "GraphicsTypes.h"

#include <string>

// Where a button's glyph sits relative to its caption.
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

struct TskGlyphPlacement {
    TPoint Glyph;    // top-left of the glyph image
    TPoint Caption;  // top-left of the caption
    bool operator==(const TskGlyphPlacement&) const = default;
};

// A glyph GlyphW x GlyphH and a caption TextW x TextH on a Width x Height
// button, Spacing pixels apart, centred together.
TskGlyphPlacement PlaceGlyph(TButtonLayout Layout, int Width, int Height, int TextW, int TextH, int GlyphW, int GlyphH,
                             int Spacing);

// A glyph twice as wide as high holds two images side by side (enabled,
// disabled); the width of one image.
int GlyphImageWidth(int GlyphW, int GlyphH);

// The size of an auto-sized button from its whole three-frame picture; an
// absent picture (0 wide or 0 high) counts as 74 x 21.
TSize ButtonAutoSize(int PictureW, int PictureH);

// The size of an auto-sized check box: the box, 4 pixels, the caption and a
// margin across; the taller of text and box plus a margin down. TextH is the
// height of a line ("W"), CaptionW the caption's width.
TSize CheckBoxAutoSize(int BoxW, int BoxH, int TextH, int CaptionW);

// Every "&" removed, escaped pairs included ("&&" loses both characters).
std::string RemoveAmpersands(const std::string& Caption);
