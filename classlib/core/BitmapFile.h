#pragma once
// The Windows bitmap format: checks a bitmap file ("BM" and its headers) or a
// packed bitmap (as bitmap resources hold it) against the bytes actually there,
// so that nothing later reads past the data; and writes 24-bit bitmap files.

#include <cstddef>
#include <cstdint>
#include <vector>

struct TBmpLayout {
    int32_t Width = 0;
    int32_t Height = 0;      // always positive
    bool TopDown = false;
    uint16_t BitCount = 0;   // 1, 4, 8, 16, 24 or 32
    uint32_t Compression = 0;  // 0 none, 1 RLE8, 2 RLE4, 3 bit fields
    std::vector<uint32_t> Palette;  // $00RRGGBB entries (as RGBQUAD)
    uint32_t Masks[3] = {0, 0, 0};  // red, green, blue for bit fields
    size_t BitsOffset = 0;   // from the start of the data given
    size_t BitsSize = 0;     // bytes of pixel data available there
};

constexpr uint32_t kBmpRGB = 0, kBmpRLE8 = 1, kBmpRLE4 = 2, kBmpBitFields = 3;

// Parses a bitmap file (FileHeader) or a packed bitmap. Raises EInvalidGraphic
// with "Bitmap image is not valid" for anything malformed or truncated.
TBmpLayout ParseBmp(const uint8_t* Data, size_t Size, bool FileHeader);

// A bottom-up 24-bit bitmap file of Pixels ($00RRGGBB, top row first).
std::vector<uint8_t> EncodeBmp24(int32_t Width, int32_t Height, const uint32_t* Pixels);
