#pragma once
// The icon file format (".ico"): a directory of images, each either a packed
// bitmap twice as tall as the icon (its colour rows, then its 1-bit mask
// rows) or a PNG file. The system decodes the chosen image; everything the
// file declares about its place and its rows is checked here first, so that
// the system is never handed an image that reaches past the data.

#include <cstddef>
#include <cstdint>

struct TIconImage {
    size_t Offset = 0;  // from the start of the file
    size_t Size = 0;
};

// The image whose width is Wanted, else the first one. Raises EInvalidGraphic
// "Icon image is not valid" when the directory, the image's place or (for a
// bitmap image) its header, colour table, colour rows or mask rows do not lie
// inside the data.
TIconImage ChooseIconImage(const uint8_t* Data, size_t Size, int Wanted);
