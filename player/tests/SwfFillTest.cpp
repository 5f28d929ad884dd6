// Gradient, bitmap and line styles read back from writer-made movies, the
// pictures' pixel formats, and the colours the fills give at pixel centres.
#include "SwfMovie.h"
#include "SwfPaint.h"
#include "SwfScene.h"
#include "SwfTestMovies.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

const TSwfCharacter* Only(const TSwfMovie& m) {
    EXPECT_EQ(m.Status, TSwfStatus::Ok) << m.Problem;
    return m.Characters.empty() ? nullptr : &m.Characters.begin()->second;
}

TSwfShape ShapeBack(const TSwfShapeBuilder& s, int version) {
    TSwfWriter w(10, 10, 12);
    w.DefineShape(s, version);
    w.Main.ShowFrame();
    auto m = TSwfMovie::FromBytes(w.Finish());
    const TSwfCharacter* c = Only(*m);
    return c ? c->ShapeDef : TSwfShape{};
}

TSwfFill Gradient(TSwfFill::TKind kind, int stops, bool alpha) {
    TSwfFill f;
    f.Kind = kind;
    f.Matrix = {0.5, 0.25, -0.25, 0.5, 200, -120};
    f.Spread = TSwfSpread::Reflect;
    f.Interpolation = TSwfInterpolation::LinearRgb;
    f.FocalPoint = kind == TSwfFill::Focal ? -0.5 : 0;
    for (int i = 0; i < stops; ++i)
        f.Stops.push_back({uint8_t(i * 255 / (stops - 1)), {uint8_t(i * 10), uint8_t(200 - i), 7, uint8_t(alpha ? 100 + i : 255)}});
    return f;
}

// The most stops each shape version holds (8 before DefineShape4, then 15),
// with their matrices, modes and, from DefineShape3 on, alpha.
TEST(SwfFillReader, GradientsKeepStopsMatrixModesAndFocalPoint) {
    for (int version : {2, 3, 4}) {
        const int stops = version >= 4 ? 15 : 8;
        std::vector<TSwfFill::TKind> kinds = {TSwfFill::Linear, TSwfFill::Radial};
        if (version >= 4) kinds.push_back(TSwfFill::Focal);
        for (TSwfFill::TKind kind : kinds) {
            TSwfFill want = Gradient(kind, stops, version >= 3);
            TSwfShapeBuilder s;
            s.Rectangle(0, 0, 100, 100, s.Fill(want), 0);
            TSwfShape shape = ShapeBack(s, version);
            ASSERT_EQ(shape.Paths.size(), 1u);
            const TSwfFill& got = shape.Paths[0].Fill;
            SCOPED_TRACE(testing::Message() << "version " << version << " kind " << int(kind));
            EXPECT_EQ(got.Kind, kind);
            EXPECT_EQ(got.Stops, want.Stops);
            EXPECT_EQ(got.Matrix, want.Matrix);
            EXPECT_EQ(got.Spread, TSwfSpread::Reflect);
            EXPECT_EQ(got.Interpolation, TSwfInterpolation::LinearRgb);
            EXPECT_EQ(got.FocalPoint, want.FocalPoint);
        }
    }
}

TEST(SwfFillReader, GradientColoursOfOlderShapesAreOpaque) {
    TSwfShapeBuilder s;
    s.Rectangle(0, 0, 100, 100, s.Fill(Gradient(TSwfFill::Linear, 3, true)), 0);
    TSwfShape shape = ShapeBack(s, 2);
    ASSERT_EQ(shape.Paths.size(), 1u);
    for (const auto& stop : shape.Paths[0].Fill.Stops) EXPECT_EQ(stop.Color.A, 255);
}

TEST(SwfFillReader, BitmapFillKindsAndMatrix) {
    struct TCase { bool Repeat, Smooth; };
    for (TCase c : {TCase{true, true}, {false, true}, {true, false}, {false, false}}) {
        TSwfFill f;
        f.Kind = TSwfFill::Bitmap;
        f.BitmapId = 9;
        f.Repeat = c.Repeat;
        f.Smooth = c.Smooth;
        f.Matrix = {20, 0, 0, 40, 100, 0};
        TSwfShapeBuilder s;
        s.Rectangle(0, 0, 100, 100, s.Fill(f), 0);
        TSwfFill got = ShapeBack(s, 3).Paths.at(0).Fill;
        EXPECT_EQ(got.Kind, TSwfFill::Bitmap);
        EXPECT_EQ(got.BitmapId, 9);
        EXPECT_EQ(got.Repeat, c.Repeat);
        EXPECT_EQ(got.Smooth, c.Smooth);
        EXPECT_EQ(got.Matrix, f.Matrix);
    }
}

