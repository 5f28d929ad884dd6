// The drawing and control routines on memory bitmaps and windowless controls.
#include "SkinPixels.h"
#include "SkinPublic.h"
#include "TestSkinControls.h"

#include "Application.h"
#include "Form.h"
#include "Panel.h"
#include "Picture.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t Background = 0x00123456;
constexpr std::uint32_t Fuchsia = 0x00FF00FF;

struct FrameCase {
    int width, count, index, left, frameWidth;
};

TEST(ExtractBitmapFrame, CutsTheColumnsOfTheFrame) {
    const FrameCase cases[] = {
        {378, 18, 18, 357, 21},  // last title-bar button: columns 357..377
        {378, 18, 1, 0, 21},
        {55, 6, 1, 0, 9},        // 55 / 6 = 9; column 54 belongs to no frame
        {55, 6, 6, 45, 9},
    };
    for (const auto& c : cases) {
        TBitmap source, dest;
        FillMarked(source, c.width, 5);
        ExtractBitmapFrame(&source, &dest, c.count, c.index);
        ASSERT_EQ(dest.Width(), c.frameWidth) << c.width << " " << c.index;
        ASSERT_EQ(dest.Height(), 5);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < c.frameWidth; ++x)
                ASSERT_EQ(PixelAt(dest, x, y), Marker(c.left + x, y)) << c.width << " " << c.index << " " << x << "," << y;
    }
}

TEST(ExtractBitmapFrame, IntoItsOwnSourceAndRefusingBadCounts) {
    TBitmap bitmap;
    FillMarked(bitmap, 55, 3);
    ExtractBitmapFrame(&bitmap, &bitmap, 6, 2);
    ASSERT_EQ(bitmap.Width(), 9);
    EXPECT_EQ(PixelAt(bitmap, 0, 2), Marker(9, 2));
    EXPECT_EQ(PixelAt(bitmap, 8, 0), Marker(17, 0));

    TBitmap source, dest;
    FillMarked(source, 20, 3);
    FillWith(dest, 4, 4, Background);
    for (auto [count, index] : {std::pair{0, 1}, {3, 0}, {3, 4}, {-1, -1}}) {
        ExtractBitmapFrame(&source, &dest, count, index);
        EXPECT_EQ(dest.Width(), 4) << count << " " << index;
        EXPECT_EQ(PixelAt(dest, 0, 0), Background);
    }
}

