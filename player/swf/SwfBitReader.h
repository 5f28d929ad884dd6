#pragma once
// Reads the file's bit-packed and little-endian fields from one bounded slice
// of bytes. Reading past the end never touches memory outside the slice: it
// yields zeros and sets Overrun(), which callers check to stop early.

#include "SwfTypes.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

class TSwfBitReader {
public:
    explicit TSwfBitReader(std::span<const uint8_t> Data) : data_(Data) {}

    uint32_t UB(unsigned Bits);
    int32_t SB(unsigned Bits);
    // Signed 16.16 fixed point stored in Bits bits.
    double FB(unsigned Bits) { return SB(Bits) / 65536.0; }
    void Align() { bitsLeft_ = 0; }

    uint8_t U8();
    uint16_t U16();
    uint32_t U32();
    int16_t S16() { return static_cast<int16_t>(U16()); }
    // 8.8 fixed point.
    double Fixed8() { return S16() / 256.0; }
    std::string String();

    TSwfRect Rect();
    TSwfMatrix Matrix();
    TSwfColorTransform ColorTransform(bool WithAlpha);
    TSwfRgba Rgb();
    TSwfRgba Rgba();

    bool Overrun() const { return overrun_; }
    size_t Position() const { return pos_; }
    size_t Remaining() const { return data_.size() - pos_; }
    // The unread bytes (after aligning), for a nested reader.
    std::span<const uint8_t> Rest();
    // Takes Count bytes as a slice of their own; sets Overrun() when fewer remain.
    std::span<const uint8_t> Take(size_t Count);

private:
    std::span<const uint8_t> data_;
    size_t pos_ = 0;
    uint32_t bitBuf_ = 0;
    unsigned bitsLeft_ = 0;
    bool overrun_ = false;
};
