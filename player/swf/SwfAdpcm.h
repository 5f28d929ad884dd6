#pragma once
// The movie format's ADPCM: packets of 4096 samples per channel, each
// starting with a plain 16-bit sample and a step index, then codes of 2 to 5
// bits (the width is stated once, at the start of the data).

#include <cstdint>
#include <span>
#include <vector>

// One channel's decoder state; Step applies one code of Bits bits.
struct TSwfAdpcmState {
    int Sample = 0;
    int Index = 0;
    void Step(unsigned Code, unsigned Bits);
};

// Decodes up to SampleCount samples per channel, interleaved, into Out.
// Returns false when the data ends inside a packet header or a code group.
bool DecodeAdpcm(std::span<const uint8_t> Data, int Channels, uint32_t SampleCount, std::vector<int16_t>& Out);
