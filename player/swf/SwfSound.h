#pragma once
// Sounds of a movie: event sounds defined once and started by frames, and the
// main timeline's stream, a block of sound per frame. Decoding gives 16-bit
// samples; uncompressed and ADPCM sound is decoded here, MP3 is not (no codec
// of ours: such sounds are read and left silent).

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

struct TSwfSoundFormat {
    enum TCodec : uint8_t { RawNative = 0, Adpcm = 1, Mp3 = 2, RawLittle = 3 };
    uint8_t Codec = 0;
    int Rate = 5512;        // 5512, 11025, 22050 or 44100 samples per second
    bool Wide = true;       // 16-bit samples (8-bit ones are unsigned)
    bool Stereo = false;
    int Channels() const { return Stereo ? 2 : 1; }
};

struct TSwfSound {
    TSwfSoundFormat Format;
    uint32_t SampleCount = 0;    // per channel, as stated
    std::vector<uint8_t> Data;
};

// How a frame starts or stops an event sound.
struct TSwfSoundEvent {
    uint16_t SoundId = 0;
    bool Stop = false;           // stop the sound's playing copies
    bool NoMultiple = false;     // do not start it while a copy plays
    uint16_t Loops = 1;
    uint32_t InPoint = 0, OutPoint = 0;  // samples; OutPoint 0: to the end
};

struct TSwfStreamHead {
    bool Present = false;
    TSwfSoundFormat Format;
    uint16_t SamplesPerBlock = 0;
};

// Decoded sound: interleaved 16-bit samples.
struct TSwfPcm {
    int Rate = 44100;
    int Channels = 1;
    std::vector<int16_t> Samples;
    size_t Frames() const { return Channels ? Samples.size() / Channels : 0; }
};

// Most samples (per channel) a sound may decode to: ten minutes at 44.1 kHz.
constexpr uint32_t MaxSoundSamples = 44100u * 600;

// Reads the four format bits shared by sound headers (codec, rate, size, channels).
TSwfSoundFormat SoundFormatFromBits(uint8_t Bits);

// Decodes Data (as DefineSound or a stream block holds it) into Out, at most
// SampleCount samples per channel. Returns false for a codec not decoded here
// or data that is not whole; Out keeps what decoded before the fault.
bool DecodeSound(const TSwfSoundFormat& Format, std::span<const uint8_t> Data, uint32_t SampleCount, TSwfPcm& Out);

// A decoder of a codec the player does not decode itself (MP3), kept for one
// sound or one stream, so frames that lean on earlier ones decode whole.
class TSwfSoundCodec {
public:
    virtual ~TSwfSoundCodec() = default;
    // Decodes the next piece of compressed data; appends interleaved samples.
    virtual bool Decode(std::span<const uint8_t> Data, std::vector<int16_t>& Out) = 0;
};

struct TSwfFrameDef;

// The sound tags: DefineSound (into Sounds), StartSound and StartSound2
// (resolved through Names, the exported names), SoundStreamHead(2) (into
// Stream) and SoundStreamBlock (the frame's block). Returns whether Code was
// one of them; sets Damaged for a body that made no sense, which ends that
// sound only.
struct TSwfSoundTables {
    std::map<uint16_t, TSwfSound>& Sounds;
    std::map<std::string, uint16_t>& Names;
    TSwfStreamHead& Stream;
};
bool ReadSoundTag(uint16_t Code, std::span<const uint8_t> Body, TSwfSoundTables Tables, TSwfFrameDef& Frame, bool InSprite,
                  bool& Damaged);
