#pragma once
// Where the player control's sound goes: the platform's wave output through
// the wave mapper (so a mute of the mapper's volume silences it), or, in
// tests, a stand-in that records. Nothing here waits: the control writes only
// as much as the output has room for.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

class TSwfAudioOut {
public:
    virtual ~TSwfAudioOut() = default;
    // Stereo 16-bit samples at 44.1 kHz the output takes now without waiting.
    virtual size_t Room() = 0;
    // At most Room() samples per channel, interleaved.
    virtual void Write(std::span<const int16_t> Samples) = 0;
    // Drops what is queued and not yet heard.
    virtual void Flush() = 0;
};

// The wave mapper's output, or nullptr when the machine has no wave device
// (the movie then plays silently).
std::unique_ptr<TSwfAudioOut> OpenWaveOut();
