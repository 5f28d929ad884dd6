#pragma once
// Little-endian reads from a byte block. Callers check the bounds first; the
// helpers themselves only assert them.

#include <cassert>
#include <cstdint>
#include <span>

inline std::uint16_t ReadU16LE(std::span<const std::uint8_t> Data, std::size_t Offset) {
    assert(Offset + 2 <= Data.size());
    return static_cast<std::uint16_t>(Data[Offset] | (Data[Offset + 1] << 8));
}

inline std::uint32_t ReadU32LE(std::span<const std::uint8_t> Data, std::size_t Offset) {
    assert(Offset + 4 <= Data.size());
    return static_cast<std::uint32_t>(Data[Offset]) | (static_cast<std::uint32_t>(Data[Offset + 1]) << 8) |
           (static_cast<std::uint32_t>(Data[Offset + 2]) << 16) | (static_cast<std::uint32_t>(Data[Offset + 3]) << 24);
}