// DefineShape4 line styles: caps, joins, the miter limit, no-close and a fill.
TEST(SwfFillReader, SecondKindLineStyles) {
    const TSwfLineStyle styles[] = {
        {TSwfCap::Round, TSwfCap::Round, TSwfJoin::Round, 3, false},
        {TSwfCap::None, TSwfCap::Square, TSwfJoin::Bevel, 3, true},
        {TSwfCap::Square, TSwfCap::None, TSwfJoin::Miter, 2.5, false},
    };
    for (const TSwfLineStyle& style : styles) {
        for (bool filled : {false, true}) {
            TSwfShapeBuilder s;
            std::optional<TSwfFill> fill;
            if (filled) fill = Gradient(TSwfFill::Linear, 2, true);
            s.Style(-1, -1, s.LineStyle(80, {1, 2, 3, 4}, style, fill));
            s.MoveTo(0, 0);
            s.LineTo(100, 0);
            TSwfShape shape = ShapeBack(s, 4);
            ASSERT_EQ(shape.Paths.size(), 1u);
            const TSwfShapePath& p = shape.Paths[0];
            EXPECT_TRUE(p.IsLine);
            EXPECT_EQ(p.LineWidth, 80);
            EXPECT_EQ(p.Line, style);
            EXPECT_EQ(p.Fill.Kind, filled ? TSwfFill::Linear : TSwfFill::Solid);
            if (!filled) {
                EXPECT_EQ(p.Color, (TSwfRgba{1, 2, 3, 4}));
            }
        }
    }
}

// ---- pictures

uint32_t Premul(uint32_t argb) {
    uint32_t a = argb >> 24;
    auto ch = [&](int s) { return ((((argb >> s) & 255) * a + 127) / 255) << s; };
    return a << 24 | ch(16) | ch(8) | ch(0);
}

struct TLosslessCase {
    int Format, Version, Width, Height;
};

class SwfLosslessTest : public ::testing::TestWithParam<TLosslessCase> {};