// The 21x21 frame on a 75x23 client area: every piece where the worked
// example puts it, with the source rows and columns it names.
TEST(DrawNineGridBitmap, TwentyOneSquareFrameOnSeventyFiveByTwentyThree) {
    TBitmap frame, target;
    FillMarked(frame, 21, 21);
    FillWith(target, 75, 23, Background);
    DrawNineGridBitmap(&frame, target.Canvas(), {0, 0, 75, 23}, false);
    auto at = [&](int x, int y) { return PixelAt(target, x, y); };

    for (int y = 0; y < 10; ++y)  // top-left 10x10 at (0, 0)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(at(x, y), Marker(x, y)) << x << "," << y;
    for (int y = 0; y < 9; ++y)  // bottom-left 10x9 at (0, 14): rows 12..20; column 9 lies under the bottom edge
        for (int x = 0; x < 9; ++x) ASSERT_EQ(at(x, 14 + y), Marker(x, 12 + y)) << x << "," << y;
    for (int y = 0; y < 10; ++y)  // top-right 9x10 at (66, 0): columns 12..20
        for (int x = 0; x < 9; ++x) ASSERT_EQ(at(66 + x, y), Marker(12 + x, y)) << x << "," << y;
    for (int y = 0; y < 9; ++y)  // bottom-right 9x9 at (66, 14)
        for (int x = 0; x < 9; ++x) ASSERT_EQ(at(66 + x, 14 + y), Marker(12 + x, 12 + y)) << x << "," << y;
    for (int y = 10; y < 13; ++y)  // left edge (0, 10)-(10, 14) from row 10 (row 13 lies under the bottom edge at x 9 only)
        for (int x = 0; x < 9; ++x) ASSERT_EQ(at(x, y), Marker(x, 10)) << x << "," << y;
    EXPECT_EQ(at(5, 13), Marker(5, 10));
    for (int y = 10; y < 14; ++y)  // right edge (66, 10)-(75, 14) from row 11, columns 12..20
        for (int x = 0; x < 9; ++x) ASSERT_EQ(at(66 + x, y), Marker(12 + x, 11)) << x << "," << y;
    for (int y = 0; y < 10; ++y) {  // top edge (10, 0)-(66, 10): columns 10 and 11, each doubled to 28
        for (int x = 10; x < 38; ++x) ASSERT_EQ(at(x, y), Marker(10, y)) << x << "," << y;
        for (int x = 38; x < 66; ++x) ASSERT_EQ(at(x, y), Marker(11, y)) << x << "," << y;
    }
    for (int y = 10; y < 13; ++y) {  // centre (10, 10)-(66, 13) from row 10
        EXPECT_EQ(at(10, y), Marker(10, 10)) << y;
        EXPECT_EQ(at(65, y), Marker(11, 10)) << y;
    }
    // Bottom edge (9, 13)-(66, 23): rows 11..20 at full height, columns 10..11 stretched.
    for (int y = 13; y < 23; ++y) {
        EXPECT_EQ(at(9, y), Marker(10, y - 2)) << y;
        EXPECT_EQ(at(65, y), Marker(11, y - 2)) << y;
    }
    // Nothing is left undrawn.
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 75; ++x) ASSERT_NE(at(x, y), Background) << x << "," << y;
}

TEST(DrawNineGridBitmap, CornersMaskedOnlyWhenTransparent) {
    TBitmap frame;
    FillMarked(frame, 21, 21);
    frame.ScanLine(0)[0] = Fuchsia;
    for (bool transparent : {false, true}) {
        TBitmap target;
        FillWith(target, 40, 30, Background);
        DrawNineGridBitmap(&frame, target.Canvas(), {0, 0, 40, 30}, transparent);
        EXPECT_EQ(PixelAt(target, 0, 0), transparent ? Background : Fuchsia) << transparent;
        EXPECT_EQ(PixelAt(target, 1, 0), Marker(1, 0));
    }
}

// Frames and areas under 4 pixels: no piece may land outside the area, and
// nothing may fail.
TEST(DrawNineGridBitmap, TinyFramesAndAreasStayInside) {
    const struct {
        int w, h, W, H;
    } cases[] = {{21, 21, 3, 3}, {21, 21, 1, 2}, {21, 21, 0, 0}, {2, 2, 40, 20}, {1, 1, 3, 3},
                 {3, 3, 75, 23}, {21, 20, 30, 30}, {20, 21, 2, 30}, {21, 21, 75, 1}};
    for (const auto& c : cases) {
        TBitmap frame, target;
        FillMarked(frame, c.w, c.h);
        FillWith(target, 80, 40, Background);
        DrawNineGridBitmap(&frame, target.Canvas(), {0, 0, c.W, c.H}, true);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 80; ++x) {
                if (x < c.W && y < c.H) continue;
                ASSERT_EQ(PixelAt(target, x, y), Background)
                    << c.w << "x" << c.h << " on " << c.W << "x" << c.H << " at " << x << "," << y;
            }
    }
}

