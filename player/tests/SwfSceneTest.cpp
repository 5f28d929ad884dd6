#include "SwfScene.h"
#include "SwfTestMovies.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

constexpr int T = TwipsPerPixel;

struct TBox {
    double X0, Y0, X1, Y1;
};

TBox Bounds(const TSwfDrawItem& item) {
    TBox b{1e18, 1e18, -1e18, -1e18};
    for (const auto& s : item.Segments) {
        b.X0 = std::min(b.X0, s.To.X);
        b.Y0 = std::min(b.Y0, s.To.Y);
        b.X1 = std::max(b.X1, s.To.X);
        b.Y1 = std::max(b.Y1, s.To.Y);
    }
    return b;
}

TSwfFrameImage Show(TSwfScene& scene, int frame) {
    TSwfFrameImage image;
    scene.GotoFrame(frame);
    scene.Compose(image);
    return image;
}

TEST(SwfScene, DisplayListFollowsTheFrames) {
    auto m = TSwfMovie::FromBytes(ThreeFrameMovie());
    TSwfScene scene(*m);
    for (int pass = 0; pass < 2; ++pass) {  // the second pass goes back to the start
        TSwfFrameImage f0 = Show(scene, 0);
        EXPECT_EQ(f0.Background, TestBackground);
        EXPECT_EQ(f0.Stage, (TSwfRect{0, 100 * T, 0, 80 * T}));
        ASSERT_EQ(f0.Items.size(), 1u);
        EXPECT_EQ(f0.Items[0].Color, TestRed);
        TBox b = Bounds(f0.Items[0]);
        EXPECT_EQ(b.X0, 10 * T);
        EXPECT_EQ(b.Y0, 10 * T);
        EXPECT_EQ(b.X1, 50 * T);
        EXPECT_EQ(b.Y1, 30 * T);

        TSwfFrameImage f1 = Show(scene, 1);
        ASSERT_EQ(f1.Items.size(), 1u);
        EXPECT_EQ(Bounds(f1.Items[0]).X0, 50 * T);
        EXPECT_EQ(Bounds(f1.Items[0]).Y0, 40 * T);

        EXPECT_TRUE(Show(scene, 2).Items.empty());
    }
    EXPECT_EQ(scene.Frame(), 2);
    Show(scene, 99);
    EXPECT_EQ(scene.Frame(), 2);
}

uint16_t Square(TSwfWriter& w, TSwfRgba c, int sizePx = 10, int lineTwips = 0) {
    TSwfShapeBuilder s;
    int line = lineTwips ? s.LineStyle(static_cast<uint16_t>(lineTwips), {0, 0, 0, 255}) : 0;
    s.Rectangle(0, 0, sizePx * T, sizePx * T, s.SolidFill(c), line);
    return w.DefineShape(s);
}

TEST(SwfScene, ColourTransformsApplyAndInvisibleItemsDrop) {
    TSwfWriter w(100, 100, 12);
    uint16_t id = Square(w, {100, 100, 100, 255});
    w.Main.Place(1, id, {}, TSwfColorTransform{0.5, 1, 2, 1, 10, -20, 0, 0});
    w.Main.Place(2, id, {}, TSwfColorTransform{1, 1, 1, 0, 0, 0, 0, 0});  // fully transparent
    w.Main.PlaceObject1(3, id, {}, TSwfColorTransform{1, 1, 1, 1, 0, 0, 255, 0});
    w.Main.ShowFrame();
    auto m = TSwfMovie::FromBytes(w.Finish());
    ASSERT_EQ(m->Status, TSwfStatus::Ok) << m->Problem;
    TSwfScene scene(*m);
    TSwfFrameImage img = Show(scene, 0);
    ASSERT_EQ(img.Items.size(), 2u);
    EXPECT_EQ(img.Items[0].Color, (TSwfRgba{60, 80, 200, 255}));
    EXPECT_EQ(img.Items[1].Color, (TSwfRgba{100, 100, 255, 255}));
}