// Every format, both tag kinds, widths that need row padding.
TEST_P(SwfLosslessTest, PixelsReadBackExactly) {
    const TLosslessCase c = GetParam();
    const bool alpha = c.Version >= 2;
    // Channels 0, 132 and 255 survive 15-bit pixels exactly.
    const uint32_t palette[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF848484, alpha ? 0x80FFFFFFu : 0xFFFFFFFFu,
                                alpha ? 0x00000000u : 0xFF000000u};
    std::vector<uint32_t> px(size_t(c.Width) * c.Height);
    for (size_t i = 0; i < px.size(); ++i) px[i] = palette[(i * 7 + i / c.Width) % std::size(palette)];
    TSwfWriter w(10, 10, 12);
    uint16_t id = w.DefineBitsLossless(c.Format, c.Width, c.Height, px, c.Version);
    w.Main.ShowFrame();
    auto m = TSwfMovie::FromBytes(w.Finish());
    ASSERT_EQ(m->Status, TSwfStatus::Ok) << m->Problem;
    const TSwfBitmap* b = m->FindBitmap(id);
    ASSERT_TRUE(b);
    const TSwfImage* img = b->Pixels(nullptr);
    ASSERT_TRUE(img);
    ASSERT_EQ(img->Width, c.Width);
    ASSERT_EQ(img->Height, c.Height);
    for (size_t i = 0; i < px.size(); ++i) {
        // Colours go through the file premultiplied where there is alpha;
        // half-transparent white comes back within rounding.
        uint32_t want = Premul(px[i]), got = img->Pixels[i];
        for (int s = 0; s < 32; s += 8)
            ASSERT_LE(std::abs(int((want >> s) & 255) - int((got >> s) & 255)), 1) << "pixel " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, SwfLosslessTest,
                         ::testing::Values(TLosslessCase{3, 1, 5, 3}, TLosslessCase{3, 2, 6, 2}, TLosslessCase{4, 1, 3, 4},
                                           TLosslessCase{4, 1, 4, 1}, TLosslessCase{5, 1, 3, 3}, TLosslessCase{5, 2, 7, 2}),
                         [](const auto& info) {
                             const auto& c = info.param;
                             return "Format" + std::to_string(c.Format) + "Version" + std::to_string(c.Version) + "Width" +
                                    std::to_string(c.Width);
                         });

std::vector<uint8_t> V(std::initializer_list<uint8_t> b) { return b; }

TEST(SwfJpeg, TablesAndImageAreJoinedAndStrayMarkerPairsDropped) {
    struct TCase {
        const char* Name;
        std::vector<uint8_t> Tables, Data, Want;
    };
    const TCase cases[] = {
        {"alone", {}, V({0xFF, 0xD8, 1, 2, 0xFF, 0xD9}), V({0xFF, 0xD8, 1, 2, 0xFF, 0xD9})},
        {"leading pair", {}, V({0xFF, 0xD9, 0xFF, 0xD8, 0xFF, 0xD8, 1, 0xFF, 0xD9}), V({0xFF, 0xD8, 1, 0xFF, 0xD9})},
        {"pair between tables and image", {}, V({0xFF, 0xD8, 7, 0xFF, 0xD9, 0xFF, 0xD8, 1, 0xFF, 0xD9}),
         V({0xFF, 0xD8, 7, 1, 0xFF, 0xD9})},
        {"shared tables", V({0xFF, 0xD8, 7, 7, 0xFF, 0xD9}), V({0xFF, 0xD8, 1, 0xFF, 0xD9}),
         V({0xFF, 0xD8, 7, 7, 1, 0xFF, 0xD9})},
        {"shared tables after a pair", V({0xFF, 0xD9, 0xFF, 0xD8, 0xFF, 0xD8, 7, 0xFF, 0xD9}),
         V({0xFF, 0xD9, 0xFF, 0xD8, 0xFF, 0xD8, 1, 0xFF, 0xD9}), V({0xFF, 0xD8, 7, 1, 0xFF, 0xD9})},
    };
    for (const TCase& c : cases) EXPECT_EQ(JoinJpeg(c.Tables, c.Data), c.Want) << c.Name;
}

bool FakeDecode(std::span<const uint8_t> data, TSwfImage& out) {
    if (data.size() < 2 || data[0] != 0xFF) return false;
    out.Width = 2;
    out.Height = 1;
    out.Pixels = {0xFFFFFFFF, 0xFF204080};
    return true;
}

// JPEG pictures keep their bytes for the platform decoder; the alpha plane of
// a JPEG3 is applied to what it decodes. PNG and GIF data take no alpha plane.
TEST(SwfJpeg, PicturesOfEveryJpegTag) {
    const std::vector<uint8_t> jpeg = {0xFF, 0xD8, 5, 0xFF, 0xD9};
    const std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 13, 10, 26, 10};
    const std::vector<uint8_t> alpha = {128, 0};
    TSwfWriter w(10, 10, 12);
    w.JpegTables(V({0xFF, 0xD8, 9, 0xFF, 0xD9}));
    uint16_t bits = w.DefineBits(jpeg);
    uint16_t j2 = w.DefineBitsJpeg2(jpeg);
    uint16_t j3 = w.DefineBitsJpeg3(jpeg, alpha);
    uint16_t p3 = w.DefineBitsJpeg3(png, alpha);
    w.Main.ShowFrame();
    auto m = TSwfMovie::FromBytes(w.Finish());
    ASSERT_EQ(m->Status, TSwfStatus::Ok) << m->Problem;
    EXPECT_EQ(m->FindBitmap(bits)->Encoded, V({0xFF, 0xD8, 9, 5, 0xFF, 0xD9}));
    EXPECT_EQ(m->FindBitmap(j2)->Encoded, jpeg);
    EXPECT_EQ(m->FindBitmap(j3)->Encoded, jpeg);
    EXPECT_TRUE(m->FindBitmap(p3)->Alpha.empty());
    const TSwfImage* img = m->FindBitmap(j3)->Pixels(FakeDecode);
    ASSERT_TRUE(img);
    EXPECT_EQ(img->Pixels[0], 0x80808080u);
    EXPECT_EQ(img->Pixels[1], 0u);
    // A picture the decoder refuses is nothing, asked once.
    TSwfBitmap broken;
    broken.Encoded = {1, 2, 3};
    EXPECT_EQ(broken.Pixels(FakeDecode), nullptr);
    EXPECT_TRUE(broken.DecodeTried);
}

