#include "SwfMovie.h"
#include "SwfTestMovies.h"

#include <gtest/gtest.h>

namespace {

class SwfHeaderTest : public ::testing::TestWithParam<bool> {};

TEST_P(SwfHeaderTest, ReadsHeaderFieldsOfPlainAndCompressedMovies) {
    bool compressed = GetParam();
    auto bytes = ThreeFrameMovie(compressed);
    auto m = TSwfMovie::FromBytes(bytes);
    EXPECT_EQ(m->Status, TSwfStatus::Ok) << m->Problem;
    EXPECT_EQ(m->Header.Signature, compressed ? "CWS" : "FWS");
    EXPECT_EQ(m->Header.Version, 9);
    if (!compressed) {
        EXPECT_EQ(m->Header.FileLength, bytes.size());
    }
    EXPECT_GT(m->Header.FileLength, 30u);
    EXPECT_EQ(m->Header.FrameSize, (TSwfRect{0, 2000, 0, 1600}));
    EXPECT_DOUBLE_EQ(m->Header.FrameRate(), 24.0);
    EXPECT_EQ(m->Header.FrameCount, 3);
    EXPECT_EQ(m->TotalFrames(), 3);
    EXPECT_EQ(m->Background, TestBackground);
}

INSTANTIATE_TEST_SUITE_P(Signatures, SwfHeaderTest, ::testing::Values(false, true));

TEST(SwfReader, FractionalFrameRateAndPlaybackBounds) {
    TSwfWriter w(10, 10, 12.5);
    w.Main.ShowFrame();
    auto m = TSwfMovie::FromBytes(w.Finish());
    EXPECT_DOUBLE_EQ(m->Header.FrameRate(), 12.5);
    EXPECT_DOUBLE_EQ(m->PlaybackRate(), 12.5);

    TSwfWriter still(10, 10, 0);
    still.Main.ShowFrame();
    EXPECT_DOUBLE_EQ(TSwfMovie::FromBytes(still.Finish())->PlaybackRate(), 1.0);
}

TEST(SwfReader, PlacementsPerFrame) {
    auto m = TSwfMovie::FromBytes(ThreeFrameMovie());
    ASSERT_EQ(m->Frames.size(), 3u);
    ASSERT_EQ(m->Frames[0].Changes.size(), 1u);
    const TSwfPlacement& p = m->Frames[0].Changes[0];
    EXPECT_EQ(p.Kind, TSwfPlacement::Place);
    EXPECT_EQ(p.Depth, 1);
    EXPECT_TRUE(p.HasCharacter);
    EXPECT_FALSE(p.Move);
    EXPECT_EQ(p.Matrix, TSwfMatrix::Translate(200, 200));
    const TSwfPlacement& mv = m->Frames[1].Changes.at(0);
    EXPECT_TRUE(mv.Move);
    EXPECT_FALSE(mv.HasCharacter);
    EXPECT_EQ(mv.Matrix, TSwfMatrix::Translate(1000, 800));
    EXPECT_EQ(m->Frames[2].Changes.at(0).Kind, TSwfPlacement::Remove);
}

TEST(SwfReader, UnknownTagsAreSkippedByLength) {
    TSwfWriter w(10, 10, 12);
    std::vector<uint8_t> junk(100, 0x01);  // a long tag
    w.Main.Tag(777, junk);
    w.Main.Tag(12, std::vector<uint8_t>{0x07, 0x00});  // actions: not run
    TSwfShapeBuilder s;
    s.Rectangle(0, 0, 100, 100, s.SolidFill(TestRed), 0);
    uint16_t id = w.DefineShape(s);
    w.Main.Place(1, id);
    w.Main.ShowFrame();
    auto m = TSwfMovie::FromBytes(w.Finish());
    EXPECT_EQ(m->Status, TSwfStatus::Ok) << m->Problem;
    EXPECT_EQ(m->Frames.at(0).Changes.size(), 1u);
}

TEST(SwfReader, FirstDefinitionOfAnIdWins) {
    TSwfWriter w(10, 10, 12);
    TSwfShapeBuilder a, b;
    a.Rectangle(0, 0, 100, 100, a.SolidFill(TestRed), 0);
    b.Rectangle(0, 0, 100, 100, b.SolidFill({0, 255, 0, 255}), 0);
    uint16_t id = w.DefineShape(a);
    // Same id again, written by hand.
    auto body = b.Encode(3);
    std::vector<uint8_t> tag = {uint8_t(id), uint8_t(id >> 8)};
    tag.insert(tag.end(), body.begin(), body.end());
    w.Main.Tag(32, tag);
    w.Main.ShowFrame();
    auto m = TSwfMovie::FromBytes(w.Finish());
    EXPECT_EQ(m->Find(id)->ShapeDef.Paths.at(0).Color, TestRed);
}

// Shape records: every style kind and edge kind, per shape version.
TSwfShape ReadBack(const TSwfShapeBuilder& s, int version) {
    TSwfWriter w(10, 10, 12);
    uint16_t id = w.DefineShape(s, version);
    w.Main.ShowFrame();
    auto m = TSwfMovie::FromBytes(w.Finish());
    EXPECT_EQ(m->Status, TSwfStatus::Ok) << m->Problem;
    const TSwfCharacter* c = m->Find(id);
    EXPECT_TRUE(c && c->Kind == TSwfCharacter::Shape);
    return c ? c->ShapeDef : TSwfShape{};
}

double SignedArea(const std::vector<TSwfPathSegment>& segs, size_t from, size_t to) {
    double a = 0;
    TSwfPoint start = segs[from].To, prev = start;
    for (size_t i = from + 1; i < to; ++i) {
        a += prev.X * segs[i].To.Y - segs[i].To.X * prev.Y;
        prev = segs[i].To;
    }
    a += prev.X * start.Y - start.X * prev.Y;
    return a / 2;
}

class SwfShapeVersionTest : public ::testing::TestWithParam<int> {};

TEST_P(SwfShapeVersionTest, StraightAndCurvedEdgesWithFillAndLine) {
    int version = GetParam();
    TSwfShapeBuilder s;
    int fill = s.SolidFill({10, 200, 30, 128});
    int line = s.LineStyle(60, {1, 2, 3, 64});
    s.Style(0, fill, line);
    s.MoveTo(100, 100);
    s.LineTo(500, 100);    // horizontal
    s.LineTo(500, 300);    // vertical
    s.CurveTo(300, 500, 100, 300);
    s.LineTo(100, 100);
    TSwfShape shape = ReadBack(s, version);
    ASSERT_EQ(shape.Paths.size(), 2u);
    const TSwfShapePath& f = shape.Paths[0];
    EXPECT_FALSE(f.IsLine);
    // Colours of the older shape kinds carry no alpha.
    EXPECT_EQ(f.Color, (TSwfRgba{10, 200, 30, uint8_t(version >= 3 ? 128 : 255)}));
    ASSERT_EQ(f.Segments.size(), 5u);
    EXPECT_EQ(f.Segments[0].Kind, TSwfPathSegment::Move);
    EXPECT_EQ(f.Segments[0].To, (TSwfPoint{100, 100}));
    EXPECT_EQ(f.Segments[2].To, (TSwfPoint{500, 300}));
    EXPECT_EQ(f.Segments[3].Kind, TSwfPathSegment::Curve);
    EXPECT_EQ(f.Segments[3].Control, (TSwfPoint{300, 500}));
    EXPECT_EQ(f.Segments[3].To, (TSwfPoint{100, 300}));
    const TSwfShapePath& l = shape.Paths[1];
    EXPECT_TRUE(l.IsLine);
    EXPECT_EQ(l.LineWidth, 60);
    EXPECT_EQ(l.Color, (TSwfRgba{1, 2, 3, uint8_t(version >= 3 ? 64 : 255)}));
    EXPECT_EQ(l.Segments.size(), 5u);
    EXPECT_EQ(shape.Bounds, (TSwfRect{100, 500, 100, 500}));
}

INSTANTIATE_TEST_SUITE_P(Versions, SwfShapeVersionTest, ::testing::Values(1, 2, 3, 4));

TEST(SwfShapeReader, EdgesWithFillOnTheLeftAreTurnedAroundAndJoined) {
    // A square with a square hole. The outer edges have the fill on their
    // right, the hole's edges (drawn the same way round) on their left; the
    // edges come in an order that needs joining.
    TSwfShapeBuilder s;
    int fill = s.SolidFill(TestRed);
    s.Style(0, fill, -1);
    s.MoveTo(0, 0);
    s.LineTo(1000, 0);
    s.LineTo(1000, 1000);
    s.MoveTo(0, 0);
    s.Style(fill, 0, -1);  // now the fill is on the left of these edges
    s.MoveTo(300, 300);
    s.LineTo(700, 300);
    s.LineTo(700, 700);
    s.LineTo(300, 700);
    s.LineTo(300, 300);
    s.Style(0, fill, -1);
    s.MoveTo(1000, 1000);
    s.LineTo(0, 1000);
    s.LineTo(0, 0);
    TSwfShape shape = ReadBack(s, 3);
    ASSERT_EQ(shape.Paths.size(), 1u);
    const auto& segs = shape.Paths[0].Segments;
    std::vector<size_t> starts;
    for (size_t i = 0; i < segs.size(); ++i)
        if (segs[i].Kind == TSwfPathSegment::Move) starts.push_back(i);
    ASSERT_EQ(starts.size(), 2u) << "outer outline joined from two pieces, plus the hole";
    starts.push_back(segs.size());
    double a0 = SignedArea(segs, starts[0], starts[1]), a1 = SignedArea(segs, starts[1], starts[2]);
    // Opposite turning: a non-zero fill leaves the hole open.
    EXPECT_DOUBLE_EQ(std::abs(a0) + std::abs(a1), 1000.0 * 1000 + 400 * 400);
    EXPECT_LT(a0 * a1, 0);
}

TEST(SwfShapeReader, NewStyleArraysRenumberStylesAndKeepDrawingOrder) {
    TSwfShapeBuilder s;
    int red = s.SolidFill(TestRed);
    int thin = s.LineStyle(20, {0, 0, 0, 255});
    s.Rectangle(0, 0, 100, 100, red, thin);
    s.NewStyles();
    int blue = s.SolidFill({0, 0, 255, 255});  // index 1 again, in the new arrays
    s.Rectangle(50, 50, 100, 100, blue, 0);
    TSwfShape shape = ReadBack(s, 2);
    ASSERT_EQ(shape.Paths.size(), 3u);
    EXPECT_EQ(shape.Paths[0].Color, TestRed);
    EXPECT_TRUE(shape.Paths[1].IsLine);
    EXPECT_EQ(shape.Paths[2].Color, (TSwfRgba{0, 0, 255, 255}));
    EXPECT_EQ(shape.Paths[2].Segments[0].To, (TSwfPoint{50, 50}));
}

// Gradients keep the average of their stops as their flat stand-in colour.
TEST(SwfShapeReader, GradientAndBitmapFillsKeepAFlatStandIn) {
    TSwfShapeBuilder s;
    int g = s.GradientFill(false, {{0, {0, 0, 0, 255}}, {128, {100, 200, 50, 255}}, {255, {200, 100, 250, 255}}});
    int r = s.GradientFill(true, {{0, {255, 255, 255, 0}}, {255, {255, 255, 255, 255}}});
    int b = s.BitmapFill(42);
    s.Rectangle(0, 0, 10, 10, g, 0);
    s.Rectangle(20, 0, 10, 10, r, 0);
    s.Rectangle(40, 0, 10, 10, b, 0);
    TSwfShape shape = ReadBack(s, 3);
    ASSERT_EQ(shape.Paths.size(), 3u);
    EXPECT_EQ(shape.Paths[0].Color, (TSwfRgba{100, 100, 100, 255}));
    EXPECT_EQ(shape.Paths[0].Fill.Kind, TSwfFill::Linear);
    EXPECT_EQ(shape.Paths[1].Color, (TSwfRgba{255, 255, 255, 127}));
    EXPECT_EQ(shape.Paths[1].Fill.Kind, TSwfFill::Radial);
    EXPECT_EQ(shape.Paths[2].Fill.Kind, TSwfFill::Bitmap);
    EXPECT_EQ(shape.Paths[2].Fill.BitmapId, 42);
}

TEST(SwfShapeReader, StyleIndexesBeyondTheArraysAreIgnored) {
    TSwfShapeBuilder s;
    int fill = s.SolidFill(TestRed);
    s.SolidFill(TestRed);  // two fills take two index bits, so index 3 can be written
    s.Rectangle(0, 0, 10, 10, fill, 0);
    s.Style(0, 3, 0);
    s.LineTo(50, 50);
    TSwfShape shape = ReadBack(s, 3);
    ASSERT_EQ(shape.Paths.size(), 1u);
    EXPECT_EQ(shape.Paths[0].Segments.size(), 5u);
}

}  // namespace