TEST(DrawThreePartBitmap, CapsUnscaledAndMaskedMiddleStretched) {
    TBitmap art;
    FillMarked(art, 9, 4);  // three frames of 3 columns
    const std::uint32_t corner = 0x00203040;
    art.ScanLine(0)[0] = corner;  // the left cap's corner: masked when asked
    art.ScanLine(0)[8] = Fuchsia;
    for (bool useCorner : {false, true}) {
        TBitmap target;
        FillWith(target, 20, 6, Background);
        DrawThreePartBitmap(&art, target.Canvas(), {2, 1, 18, 5}, useCorner);
        EXPECT_EQ(PixelAt(target, 2, 1), useCorner ? Background : corner) << useCorner;
        EXPECT_EQ(PixelAt(target, 17, 1), useCorner ? Fuchsia : Background) << useCorner;
        EXPECT_EQ(PixelAt(target, 3, 2), Marker(1, 1));
        EXPECT_EQ(PixelAt(target, 15, 4), Marker(6, 3));  // right cap at Right - 3
        EXPECT_EQ(PixelAt(target, 5, 2), Marker(3, 1));   // middle from column 3 ...
        EXPECT_EQ(PixelAt(target, 14, 2), Marker(5, 1));  // ... to column 5
        EXPECT_EQ(PixelAt(target, 1, 2), Background);
        EXPECT_EQ(PixelAt(target, 18, 2), Background);
    }
}

TEST(RotateBitmap, QuarterTurnsPlacePixelsAndUndoEachOther) {
    TBitmap original, bitmap;
    FillMarked(original, 5, 3);
    FillMarked(bitmap, 5, 3);

    RotateBitmapCCW(&bitmap);
    ASSERT_EQ(bitmap.Width(), 3);
    ASSERT_EQ(bitmap.Height(), 5);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) ASSERT_EQ(PixelAt(bitmap, y, 5 - 1 - x), Marker(x, y));
    RotateBitmapCW(&bitmap);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) ASSERT_EQ(PixelAt(bitmap, x, y), Marker(x, y));

    RotateBitmapCW(&bitmap);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) ASSERT_EQ(PixelAt(bitmap, 3 - 1 - y, x), Marker(x, y));
    RotateBitmapCCW(&bitmap);
    ASSERT_EQ(bitmap.Width(), 5);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) ASSERT_EQ(PixelAt(bitmap, x, y), PixelAt(original, x, y));
}

TEST(TilePicture, RepeatsFromTheCanvasOrigin) {
    TBitmap tile;
    FillMarked(tile, 3, 2);
    TPicture picture;
    picture.SetGraphic(&tile);
    TBitmap target;
    FillWith(target, 12, 8, Background);
    // Tiles at x = 0, 3, 6, 9 (x < 3 + 7) and y = 0, 2, 4 (y < 2 + 4): the
    // count follows Rect's size, the places the canvas origin.
    TilePicture(target.Canvas(), &picture, {4, 3, 11, 7});
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x)
            ASSERT_EQ(PixelAt(target, x, y), y < 6 ? Marker(x % 3, y % 2) : Background) << x << "," << y;
}

TEST(PaintParentBackground, WithoutParentDrawsNothing) {
    TOwned<TskTestControl> control = CreateOwned<TskTestControl>();
    control->SetBounds(3, 4, 10, 10);
    TBitmap target;
    FillWith(target, 10, 10, Background);
    PaintParentBackground(target.Canvas(), control.get());
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(PixelAt(target, x, y), Background);
}

TEST(PlaceControl, SetsLeftTopWidthHeightInThatOrder) {
    TOwned<TskTestControl> control = CreateOwned<TskTestControl>();
    control->SetBounds(0, 0, 5, 5);
    control->Log.clear();
    PlaceControl(control.get(), {10, 20, 110, 70});
    EXPECT_EQ(control->Log, (std::vector<std::string>{"Bounds=10,0,5,5", "Bounds=10,20,5,5", "Bounds=10,20,100,5",
                                                      "Bounds=10,20,100,50"}));
    control->Log.clear();
    MoveControlTo(control.get(), {7, 8});
    EXPECT_EQ(control->Log, (std::vector<std::string>{"Bounds=7,20,100,50", "Bounds=7,8,100,50"}));
}