// ---- colours at pixel centres

uint8_t Red(uint32_t c) { return uint8_t(c >> 16); }

// A ramp mapped onto 256 target pixels (the gradient square is 32768 wide),
// starting at target pixel Offset.
std::vector<uint32_t> PaintRow(const TSwfFill& f, int offset, int count) {
    std::vector<uint32_t> out(size_t(count), 0xDEADBEEF);
    TSwfMatrix toTarget{256.0 / 32768, 0, 0, 256.0 / 32768, 128 + double(offset), 0};
    EXPECT_TRUE(PaintFill(f, nullptr, {}, toTarget, 0, 0, count, 1, out.data()));
    return out;
}

TSwfFill BlackToWhite(TSwfFill::TKind kind = TSwfFill::Linear) {
    TSwfFill f;
    f.Kind = kind;
    f.Stops = {{0, {0, 0, 0, 255}}, {255, {255, 255, 255, 255}}};
    return f;
}

TEST(SwfPaint, LinearRampAtItsStartMiddleAndEnd) {
    auto row = PaintRow(BlackToWhite(), 0, 256);
    EXPECT_LE(Red(row[0]), 1);
    EXPECT_NEAR(Red(row[128]), 128, 1);
    EXPECT_GE(Red(row[255]), 254);
}

// Beyond the ramp: pad keeps the end colour, repeat starts again, reflect runs back.
TEST(SwfPaint, SpreadModesBeyondTheRamp) {
    struct TCase { TSwfSpread Spread; int At125, AtMinus25; };
    for (TCase c : {TCase{TSwfSpread::Pad, 255, 0}, {TSwfSpread::Repeat, 64, 191}, {TSwfSpread::Reflect, 191, 64}}) {
        TSwfFill f = BlackToWhite();
        f.Spread = c.Spread;
        auto row = PaintRow(f, 128, 512);  // target pixel 128 is the start of the ramp
        EXPECT_NEAR(Red(row[128 + 320]), c.At125, 2) << int(c.Spread);
        EXPECT_NEAR(Red(row[128 - 64]), c.AtMinus25, 2) << int(c.Spread);
    }
}

TEST(SwfPaint, LinearRgbInterpolationIsLighterInTheMiddle) {
    TSwfFill f = BlackToWhite();
    f.Interpolation = TSwfInterpolation::LinearRgb;
    auto row = PaintRow(f, 0, 256);
    // Half the light of white, in the display's curve.
    EXPECT_NEAR(Red(row[128]), 188, 2);
    EXPECT_LE(Red(row[0]), 1);
    EXPECT_GE(Red(row[255]), 254);
}

TEST(SwfPaint, RadialAndFocalCentres) {
    TSwfFill radial = BlackToWhite(TSwfFill::Radial);
    EXPECT_DOUBLE_EQ(GradientPosition(radial, 0, 0), 0);
    EXPECT_DOUBLE_EQ(GradientPosition(radial, 0, -GradientHalf / 2), 0.5);
    EXPECT_DOUBLE_EQ(GradientPosition(radial, GradientHalf, 0), 1);
    TSwfFill focal = BlackToWhite(TSwfFill::Focal);
    focal.FocalPoint = 0.5;
    const double F = GradientHalf / 2;
    EXPECT_DOUBLE_EQ(GradientPosition(focal, F, 0), 0) << "the ramp starts at the focal point";
    EXPECT_NEAR(GradientPosition(focal, 0, GradientHalf), 1, 1e-9) << "and ends on the circle";
    EXPECT_NEAR(GradientPosition(focal, -GradientHalf, 0), 1, 1e-9);
    EXPECT_NEAR(GradientPosition(focal, (F + GradientHalf) / 2, 0), 0.5, 1e-9);
    EXPECT_NEAR(GradientPosition(focal, (F - GradientHalf) / 2, 0), 0.5, 1e-9);
}

