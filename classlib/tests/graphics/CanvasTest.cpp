#include "Bitmap.h"
#include "Canvas.h"
#include "Exceptions.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A white bitmap of the given size.
void Blank(TBitmap& b, int w, int h, TColor Color = clWhite) {
    b.SetSize(w, h);
    b.Canvas()->Brush()->SetColor(Color);
    b.Canvas()->FillRect(Rect(0, 0, w, h));
}

int CountPixels(TBitmap& b, TColor Color) {
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) n += b.Canvas()->Pixels(x, y) == Color;
    return n;
}

TEST(Canvas, FillAndFrameUseTheBrush) {
    TBitmap b;
    Blank(b, 10, 10);
    TCanvas* c = b.Canvas();
    c->Brush()->SetColor(clRed);
    c->FillRect(Rect(2, 2, 5, 5));
    EXPECT_EQ(c->Pixels(2, 2), clRed);
    EXPECT_EQ(c->Pixels(4, 4), clRed);
    EXPECT_EQ(c->Pixels(5, 5), clWhite);  // right and bottom are exclusive
    EXPECT_EQ(CountPixels(b, clRed), 9);

    c->Brush()->SetColor(clBlue);
    c->FrameRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(c->Pixels(0, 0), clBlue);
    EXPECT_EQ(c->Pixels(9, 9), clBlue);
    EXPECT_EQ(c->Pixels(1, 1), clWhite);
    EXPECT_EQ(CountPixels(b, clBlue), 36);
}

TEST(Canvas, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
    TBitmap b;
    Blank(b, 10, 10);
    TCanvas* c = b.Canvas();
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clLime);
    c->Rectangle(1, 1, 6, 6);
    EXPECT_EQ(c->Pixels(1, 1), clBlack);
    EXPECT_EQ(c->Pixels(5, 3), clBlack);
    EXPECT_EQ(c->Pixels(3, 3), clLime);
    EXPECT_EQ(c->Pixels(6, 6), clWhite);

    // A cleared brush leaves the inside alone.
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(clRed);
    c->Rectangle(1, 1, 6, 6);
    EXPECT_EQ(c->Pixels(1, 1), clRed);
    EXPECT_EQ(c->Pixels(3, 3), clLime);
}

TEST(Canvas, LinesPolylinesAndPolygons) {
    TBitmap b;
    Blank(b, 20, 20);
    TCanvas* c = b.Canvas();
    c->Pen()->SetColor(clRed);
    c->MoveTo(0, 5);
    c->LineTo(10, 5);
    EXPECT_EQ(c->PenPos(), Point(10, 5));
    EXPECT_EQ(c->Pixels(0, 5), clRed);
    EXPECT_EQ(c->Pixels(9, 5), clRed);
    EXPECT_EQ(c->Pixels(10, 5), clWhite);  // the end point is not drawn

    const TPoint corner[] = {{15, 0}, {15, 10}, {19, 10}};
    c->Polyline(corner);
    EXPECT_EQ(c->Pixels(15, 4), clRed);
    EXPECT_EQ(c->Pixels(17, 10), clRed);

    c->Pen()->SetColor(clBlue);
    c->Brush()->SetColor(clBlue);
    const std::vector<TPoint> triangle = {{2, 12}, {10, 12}, {2, 19}};
    c->Polygon(triangle);
    EXPECT_EQ(c->Pixels(4, 14), clBlue);
    EXPECT_EQ(c->Pixels(9, 18), clWhite);
}

TEST(Canvas, ArcDrawsOnlyTheOutline) {
    TBitmap b;
    Blank(b, 21, 21);
    TCanvas* c = b.Canvas();
    c->Pen()->SetColor(clBlack);
    c->Arc(0, 0, 21, 21, 21, 10, 21, 10);  // a full circle
    EXPECT_EQ(c->Pixels(10, 10), clWhite);
    EXPECT_EQ(c->Pixels(10, 0), clBlack);
    EXPECT_EQ(c->Pixels(0, 10), clBlack);
}

TEST(Canvas, TextUsesFontColourAndBrushBackground) {
    TBitmap b;
    Blank(b, 60, 30);
    TCanvas* c = b.Canvas();
    c->Font()->SetName("Arial");
    c->Font()->SetHeight(-16);
    c->Font()->SetColor(clRed);
    c->Brush()->SetColor(clYellow);
    const TSize w = c->TextExtent("W");
    EXPECT_GT(w.cx, 4);
    EXPECT_GT(w.cy, 10);
    EXPECT_GT(c->TextWidth("WWW"), 2 * w.cx);
    c->TextOut(0, 0, "W");
    EXPECT_GT(CountPixels(b, clRed), 5);
    EXPECT_GT(CountPixels(b, clYellow), 5);  // opaque background in the brush colour

    Blank(b, 60, 30);
    c->Brush()->SetStyle(bsClear);
    c->TextOut(0, 0, "W");
    EXPECT_GT(CountPixels(b, clRed), 5);
    EXPECT_EQ(CountPixels(b, clYellow), 0);
}

TEST(Canvas, FontChangedWhileSelectedTakesEffect) {
    TBitmap b;
    Blank(b, 10, 10);
    TCanvas* c = b.Canvas();
    c->Font()->SetHeight(-10);
    const int small = c->TextHeight("W");
    c->Font()->SetHeight(-30);
    EXPECT_GT(c->TextHeight("W"), small + 10);
}

