#include "IconFile.h"

#include "Exceptions.h"

#include <cstring>

namespace {

[[noreturn]] void Invalid() { throw EInvalidGraphic("Icon image is not valid"); }

uint32_t U16(const uint8_t* p) { return static_cast<uint32_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) { return U16(p) | (U16(p + 2) << 16); }

constexpr size_t kDirectorySize = 6, kEntrySize = 16, kInfoHeaderSize = 40;
constexpr int64_t kMaxSide = 32768;
constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

uint64_t RowBytes(int64_t Width, uint32_t BitCount) { return ((static_cast<uint64_t>(Width) * BitCount + 31) / 32) * 4; }

// A bitmap image: header, colour table, colour rows and mask rows in Size bytes.
void CheckBitmapImage(const uint8_t* p, size_t Size) {
    if (Size < kInfoHeaderSize) Invalid();
    const uint32_t headerSize = U32(p);
    if (headerSize < kInfoHeaderSize || headerSize > Size) Invalid();
    const int64_t width = static_cast<int32_t>(U32(p + 4));
    const int64_t height = static_cast<int32_t>(U32(p + 8)) / 2;  // colour rows and mask rows
    const uint32_t planes = U16(p + 12), bitCount = U16(p + 14), compression = U32(p + 16);
    const uint32_t colorsUsed = U32(p + 32);
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || planes != 1 || compression != 0) Invalid();
    switch (bitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: Invalid();
    }
    uint64_t colours = colorsUsed;
    if (bitCount <= 8 && (colours == 0 || colours > (1u << bitCount))) colours = 1u << bitCount;
    const uint64_t need = headerSize + 4 * colours + RowBytes(width, bitCount) * height + RowBytes(width, 1) * height;
    if (need > Size) Invalid();
}

}  // namespace

TIconImage ChooseIconImage(const uint8_t* Data, size_t Size, int Wanted) {
    if (Size < kDirectorySize || U16(Data) != 0 || U16(Data + 2) != 1) Invalid();
    const uint32_t count = U16(Data + 4);
    if (count == 0 || (Size - kDirectorySize) / kEntrySize < count) Invalid();
    size_t chosen = kDirectorySize;
    for (uint32_t i = 0; i < count; ++i) {
        const size_t e = kDirectorySize + kEntrySize * i;
        const int width = Data[e] == 0 ? 256 : Data[e];
        if (width == Wanted) {
            chosen = e;
            break;
        }
    }
    TIconImage image{U32(Data + chosen + 12), U32(Data + chosen + 8)};
    if (image.Offset > Size || image.Size > Size - image.Offset) Invalid();
    const uint8_t* p = Data + image.Offset;
    const bool png = image.Size >= sizeof kPngSignature && std::memcmp(p, kPngSignature, sizeof kPngSignature) == 0;
    if (!png) CheckBitmapImage(p, image.Size);
    return image;
}
