#pragma once
// File formats the art generator writes: Windows bitmaps (24-bit, or 8-bit with
// a palette whose first entry is fuchsia), icons and PNG for the art sheet.

#include "Raster.h"

#include <cstdint>
#include <string>
#include <vector>

std::vector<std::uint8_t> EncodeBitmap24(const Bitmap& b);
// Raises std::runtime_error when the picture has more than 255 colours besides fuchsia.
std::vector<std::uint8_t> EncodeBitmap8(const Bitmap& b);

// An icon of 32-bit images with alpha (each given as colour plus coverage).
struct IconImage {
    int Size = 0;
    std::vector<Color4> Pixels;  // top row first
};
std::vector<std::uint8_t> EncodeIcon(const std::vector<IconImage>& images);

std::vector<std::uint8_t> EncodePng(const Bitmap& b);

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
