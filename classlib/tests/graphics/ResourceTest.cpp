#include "Bitmap.h"
#include "Exceptions.h"
#include "Icon.h"

#include <gtest/gtest.h>

namespace {

TEST(BitmapResource, LoadsAPaletteBitmapOfTheProgram) {
    TBitmap b;
    b.LoadFromResourceName(nullptr, "PALETTED");
    ASSERT_EQ(b.Width(), 16);
    ASSERT_EQ(b.Height(), 8);
    // 4x4 blocks: top row fuchsia, red, green, blue; bottom row white, black, grey, yellow.
    struct Case {
        int x, y;
        TColor c;
    };
    const Case cases[] = {{0, 0, clFuchsia}, {5, 1, clRed},   {11, 3, clGreen}, {15, 0, clBlue},
                          {0, 7, clWhite},   {4, 4, clBlack}, {9, 6, clGray},   {15, 7, clYellow}};
    for (const Case& c : cases) EXPECT_EQ(b.Canvas()->Pixels(c.x, c.y), c.c) << c.x << "," << c.y;
}

TEST(BitmapResource, LoadsATrueColourBitmapTheRightWayUp) {
    TBitmap b;
    b.LoadFromResourceName(nullptr, "TRUECOLOR");
    ASSERT_EQ(b.Width(), 3);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(b.Canvas()->Pixels(2, 1), clFuchsia);
}

TEST(BitmapResource, MissingNameRaisesAndKeepsThePicture) {
    TBitmap b;
    b.LoadFromResourceName(nullptr, "TRUECOLOR");
    EXPECT_THROW(b.LoadFromResourceName(nullptr, "NO_SUCH_BITMAP"), EInvalidGraphic);
    EXPECT_EQ(b.Width(), 3);
}

TEST(MainIcon, LoadsAtTheAskedSize) {
    struct Case {
        int size;
        TColor colour;
    };
    for (const Case& c : {Case{16, clRed}, Case{32, clBlue}}) {
        TIcon icon;
        icon.LoadFromResourceName(nullptr, kMainIconName, c.size);
        EXPECT_EQ(icon.Width(), c.size);
        EXPECT_EQ(icon.Height(), c.size);
        TBitmap b;
        b.SetSize(40, 40);
        b.Canvas()->Brush()->SetColor(clWhite);
        b.Canvas()->FillRect(Rect(0, 0, 40, 40));
        b.Canvas()->Draw(2, 2, &icon);
        EXPECT_EQ(b.Canvas()->Pixels(2, 2), c.colour) << c.size;
        EXPECT_EQ(b.Canvas()->Pixels(1 + c.size, 1 + c.size), c.colour) << c.size;
        EXPECT_EQ(b.Canvas()->Pixels(2 + c.size, 2 + c.size), clWhite) << c.size;
    }
}

TEST(MainIcon, CopiesAreIndependent) {
    TIcon a, b;
    a.LoadFromResourceName(nullptr, kMainIconName, 16);
    b.Assign(&a);
    EXPECT_NE(b.Handle(), nullptr);
    EXPECT_NE(b.Handle(), a.Handle());
    a.SetHandle(nullptr);
    EXPECT_TRUE(a.Empty());
    EXPECT_EQ(b.Width(), 16);
    EXPECT_THROW(a.LoadFromResourceName(nullptr, "NO_SUCH_ICON", 16), EInvalidGraphic);
}

}  // namespace
