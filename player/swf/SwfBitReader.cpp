#include "SwfBitReader.h"

uint32_t TSwfBitReader::UB(unsigned Bits) {
    uint64_t v = 0;
    for (unsigned i = 0; i < Bits; ++i) {
        if (bitsLeft_ == 0) {
            if (pos_ >= data_.size()) {
                overrun_ = true;
                return 0;
            }
            bitBuf_ = data_[pos_++];
            bitsLeft_ = 8;
        }
        --bitsLeft_;
        v = (v << 1) | ((bitBuf_ >> bitsLeft_) & 1u);
    }
    return static_cast<uint32_t>(v);
}

int32_t TSwfBitReader::SB(unsigned Bits) {
    if (Bits == 0) return 0;
    int64_t v = UB(Bits);
    if (Bits < 64 && (v >> (Bits - 1)) & 1) v -= int64_t(1) << Bits;
    return static_cast<int32_t>(v);
}

uint8_t TSwfBitReader::U8() {
    Align();
    if (pos_ >= data_.size()) {
        overrun_ = true;
        return 0;
    }
    return data_[pos_++];
}

uint16_t TSwfBitReader::U16() {
    uint16_t lo = U8();
    return static_cast<uint16_t>(lo | (U8() << 8));
}

uint32_t TSwfBitReader::U32() {
    uint32_t lo = U16();
    return lo | (uint32_t(U16()) << 16);
}

std::string TSwfBitReader::String() {
    Align();
    std::string s;
    while (pos_ < data_.size()) {
        char c = static_cast<char>(data_[pos_++]);
        if (c == 0) return s;
        s += c;
    }
    overrun_ = true;
    return s;
}

TSwfRect TSwfBitReader::Rect() {
    Align();
    unsigned n = UB(5);
    TSwfRect r;
    r.XMin = SB(n);
    r.XMax = SB(n);
    r.YMin = SB(n);
    r.YMax = SB(n);
    Align();
    return r;
}

TSwfMatrix TSwfBitReader::Matrix() {
    Align();
    TSwfMatrix m;
    if (UB(1)) {
        unsigned n = UB(5);
        m.A = FB(n);
        m.D = FB(n);
    }
    if (UB(1)) {
        unsigned n = UB(5);
        m.B = FB(n);
        m.C = FB(n);
    }
    unsigned n = UB(5);
    m.Tx = SB(n);
    m.Ty = SB(n);
    Align();
    return m;
}

TSwfColorTransform TSwfBitReader::ColorTransform(bool WithAlpha) {
    Align();
    TSwfColorTransform cx;
    bool hasAdd = UB(1), hasMult = UB(1);
    unsigned n = UB(4);
    if (hasMult) {
        cx.RM = SB(n) / 256.0;
        cx.GM = SB(n) / 256.0;
        cx.BM = SB(n) / 256.0;
        if (WithAlpha) cx.AM = SB(n) / 256.0;
    }
    if (hasAdd) {
        cx.RA = SB(n);
        cx.GA = SB(n);
        cx.BA = SB(n);
        if (WithAlpha) cx.AA = SB(n);
    }
    Align();
    return cx;
}

TSwfRgba TSwfBitReader::Rgb() {
    TSwfRgba c;
    c.R = U8();
    c.G = U8();
    c.B = U8();
    return c;
}

TSwfRgba TSwfBitReader::Rgba() {
    TSwfRgba c = Rgb();
    c.A = U8();
    return c;
}

std::span<const uint8_t> TSwfBitReader::Rest() {
    Align();
    auto r = data_.subspan(pos_);
    pos_ = data_.size();
    return r;
}

std::span<const uint8_t> TSwfBitReader::Take(size_t Count) {
    Align();
    if (Count > data_.size() - pos_) {
        overrun_ = true;
        Count = data_.size() - pos_;
    }
    auto r = data_.subspan(pos_, Count);
    pos_ += Count;
    return r;
}
