// The demo form on the screen: its timer updates the label, and the panels
// are where the alignment puts them, in their colours.
#include "DemoForm.h"
#include "Pump.h"

#include <gtest/gtest.h>

namespace {

COLORREF ScreenPixel(TControl* Control, int X, int Y) {
    const TPoint p = Control->ClientToScreen(TPoint{X, Y});
    HDC dc = GetDC(nullptr);
    const COLORREF c = GetPixel(dc, p.X, p.Y);
    ReleaseDC(nullptr, dc);
    return c;
}

TEST(DemoForm, ShowsPanelsAndALabelThatTheTimerUpdates) {
    auto form = CreateOwned<TDemoForm>();
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return form->Ticks >= 2; }, 5000));
    PumpFor(100);
    EXPECT_EQ(form->TickLabel->Caption(), "Ticks: " + std::to_string(form->Ticks));
    EXPECT_EQ(form->ClientWidth(), 360);
    EXPECT_EQ(form->ClientHeight(), 200);
    EXPECT_EQ(form->Header->BoundsRect(), Rect(0, 0, 360, 48));
    EXPECT_EQ(form->Status->BoundsRect(), Rect(0, 174, 360, 200));
    EXPECT_GT(form->TickLabel->Width(), 40);  // sized to its text
    EXPECT_EQ(ScreenPixel(form->Header, 3, 3), TDemoForm::HeaderColour);
    EXPECT_EQ(ScreenPixel(form.get(), 350, 60), static_cast<COLORREF>(ColorToRGB(clBtnFace)));
    // The word-wrapped label stays inside its bounds: nothing is drawn right of it.
    EXPECT_EQ(form->Note->BoundsRect(), Rect(20, 104, 340, 164));
    for (int y = 104; y < 164; ++y)
        for (int x = 341; x < 360; ++x)
            ASSERT_EQ(ScreenPixel(form.get(), x, y), static_cast<COLORREF>(ColorToRGB(clBtnFace))) << x << "," << y;
    // The status panel's bevel: lowered, so its top line is the shadow colour.
    EXPECT_EQ(ScreenPixel(form->Status, 5, 0), static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
}

}  // namespace
