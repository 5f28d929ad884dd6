#pragma once
// Mixes a movie's sounds into 44.1 kHz stereo 16-bit samples: event sounds
// started and stopped by frames, and the main timeline's stream, whose blocks
// come frame by frame and are played as they come, so the stream keeps step
// with the frames shown. Nothing here waits: a caller pulls samples when its
// output has room.

#include "SwfSound.h"

#include <Object.h>

#include <cstdint>
#include <deque>
#include <map>
#include <span>
#include <vector>

class TSwfSoundMixer : public TObject {
public:
    std::string ClassName() const override { return "TSwfSoundMixer"; }

    static constexpr int Rate = 44100;
    static constexpr int Channels = 2;

    // Opens a decoder for MP3 of the given format: the platform's codec. Not
    // set, or giving nullptr, MP3 sounds stay silent.
    using TCodecFactory = std::function<std::unique_ptr<TSwfSoundCodec>(const TSwfSoundFormat&)>;
    TCodecFactory Mp3Codec;

    // The movie whose sounds are played; nullptr: none. Drops all voices.
    void SetSounds(const std::map<uint16_t, TSwfSound>* Sounds, const TSwfStreamHead* Stream);
    void Event(const TSwfSoundEvent& Event);
    // One frame's stream block (empty: the frame has none).
    void StreamBlock(std::span<const uint8_t> Block);
    // A jump or a stop of the movie: the stream's queued sound goes.
    void ResetStream();
    void StopAll();
    bool Active() const { return !voices_.empty() || !stream_.empty(); }
    // Fills Out (interleaved stereo) with the mix and moves on by its length.
    void Mix(std::span<int16_t> Out);

    // How much stream sound may wait ahead of the output before the oldest is
    // dropped, so a stream never lags the frames by more.
    static constexpr size_t MaxStreamAhead = Rate / 2;

private:
    struct TVoice {
        uint16_t Id = 0;
        const TSwfPcm* Pcm = nullptr;
        uint64_t Pos = 0;        // in the sound's samples, 32.32 fixed point
        uint64_t Begin = 0, End = 0;
        int LoopsLeft = 1;
    };
    const std::map<uint16_t, TSwfSound>* sounds_ = nullptr;
    const TSwfStreamHead* streamHead_ = nullptr;
    std::map<uint16_t, TSwfPcm> decoded_;
    std::vector<TVoice> voices_;
    std::deque<int16_t> stream_;  // already at the output rate, stereo
    std::unique_ptr<TSwfSoundCodec> streamCodec_;
    const TSwfPcm* Decoded(uint16_t Id);
};

// Samples of Pcm brought to the mixer's rate, stereo.
void ResampleStereo(const TSwfPcm& Pcm, std::vector<int16_t>& Out);