TEST(Canvas, PatternBrushRepeatsEightByEight) {
    TBitmap pattern;
    pattern.SetSize(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) pattern.Canvas()->SetPixels(x, y, (x + y) % 2 ? clBlack : clWhite);
    TBitmap b;
    Blank(b, 16, 16, clRed);
    b.Canvas()->Brush()->SetBitmap(&pattern);
    b.Canvas()->FillRect(Rect(0, 0, 16, 16));
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), clWhite);
    EXPECT_EQ(b.Canvas()->Pixels(1, 0), clBlack);
    EXPECT_EQ(b.Canvas()->Pixels(9, 8), clBlack);
    EXPECT_EQ(b.Canvas()->Pixels(15, 15), clWhite);
    EXPECT_EQ(CountPixels(b, clBlack), 128);
    b.Canvas()->Brush()->SetBitmap(nullptr);
}

TEST(Canvas, DrawFocusRectTwiceRestores) {
    TBitmap b;
    Blank(b, 10, 10);
    TCanvas* c = b.Canvas();
    c->DrawFocusRect(Rect(1, 1, 9, 9));
    EXPECT_LT(CountPixels(b, clWhite), 100);
    c->DrawFocusRect(Rect(1, 1, 9, 9));
    EXPECT_EQ(CountPixels(b, clWhite), 100);
}

TEST(Canvas, ViewportOriginClipAndSavedState) {
    TBitmap b;
    Blank(b, 20, 20);
    TCanvas* c = b.Canvas();
    const int saved = c->SaveDC();
    c->SetViewportOrigin(Point(10, 10));
    EXPECT_EQ(c->ViewportOrigin(), Point(10, 10));
    c->IntersectClipRect(Rect(0, 0, 5, 5));
    EXPECT_EQ(c->ClipRect(), Rect(0, 0, 5, 5));
    c->Brush()->SetColor(clRed);
    c->FillRect(Rect(-10, -10, 10, 10));  // clipped to device (10,10)-(15,15)
    EXPECT_EQ(CountPixels(b, clRed), 25);
    EXPECT_EQ(c->Pixels(0, 0), clRed);  // logical (0,0) is device (10,10)
    c->RestoreDC(saved);
    EXPECT_EQ(c->ViewportOrigin(), Point(0, 0));
    c->FillRect(Rect(0, 0, 2, 2));
    EXPECT_EQ(c->Pixels(0, 0), clRed);
    EXPECT_EQ(CountPixels(b, clRed), 29);
}

TEST(Canvas, CopyRectStretches) {
    TBitmap src;
    Blank(src, 2, 2);
    src.Canvas()->SetPixels(0, 0, clRed);
    TBitmap dst;
    Blank(dst, 8, 8);
    dst.Canvas()->CopyRect(Rect(0, 0, 8, 8), src.Canvas(), Rect(0, 0, 2, 2));
    EXPECT_EQ(CountPixels(dst, clRed), 16);
    EXPECT_EQ(dst.Canvas()->Pixels(3, 3), clRed);
    EXPECT_EQ(dst.Canvas()->Pixels(4, 4), clWhite);
}

TEST(Canvas, PixelsOutsideAndDetachedCanvas) {
    TBitmap b;
    Blank(b, 4, 4);
    EXPECT_EQ(b.Canvas()->Pixels(4, 0), -1);
    TCanvas bare;
    EXPECT_FALSE(bare.HandleAllocated());
    EXPECT_THROW(bare.FillRect(Rect(0, 0, 1, 1)), EInvalidOperation);
}

TEST(Canvas, ForeignContextGetsItsOwnObjectsBack) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(dc, 4, 4);
    HGDIOBJ oldBmp = SelectObject(dc, bmp);
    const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
    const HGDIOBJ brush = GetCurrentObject(dc, OBJ_BRUSH);
    {
        TCanvas c;
        c.SetHandle(dc);
        c.Font()->SetHeight(-20);
        c.TextOut(0, 0, "x");
        c.Pen()->SetColor(clRed);
        c.Rectangle(0, 0, 3, 3);
        EXPECT_NE(GetCurrentObject(dc, OBJ_FONT), font);
        c.Font()->SetHeight(-12);  // the old font goes while selected
        c.TextOut(0, 0, "y");
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    SelectObject(dc, oldBmp);
    DeleteObject(bmp);
    DeleteDC(dc);
}

}  // namespace

namespace {

// The system runs out of GDI objects after some tens of thousands: a canvas
// that leaked one per change would stop drawing long before the end.
TEST(Canvas, RemadeObjectsAreNotLeaked) {
    TBitmap b;
    b.SetSize(8, 8);
    TCanvas* c = b.Canvas();
    for (int i = 0; i < 70000; ++i) {
        c->Font()->SetHeight(-10 - (i % 2));
        c->Pen()->SetColor(i % 2 ? clRed : clBlue);
        c->Brush()->SetColor(i % 2 ? clWhite : clBlack);
        c->TextExtent("x");
        c->FillRect(Rect(0, 0, 1, 1));
        c->LineTo(1, 1);
        if (i % 1000 == 0) b.SetSize(8 + (i / 1000) % 2, 8);
    }
    c->Brush()->SetColor(clLime);
    c->FillRect(Rect(0, 0, 8, 8));
    EXPECT_EQ(c->Pixels(4, 4), clLime);
    TFont f;
    EXPECT_NE(f.Handle(), nullptr);
}

}  // namespace
