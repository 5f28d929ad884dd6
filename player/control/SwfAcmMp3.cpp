#include "SwfAcmMp3.h"

#include <windows.h>
#include <mmsystem.h>
#include <mmreg.h>
#include <msacm.h>

#include <algorithm>

#include <vector>

namespace {

class TAcmMp3 : public TSwfSoundCodec {
public:
    explicit TAcmMp3(HACMSTREAM Stream) : stream_(Stream) {}
    ~TAcmMp3() override { acmStreamClose(stream_, 0); }
    TAcmMp3(const TAcmMp3&) = delete;
    TAcmMp3& operator=(const TAcmMp3&) = delete;

    bool Decode(std::span<const uint8_t> Data, std::vector<int16_t>& Out) override {
        // Fed in pieces; what the codec keeps back (a frame not yet whole)
        // comes out with the next piece.
        constexpr size_t kPiece = 16384;
        pending_.insert(pending_.end(), Data.begin(), Data.end());
        size_t used = 0;
        bool ok = true;
        while (used < pending_.size()) {
            const DWORD in = static_cast<DWORD>(std::min(kPiece, pending_.size() - used));
            DWORD outBytes = 0;
            if (acmStreamSize(stream_, in, &outBytes, ACM_STREAMSIZEF_SOURCE) != 0 || outBytes == 0) outBytes = in * 32;
            out_.resize(std::max<size_t>(outBytes, 1152 * 4 * 4));
            ACMSTREAMHEADER h{};
            h.cbStruct = sizeof h;
            h.pbSrc = pending_.data() + used;
            h.cbSrcLength = in;
            h.pbDst = out_.data();
            h.cbDstLength = static_cast<DWORD>(out_.size());
            if (acmStreamPrepareHeader(stream_, &h, 0) != 0) return false;
            const MMRESULT rc = acmStreamConvert(stream_, &h, ACM_STREAMCONVERTF_BLOCKALIGN);
            acmStreamUnprepareHeader(stream_, &h, 0);
            if (rc != 0) {
                ok = false;
                break;
            }
            const int16_t* samples = reinterpret_cast<const int16_t*>(out_.data());
            Out.insert(Out.end(), samples, samples + h.cbDstLengthUsed / 2);
            if (h.cbSrcLengthUsed == 0 && h.cbDstLengthUsed == 0) break;  // needs more data
            used += h.cbSrcLengthUsed;
        }
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<long>(used));
        // Bounded: a codec that takes nothing never makes this grow without end.
        if (pending_.size() > (1u << 20)) pending_.clear();
        return ok;
    }

private:
    HACMSTREAM stream_;
    std::vector<uint8_t> pending_;
    std::vector<uint8_t> out_;
};

}  // namespace

std::unique_ptr<TSwfSoundCodec> OpenAcmMp3(const TSwfSoundFormat& Format) {
    MPEGLAYER3WAVEFORMAT mp3{};
    mp3.wfx.wFormatTag = WAVE_FORMAT_MPEGLAYER3;
    mp3.wfx.nChannels = static_cast<WORD>(Format.Channels());
    mp3.wfx.nSamplesPerSec = static_cast<DWORD>(Format.Rate);
    mp3.wfx.nAvgBytesPerSec = 128000 / 8;
    mp3.wfx.nBlockAlign = 1;
    mp3.wfx.wBitsPerSample = 0;
    mp3.wfx.cbSize = MPEGLAYER3_WFX_EXTRA_BYTES;
    mp3.wID = MPEGLAYER3_ID_MPEG;
    mp3.fdwFlags = MPEGLAYER3_FLAG_PADDING_OFF;
    mp3.nBlockSize = static_cast<WORD>(144 * 128000 / Format.Rate);
    mp3.nFramesPerBlock = 1;
    mp3.nCodecDelay = 0;
    WAVEFORMATEX pcm{};
    pcm.wFormatTag = WAVE_FORMAT_PCM;
    pcm.nChannels = mp3.wfx.nChannels;
    pcm.nSamplesPerSec = mp3.wfx.nSamplesPerSec;
    pcm.wBitsPerSample = 16;
    pcm.nBlockAlign = static_cast<WORD>(2 * pcm.nChannels);
    pcm.nAvgBytesPerSec = pcm.nSamplesPerSec * pcm.nBlockAlign;
    HACMSTREAM stream = nullptr;
    if (acmStreamOpen(&stream, nullptr, &mp3.wfx, &pcm, nullptr, 0, 0, ACM_STREAMOPENF_NONREALTIME) != 0) return nullptr;
    return std::make_unique<TAcmMp3>(stream);
}