TEST(SwfScene, ClipsNestTransformsAndLineWidthsScale) {
    TSwfWriter w(100, 100, 12);
    uint16_t id = Square(w, TestRed, 10, 40);
    TSwfTagWriter clip;
    clip.Place(1, id, TSwfMatrix::Translate(5 * T, 0), TSwfColorTransform{1, 1, 1, 1, 0, 100, 0, 0});
    clip.ShowFrame();
    uint16_t clipId = w.DefineSprite(clip);
    TSwfMatrix m = TSwfMatrix::Scale(2, 2);
    m.Tx = 20 * T;
    m.Ty = 30 * T;
    w.Main.Place(1, clipId, m, TSwfColorTransform{0.5, 1, 1, 1, 0, 0, 0, 0});
    w.Main.ShowFrame();
    auto movie = TSwfMovie::FromBytes(w.Finish());
    TSwfScene scene(*movie);
    TSwfFrameImage img = Show(scene, 0);
    ASSERT_EQ(img.Items.size(), 2u);
    TBox b = Bounds(img.Items[0]);
    EXPECT_EQ(b.X0, 30 * T);  // 20 + 2 * 5
    EXPECT_EQ(b.Y0, 30 * T);
    EXPECT_EQ(b.X1, 50 * T);  // 10 pixels wide, doubled
    EXPECT_EQ(img.Items[0].Color, (TSwfRgba{110, 130, 40, 255}));  // child first, then parent
    EXPECT_TRUE(img.Items[1].IsLine);
    EXPECT_DOUBLE_EQ(img.Items[1].LineWidth, 80);
}

// A clip of two frames (its square at x 0, then x 50) on a main timeline of
// four frames: the clip runs at the movie's pace and starts over.
TEST(SwfScene, ClipsPlayTheirOwnTimelines) {
    TSwfWriter w(100, 100, 12);
    uint16_t id = Square(w, TestRed);
    TSwfTagWriter clip;
    clip.Place(1, id);
    clip.ShowFrame();
    clip.Move(1, TSwfMatrix::Translate(50 * T, 0));
    clip.ShowFrame();
    uint16_t clipId = w.DefineSprite(clip);
    w.Main.Place(1, clipId);
    for (int i = 0; i < 4; ++i) w.Main.ShowFrame();
    auto m = TSwfMovie::FromBytes(w.Finish());
    ASSERT_EQ(m->Find(clipId)->SpriteDef.Frames.size(), 2u);
    TSwfScene scene(*m);
    const double expected[] = {0, 50 * T, 0, 50 * T};
    for (int f = 0; f < 4; ++f) {
        TSwfFrameImage img = Show(scene, f);
        ASSERT_EQ(img.Items.size(), 1u) << f;
        EXPECT_EQ(Bounds(img.Items[0]).X0, expected[f]) << "frame " << f;
    }
}

TEST(SwfScene, MoveWithANewCharacterSwapsItInPlace) {
    TSwfWriter w(100, 100, 12);
    uint16_t red = Square(w, TestRed), green = Square(w, {0, 200, 0, 255});
    w.Main.Place(3, red, TSwfMatrix::Translate(7 * T, 0));
    w.Main.ShowFrame();
    w.Main.Move(3, std::nullopt, std::nullopt, green);
    w.Main.ShowFrame();
    auto m = TSwfMovie::FromBytes(w.Finish());
    TSwfScene scene(*m);
    TSwfFrameImage img = Show(scene, 1);
    ASSERT_EQ(img.Items.size(), 1u);
    EXPECT_EQ(img.Items[0].Color, (TSwfRgba{0, 200, 0, 255}));
    EXPECT_EQ(Bounds(img.Items[0]).X0, 7 * T);
}

