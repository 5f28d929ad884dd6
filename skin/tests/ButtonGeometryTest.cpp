// Where the skinned buttons put glyph and caption, and the sizes that
// auto-sized buttons and check boxes take.
#include "ButtonGeometry.h"

#include <gtest/gtest.h>

namespace {

TEST(ButtonGeometry, GlyphAndCaptionPlacesByLayout) {
    struct TCase {
        TButtonLayout layout;
        int height;
        TPoint glyph, caption;
    };
    // An 80 wide button, caption 30 x 13, glyph 16 x 16, spacing 4. The
    // 26 high cases show that halves of negative sums truncate toward zero.
    const TCase cases[] = {
        {blGlyphLeft, 27, {15, 5}, {35, 7}},   {blGlyphRight, 27, {49, 5}, {15, 7}},
        {blGlyphTop, 27, {32, -3}, {25, 17}},  {blGlyphBottom, 27, {32, 14}, {25, -3}},
        {blGlyphTop, 26, {32, -3}, {25, 17}},  {blGlyphLeft, 26, {15, 5}, {35, 6}},
        {blGlyphBottom, 26, {32, 13}, {25, -4}},
    };
    for (const TCase& c : cases) {
        const TskGlyphPlacement p = PlaceGlyph(c.layout, 80, c.height, 30, 13, 16, 16, 4);
        EXPECT_EQ(p.Glyph, c.glyph) << c.layout << " h " << c.height;
        EXPECT_EQ(p.Caption, c.caption) << c.layout << " h " << c.height;
    }
}

TEST(ButtonGeometry, AGlyphTwiceAsWideAsHighHoldsTwoImages) {
    EXPECT_EQ(GlyphImageWidth(32, 16), 16);
    EXPECT_EQ(GlyphImageWidth(16, 16), 16);
    EXPECT_EQ(GlyphImageWidth(33, 16), 33);
    EXPECT_EQ(GlyphImageWidth(16, 32), 16);
}

TEST(ButtonGeometry, AutoSizedButtonTakesOneFrameOfItsPicture) {
    EXPECT_EQ(ButtonAutoSize(54, 21), (TSize{18, 21}));   // WinXP
    EXPECT_EQ(ButtonAutoSize(222, 21), (TSize{74, 21}));  // DeepBlue
    EXPECT_EQ(ButtonAutoSize(0, 0), (TSize{24, 21}));     // no picture: 74 x 21
    EXPECT_EQ(ButtonAutoSize(56, 0), (TSize{18, 21}));
    EXPECT_EQ(ButtonAutoSize(0, 19), (TSize{24, 19}));
}

TEST(ButtonGeometry, AutoSizedCheckBoxFitsBoxAndCaption) {
    EXPECT_EQ(CheckBoxAutoSize(13, 13, 13, 24), (TSize{45, 19}));
    EXPECT_EQ(CheckBoxAutoSize(15, 17, 13, 24), (TSize{47, 21}));  // a box taller than the text
    EXPECT_EQ(CheckBoxAutoSize(0, 0, 13, 24), (TSize{32, 19}));    // no box picture
    EXPECT_EQ(CheckBoxAutoSize(13, 13, 16, 0), (TSize{21, 22}));
}

TEST(ButtonGeometry, RemoveAmpersandsDropsEveryOne) {
    EXPECT_EQ(RemoveAmpersands("&File"), "File");
    EXPECT_EQ(RemoveAmpersands("Save && Exit"), "Save  Exit");
    EXPECT_EQ(RemoveAmpersands("&&&x&"), "x");
    EXPECT_EQ(RemoveAmpersands(""), "");
}

}  // namespace
