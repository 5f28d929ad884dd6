#include "Bitmap.h"
#include "ImageList.h"
#include "TypInfo.h"

#include <gtest/gtest.h>

namespace {

void Fill(TBitmap& b, int w, int h, TColor Color) {
    b.SetSize(w, h);
    b.Canvas()->Brush()->SetColor(Color);
    b.Canvas()->FillRect(Rect(0, 0, w, h));
}

// A 4x4 glyph: fuchsia background, a blue 2x2 square at (1, 1).
void Glyph(TBitmap& b) {
    Fill(b, 4, 4, clFuchsia);
    b.Canvas()->Brush()->SetColor(clBlue);
    b.Canvas()->FillRect(Rect(1, 1, 3, 3));
}

TEST(ImageList, AddAnswersTheIndexAndSplitsWideBitmaps) {
    auto owned = CreateOwned<TImageList>(4, 4);
    TImageList& list = *owned;
    EXPECT_EQ(list.Count(), 0);
    TBitmap a;
    Fill(a, 4, 4, clRed);
    EXPECT_EQ(list.Add(&a), 0);
    TBitmap strip;
    Fill(strip, 12, 4, clGreen);
    EXPECT_EQ(list.Add(&strip), 1);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Add(&a), 4);
    EXPECT_NE(list.Handle(), nullptr);
    EXPECT_EQ(ImageList_GetImageCount(list.Handle()), 5);
    // The bitmap stays usable after the list took its copy.
    a.Canvas()->SetPixels(0, 0, clBlue);
    EXPECT_EQ(a.Canvas()->Pixels(0, 0), clBlue);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 4);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(ImageList, MaskedImagesDrawOnlyTheirVisiblePixels) {
    auto owned = CreateOwned<TImageList>(4, 4);
    TImageList& list = *owned;
    TBitmap g;
    Glyph(g);
    ASSERT_EQ(list.AddMasked(&g, clFuchsia), 0);
    EXPECT_EQ(g.Canvas()->Pixels(0, 0), clFuchsia);  // the caller's bitmap is untouched

    TBitmap dst;
    Fill(dst, 8, 8, clWhite);
    list.Draw(dst.Canvas(), 2, 2, 0);
    EXPECT_EQ(dst.Canvas()->Pixels(3, 3), clBlue);
    EXPECT_EQ(dst.Canvas()->Pixels(4, 4), clBlue);
    EXPECT_EQ(dst.Canvas()->Pixels(2, 2), clWhite);
    EXPECT_EQ(dst.Canvas()->Pixels(5, 5), clWhite);
}

TEST(ImageList, ExplicitMaskDecidesWhatShows) {
    auto owned = CreateOwned<TImageList>(4, 4);
    TImageList& list = *owned;
    TBitmap image, mask;
    Fill(image, 4, 4, clRed);
    Fill(mask, 4, 4, clWhite);
    mask.Canvas()->SetPixels(0, 0, clBlack);
    ASSERT_EQ(list.Add(&image, &mask), 0);
    TBitmap dst;
    Fill(dst, 4, 4, clLime);
    list.Draw(dst.Canvas(), 0, 0, 0);
    EXPECT_EQ(dst.Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(dst.Canvas()->Pixels(1, 0), clLime);
}

TEST(ImageList, DisabledDrawIsGreyAndKeepsTheBackground) {
    auto owned = CreateOwned<TImageList>(4, 4);
    TImageList& list = *owned;
    TBitmap g;
    Glyph(g);
    list.AddMasked(&g, clFuchsia);
    TBitmap dst;
    Fill(dst, 4, 4, clLime);
    list.Draw(dst.Canvas(), 0, 0, 0, false);
    const TColor c = dst.Canvas()->Pixels(1, 1);
    EXPECT_EQ(GetRValue(c), GetGValue(c));
    EXPECT_EQ(GetGValue(c), GetBValue(c));
    EXPECT_GE(GetRValue(c), 128);  // pale
    EXPECT_LT(GetRValue(c), 255);
    EXPECT_EQ(dst.Canvas()->Pixels(0, 0), clLime);
    EXPECT_EQ(dst.Canvas()->Pixels(3, 3), clLime);
}

TEST(ImageList, GetBitmapCopiesAnImage) {
    auto owned = CreateOwned<TImageList>(4, 4);
    TImageList& list = *owned;
    TBitmap a, b;
    Fill(a, 4, 4, clRed);
    Fill(b, 4, 4, clBlue);
    list.Add(&a);
    list.Add(&b);
    TBitmap out;
    list.GetBitmap(1, &out);
    EXPECT_EQ(out.Width(), 4);
    EXPECT_EQ(out.Canvas()->Pixels(3, 3), clBlue);
}

TEST(ImageList, NewSizeEmptiesTheList) {
    auto owned = CreateOwned<TImageList>(4, 4);
    TImageList& list = *owned;
    TBitmap a;
    Fill(a, 4, 4, clRed);
    list.Add(&a);
    list.SetSize(128, 128);
    EXPECT_EQ(list.Count(), 0);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(list.Handle(), &cx, &cy);
    EXPECT_EQ(cx, 128);
    EXPECT_EQ(cy, 128);
}

TEST(ImageList, IsAComponentWithPublishedSize) {
    RegisterClass<TImageList>();
    TOwned<TComponent> form = CreateOwned<TComponent>();
    TComponent* c = CreateComponentByClassName("TImageList", form.get());
    c->SetName("ScreenshotList");
    auto* list = dynamic_cast<TImageList*>(c);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Width(), 16);
    EXPECT_EQ(list->Height(), 16);
    SetOrdProp(list, "Width", 128);
    SetOrdProp(list, "Height", 128);
    EXPECT_EQ(list->Width(), 128);
    EXPECT_EQ(GetOrdProp(list, "Height"), 128);
    EXPECT_EQ(form->FindComponent("screenshotlist"), list);
}

}  // namespace
