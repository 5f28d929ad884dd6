#pragma once
// What the tests expect of the playback window wherever it runs, in the test
// process or in the screensaver program.

#include <windows.h>

#include <gtest/gtest.h>

namespace saver {

// The window lies over the whole screen and above other windows.
inline void ExpectCoversTheScreenOnTop(HWND Window) {
    RECT r{};
    GetWindowRect(Window, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(GetWindowLongA(Window, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

}  // namespace saver
