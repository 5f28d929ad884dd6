#include "BitmapFile.h"

#include "Exceptions.h"

#include <cstring>

namespace {

// Large enough for any skin or picture, small enough that sizes cannot overflow.
constexpr int64_t kMaxSide = 32768;
constexpr int64_t kMaxPixels = int64_t(1) << 28;

[[noreturn]] void Invalid() { throw EInvalidGraphic("Bitmap image is not valid"); }

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

void Put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
    Put16(v, x & 0xFFFF);
    Put16(v, x >> 16);
}

}  // namespace

TBmpLayout ParseBmp(const uint8_t* Data, size_t Size, bool FileHeader) {
    TBmpLayout b;
    size_t pos = 0;
    uint32_t bitsAt = 0;
    if (FileHeader) {
        if (Size < 14 || Data[0] != 'B' || Data[1] != 'M') Invalid();
        bitsAt = U32(Data + 10);
        pos = 14;
    }
    if (Size - pos < 12) Invalid();
    const uint8_t* h = Data + pos;
    const uint32_t headerSize = U32(h);
    int64_t width, height;
    uint16_t planes;
    uint32_t colorsUsed = 0;
    size_t entrySize = 4;
    if (headerSize == 12) {
        width = U16(h + 4);
        height = static_cast<int16_t>(U16(h + 6));
        planes = U16(h + 8);
        b.BitCount = U16(h + 10);
        entrySize = 3;
    } else if (headerSize >= 40 && headerSize <= 124) {
        if (Size - pos < headerSize) Invalid();
        width = static_cast<int32_t>(U32(h + 4));
        height = static_cast<int32_t>(U32(h + 8));
        planes = U16(h + 12);
        b.BitCount = U16(h + 14);
        b.Compression = U32(h + 16);
        colorsUsed = U32(h + 32);
    } else {
        Invalid();
    }
    pos += headerSize;

    if (planes != 1 || width <= 0 || height == 0) Invalid();
    b.TopDown = height < 0;
    if (height < 0) height = -height;
    if (width > kMaxSide || height > kMaxSide || width * height > kMaxPixels) Invalid();
    b.Width = static_cast<int32_t>(width);
    b.Height = static_cast<int32_t>(height);

    switch (b.BitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: Invalid();
    }
    switch (b.Compression) {
    case kBmpRGB: break;
    case kBmpRLE8: if (b.BitCount != 8 || b.TopDown) Invalid(); break;
    case kBmpRLE4: if (b.BitCount != 4 || b.TopDown) Invalid(); break;
    case kBmpBitFields: if (b.BitCount != 16 && b.BitCount != 32) Invalid(); break;
    default: Invalid();
    }

    if (b.Compression == kBmpBitFields) {
        // A header of 52 bytes or more holds the three masks in its bytes 40
        // to 51; after a shorter one they follow the header, as after the
        // classic 40-byte one. Either way they must lie inside the data.
        constexpr size_t kMasksEnd = 40 + 12;
        const uint8_t* masks = nullptr;
        if (headerSize >= kMasksEnd) {
            masks = h + 40;
        } else {
            if (Size - pos < 12) Invalid();
            masks = Data + pos;
            pos += 12;
        }
        for (int i = 0; i < 3; ++i) b.Masks[i] = U32(masks + 4 * i);
    }
    if (b.BitCount <= 8) {
        const uint32_t most = 1u << b.BitCount;
        const uint32_t count = colorsUsed == 0 || colorsUsed > most ? most : colorsUsed;
        if ((Size - pos) / entrySize < count) Invalid();
        b.Palette.resize(count);
        for (uint32_t i = 0; i < count; ++i) {
            const uint8_t* e = Data + pos + i * entrySize;
            b.Palette[i] = static_cast<uint32_t>(e[0]) | (static_cast<uint32_t>(e[1]) << 8) |
                           (static_cast<uint32_t>(e[2]) << 16);
        }
        pos += count * entrySize;
    } else if (colorsUsed != 0 && !FileHeader) {
        // Deeper bitmaps may still carry a colour table (a hint for palette
        // displays); in a packed bitmap the pixels follow it. A file says
        // where its pixels are, so there the table is not needed.
        if ((Size - pos) / entrySize < colorsUsed) Invalid();
        pos += static_cast<size_t>(colorsUsed) * entrySize;
    }

    if (FileHeader) {
        if (bitsAt < pos || bitsAt > Size) Invalid();
        pos = bitsAt;
    }
    b.BitsOffset = pos;
    b.BitsSize = Size - pos;
    if (b.Compression == kBmpRGB || b.Compression == kBmpBitFields) {
        const uint64_t stride = ((static_cast<uint64_t>(b.Width) * b.BitCount + 31) / 32) * 4;
        const uint64_t need = stride * static_cast<uint64_t>(b.Height);
        if (b.BitsSize < need) Invalid();
        b.BitsSize = static_cast<size_t>(need);
    } else if (b.BitsSize == 0) {
        Invalid();
    }
    return b;
}

std::vector<uint8_t> EncodeBmp24(int32_t Width, int32_t Height, const uint32_t* Pixels) {
    const uint32_t stride = ((static_cast<uint32_t>(Width) * 24 + 31) / 32) * 4;
    const uint32_t imageSize = stride * static_cast<uint32_t>(Height);
    std::vector<uint8_t> v;
    v.reserve(54 + imageSize);
    v.push_back('B');
    v.push_back('M');
    Put32(v, 54 + imageSize);
    Put32(v, 0);
    Put32(v, 54);
    Put32(v, 40);
    Put32(v, static_cast<uint32_t>(Width));
    Put32(v, static_cast<uint32_t>(Height));
    Put16(v, 1);
    Put16(v, 24);
    Put32(v, kBmpRGB);
    Put32(v, imageSize);
    Put32(v, 2835);
    Put32(v, 2835);
    Put32(v, 0);
    Put32(v, 0);
    for (int32_t y = Height - 1; y >= 0; --y) {
        const uint32_t* row = Pixels + static_cast<size_t>(y) * Width;
        for (int32_t x = 0; x < Width; ++x) {
            v.push_back(static_cast<uint8_t>(row[x]));        // blue
            v.push_back(static_cast<uint8_t>(row[x] >> 8));   // green
            v.push_back(static_cast<uint8_t>(row[x] >> 16));  // red
        }
        for (uint32_t pad = Width * 3; pad < stride; ++pad) v.push_back(0);
    }
    return v;
}
