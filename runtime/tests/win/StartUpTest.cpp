#include "StartUp.h"

#include <gtest/gtest.h>

namespace {

// A plain window of a class registered by the test, destroyed afterwards.
class TestWindow {
public:
    TestWindow(const char* ClassName, int Left, int Top) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = ClassName;
        RegisterClassA(&wc);
        className_ = ClassName;
        handle_ = CreateWindowExA(0, ClassName, "", WS_POPUP | WS_VISIBLE, Left, Top, 200, 100, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow() {
        DestroyWindow(handle_);
        UnregisterClassA(className_, GetModuleHandleA(nullptr));
    }
    HWND Handle() const { return handle_; }

private:
    HWND handle_;
    const char* className_;
};

TEST(StartUp, APlaybackWindowIsFoundByItsClass) {
    EXPECT_FALSE(PlaybackWindowExists());
    {
        TestWindow other("TSetupForm", 0, 0);
        EXPECT_FALSE(PlaybackWindowExists());
        TestWindow playback(kPlaybackWindowClass, 0, 0);
        ASSERT_NE(playback.Handle(), nullptr);
        EXPECT_TRUE(PlaybackWindowExists());
    }
    EXPECT_FALSE(PlaybackWindowExists());
}

TEST(StartUp, MousePositionsBecomeSignedScreenCoordinates) {
    TestWindow left("TessaloomLeftMonitorWindow", -300, 40);
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