TEST(SwfPaint, StopsWithAlphaArePremultiplied) {
    TSwfFill f;
    f.Kind = TSwfFill::Linear;
    f.Stops = {{0, {255, 0, 0, 0}}, {255, {255, 0, 0, 255}}};
    auto ramp = GradientRamp(f);
    EXPECT_EQ(ramp[0], 0u);
    EXPECT_EQ(ramp[255], 0xFFFF0000u);
    EXPECT_EQ(ramp[102], 0x66660000u);
}

// A 2 x 2 picture at 4 target pixels per image pixel.
TEST(SwfPaint, BitmapsRepeatOrExtendTheirEdgesAndTakeTheColourTransform) {
    TSwfImage img{2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF}};
    TSwfFill f;
    f.Kind = TSwfFill::Bitmap;
    f.Smooth = false;
    const TSwfMatrix scale4 = TSwfMatrix::Scale(4, 4);
    std::vector<uint32_t> out(16 * 16);
    for (bool repeat : {true, false}) {
        f.Repeat = repeat;
        ASSERT_TRUE(PaintFill(f, &img, {}, scale4, 0, 0, 16, 16, out.data()));
        EXPECT_EQ(out[1 * 16 + 1], 0xFFFF0000u);
        EXPECT_EQ(out[1 * 16 + 5], 0xFF00FF00u);
        EXPECT_EQ(out[5 * 16 + 1], 0xFF0000FFu);
        // Pixel (9, 1) lies in the picture's third column.
        EXPECT_EQ(out[1 * 16 + 9], repeat ? 0xFFFF0000u : 0xFF00FF00u);
        EXPECT_EQ(out[13 * 16 + 13], 0xFFFFFFFFu);
    }
    TSwfColorTransform noRed{0, 1, 1, 1, 0, 0, 0, 0};
    ASSERT_TRUE(PaintFill(f, &img, noRed, scale4, 0, 0, 16, 16, out.data()));
    EXPECT_EQ(out[1 * 16 + 1], 0xFF000000u);
    EXPECT_EQ(out[13 * 16 + 13], 0xFF00FFFFu);
    // Smoothing blends neighbours half way between pixel centres.
    f.Smooth = true;
    ASSERT_TRUE(PaintFill(f, &img, {}, TSwfMatrix::Scale(2, 2), 0, 0, 4, 4, out.data()));
    EXPECT_EQ(out[0], 0xFFFF0000u);
    EXPECT_NEAR(Red(out[1]), 191, 2);
}

TEST(SwfPaint, AFillCollapsedToALineOrWithoutAPicturePaintsNothing) {
    std::vector<uint32_t> out(4, 7);
    TSwfFill f = BlackToWhite();
    EXPECT_FALSE(PaintFill(f, nullptr, {}, TSwfMatrix::Scale(0, 1), 0, 0, 2, 2, out.data()));
    f.Kind = TSwfFill::Bitmap;
    EXPECT_FALSE(PaintFill(f, nullptr, {}, TSwfMatrix{}, 0, 0, 2, 2, out.data()));
    EXPECT_EQ(out, std::vector<uint32_t>(4, 7));
}

// ---- shape tweens

void SquareToWideSquare(TSwfMorphBuilder& m) {
    TSwfFill red, blue;
    red.Color = {200, 0, 0, 255};
    blue.Color = {0, 0, 200, 255};
    int fill = m.Fill(red, blue);
    int line = m.Line(20, 100, {0, 0, 0, 255}, {255, 255, 255, 255}, {TSwfCap::None, TSwfCap::None, TSwfJoin::Bevel, 3, false});
    m.Start.Style(0, fill, line);
    m.Start.MoveTo(0, 0);
    m.Start.LineTo(1000, 0);
    m.Start.LineTo(1000, 1000);
    m.Start.LineTo(0, 1000);
    m.Start.LineTo(0, 0);
    m.End.MoveTo(2000, 0);
    m.End.LineTo(4000, 0);
    m.End.CurveTo(5000, 1000, 4000, 2000);  // a curve where the start has a line
    m.End.LineTo(2000, 2000);
    m.End.LineTo(2000, 0);
}

