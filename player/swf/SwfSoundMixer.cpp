#include "SwfSoundMixer.h"

#include <algorithm>

namespace {

int16_t Clip(int v) { return static_cast<int16_t>(std::clamp(v, -32768, 32767)); }

}  // namespace

void ResampleStereo(const TSwfPcm& Pcm, std::vector<int16_t>& Out) {
    const size_t frames = Pcm.Frames();
    if (!frames || Pcm.Rate <= 0) return;
    // The format's rates divide 44.1 kHz (5512 stands for 5512.5), so each
    // source sample is held for a whole number of output samples.
    const int hold = std::max(1, TSwfSoundMixer::Rate / Pcm.Rate);
    Out.reserve(Out.size() + frames * hold * 2);
    for (size_t i = 0; i < frames; ++i) {
        const int16_t l = Pcm.Samples[i * Pcm.Channels];
        const int16_t r = Pcm.Samples[i * Pcm.Channels + (Pcm.Channels - 1)];
        for (int k = 0; k < hold; ++k) {
            Out.push_back(l);
            Out.push_back(r);
        }
    }
}

void TSwfSoundMixer::SetSounds(const std::map<uint16_t, TSwfSound>* Sounds, const TSwfStreamHead* Stream) {
    sounds_ = Sounds;
    streamHead_ = Stream;
    decoded_.clear();
    voices_.clear();
    stream_.clear();
    streamCodec_.reset();
}

const TSwfPcm* TSwfSoundMixer::Decoded(uint16_t Id) {
    if (auto it = decoded_.find(Id); it != decoded_.end()) return &it->second;
    if (!sounds_) return nullptr;
    auto s = sounds_->find(Id);
    if (s == sounds_->end()) return nullptr;
    TSwfPcm& pcm = decoded_[Id];
    // What decoded before a fault still plays; a codec not decoded here is silent.
    const TSwfSound& sound = s->second;
    if (sound.Format.Codec == TSwfSoundFormat::Mp3) {
        pcm.Rate = sound.Format.Rate;
        pcm.Channels = sound.Format.Channels();
        if (auto codec = Mp3Codec ? Mp3Codec(sound.Format) : nullptr) {
            codec->Decode(sound.Data, pcm.Samples);
            // The stated count bounds what plays (the codec may pad the end).
            pcm.Samples.resize(std::min<size_t>(pcm.Samples.size(), size_t(sound.SampleCount) * pcm.Channels));
        }
        return &pcm;
    }
    DecodeSound(sound.Format, sound.Data, sound.SampleCount, pcm);
    return &pcm;
}

void TSwfSoundMixer::Event(const TSwfSoundEvent& Event) {
    if (Event.Stop) {
        std::erase_if(voices_, [&](const TVoice& v) { return v.Id == Event.SoundId; });
        return;
    }
    if (Event.NoMultiple && std::any_of(voices_.begin(), voices_.end(), [&](const TVoice& v) { return v.Id == Event.SoundId; }))
        return;
    const TSwfPcm* pcm = Decoded(Event.SoundId);
    if (!pcm || pcm->Frames() == 0 || voices_.size() >= 64) return;
    TVoice v;
    v.Id = Event.SoundId;
    v.Pcm = pcm;
    // In and out points count samples at 44.1 kHz.
    const double scale = double(pcm->Rate) / Rate;
    const uint64_t frames = pcm->Frames();
    v.Begin = std::min<uint64_t>(static_cast<uint64_t>(Event.InPoint * scale), frames);
    v.End = Event.OutPoint ? std::min<uint64_t>(static_cast<uint64_t>(Event.OutPoint * scale), frames) : frames;
    if (v.Begin >= v.End) return;
    v.Begin <<= 32;
    v.End <<= 32;
    v.Pos = v.Begin;
    v.LoopsLeft = std::max<int>(1, Event.Loops);
    voices_.push_back(v);
}

void TSwfSoundMixer::StreamBlock(std::span<const uint8_t> Block) {
    if (!streamHead_ || !streamHead_->Present || Block.empty()) return;
    TSwfPcm pcm;
    if (streamHead_->Format.Codec == TSwfSoundFormat::Mp3) {
        // An MP3 block starts with its sample count and seek samples.
        if (Block.size() <= 4) return;
        if (!streamCodec_ && Mp3Codec) streamCodec_ = Mp3Codec(streamHead_->Format);
        if (!streamCodec_) return;
        pcm.Rate = streamHead_->Format.Rate;
        pcm.Channels = streamHead_->Format.Channels();
        streamCodec_->Decode(Block.subspan(4), pcm.Samples);
    } else {
        DecodeSound(streamHead_->Format, Block, streamHead_->SamplesPerBlock ? streamHead_->SamplesPerBlock : MaxSoundSamples, pcm);
    }
    std::vector<int16_t> out;
    ResampleStereo(pcm, out);
    stream_.insert(stream_.end(), out.begin(), out.end());
    // Frames shown faster than the output plays: the oldest sound goes.
    if (stream_.size() > MaxStreamAhead * 2) stream_.erase(stream_.begin(), stream_.end() - MaxStreamAhead * 2);
}

void TSwfSoundMixer::ResetStream() {
    stream_.clear();
    streamCodec_.reset();  // a jump: the next block does not follow on from the last
}

void TSwfSoundMixer::StopAll() {
    voices_.clear();
    ResetStream();
}

void TSwfSoundMixer::Mix(std::span<int16_t> Out) {
    const size_t frames = Out.size() / 2;
    std::vector<int> acc(frames * 2, 0);
    const size_t fromStream = std::min(frames * 2, stream_.size());
    for (size_t i = 0; i < fromStream; ++i) acc[i] = stream_[i];
    stream_.erase(stream_.begin(), stream_.begin() + fromStream);
    for (TVoice& v : voices_) {
        const uint64_t step = (uint64_t(v.Pcm->Rate) << 32) / Rate;
        const int ch = v.Pcm->Channels;
        for (size_t i = 0; i < frames; ++i) {
            if (v.Pos >= v.End) {
                if (--v.LoopsLeft <= 0) break;
                v.Pos = v.Begin;
            }
            const size_t at = static_cast<size_t>(v.Pos >> 32) * ch;
            acc[2 * i] += v.Pcm->Samples[at];
            acc[2 * i + 1] += v.Pcm->Samples[at + ch - 1];
            v.Pos += step;
        }
    }
    std::erase_if(voices_, [](const TVoice& v) { return v.LoopsLeft <= 0 || (v.Pos >= v.End && v.LoopsLeft <= 1); });
    for (size_t i = 0; i < frames * 2; ++i) Out[i] = Clip(acc[i]);
}
