#include "Bitmap.h"
#include "BitmapFile.h"
#include "Exceptions.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void Fill(TBitmap& b, int w, int h, TColor Color) {
    b.SetSize(w, h);
    b.Canvas()->Brush()->SetColor(Color);
    b.Canvas()->FillRect(Rect(0, 0, w, h));
}

TEST(Bitmap, ResizeKeepsThePixelsInside) {
    TBitmap b;
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Handle(), nullptr);
    Fill(b, 4, 4, clRed);
    b.Canvas()->SetPixels(1, 1, clBlue);
    b.SetSize(6, 2);
    EXPECT_EQ(b.Width(), 6);
    EXPECT_EQ(b.Height(), 2);
    EXPECT_EQ(b.Canvas()->Pixels(1, 1), clBlue);
    EXPECT_EQ(b.Canvas()->Pixels(3, 0), clRed);
    EXPECT_EQ(b.Canvas()->Pixels(5, 0), clBlack);
    b.Canvas()->SetPixels(5, 1, clLime);  // the canvas follows the new image
    EXPECT_EQ(b.Canvas()->Pixels(5, 1), clLime);
}

TEST(Bitmap, ScanLineAndCanvasShareThePixels) {
    TBitmap b;
    Fill(b, 3, 2, clWhite);
    b.ScanLine(1)[2] = 0x00FF0000;  // red in memory order $00RRGGBB
    EXPECT_EQ(b.Canvas()->Pixels(2, 1), clRed);
    b.Canvas()->SetPixels(0, 0, clBlue);
    EXPECT_EQ(b.ScanLine(0)[0] & 0xFFFFFF, 0x000000FFu);
    EXPECT_THROW(b.ScanLine(2), EInvalidGraphic);
}

TEST(Bitmap, LoadsBitmapFileData) {
    // 3x2, top row red green blue, bottom row white black fuchsia.
    const uint32_t px[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0xFF00FF};
    const std::vector<uint8_t> file = EncodeBmp24(3, 2, px);
    TBitmap b;
    b.LoadFromMemory(file.data(), file.size());
    ASSERT_EQ(b.Width(), 3);
    ASSERT_EQ(b.Height(), 2);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(b.Canvas()->Pixels(1, 0), clLime);
    EXPECT_EQ(b.Canvas()->Pixels(2, 0), clBlue);
    EXPECT_EQ(b.Canvas()->Pixels(0, 1), clWhite);
    EXPECT_EQ(b.Canvas()->Pixels(2, 1), clFuchsia);

    const std::vector<uint8_t> saved = b.SaveToMemory();
    EXPECT_EQ(saved, file);
}

TEST(Bitmap, LoadsPaletteBitmaps) {
    // 4-bit, 2x2, two palette entries, bottom-up rows of 4 bytes each.
    std::vector<uint8_t> f = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 14 + 40 + 8, 0, 0, 0};
    const uint8_t header[40] = {40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 4, 0, 0, 0, 0, 0,
                                0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0};
    f.insert(f.end(), header, header + 40);
    const uint8_t palette[8] = {0xFF, 0x00, 0xFF, 0, /* fuchsia */ 0x00, 0x80, 0x00, 0 /* green */};
    f.insert(f.end(), palette, palette + 8);
    const uint8_t rows[8] = {0x01, 0, 0, 0, /* bottom: green? no: index 0 then 1 */ 0x10, 0, 0, 0};
    f.insert(f.end(), rows, rows + 8);
    TBitmap b;
    b.LoadFromMemory(f.data(), f.size());
    EXPECT_EQ(b.Canvas()->Pixels(0, 1), clFuchsia);  // bottom row: 0x01 -> 0, 1
    EXPECT_EQ(b.Canvas()->Pixels(1, 1), clGreen);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), clGreen);  // top row: 0x10 -> 1, 0
    EXPECT_EQ(b.Canvas()->Pixels(1, 0), clFuchsia);
}

TEST(Bitmap, RefusesBrokenDataAndKeepsItsPicture) {
    TBitmap b;
    Fill(b, 2, 2, clRed);
    const uint8_t junk[] = {'B', 'M', 1, 2, 3};
    try {
        b.LoadFromMemory(junk, sizeof junk);
        FAIL();
    } catch (const EInvalidGraphic& e) {
        EXPECT_STREQ(e.what(), "Bitmap image is not valid");
    }
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(b.Canvas()->Pixels(1, 1), clRed);
}

TEST(Bitmap, TransparentDrawSkipsTheBottomLeftColourByDefault) {
    TBitmap glyph;
    Fill(glyph, 4, 4, clFuchsia);
    glyph.Canvas()->SetPixels(1, 1, clBlue);
    glyph.Canvas()->SetPixels(0, 0, clRed);
    glyph.SetTransparent(true);
    EXPECT_EQ(glyph.TransparentMode(), tmAuto);
    EXPECT_EQ(glyph.TransparentColor(), clFuchsia);

    TBitmap dst;
    Fill(dst, 8, 8, clWhite);
    dst.Canvas()->Draw(2, 2, &glyph);
    EXPECT_EQ(dst.Canvas()->Pixels(3, 3), clBlue);
    EXPECT_EQ(dst.Canvas()->Pixels(2, 2), clRed);
    EXPECT_EQ(dst.Canvas()->Pixels(4, 4), clWhite);
    EXPECT_EQ(dst.Canvas()->Pixels(5, 5), clWhite);

    // A fixed colour (the top-left pixel here) overrides the rule.
    glyph.SetTransparentColor(clRed);
    EXPECT_EQ(glyph.TransparentMode(), tmFixed);
    Fill(dst, 8, 8, clWhite);
    dst.Canvas()->Draw(2, 2, &glyph);
    EXPECT_EQ(dst.Canvas()->Pixels(2, 2), clWhite);
    EXPECT_EQ(dst.Canvas()->Pixels(4, 4), clFuchsia);

    // Opaque drawing copies everything.
    glyph.SetTransparent(false);
    Fill(dst, 8, 8, clWhite);
    dst.Canvas()->Draw(2, 2, &glyph);
    EXPECT_EQ(dst.Canvas()->Pixels(2, 2), clRed);
    EXPECT_EQ(dst.Canvas()->Pixels(5, 5), clFuchsia);
}

TEST(Bitmap, StretchDrawScalesTransparentGraphics) {
    TBitmap glyph;
    Fill(glyph, 2, 2, clFuchsia);
    glyph.Canvas()->SetPixels(0, 0, clBlue);
    glyph.SetTransparent(true);
    TBitmap dst;
    Fill(dst, 8, 8, clWhite);
    dst.Canvas()->StretchDraw(Rect(0, 0, 8, 8), &glyph);
    EXPECT_EQ(dst.Canvas()->Pixels(3, 3), clBlue);
    EXPECT_EQ(dst.Canvas()->Pixels(4, 4), clWhite);
}

TEST(Bitmap, AssignCopiesPixelsAndTransparency) {
    TBitmap a;
    Fill(a, 3, 3, clRed);
    a.SetTransparentColor(clRed);
    a.SetTransparent(true);
    TBitmap b;
    b.Assign(&a);
    a.Canvas()->SetPixels(0, 0, clBlue);
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), clRed);
    EXPECT_TRUE(b.Transparent());
    EXPECT_EQ(b.TransparentColor(), clRed);
}

}  // namespace
