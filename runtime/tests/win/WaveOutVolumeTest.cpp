#include "WaveOutVolume.h"

#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

namespace {

TEST(WaveOutVolume, MutesAndRestoresTheWaveMapper) {
    TWaveOutVolume volume;
    std::uint32_t saved = 0;
    if (!volume.GetVolume(saved))
        GTEST_SKIP() << "no wave output device here (" << waveOutGetNumDevs()
                     << " devices); the playback tests show the calls made on a recording device";
    ASSERT_TRUE(volume.SetVolume(0));
    std::uint32_t now = 1;
    ASSERT_TRUE(volume.GetVolume(now));
    EXPECT_EQ(now, 0u);
    ASSERT_TRUE(volume.SetVolume(saved));
    ASSERT_TRUE(volume.GetVolume(now));
    EXPECT_EQ(now, saved);
}

}  // namespace
