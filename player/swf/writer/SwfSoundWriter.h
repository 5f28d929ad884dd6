#pragma once
// Sounds for the tests' movies and the samples: our own samples encoded as
// the file holds them, and the tags that define, start and stream them.

#include "SwfWriter.h"
#include "../SwfSound.h"

#include <cstdint>
#include <string>
#include <vector>

uint8_t SoundFormatBits(const TSwfSoundFormat& Format);
// Interleaved samples as uncompressed little-endian 16-bit or unsigned 8-bit data.
std::vector<uint8_t> EncodeRawSound(const std::vector<int16_t>& Samples, bool Wide);
// Interleaved samples as ADPCM with codes of Bits (2..5) bits.
std::vector<uint8_t> EncodeAdpcmSound(const std::vector<int16_t>& Samples, int Channels, unsigned Bits);

uint16_t DefineSound(TSwfWriter& Writer, const TSwfSoundFormat& Format, uint32_t SampleCount, const std::vector<uint8_t>& Data);
// Gives a character an exported name, for StartSound2.
void ExportName(TSwfWriter& Writer, uint16_t Id, const std::string& Name);
void StartSound(TSwfTagWriter& Timeline, const TSwfSoundEvent& Event);
void StartSound2(TSwfTagWriter& Timeline, const std::string& Name, const TSwfSoundEvent& Event);
void SoundStreamHead(TSwfTagWriter& Timeline, const TSwfSoundFormat& Format, uint16_t SamplesPerBlock, bool Second = false);
void SoundStreamBlock(TSwfTagWriter& Timeline, const std::vector<uint8_t>& Data);
