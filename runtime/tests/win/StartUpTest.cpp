#include "PlainWindow.h"
#include "StartUp.h"

#include <gtest/gtest.h>

namespace {

TEST(StartUp, APlaybackWindowIsFoundByItsClass) {
    EXPECT_FALSE(PlaybackWindowExists());
    {
        TPlainWindow other("TSetupForm", 0, 0, 200, 100);
        EXPECT_FALSE(PlaybackWindowExists());
        TPlainWindow playback(kPlaybackWindowClass, 0, 0, 200, 100);
        ASSERT_NE(playback.Handle(), nullptr);
        EXPECT_TRUE(PlaybackWindowExists());
    }
    EXPECT_FALSE(PlaybackWindowExists());
}

TEST(StartUp, MousePositionsBecomeSignedScreenCoordinates) {
    TPlainWindow left("TessaloomLeftMonitorWindow", -300, 40, 200, 100);
    ASSERT_NE(left.Handle(), nullptr);
    POINT origin{0, 0};
    ClientToScreen(left.Handle(), &origin);
    ASSERT_EQ(origin.x, -300);

    MSG m{};
    m.hwnd = left.Handle();
    m.message = WM_MOUSEMOVE;
    m.lParam = MAKELPARAM(10, 20);
    EXPECT_EQ(MessageScreenPoint(m), (TScreenPoint{-290, 60}));
    m.lParam = MAKELPARAM(static_cast<WORD>(-5), static_cast<WORD>(-7));
    EXPECT_EQ(MessageScreenPoint(m), (TScreenPoint{-305, 33}));
}

}  // namespace
