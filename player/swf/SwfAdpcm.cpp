#include "SwfAdpcm.h"

#include "SwfBitReader.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<int, 89> kSteps = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,    25,    28,
    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,    88,    97,    107,   118,
    130,   143,   157,   173,   190,   209,   230,   253,   279,   307,   337,   371,   408,   449,   494,
    544,   598,   658,   724,   796,   876,   963,   1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,
    2272,  2499,  2749,  3024,  3327,  3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,
    9493,  10442, 11487, 12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};

// How the step index moves for each magnitude, by code width.
constexpr int kIndex2[] = {-1, 2};
constexpr int kIndex3[] = {-1, -1, 2, 4};
constexpr int kIndex4[] = {-1, -1, -1, -1, 2, 4, 6, 8};
constexpr int kIndex5[] = {-1, -1, -1, -1, -1, -1, -1, -1, 1, 2, 4, 6, 8, 10, 13, 16};

int IndexMove(unsigned Magnitude, unsigned Bits) {
    switch (Bits) {
    case 2: return kIndex2[Magnitude];
    case 3: return kIndex3[Magnitude];
    case 4: return kIndex4[Magnitude];
    default: return kIndex5[Magnitude];
    }
}

constexpr uint32_t kPacketSamples = 4096;

}  // namespace

void TSwfAdpcmState::Step(unsigned Code, unsigned Bits) {
    const unsigned sign = 1u << (Bits - 1);
    int step = kSteps[Index];
    // The magnitude bits add halving fractions of the step, plus the last half.
    int delta = 0;
    for (unsigned bit = sign >> 1; bit; bit >>= 1, step >>= 1)
        if (Code & bit) delta += step;
    delta += step;
    Sample = std::clamp(Code & sign ? Sample - delta : Sample + delta, -32768, 32767);
    Index = std::clamp(Index + IndexMove(Code & (sign - 1), Bits), 0, 88);
}

bool DecodeAdpcm(std::span<const uint8_t> Data, int Channels, uint32_t SampleCount, std::vector<int16_t>& Out) {
    if (Channels < 1 || Channels > 2) return false;
    TSwfBitReader r(Data);
    const unsigned bits = r.UB(2) + 2;
    // Each sample takes at least two bits, which bounds what the data can hold.
    const uint64_t room = uint64_t(Data.size()) * 8 / (bits * Channels) + 1;
    Out.reserve(std::min<uint64_t>(SampleCount, room) * Channels);
    TSwfAdpcmState state[2];
    uint32_t done = 0;
    while (done < SampleCount) {
        // A packet: headers for every channel, then its codes.
        for (int c = 0; c < Channels; ++c) {
            state[c].Sample = r.SB(16);
            state[c].Index = static_cast<int>(r.UB(6));
        }
        if (r.Overrun()) return false;
        for (int c = 0; c < Channels; ++c) Out.push_back(static_cast<int16_t>(state[c].Sample));
        ++done;
        for (uint32_t i = 1; i < kPacketSamples && done < SampleCount; ++i, ++done) {
            unsigned codes[2] = {};
            for (int c = 0; c < Channels; ++c) codes[c] = r.UB(bits);
            if (r.Overrun()) return false;
            for (int c = 0; c < Channels; ++c) {
                state[c].Step(codes[c], bits);
                Out.push_back(static_cast<int16_t>(state[c].Sample));
            }
        }
    }
    return true;
}
