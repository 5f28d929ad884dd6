#pragma once
// The glyphs of the builder's movie-list buttons (Add, Remove, Up, Down):
// 32 x 16, the enabled image on the left and the disabled one on the right,
// fuchsia wherever the button's face shows through (the button masks a glyph
// by its top-left pixel).

#include "Raster.h"

#include <string>
#include <vector>

struct NamedGlyph {
    std::string Name;  // also the file name the generator writes, without ".bmp"
    Bitmap Image;
};

std::vector<NamedGlyph> MovieButtonGlyphs();
