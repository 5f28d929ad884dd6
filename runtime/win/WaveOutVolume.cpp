#include "WaveOutVolume.h"

#include <windows.h>
#include <mmsystem.h>

namespace {
HWAVEOUT WaveMapper() { return reinterpret_cast<HWAVEOUT>(static_cast<UINT_PTR>(WAVE_MAPPER)); }
}  // namespace

bool TWaveOutVolume::GetVolume(std::uint32_t& Volume) {
    DWORD value = 0;
    if (waveOutGetVolume(WaveMapper(), &value) != MMSYSERR_NOERROR) return false;
    Volume = value;
    return true;
}

bool TWaveOutVolume::SetVolume(std::uint32_t Volume) {
    return waveOutSetVolume(WaveMapper(), Volume) == MMSYSERR_NOERROR;
}
