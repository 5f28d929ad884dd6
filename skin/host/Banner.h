#pragma once
// The builder's About banner: the product's name in drawn capitals on a
// clean light band, made at build time like the rest of the art.

#include "Raster.h"

// A banner of the given size (the inside of the About box's banner frame).
Bitmap AboutBanner(int Width, int Height);
