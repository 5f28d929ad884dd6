#include "SkinGeometry.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

const TskPicturePiece* Step(const std::vector<TskPicturePiece>& pieces, int step) {
    for (const auto& p : pieces)
        if (p.Step == step) return &p;
    return nullptr;
}

}  // namespace

TEST(SkinGeometry, PointInRectCountsAllFourEdges) {
    const TRect r{10, 20, 30, 40};
    const struct {
        TPoint p;
        bool inside;
    } cases[] = {{{10, 20}, true},  {{30, 40}, true},  {{30, 20}, true},  {{10, 40}, true}, {{20, 30}, true},
                 {{9, 30}, false},  {{31, 30}, false}, {{20, 19}, false}, {{20, 41}, false}};
    for (const auto& c : cases) EXPECT_EQ(PointInRect(c.p, r), c.inside) << c.p.X << "," << c.p.Y;
}

TEST(SkinGeometry, FrameColumns) {
    // The title-button strip: frame 18 of 18 is the last 21 columns.
    EXPECT_EQ(FrameColumns(378, 18, 18), (TskFrameColumns{357, 21}));
    EXPECT_EQ(FrameColumns(378, 18, 1), (TskFrameColumns{0, 21}));
    // 55 columns in 6 frames: 9 each, column 54 belongs to none.
    EXPECT_EQ(FrameColumns(55, 6, 1), (TskFrameColumns{0, 9}));
    EXPECT_EQ(FrameColumns(55, 6, 6), (TskFrameColumns{45, 9}));
    EXPECT_EQ(FrameColumns(55, 6, 6).Left + FrameColumns(55, 6, 6).Width, 54);
    // Nonsense requests give nothing rather than columns outside the picture.
    EXPECT_EQ(FrameColumns(378, 0, 1), TskFrameColumns{});
    EXPECT_EQ(FrameColumns(378, 18, 0), TskFrameColumns{});
    EXPECT_EQ(FrameColumns(378, 18, 19), TskFrameColumns{});
    EXPECT_EQ(FrameColumns(5, 6, 1).Width, 0);
}

TEST(SkinGeometry, NineGridOfA21x21FrameOn75x23) {
    const auto pieces = NineGridPieces(21, 21, {0, 0, 75, 23});
    ASSERT_EQ(pieces.size(), 9u);
    for (std::size_t i = 0; i < pieces.size(); ++i) EXPECT_EQ(pieces[i].Step, static_cast<int>(i) + 1);

    const struct {
        int step;
        TRect source, dest;
        bool stretched;
    } expected[] = {
        {1, {0, 0, 10, 10}, {0, 0, 10, 10}, false},      // top-left 10x10 at (0, 0)
        {2, {0, 12, 10, 21}, {0, 14, 10, 23}, false},    // bottom-left 10x9 at (0, 14)
        {3, {0, 10, 10, 11}, {0, 10, 10, 14}, true},     // left edge from row 10
        {4, {12, 0, 21, 10}, {66, 0, 75, 10}, false},    // top-right 9x10 at (66, 0)
        {5, {12, 12, 21, 21}, {66, 14, 75, 23}, false},  // bottom-right 9x9 at (66, 14)
        {6, {12, 11, 21, 12}, {66, 10, 75, 14}, true},   // right edge from row 11
        {7, {10, 0, 12, 10}, {10, 0, 66, 10}, true},     // top edge from columns 10 and 11
        {8, {10, 10, 12, 11}, {10, 10, 66, 13}, true},   // centre
        {9, {10, 11, 12, 21}, {9, 13, 66, 23}, true},    // bottom edge
    };
    for (const auto& e : expected) {
        const auto* p = Step(pieces, e.step);
        ASSERT_NE(p, nullptr) << e.step;
        EXPECT_EQ(p->Source, e.source) << "step " << e.step;
        EXPECT_EQ(p->Dest, e.dest) << "step " << e.step;
        EXPECT_EQ(p->Stretched, e.stretched) << "step " << e.step;
    }
}

