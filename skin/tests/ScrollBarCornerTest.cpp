// A memo with both native bars inside its two-pixel margin: the square where
// the bars meet is painted whole, enabled or not, and never shows what lies
// below the memo.
#include "SkinControlFixture.h"
#include "SkinMemo.h"

#include <windows.h>

#include <string>

namespace {

using ScrollBarCorner = SkinControlsTest;

TEST_F(ScrollBarCorner, TheSquareWhereTheNativeBarsMeetIsPaintedWhole) {
    auto* memo = Add<TskMemo>(20, 20, 200, 100);
    memo->SetScrollBars(ssBoth);
    std::string text;
    for (int i = 0; i < 40; ++i) text += "a line too long for the memo to show in its width, number " + std::to_string(i) + "\r\n";
    memo->Lines()->SetText(text);
    const auto face = static_cast<COLORREF>(GetSysColor(COLOR_BTNFACE));
    for (bool enabled : {true, false, true}) {
        memo->SetEnabled(enabled);
        PumpFor(150);
        RECT window{}, client{};
        GetWindowRect(memo->Handle(), &window);
        GetClientRect(memo->Handle(), &client);
        MapWindowPoints(memo->Handle(), HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
        // The square's first two rows and columns may carry the bars' own
        // edges and the margin's fill.
        const int left = client.right + 2, top = client.bottom + 2;
        const int right = client.right + GetSystemMetrics(SM_CXVSCROLL), bottom = client.bottom + GetSystemMetrics(SM_CYHSCROLL);
        ASSERT_LE(right, window.right - 2);
        HDC screen = GetDC(nullptr);
        int wrong = 0;
        COLORREF seen = face;
        POINT at{};
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (const COLORREF c = GetPixel(screen, x, y); c != face) {
                    ++wrong;
                    seen = c;
                    at = POINT{x - window.left, y - window.top};
                }
        ReleaseDC(nullptr, screen);
        EXPECT_EQ(wrong, 0) << (enabled ? "enabled" : "disabled") << ": e.g. " << std::hex << seen << std::dec << " at " << at.x << "," << at.y;
    }
}

}  // namespace