TEST(SwfScene, DepthOrderAndOlderPlacementAndRemovalTags) {
    TSwfWriter w(100, 100, 12);
    uint16_t red = Square(w, TestRed), blue = Square(w, {0, 0, 255, 255});
    w.Main.PlaceObject3(9, red, {});
    w.Main.PlaceObject1(2, blue, {});
    w.Main.ShowFrame();
    w.Main.RemoveObject1(2, blue);
    w.Main.ShowFrame();
    auto m = TSwfMovie::FromBytes(w.Finish());
    ASSERT_EQ(m->Status, TSwfStatus::Ok) << m->Problem;
    TSwfScene scene(*m);
    TSwfFrameImage f0 = Show(scene, 0);
    ASSERT_EQ(f0.Items.size(), 2u);
    EXPECT_EQ(f0.Items[0].Color, (TSwfRgba{0, 0, 255, 255}));  // depth 2 under depth 9
    EXPECT_EQ(f0.Items[1].Color, TestRed);
    TSwfFrameImage f1 = Show(scene, 1);
    ASSERT_EQ(f1.Items.size(), 1u);
    EXPECT_EQ(f1.Items[0].Color, TestRed);
}

std::string Roles(const TSwfFrameImage& img) {
    std::string r;
    for (const auto& item : img.Items) r += "PSmEp"[item.Role];
    return r;
}

// Masks: the mask's areas come between MaskStart and MaskEnd, the objects it
// reaches (up to its clip depth) follow, then MaskPop. A mask within another's
// reach nests; objects above the reach are not masked.
TEST(SwfScene, MaskLayersClipUpToTheirDepthAndNest) {
    TSwfWriter w(100, 100, 12);
    uint16_t red = Square(w, TestRed), blue = Square(w, {0, 0, 255, 255});
    w.Main.PlaceMask(1, blue, 5);
    w.Main.Place(2, red);
    w.Main.PlaceMask(3, blue, 4, TSwfMatrix::Translate(100, 0));
    w.Main.Place(4, red);
    w.Main.Place(5, red);
    w.Main.Place(6, red);
    w.Main.ShowFrame();
    auto m = TSwfMovie::FromBytes(w.Finish());
    TSwfScene scene(*m);
    TSwfFrameImage img = Show(scene, 0);
    //                 mask 1   red 2  mask 3  red 4  pop 3  red 5 pop 1 red 6
    EXPECT_EQ(Roles(img), "SmE" "P" "SmE" "P" "p" "P" "p" "P");
    EXPECT_EQ(img.Items[1].Color, (TSwfRgba{0, 0, 255, 255}));
    EXPECT_EQ(Bounds(img.Items[5]).X0, 100) << "the inner mask keeps its own placement";
}

TEST(SwfScene, UnknownCharactersShowNothing) {
    TSwfWriter w(100, 100, 12);
    w.Main.Place(1, 4242);
    w.Main.ShowFrame();
    auto m = TSwfMovie::FromBytes(w.Finish());
    TSwfScene scene(*m);
    EXPECT_TRUE(Show(scene, 0).Items.empty());
}

// A clip that places itself, many times over, on every frame: the nesting and
// the number of objects stay bounded and playing on does not run away.
TEST(SwfScene, SelfPlacingClipsStayBounded) {
    TSwfWriter w(100, 100, 12);
    uint16_t square = Square(w, TestRed);
    uint16_t self = square + 1;  // the id the clip gets
    TSwfTagWriter clip;
    clip.Place(1, square);
    for (uint16_t d = 2; d < 12; ++d) clip.Place(d, self, TSwfMatrix::Scale(0.5, 0.5));
    clip.ShowFrame();
    clip.ShowFrame();
    ASSERT_EQ(w.DefineSprite(clip), self);
    w.Main.Place(1, self);
    for (int i = 0; i < 5; ++i) w.Main.ShowFrame();
    auto m = TSwfMovie::FromBytes(w.Finish());
    TSwfScene scene(*m);
    for (int f = 0; f < 5; ++f) {
        TSwfFrameImage img = Show(scene, f);
        EXPECT_GT(img.Items.size(), 0u);
        EXPECT_LE(img.Items.size(), TSwfScene::MaxInstances);
    }
}

}  // namespace
