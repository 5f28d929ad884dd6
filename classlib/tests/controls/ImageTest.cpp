// Images draw their picture when the parent paints, also into a given device
// context: at the top left, centred, stretched, and with the transparent
// colour (the bottom-left pixel's) left out.
#include "Bitmap.h"
#include "Canvas.h"
#include "ControlsFixture.h"
#include "Image.h"

namespace {

// A 20 x 20 picture: white with a red 10 x 10 square in the middle.
void MakePicture(TImage* Image) {
    TBitmap b;
    b.SetSize(20, 20);
    b.Canvas()->Brush()->SetColor(clWhite);
    b.Canvas()->FillRect(Rect(0, 0, 20, 20));
    b.Canvas()->Brush()->SetColor(clRed);
    b.Canvas()->FillRect(Rect(5, 5, 15, 15));
    Image->Picture()->SetGraphic(&b);
}

class Images : public ControlsTest {
protected:
    // The form's client area painted into a memory bitmap, read at (X, Y).
    COLORREF PaintedAt(int X, int Y) {
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bmp = CreateCompatibleBitmap(screen, 520, 420);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(dc, bmp);
        form->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        form->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        const COLORREF c = GetPixel(dc, X, Y);
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
        return c;
    }
};

TEST_F(Images, DrawsThePictureAsPlaced) {
    form->SetColor(clBlue);
    auto* image = Add<TImage>(form.get(), 100, 100, 60, 40);
    MakePicture(image);
    struct TCase {
        bool stretch, center, transparent;
        int x, y;  // a point inside the image
        COLORREF expected;
    };
    const COLORREF red = RGB(255, 0, 0), white = RGB(255, 255, 255), blue = RGB(0, 0, 255);
    const TCase cases[] = {
        {false, false, false, 10, 10, red},   // top left: the square at 5..15
        {false, false, false, 2, 2, white},
        {false, false, false, 40, 30, blue},  // beside the picture the form shows
        {false, true, false, 30, 20, red},    // centred: the square around the middle
        {false, true, false, 12, 12, blue},
        {true, false, false, 30, 20, red},    // stretched over 60 x 40
        {true, false, false, 55, 35, white},
        {true, false, true, 55, 35, blue},    // the white is transparent
        {true, false, true, 30, 20, red},
    };
    for (const TCase& c : cases) {
        image->SetStretch(c.stretch);
        image->SetCenter(c.center);
        image->SetTransparent(c.transparent);
        EXPECT_EQ(PaintedAt(100 + c.x, 100 + c.y), c.expected)
            << "stretch " << c.stretch << " center " << c.center << " transparent " << c.transparent << " at " << c.x
            << "," << c.y;
    }
}

TEST_F(Images, AutoSizeTakesThePictureSize) {
    auto* image = Add<TImage>(form.get(), 10, 10, 100, 100);
    image->SetAutoSize(true);
    MakePicture(image);
    EXPECT_EQ(image->Width(), 20);
    EXPECT_EQ(image->Height(), 20);
    // Loading a new picture repaints it on screen.
    image->Picture()->SetGraphic(nullptr);
    EXPECT_EQ(image->Width(), 20);
    EXPECT_EQ(PaintedAt(15, 15), static_cast<COLORREF>(ColorToRGB(form->Color())));
}

}  // namespace
