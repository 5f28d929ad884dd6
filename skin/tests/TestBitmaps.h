#pragma once
// Small bitmap files for the theme file tests.

#include <cstdint>
#include <vector>

inline void PutLE(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v, int bytes = 4) {
    for (int i = 0; i < bytes; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A bottom-up bitmap file with a plain info header; pixels are a simple ramp.
inline std::vector<std::uint8_t> MakeBitmap(int Width, int Height, int BitCount = 24, std::uint32_t ColorsUsed = 0) {
    const std::uint32_t palette = BitCount <= 8 ? (ColorsUsed ? ColorsUsed : (1u << BitCount)) : 0;
    const std::uint32_t stride = (static_cast<std::uint32_t>(Width) * BitCount + 31) / 32 * 4;
    const std::uint32_t offBits = 14 + 40 + palette * 4;
    std::vector<std::uint8_t> b(offBits + stride * static_cast<std::uint32_t>(Height), 0);
    b[0] = 'B';
    b[1] = 'M';
    PutLE(b, 2, static_cast<std::uint32_t>(b.size()));
    PutLE(b, 10, offBits);
    PutLE(b, 14, 40);
    PutLE(b, 18, static_cast<std::uint32_t>(Width));
    PutLE(b, 22, static_cast<std::uint32_t>(Height));
    PutLE(b, 26, 1, 2);
    PutLE(b, 28, static_cast<std::uint32_t>(BitCount), 2);
    PutLE(b, 46, ColorsUsed);
    for (std::size_t i = offBits; i < b.size(); ++i) b[i] = static_cast<std::uint8_t>(i * 7);
    return b;
}
