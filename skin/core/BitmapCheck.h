#pragma once
// Checks that a block of bytes is a Windows bitmap file that a bitmap loader can
// read without running past its end: headers, colour table and pixel rows all
// inside the block, sane dimensions, uncompressed or bit-field pixels.

#include <cstdint>
#include <span>

struct TBitmapFileInfo {
    std::int32_t Width = 0;
    std::int32_t Height = 0;  // always positive; top-down files are flagged
    bool TopDown = false;
    int BitCount = 0;
};

// The bitmap's size and depth, or false when the bytes are not a well-formed bitmap file.
bool InspectBitmapFile(std::span<const std::uint8_t> Data, TBitmapFileInfo& Info);

inline bool IsWellFormedBitmap(std::span<const std::uint8_t> Data) {
    TBitmapFileInfo info;
    return InspectBitmapFile(Data, info);
}
