#include "SwfSound.h"

#include "SwfAdpcm.h"
#include "SwfBitReader.h"
#include "SwfMovie.h"

#include <algorithm>

namespace {

enum TSoundTag : uint16_t {
    TagDefineSound = 14,
    TagStartSound = 15,
    TagSoundStreamHead = 18,
    TagSoundStreamBlock = 19,
    TagSoundStreamHead2 = 45,
    TagExportAssets = 56,
    TagSymbolClass = 76,
    TagStartSound2 = 89,
};

// The sound info record of StartSound and StartSound2.
bool ReadSoundInfo(TSwfBitReader& r, TSwfSoundEvent& e) {
    uint8_t flags = r.U8();
    e.Stop = flags & 0x20;
    e.NoMultiple = flags & 0x10;
    if (flags & 0x01) e.InPoint = r.U32();
    if (flags & 0x02) e.OutPoint = r.U32();
    if (flags & 0x04) e.Loops = r.U16();
    if (flags & 0x08) r.Take(size_t(r.U8()) * 8);  // the volume envelope is not followed
    return !r.Overrun();
}

}  // namespace

TSwfSoundFormat SoundFormatFromBits(uint8_t Bits) {
    static constexpr int rates[] = {5512, 11025, 22050, 44100};
    TSwfSoundFormat f;
    f.Codec = Bits >> 4;
    f.Rate = rates[(Bits >> 2) & 3];
    f.Wide = Bits & 2;
    f.Stereo = Bits & 1;
    return f;
}

bool DecodeSound(const TSwfSoundFormat& Format, std::span<const uint8_t> Data, uint32_t SampleCount, TSwfPcm& Out) {
    Out.Rate = Format.Rate;
    Out.Channels = Format.Channels();
    Out.Samples.clear();
    SampleCount = std::min(SampleCount, MaxSoundSamples);
    const size_t channels = Out.Channels;
    switch (Format.Codec) {
    case TSwfSoundFormat::RawNative:
    case TSwfSoundFormat::RawLittle: {
        // Movies were authored on little-endian machines, so the "native"
        // order is read as little-endian too.
        const size_t bytesPer = Format.Wide ? 2 : 1;
        const size_t whole = Data.size() / (bytesPer * channels);
        const size_t frames = std::min<size_t>(whole, SampleCount);
        Out.Samples.resize(frames * channels);
        for (size_t i = 0; i < Out.Samples.size(); ++i)
            Out.Samples[i] = Format.Wide ? static_cast<int16_t>(Data[2 * i] | Data[2 * i + 1] << 8)
                                         : static_cast<int16_t>((Data[i] - 128) << 8);
        return whole >= SampleCount || Data.size() % (bytesPer * channels) == 0;
    }
    case TSwfSoundFormat::Adpcm: return DecodeAdpcm(Data, Out.Channels, SampleCount, Out.Samples);
    default: return false;
    }
}

bool ReadSoundTag(uint16_t Code, std::span<const uint8_t> Body, TSwfSoundTables Tables, TSwfFrameDef& Frame, bool InSprite,
                  bool& Damaged) {
    TSwfBitReader r(Body);
    switch (Code) {
    case TagDefineSound: {
        uint16_t id = r.U16();
        TSwfSound s;
        s.Format = SoundFormatFromBits(r.U8());
        s.SampleCount = r.U32();
        if (r.Overrun() || InSprite) {
            Damaged = !InSprite;
            return true;
        }
        // A sample count past what any sound may hold ends this sound only.
        if (s.SampleCount > MaxSoundSamples) {
            Damaged = true;
            return true;
        }
        std::span<const uint8_t> data = r.Rest();
        if (s.Format.Codec == TSwfSoundFormat::Mp3 && data.size() >= 2) data = data.subspan(2);  // seek samples
        s.Data.assign(data.begin(), data.end());
        Tables.Sounds.emplace(id, std::move(s));
        return true;
    }
    case TagStartSound:
    case TagStartSound2: {
        TSwfSoundEvent e;
        if (Code == TagStartSound) {
            e.SoundId = r.U16();
        } else {
            auto it = Tables.Names.find(r.String());
            e.SoundId = it == Tables.Names.end() ? 0 : it->second;
        }
        if (!ReadSoundInfo(r, e)) {
            Damaged = true;
            return true;
        }
        Frame.Sounds.push_back(e);
        return true;
    }
    case TagSoundStreamHead:
    case TagSoundStreamHead2: {
        r.U8();  // the rate the player would like to mix at
        TSwfStreamHead h;
        h.Format = SoundFormatFromBits(r.U8());
        h.SamplesPerBlock = r.U16();
        h.Present = !r.Overrun();
        if (!h.Present) Damaged = true;
        // Only the main timeline's stream is played.
        if (h.Present && !InSprite) Tables.Stream = h;
        return true;
    }
    case TagSoundStreamBlock:
        if (!InSprite) Frame.StreamBlock.assign(Body.begin(), Body.end());
        return true;
    case TagExportAssets:
    case TagSymbolClass: {
        uint16_t count = r.U16();
        for (uint16_t i = 0; i < count && !r.Overrun(); ++i) {
            uint16_t id = r.U16();
            std::string name = r.String();
            if (!r.Overrun()) Tables.Names.emplace(std::move(name), id);
        }
        if (r.Overrun()) Damaged = true;
        return true;
    }
    default: return false;
    }
}
