#include "BitmapCheck.h"

#include "ByteReader.h"

namespace {

// Larger pictures are no skin art; refusing them keeps a hostile file from
// making the loader allocate gigabytes.
constexpr std::int64_t MaxSide = 16384;

}  // namespace

bool InspectBitmapFile(std::span<const std::uint8_t> Data, TBitmapFileInfo& Info) {
    constexpr std::size_t FileHeaderSize = 14;
    if (Data.size() < FileHeaderSize + 12 || Data[0] != 'B' || Data[1] != 'M') return false;
    const std::uint32_t offBits = ReadU32LE(Data, 10);
    const std::uint32_t infoSize = ReadU32LE(Data, 14);

    std::int64_t width = 0, height = 0;
    std::uint32_t planes = 0, bitCount = 0, compression = 0, colorsUsed = 0;
    std::size_t paletteEntrySize = 4;
    std::size_t masksSize = 0;
    if (infoSize == 12) {
        width = ReadU16LE(Data, 18);
        height = ReadU16LE(Data, 20);
        planes = ReadU16LE(Data, 22);
        bitCount = ReadU16LE(Data, 24);
        paletteEntrySize = 3;
    } else if (infoSize == 40 || infoSize == 52 || infoSize == 56 || infoSize == 108 || infoSize == 124) {
        if (Data.size() < FileHeaderSize + infoSize) return false;
        width = static_cast<std::int32_t>(ReadU32LE(Data, 18));
        height = static_cast<std::int32_t>(ReadU32LE(Data, 22));
        planes = ReadU16LE(Data, 26);
        bitCount = ReadU16LE(Data, 28);
        compression = ReadU32LE(Data, 30);
        colorsUsed = ReadU32LE(Data, 46);
        // A plain info header keeps its three bit-field masks after itself; the
        // longer headers carry them inside.
        if (infoSize == 40 && compression == 3) masksSize = 12;
    } else {
        return false;
    }

    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (planes != 1 || width <= 0 || height <= 0 || width > MaxSide || height > MaxSide) return false;

    switch (bitCount) {
    case 1: case 4: case 8: case 24:
        if (compression != 0) return false;
        break;
    case 16: case 32:
        if (compression != 0 && compression != 3) return false;
        break;
    default:
        return false;
    }
    if (infoSize == 12 && topDown) return false;

    std::uint64_t paletteEntries = 0;
    if (bitCount <= 8) {
        const std::uint64_t maxEntries = 1u << bitCount;
        if (colorsUsed > maxEntries) return false;
        paletteEntries = colorsUsed ? colorsUsed : maxEntries;
    }
    const std::uint64_t headersEnd = FileHeaderSize + std::uint64_t{infoSize} + masksSize +
                                     paletteEntries * paletteEntrySize;
    if (headersEnd > Data.size() || offBits < headersEnd || offBits > Data.size()) return false;

    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
    if (stride * static_cast<std::uint64_t>(height) > Data.size() - offBits) return false;

    Info.Width = static_cast<std::int32_t>(width);
    Info.Height = static_cast<std::int32_t>(height);
    Info.TopDown = topDown;
    Info.BitCount = static_cast<int>(bitCount);
    return true;
}