TEST(SkinGeometry, NineGridOnTinyAreasAndPicturesDrawsOnlyWhatFits) {
    const struct {
        int w, h;
        TRect area;
    } cases[] = {{21, 21, {0, 0, 3, 3}}, {21, 21, {0, 0, 1, 40}}, {21, 21, {0, 0, 0, 0}}, {3, 3, {0, 0, 75, 23}},
                 {1, 1, {0, 0, 75, 23}}, {0, 0, {0, 0, 75, 23}}, {21, 21, {0, 0, -5, -5}}, {2, 21, {0, 0, 75, 23}}};
    for (const auto& c : cases) {
        for (const auto& p : NineGridPieces(c.w, c.h, c.area)) {
            SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " on " << c.area.Width() << "x" << c.area.Height()
                                            << " step " << p.Step);
            EXPECT_FALSE(p.Source.IsEmpty());
            EXPECT_FALSE(p.Dest.IsEmpty());
            EXPECT_GE(p.Source.Left, 0);
            EXPECT_GE(p.Source.Top, 0);
            EXPECT_LE(p.Source.Right, c.w);
            EXPECT_LE(p.Source.Bottom, c.h);
            EXPECT_GE(p.Dest.Left, 0);
            EXPECT_GE(p.Dest.Top, 0);
            EXPECT_LE(p.Dest.Right, c.area.Right);
            EXPECT_LE(p.Dest.Bottom, c.area.Bottom);
            if (!p.Stretched) {
                EXPECT_EQ(p.Source.Width(), p.Dest.Width());
                EXPECT_EQ(p.Source.Height(), p.Dest.Height());
            }
        }
    }
    EXPECT_TRUE(NineGridPieces(21, 21, {0, 0, 0, 0}).empty());
    EXPECT_TRUE(NineGridPieces(0, 0, {0, 0, 75, 23}).empty());
    // An even-height picture has no row for the left edge; the rest still draws.
    const auto even = NineGridPieces(21, 20, {0, 0, 75, 23});
    EXPECT_EQ(Step(even, 3), nullptr);
    EXPECT_NE(Step(even, 1), nullptr);
}

TEST(SkinGeometry, ThreePartCapsAndStretchedMiddle) {
    // A 45 x 8 track picture over a 200-pixel bar at (0, 4).
    const auto pieces = ThreePartPieces(45, 8, {0, 4, 200, 12});
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0], (TskPicturePiece{1, {0, 0, 15, 8}, {0, 4, 15, 12}, false}));
    EXPECT_EQ(pieces[1], (TskPicturePiece{2, {30, 0, 45, 8}, {185, 4, 200, 12}, false}));
    EXPECT_EQ(pieces[2], (TskPicturePiece{3, {15, 0, 30, 8}, {15, 4, 185, 12}, true}));
    // Narrower than both caps: the middle has no room and is left out.
    EXPECT_EQ(ThreePartPieces(45, 8, {0, 0, 20, 8}).size(), 2u);
    EXPECT_TRUE(ThreePartPieces(2, 8, {0, 0, 20, 8}).empty());
}

TEST(SkinGeometry, TilingStartsAtTheOriginAndReachesOnePictureFurther) {
    const auto places = TilePositions(8, 8, {5, 5, 21, 13});  // 16 x 8
    std::vector<TPoint> expected;
    for (int x : {0, 8, 16})
        for (int y : {0, 8}) expected.push_back({x, y});
    EXPECT_EQ(places, expected);
    EXPECT_TRUE(TilePositions(0, 8, {0, 0, 100, 100}).empty()) << "an empty picture must not loop";
}

TEST(SkinGeometry, RotationsMoveEachPixelAndUndoEachOther) {
    // 3 x 2 block, values are their own indices.
    const std::vector<int> block{0, 1, 2, 3, 4, 5};
    const auto ccw = RotatePixelsCCW(block, 3, 2);  // 2 wide, 3 high
    // (x, y) -> (y, Width - 1 - x): pixel 2 at (2, 0) goes to (0, 0).
    EXPECT_EQ(ccw, (std::vector<int>{2, 5, 1, 4, 0, 3}));
    const auto cw = RotatePixelsCW(block, 3, 2);
    // (x, y) -> (Height - 1 - y, x): pixel 3 at (0, 1) goes to (0, 0).
    EXPECT_EQ(cw, (std::vector<int>{3, 0, 4, 1, 5, 2}));
    EXPECT_EQ(RotatePixelsCCW(cw, 2, 3), block);
    EXPECT_EQ(RotatePixelsCW(ccw, 2, 3), block);

    std::vector<int> big(17 * 6);
    std::iota(big.begin(), big.end(), 0);
    EXPECT_EQ(RotatePixelsCCW(RotatePixelsCW(big, 17, 6), 6, 17), big);
}
