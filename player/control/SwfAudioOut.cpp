#include "SwfAudioOut.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <array>
#include <vector>

namespace {

// Six buffers of 50 ms: enough to ride over a late timer, little enough that
// the sound stays close to the picture.
constexpr size_t kBufferFrames = 2205;
constexpr size_t kBuffers = 6;

class TWaveOut : public TSwfAudioOut {
public:
    explicit TWaveOut(HWAVEOUT Handle) : handle_(Handle) {
        for (TBuffer& b : buffers_) {
            b.Samples.resize(kBufferFrames * 2);
            b.Header.lpData = reinterpret_cast<LPSTR>(b.Samples.data());
            b.Header.dwBufferLength = static_cast<DWORD>(b.Samples.size() * sizeof(int16_t));
            waveOutPrepareHeader(handle_, &b.Header, sizeof b.Header);
            b.Header.dwFlags |= WHDR_DONE;  // free until first written
        }
    }
    ~TWaveOut() override {
        waveOutReset(handle_);
        for (TBuffer& b : buffers_) waveOutUnprepareHeader(handle_, &b.Header, sizeof b.Header);
        waveOutClose(handle_);
    }
    TWaveOut(const TWaveOut&) = delete;
    TWaveOut& operator=(const TWaveOut&) = delete;

    size_t Room() override {
        size_t free = 0;
        for (const TBuffer& b : buffers_)
            if (b.Header.dwFlags & WHDR_DONE) free += kBufferFrames;
        return free;
    }

    void Write(std::span<const int16_t> Samples) override {
        for (TBuffer& b : buffers_) {
            if (Samples.empty()) return;
            if (!(b.Header.dwFlags & WHDR_DONE)) continue;
            const size_t n = std::min(Samples.size(), b.Samples.size());
            std::copy_n(Samples.begin(), n, b.Samples.begin());
            b.Header.dwBufferLength = static_cast<DWORD>(n * sizeof(int16_t));
            b.Header.dwFlags &= ~WHDR_DONE;
            if (waveOutWrite(handle_, &b.Header, sizeof b.Header) != MMSYSERR_NOERROR) b.Header.dwFlags |= WHDR_DONE;
            Samples = Samples.subspan(n);
        }
    }

    void Flush() override { waveOutReset(handle_); }

private:
    struct TBuffer {
        WAVEHDR Header{};
        std::vector<int16_t> Samples;
    };
    HWAVEOUT handle_;
    std::array<TBuffer, kBuffers> buffers_;
};

}  // namespace

std::unique_ptr<TSwfAudioOut> OpenWaveOut() {
    WAVEFORMATEX f{};
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = 2;
    f.nSamplesPerSec = 44100;
    f.wBitsPerSample = 16;
    f.nBlockAlign = 4;
    f.nAvgBytesPerSec = 44100 * 4;
    HWAVEOUT h = nullptr;
    if (waveOutOpen(&h, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) return nullptr;
    return std::make_unique<TWaveOut>(h);
}