TEST(SwfMorph, ReadsBothOutlinesAndStylesAndDrawsAnyRatio) {
    for (int version : {1, 2}) {
        TSwfWriter w(100, 100, 12);
        TSwfMorphBuilder morph;
        SquareToWideSquare(morph);
        uint16_t id = w.DefineMorphShape(morph, version);
        w.Main.PlaceRatio(1, id, 32768);
        w.Main.ShowFrame();
        w.Main.MoveRatio(1, 65535);
        w.Main.ShowFrame();
        auto m = TSwfMovie::FromBytes(w.Finish());
        ASSERT_EQ(m->Status, TSwfStatus::Ok) << m->Problem;
        const TSwfCharacter* c = m->Find(id);
        ASSERT_TRUE(c && c->Kind == TSwfCharacter::Morph);
        const TSwfMorphShape& ms = c->MorphDef;
        EXPECT_EQ(ms.StartBounds, (TSwfRect{0, 1000, 0, 1000}));
        EXPECT_EQ(ms.EndBounds, (TSwfRect{2000, 5000, 0, 2000}));
        ASSERT_EQ(ms.StartEdges.size(), 4u);
        ASSERT_EQ(ms.EndEdges.size(), 4u);
        EXPECT_TRUE(ms.EndEdges[1].Curved);
        ASSERT_EQ(ms.StartStyles.size(), 2u);
        if (version >= 2) {
            EXPECT_EQ(ms.StartStyles[1].Line.Join, TSwfJoin::Bevel);
        }

        for (auto [ratio, x1, red, width] : {std::tuple{0.0, 1000.0, 200, 20.0}, {0.5, 2500.0, 100, 60.0}, {1.0, 4000.0, 0, 100.0}}) {
            TSwfShape s = MorphAt(ms, ratio);
            ASSERT_EQ(s.Paths.size(), 2u);
            EXPECT_EQ(s.Paths[0].Color.R, red);
            EXPECT_EQ(s.Paths[1].LineWidth, width);
            EXPECT_EQ(s.Paths[0].Segments[1].To.X, x1) << ratio;
            EXPECT_EQ(s.Paths[0].Segments[2].Kind, TSwfPathSegment::Curve);
        }
        TSwfScene scene(*m);
        TSwfFrameImage img;
        scene.GotoFrame(0);
        scene.Compose(img);
        ASSERT_EQ(img.Items.size(), 2u);
        EXPECT_NEAR(img.Items[0].Segments[1].To.X, 2500, 0.1) << "the placement's ratio";
        scene.GotoFrame(1);
        scene.Compose(img);
        EXPECT_EQ(img.Items[0].Segments[1].To.X, 4000) << "moved to the end";
    }
}

// Colour transforms reach gradient stops; bitmap fills carry theirs along.
TEST(SwfFillScene, TransformsReachStopsMatricesAndPictures) {
    TSwfWriter w(100, 100, 12);
    uint16_t pic = w.DefineBitsLossless(5, 1, 1, {0xFF102030});
    TSwfShapeBuilder s;
    TSwfFill g = BlackToWhite();
    g.Matrix = TSwfMatrix::Scale(0.5, 0.5);
    int gf = s.Fill(g);
    TSwfFill b;
    b.Kind = TSwfFill::Bitmap;
    b.BitmapId = pic;
    int bf = s.Fill(b);
    b.BitmapId = 999;
    int missing = s.Fill(b);
    s.Rectangle(0, 0, 100, 100, gf, 0);
    s.Rectangle(0, 200, 100, 100, bf, 0);
    s.Rectangle(0, 400, 100, 100, missing, 0);
    uint16_t id = w.DefineShape(s);
    TSwfColorTransform half{0.5, 1, 1, 1, 0, 0, 0, 0};
    w.Main.Place(1, id, TSwfMatrix::Translate(40, 0), half);
    w.Main.ShowFrame();
    auto m = TSwfMovie::FromBytes(w.Finish());
    TSwfScene scene(*m);
    TSwfFrameImage img;
    scene.GotoFrame(0);
    scene.Compose(img);
    ASSERT_EQ(img.Items.size(), 2u) << "a fill naming no picture draws nothing";
    EXPECT_EQ(img.Items[0].Fill.Stops[1].Color, (TSwfRgba{128, 255, 255, 255}));
    EXPECT_EQ(img.Items[0].Fill.Matrix, (TSwfMatrix{0.5, 0, 0, 0.5, 40, 0}));
    EXPECT_EQ(img.Items[1].Bitmap, m->FindBitmap(pic));
    EXPECT_EQ(img.Items[1].BitmapTransform, half);
}

}  // namespace
