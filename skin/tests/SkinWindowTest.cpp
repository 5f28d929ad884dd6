// Drawing routines that need real windows: a parent painted behind its child,
// and a border on the window's own device context.
#include "SkinPixels.h"
#include "SkinPublic.h"
#include "TestSkinControls.h"

#include "Form.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t Background = 0x00123456;
constexpr TColor FormColor = 0x0000C000;  // TColor $00BBGGRR
constexpr std::uint32_t FormPixel = 0x0000C000;
constexpr std::uint32_t MarkPixel = 0x000000FF;

class PaintedForm : public ::testing::Test {
protected:
    void SetUp() override {
        form = CreateOwned<TForm>();
        form->SetBorderStyle(bsNone);
        form->SetColor(FormColor);
        form->SetBounds(0, 0, 100, 60);
        form->OnPaint = TNotifyEvent::Bind<&PaintedForm::Paint>(this);
        form->HandleNeeded();
    }
    // A blue 2x2 mark at (40, 20) of the form.
    void Paint(TObject*) {
        form->Canvas()->Brush()->SetColor(0x00FF0000);
        form->Canvas()->FillRect({40, 20, 42, 22});
    }
    TOwned<TForm> form;
};

TEST_F(PaintedForm, ParentBackgroundShowsThroughAtTheChildsPlace) {
    auto* child = Create<TskTestControl>(form.get());
    child->SetParent(form.get());
    child->SetBounds(39, 19, 10, 10);
    TBitmap target;
    FillWith(target, 10, 10, Background);
    PaintParentBackground(target.Canvas(), child);
    EXPECT_EQ(PixelAt(target, 0, 0), FormPixel);
    EXPECT_EQ(PixelAt(target, 1, 1), MarkPixel);
    EXPECT_EQ(PixelAt(target, 2, 2), MarkPixel);
    EXPECT_EQ(PixelAt(target, 3, 3), FormPixel);
    EXPECT_EQ(PixelAt(target, 9, 9), FormPixel);

    // Only the parent's client area is painted: past its right edge the
    // canvas keeps its pixels, and the canvas's own state comes back.
    child->SetBounds(95, 50, 10, 10);
    FillWith(target, 10, 10, Background);
    const TPoint origin = target.Canvas()->ViewportOrigin();
    PaintParentBackground(target.Canvas(), child);
    EXPECT_EQ(PixelAt(target, 4, 9), FormPixel);
    EXPECT_EQ(PixelAt(target, 5, 0), Background);
    EXPECT_EQ(PixelAt(target, 0, 9), FormPixel);
    EXPECT_EQ(target.Canvas()->ViewportOrigin().X, origin.X);
    EXPECT_EQ(target.Canvas()->ViewportOrigin().Y, origin.Y);
}

TEST_F(PaintedForm, WindowBorderFramesTheWholeWindowOnePixelWide) {
    HWND window = form->Handle();
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    PaintWindowBorder(form.get(), 0x000000FF, 0x00FFFF00, true);
    HDC dc = GetWindowDC(window);
    const COLORREF outer = GetPixel(dc, 0, 0), outerRight = GetPixel(dc, 99, 59), inner = GetPixel(dc, 1, 1),
                   innerBottom = GetPixel(dc, 50, 58), inside = GetPixel(dc, 2, 2);
    ReleaseDC(window, dc);
    EXPECT_EQ(outer, RGB(0xFF, 0, 0));
    EXPECT_EQ(outerRight, RGB(0xFF, 0, 0));
    EXPECT_EQ(inner, RGB(0, 0xFF, 0xFF));
    EXPECT_EQ(innerBottom, RGB(0, 0xFF, 0xFF));
    EXPECT_EQ(inside, RGB(0, 0xC0, 0));
}

}  // namespace