TEST(HasPublishedProperty, AnswersFromThePropertyTables) {
    TOwned<TskTestControl> themed = CreateOwned<TskTestControl>();
    TOwned<TskStyleOnlyControl> styleOnly = CreateOwned<TskStyleOnlyControl>();
    EXPECT_TRUE(HasPublishedProperty(themed.get(), "FileTheme"));
    EXPECT_TRUE(HasPublishedProperty(themed.get(), "uistyle"));
    EXPECT_TRUE(HasPublishedProperty(themed.get(), "Left"));
    EXPECT_FALSE(HasPublishedProperty(styleOnly.get(), "FileTheme"));
    EXPECT_FALSE(HasPublishedProperty(themed.get(), "NoSuchProperty"));
    EXPECT_FALSE(HasPublishedProperty(nullptr, "UIStyle"));
}

TEST(ApplyStyleToChildren, SetsFileThemeThenStyleOnChildrenThatPublishBoth) {
    TOwned<TPanel> parent = CreateOwned<TPanel>();
    auto* first = Create<TskTestControl>(parent.get());
    auto* styleOnly = Create<TskStyleOnlyControl>(parent.get());
    auto* plain = Create<TPanel>(parent.get());
    auto* second = Create<TskTestControl>(parent.get());
    auto* grandchildParent = Create<TPanel>(parent.get());
    auto* grandchild = Create<TskTestControl>(parent.get());
    for (TControl* c : std::initializer_list<TControl*>{first, styleOnly, plain, second, grandchildParent})
        c->SetParent(parent.get());
    grandchild->SetParent(grandchildParent);
    auto* theme = Create<TskFileTheme>(parent.get());
    theme->SetName("Theme1");

    ApplyStyleToChildren(parent.get(), TskUIStyle::Protein, theme);
    const std::vector<std::string> expected{"FileTheme=Theme1", "UIStyle=Protein"};
    EXPECT_EQ(first->Log, expected);
    EXPECT_EQ(second->Log, expected);
    EXPECT_EQ(styleOnly->Sets, 0);
    EXPECT_EQ(styleOnly->UIStyle(), TskUIStyle::DeepBlue);
    EXPECT_TRUE(grandchild->Log.empty());
}

class IsFormActiveTest : public ::testing::Test {
protected:
    void TearDown() override {
        Application->SetMainForm(nullptr);
        Application->SetActive(false);
    }
};

TEST_F(IsFormActiveTest, WithoutMainFormNoFormIsNotActive) {
    ASSERT_EQ(Application->MainForm(), nullptr);
    EXPECT_FALSE(IsFormActive(nullptr));
    TOwned<TForm> form = CreateOwned<TForm>();
    EXPECT_EQ(IsFormActive(form.get()), form->Active());
}

TEST_F(IsFormActiveTest, MainFormAndApplicationState) {
    TOwned<TForm> main = CreateOwned<TForm>();
    TOwned<TForm> other = CreateOwned<TForm>();
    Application->SetMainForm(main.get());
    Application->SetActive(false);
    EXPECT_FALSE(IsFormActive(nullptr));
    EXPECT_FALSE(IsFormActive(main.get()));
    Application->SetActive(true);
    EXPECT_TRUE(IsFormActive(nullptr));
    EXPECT_TRUE(IsFormActive(main.get()));
    EXPECT_FALSE(IsFormActive(other.get()));  // never activated
}

TEST_F(IsFormActiveTest, MdiParentIsActiveEvenWhenTheApplicationIsNot) {
    TOwned<TForm> main = CreateOwned<TForm>();
    main->SetFormStyle(fsMDIForm);
    Application->SetMainForm(main.get());
    Application->SetActive(false);
    EXPECT_TRUE(IsFormActive(main.get()));
    EXPECT_FALSE(IsFormActive(nullptr));
}

}  // namespace
