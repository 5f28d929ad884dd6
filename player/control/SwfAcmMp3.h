#pragma once
// MP3 decoding through the platform's audio compression manager (its MP3
// codec), not code of ours.

#include "SwfSound.h"

#include <memory>

// nullptr when the system has no MP3 codec for the format.
std::unique_ptr<TSwfSoundCodec> OpenAcmMp3(const TSwfSoundFormat& Format);
