#include "Canvas.h"
#include "PlainWindow.h"

#include <gtest/gtest.h>

namespace {

// A small window above all others, painted before the test looks at it.
class Window : public TPlainWindow {
public:
    Window() : TPlainWindow("TGraphicsTestWindow", 50, 60, 40, 30, WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST, "t") {
        UpdateWindow(Handle());
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    }
};

// The screen shows window drawing once the system has flushed it: wait for the
// expected colour (or give up after a few seconds) while pumping messages.
TColor ScreenPixelWhen(TCanvas& Desktop, int X, int Y, TColor Expected) {
    TColor seen = Desktop.Pixels(X, Y);
    for (int i = 0; i < 300 && seen != Expected; ++i) {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        Sleep(10);
        seen = Desktop.Pixels(X, Y);
    }
    return seen;
}

TEST(WindowCanvas, DrawsIntoTheWindowAndTheDesktopSeesIt) {
    Window w;
    ASSERT_TRUE(w.Handle());
    {
        TWindowCanvas c(w.Handle());
        c.Brush()->SetColor(clRed);
        c.FillRect(Rect(0, 0, 40, 30));
        c.Brush()->SetColor(clBlue);
        c.FillRect(Rect(10, 10, 20, 20));
        EXPECT_EQ(c.Pixels(15, 15), clBlue);
    }
    TWindowCanvas desktop(nullptr);
    EXPECT_EQ(ScreenPixelWhen(desktop, 50 + 15, 60 + 15, clBlue), clBlue);
    EXPECT_EQ(ScreenPixelWhen(desktop, 50 + 2, 60 + 2, clRed), clRed);
}

TEST(WindowCanvas, DesktopCanvasDrawsOnTheScreen) {
    Window w;
    TWindowCanvas desktop(nullptr);
    desktop.Brush()->SetColor(clLime);
    desktop.FillRect(Rect(52, 62, 56, 66));
    EXPECT_EQ(desktop.Pixels(53, 63), clLime);
}

}  // namespace
