#include "SwfSoundWriter.h"

#include "../SwfAdpcm.h"

#include <algorithm>
#include <cstdlib>

namespace {

void SoundInfo(TSwfBitWriter& w, const TSwfSoundEvent& e) {
    uint8_t flags = (e.Stop ? 0x20 : 0) | (e.NoMultiple ? 0x10 : 0) | (e.Loops != 1 ? 0x04 : 0) |
                    (e.OutPoint ? 0x02 : 0) | (e.InPoint ? 0x01 : 0);
    w.U8(flags);
    if (e.InPoint) w.U32(e.InPoint);
    if (e.OutPoint) w.U32(e.OutPoint);
    if (e.Loops != 1) w.U16(e.Loops);
}

}  // namespace

uint8_t SoundFormatBits(const TSwfSoundFormat& f) {
    const int rate = f.Rate >= 44100 ? 3 : f.Rate >= 22050 ? 2 : f.Rate >= 11025 ? 1 : 0;
    return static_cast<uint8_t>(f.Codec << 4 | rate << 2 | (f.Wide ? 2 : 0) | (f.Stereo ? 1 : 0));
}

std::vector<uint8_t> EncodeRawSound(const std::vector<int16_t>& Samples, bool Wide) {
    std::vector<uint8_t> out;
    for (int16_t s : Samples) {
        if (Wide) {
            out.push_back(static_cast<uint8_t>(s & 0xFF));
            out.push_back(static_cast<uint8_t>((s >> 8) & 0xFF));
        } else {
            out.push_back(static_cast<uint8_t>((s >> 8) + 128));
        }
    }
    return out;
}

std::vector<uint8_t> EncodeAdpcmSound(const std::vector<int16_t>& Samples, int Channels, unsigned Bits) {
    TSwfBitWriter w;
    w.UB(2, Bits - 2);
    TSwfAdpcmState state[2];
    const size_t frames = Samples.size() / Channels;
    for (size_t i = 0; i < frames; ++i) {
        if (i % 4096 == 0) {
            for (int c = 0; c < Channels; ++c) {
                state[c].Sample = Samples[i * Channels + c];
                state[c].Index = std::min(state[c].Index, 63);  // what six bits hold
                w.SB(16, state[c].Sample);
                w.UB(6, static_cast<uint32_t>(state[c].Index));
            }
            continue;
        }
        for (int c = 0; c < Channels; ++c) {
            // The code whose decoding lands nearest the sample: the decoder's
            // own step, tried for every code.
            unsigned best = 0;
            int bestError = 1 << 30;
            for (unsigned code = 0; code < (1u << Bits); ++code) {
                TSwfAdpcmState t = state[c];
                t.Step(code, Bits);
                const int error = std::abs(t.Sample - Samples[i * Channels + c]);
                if (error < bestError) {
                    bestError = error;
                    best = code;
                }
            }
            state[c].Step(best, Bits);
            w.UB(Bits, best);
        }
    }
    return w.Data();
}

uint16_t DefineSound(TSwfWriter& Writer, const TSwfSoundFormat& Format, uint32_t SampleCount, const std::vector<uint8_t>& Data) {
    const uint16_t id = Writer.NextId();
    TSwfBitWriter w;
    w.U16(id);
    w.U8(SoundFormatBits(Format));
    w.U32(SampleCount);
    w.Bytes(Data);
    Writer.DefinitionTag(14, w.Data());
    return id;
}

void ExportName(TSwfWriter& Writer, uint16_t Id, const std::string& Name) {
    TSwfBitWriter w;
    w.U16(1);
    w.U16(Id);
    for (char c : Name) w.U8(static_cast<uint8_t>(c));
    w.U8(0);
    Writer.DefinitionTag(56, w.Data());
}

void StartSound(TSwfTagWriter& Timeline, const TSwfSoundEvent& Event) {
    TSwfBitWriter w;
    w.U16(Event.SoundId);
    SoundInfo(w, Event);
    Timeline.Tag(15, w.Data());
}

void StartSound2(TSwfTagWriter& Timeline, const std::string& Name, const TSwfSoundEvent& Event) {
    TSwfBitWriter w;
    for (char c : Name) w.U8(static_cast<uint8_t>(c));
    w.U8(0);
    SoundInfo(w, Event);
    Timeline.Tag(89, w.Data());
}

void SoundStreamHead(TSwfTagWriter& Timeline, const TSwfSoundFormat& Format, uint16_t SamplesPerBlock, bool Second) {
    TSwfBitWriter w;
    w.U8(SoundFormatBits({0, Format.Rate, true, Format.Stereo}));
    w.U8(SoundFormatBits(Format));
    w.U16(SamplesPerBlock);
    if (Format.Codec == TSwfSoundFormat::Mp3) w.U16(0);
    Timeline.Tag(Second ? 45 : 18, w.Data());
}

void SoundStreamBlock(TSwfTagWriter& Timeline, const std::vector<uint8_t>& Data) { Timeline.Tag(19, Data); }
