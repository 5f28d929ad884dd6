// Writes the sample movies: short vector animations of different stage sizes
// and frame rates. Everything is computed, so the files are the same on every
// build. Usage: swf_samples <folder> | swf_samples --seeds <folder>

#include "SwfPixels.h"
#include "SwfScriptWriter.h"
#include "SwfSoundWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr double Pi = std::numbers::pi;
constexpr int T = TwipsPerPixel;

// A circle of radius r pixels around the shape's origin.
uint16_t Disc(TSwfWriter& w, double r, TSwfRgba fill, TSwfRgba line = {0, 0, 0, 0}, double lineWidthPx = 0) {
    TSwfShapeBuilder s;
    int f = fill.A ? s.SolidFill(fill) : 0;
    int l = line.A ? s.LineStyle(static_cast<uint16_t>(Tw(lineWidthPx)), line) : 0;
    s.Ellipse(0, 0, Tw(r), Tw(r), f, l);
    return w.DefineShape(s);
}

bool Save(const std::filesystem::path& p, const std::vector<uint8_t>& data) {
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    if (!f) std::fprintf(stderr, "swf_samples: cannot write %s\n", p.string().c_str());
    return static_cast<bool>(f);
}

// Planets circling a glowing sun; the blue planet carries its moon in a clip
// with a timeline of its own.
std::vector<uint8_t> Orbits() {
    const int W = 800, H = 600, Frames = 90;
    TSwfWriter w(W, H, 30);
    w.SetBackground({10, 16, 44});

    TSwfShapeBuilder stars;
    int bright = stars.SolidFill({255, 255, 255});
    int dim = stars.SolidFill({150, 160, 200});
    uint32_t seed = 12345;
    auto rnd = [&] { seed = seed * 1103515245 + 12345; return (seed >> 8) & 0xFFFF; };
    for (int i = 0; i < 140; ++i) {
        int32_t x = Tw(rnd() % W), y = Tw(rnd() % H), s = Tw(1 + rnd() % 2);
        stars.Rectangle(x, y, s, s, i % 3 ? dim : bright, 0);
    }
    uint16_t starsId = w.DefineShape(stars);

    TSwfShapeBuilder rings;
    int ringLine = rings.LineStyle(static_cast<uint16_t>(T), {90, 110, 170, 255});
    for (double r : {110.0, 180.0, 260.0}) rings.Ellipse(Tw(W / 2.0), Tw(H / 2.0), Tw(r), Tw(r * 0.8), 0, ringLine);
    uint16_t ringsId = w.DefineShape(rings);

    uint16_t glowOuter = Disc(w, 70, {255, 170, 40, 50});
    uint16_t glowInner = Disc(w, 52, {255, 190, 60, 110});
    uint16_t sun = Disc(w, 38, {255, 214, 90}, {255, 240, 180}, 2);
    uint16_t red = Disc(w, 12, {220, 80, 60}, {255, 150, 120}, 1);
    uint16_t blue = Disc(w, 18, {70, 140, 230}, {170, 210, 255}, 1.5);
    uint16_t moon = Disc(w, 6, {210, 210, 220});

    // Ringed planet: a body with a tilted ring drawn as one shape with two style sets.
    TSwfShapeBuilder ringed;
    int body = ringed.SolidFill({230, 190, 120});
    ringed.Ellipse(0, 0, Tw(22), Tw(22), body, 0);
    ringed.NewStyles();
    int band = ringed.LineStyle(static_cast<uint16_t>(Tw(3)), {250, 230, 180, 230});
    ringed.Ellipse(0, 0, Tw(40), Tw(10), 0, band);
    uint16_t ringedId = w.DefineShape(ringed);

    TSwfTagWriter moonClip;
    moonClip.Place(1, blue);
    const int MoonFrames = 30;
    for (int f = 0; f < MoonFrames; ++f) {
        double a = 2 * Pi * f / MoonFrames;
        if (f == 0)
            moonClip.Place(2, moon, At(34 * std::cos(a), 34 * std::sin(a)));
        else
            moonClip.Move(2, At(34 * std::cos(a), 34 * std::sin(a)));
        moonClip.ShowFrame();
    }
    uint16_t earth = w.DefineSprite(moonClip);

    w.Main.Place(1, starsId);
    w.Main.Place(2, ringsId);
    w.Main.Place(3, glowOuter, At(W / 2.0, H / 2.0));
    w.Main.Place(4, glowInner, At(W / 2.0, H / 2.0));
    w.Main.Place(5, sun, At(W / 2.0, H / 2.0));
    struct TOrbit { uint16_t Depth, Id; double Radius, Turns, Phase; };
    const TOrbit orbits[] = {{10, red, 110, 2, 0.3}, {11, earth, 180, 1, 2.0}, {12, ringedId, 260, -1, 4.0}};
    for (int f = 0; f < Frames; ++f) {
        double pulse = 1 + 0.08 * std::sin(2 * Pi * f / Frames * 3);
        w.Main.Move(3, At(W / 2.0, H / 2.0, pulse));
        for (const TOrbit& o : orbits) {
            double a = o.Phase + 2 * Pi * o.Turns * f / Frames;
            TSwfMatrix m = At(W / 2.0 + o.Radius * std::cos(a), H / 2.0 + o.Radius * 0.8 * std::sin(a));
            // Planets behind the sun are dimmed a little.
            double shade = std::sin(a) < 0 ? 0.75 : 1.0;
            TSwfColorTransform cx{shade, shade, shade, 1, 0, 0, 0, 0};
            if (f == 0)
                w.Main.Place(o.Depth, o.Id, m, cx);
            else
                w.Main.Move(o.Depth, m, cx);
        }
        w.Main.ShowFrame();
    }
    return w.Finish();
}

// A spectrum of bars dancing over their reflection.
std::vector<uint8_t> Equalizer() {
    const int W = 640, H = 480, Frames = 48, Bars = 16;
    TSwfWriter w(W, H, 24);
    w.SetBackground({22, 22, 30});

    TSwfShapeBuilder floor;
    int floorFill = floor.SolidFill({40, 40, 56});
    floor.Rectangle(0, Tw(330), Tw(W), Tw(H - 330), floorFill, 0);
    int grid = floor.LineStyle(static_cast<uint16_t>(T), {60, 60, 84});
    for (int x = 0; x <= W; x += 40) {
        floor.Style(-1, -1, grid);
        floor.MoveTo(Tw(x), Tw(330));
        floor.LineTo(Tw(W / 2.0 + (x - W / 2.0) * 1.6), Tw(H));
    }
    uint16_t floorId = w.DefineShape(floor);

    // A bar one unit tall growing upwards from its origin, with a rounded top.
    TSwfShapeBuilder bar;
    int barFill = bar.GradientFill(false, {{0, {40, 220, 120}}, {255, {240, 250, 90}}});
    int barLine = bar.LineStyle(static_cast<uint16_t>(T), {190, 250, 200});
    bar.Style(0, barFill, barLine);
    bar.MoveTo(0, 0);
    bar.LineTo(Tw(28), 0);
    bar.LineTo(Tw(28), -Tw(90));
    bar.CurveTo(Tw(14), -Tw(104), 0, -Tw(90));
    bar.LineTo(0, 0);
    uint16_t barId = w.DefineShape(bar, 4);

    for (int f = 0; f < Frames; ++f) {
        for (int b = 0; b < Bars; ++b) {
            double t = 2 * Pi * f / Frames;
            double level = 0.35 + 0.3 * std::sin(t * 2 + b * 0.7) + 0.25 * std::sin(t * 3 - b * 0.45);
            level = std::clamp(level, 0.08, 1.0) * 2.8;
            double x = 40 + b * 36.0;
            TSwfMatrix up{1, 0, 0, level, x * T, 330.0 * T};
            TSwfMatrix down{1, 0, 0, -level * 0.45, x * T, 332.0 * T};
            // Hue drifts across the bars: more red to the right, more blue to the left.
            double k = b / double(Bars - 1);
            TSwfColorTransform tint{0.5 + k, 1.0 - 0.3 * k, 1.3 - k, 1, 0, 0, 0, 0};
            // The reflection is the bar mixed 30:70 with the floor colour.
            TSwfColorTransform faded{tint.RM * 0.3, tint.GM * 0.3, tint.BM * 0.3, 1, 28, 28, 39, 0};
            uint16_t d = static_cast<uint16_t>(10 + b * 2);
            if (f == 0) {
                w.Main.Place(d, barId, down, faded);
                w.Main.Place(d + 1, barId, up, tint);
            } else {
                w.Main.Move(d, down);
                w.Main.Move(d + 1, up);
            }
        }
        if (f == 0) w.Main.Place(1, floorId);
        w.Main.ShowFrame();
    }
    return w.Finish();
}

// Flowers turning and breathing on a warm ground; each flower is a clip that
// spins its petals on its own timeline.
std::vector<uint8_t> Blossom() {
    const int W = 1024, H = 768, Frames = 60;
    TSwfWriter w(W, H, 20);
    w.SetBackground({250, 243, 228});

    TSwfShapeBuilder petal;
    int petalFill = petal.SolidFill({236, 96, 140});
    int petalLine = petal.LineStyle(static_cast<uint16_t>(Tw(1.5)), {170, 40, 90});
    petal.Style(0, petalFill, petalLine);
    petal.MoveTo(0, 0);
    petal.CurveTo(Tw(34), -Tw(30), Tw(90), 0);
    petal.CurveTo(Tw(34), Tw(30), 0, 0);
    uint16_t petalId = w.DefineShape(petal, 2);

    TSwfShapeBuilder heart;
    int heartFill = heart.GradientFill(true, {{0, {255, 230, 120}}, {255, {240, 160, 40}}});
    heart.Ellipse(0, 0, Tw(22), Tw(22), heartFill, 0);
    uint16_t heartId = w.DefineShape(heart, 3);

    TSwfShapeBuilder leaf;
    int leafFill = leaf.SolidFill({90, 160, 80});
    int vein = leaf.LineStyle(static_cast<uint16_t>(Tw(1)), {50, 110, 50});
    leaf.Style(0, leafFill, 0);
    leaf.MoveTo(0, 0);
    leaf.CurveTo(Tw(60), -Tw(50), Tw(140), 0);
    leaf.CurveTo(Tw(60), Tw(50), 0, 0);
    leaf.Style(0, 0, vein);
    leaf.MoveTo(0, 0);
    leaf.LineTo(Tw(130), 0);
    uint16_t leafId = w.DefineShape(leaf, 1);

    const int ClipFrames = 40;
    TSwfTagWriter flower;
    for (int f = 0; f < ClipFrames; ++f) {
        double spin = 2 * Pi * f / ClipFrames / 8;  // one petal step per loop: seamless
        for (int p = 0; p < 8; ++p) {
            TSwfMatrix m = TSwfMatrix::Rotate(spin + p * Pi / 4);
            if (f == 0)
                flower.Place(static_cast<uint16_t>(1 + p), petalId, m);
            else
                flower.Move(static_cast<uint16_t>(1 + p), m);
        }
        if (f == 0) flower.Place(20, heartId);
        flower.ShowFrame();
    }
    uint16_t flowerId = w.DefineSprite(flower);

    TSwfShapeBuilder stems;
    int stem = stems.LineStyle(static_cast<uint16_t>(Tw(6)), {80, 130, 70});
    struct TFlower { double X, Y, Scale, R, G, B; };
    const TFlower flowers[] = {{300, 330, 1.3, 1, 1, 1}, {640, 260, 1.0, 0.7, 0.8, 1.4}, {820, 480, 0.8, 1.1, 0.9, 0.5},
                               {160, 560, 0.7, 0.6, 1.2, 1.3}, {520, 560, 0.9, 1.2, 0.6, 0.9}};
    for (const TFlower& fl : flowers) {
        stems.Style(-1, -1, stem);
        stems.MoveTo(Tw(fl.X), Tw(fl.Y));
        stems.CurveTo(Tw(fl.X - 40), Tw((fl.Y + H) / 2), Tw(fl.X - 10), Tw(H));
    }
    uint16_t stemsId = w.DefineShape(stems, 2);

    w.Main.Place(1, stemsId);
    w.Main.PlaceObject1(2, leafId, At(250, 600, 1, -0.5));
    w.Main.PlaceObject3(3, leafId, At(600, 640, 0.8, -2.6));
    for (int f = 0; f < Frames; ++f) {
        for (size_t i = 0; i < std::size(flowers); ++i) {
            const TFlower& fl = flowers[i];
            double breathe = fl.Scale * (1 + 0.06 * std::sin(2 * Pi * f / Frames * 2 + i));
            TSwfMatrix m = At(fl.X, fl.Y, breathe, 2 * Pi * f / Frames * (i % 2 ? -0.25 : 0.25));
            TSwfColorTransform cx{fl.R, fl.G, fl.B, 1, 0, 0, 0, 0};
            uint16_t d = static_cast<uint16_t>(10 + i);
            if (f == 0)
                w.Main.Place(d, flowerId, m, cx);
            else
                w.Main.Move(d, m);
        }
        w.Main.ShowFrame();
    }
    return w.Finish();
}

// Waves rolling under a low sun, a small boat riding them. Stored compressed.
std::vector<uint8_t> Tide() {
    const int W = 320, H = 240, Frames = 24;
    TSwfWriter w(W, H, 12);
    w.SetBackground({150, 200, 235});

    uint16_t sun = Disc(w, 26, {255, 200, 90}, {255, 235, 170}, 2);

    // One wave period is 80 pixels; a wave shape spans the stage plus one period,
    // so moving it by a period per loop looks endless.
    auto wave = [&](double top, double amp, TSwfRgba color) {
        TSwfShapeBuilder s;
        int fill = s.SolidFill(color);
        int crest = s.LineStyle(static_cast<uint16_t>(Tw(1.5)), {255, 255, 255, 180});
        s.Style(0, fill, crest);
        s.MoveTo(Tw(-80), Tw(top));
        for (double x = -80; x < W + 80; x += 40) {
            double dir = std::fmod(x + 80, 80) == 0 ? -1 : 1;
            s.CurveTo(Tw(x + 20), Tw(top + dir * amp), Tw(x + 40), Tw(top));
        }
        s.Style(-1, -1, 0);
        s.LineTo(Tw(W + 80), Tw(H));
        s.LineTo(Tw(-80), Tw(H));
        s.LineTo(Tw(-80), Tw(top));
        return w.DefineShape(s);
    };
    uint16_t far = wave(150, 8, {60, 120, 180});
    uint16_t mid = wave(172, 10, {40, 95, 160});
    uint16_t near = wave(198, 12, {25, 70, 130});

    TSwfShapeBuilder boat;
    int hull = boat.SolidFill({120, 70, 40});
    int sail = boat.SolidFill({250, 250, 240});
    int rig = boat.LineStyle(static_cast<uint16_t>(T), {60, 40, 30});
    boat.Polygon({{-Tw(22), 0}, {Tw(22), 0}, {Tw(14), Tw(9)}, {-Tw(14), Tw(9)}}, hull, rig);
    boat.Polygon({{Tw(2), -Tw(3)}, {Tw(2), -Tw(36)}, {Tw(20), -Tw(3)}}, sail, rig);
    uint16_t boatId = w.DefineShape(boat, 3);

    for (int f = 0; f < Frames; ++f) {
        double t = double(f) / Frames;
        if (f == 0) {
            w.Main.Place(1, sun, At(250, 70));
            w.Main.Place(2, far, At(-80 * t, 0));
            w.Main.Place(3, mid, At(-80 * 2 * t + 80, 0));
            w.Main.Place(4, boatId, At(150, 168, 1, 0));
            w.Main.Place(5, near, At(-80 * 3 * t + 80, 0));
        } else {
            w.Main.Move(2, At(std::fmod(-80 * t, 80.0), 0));
            w.Main.Move(3, At(std::fmod(-80 * 2 * t, 80.0) + 80, 0));
            w.Main.Move(4, At(150, 168 + 4 * std::sin(2 * Pi * t), 1, 0.08 * std::sin(2 * Pi * t + 1)));
            w.Main.Move(5, At(std::fmod(-80 * 3 * t, 80.0) + 80, 0));
        }
        w.Main.ShowFrame();
    }
    return w.Finish(true);
}

TSwfFill SeedGradient(TSwfFill::TKind kind, int stops, TSwfSpread spread) {
    TSwfFill f;
    f.Kind = kind;
    f.Spread = spread;
    f.Interpolation = stops % 2 ? TSwfInterpolation::LinearRgb : TSwfInterpolation::Rgb;
    f.FocalPoint = kind == TSwfFill::Focal ? -0.4 : 0;
    f.Matrix = {0.01, 0.002, -0.003, 0.02, 100, 50};
    for (int i = 0; i < stops; ++i) f.Stops.push_back({uint8_t(i * 255 / (stops - 1)), {uint8_t(i * 17), 40, 200, uint8_t(255 - i)}});
    return f;
}

// Gradients of every kind and spread, second-kind line styles with caps,
// joins and a gradient, in the shape versions that allow them.
std::vector<uint8_t> FillSeed() {
    TSwfWriter w(40, 30, 12, 10);
    TSwfShapeBuilder s;
    int a = s.Fill(SeedGradient(TSwfFill::Linear, 15, TSwfSpread::Repeat));
    int b = s.Fill(SeedGradient(TSwfFill::Radial, 3, TSwfSpread::Reflect));
    int c = s.Fill(SeedGradient(TSwfFill::Focal, 2, TSwfSpread::Pad));
    int l = s.LineStyle(40, {1, 2, 3, 255}, {TSwfCap::None, TSwfCap::Square, TSwfJoin::Miter, 2.5, true},
                        SeedGradient(TSwfFill::Linear, 2, TSwfSpread::Pad));
    int m = s.LineStyle(0, {9, 9, 9, 255}, {TSwfCap::Round, TSwfCap::Round, TSwfJoin::Bevel, 3, false});
    s.Rectangle(0, 0, 300, 200, a, l);
    s.Ellipse(300, 300, 100, 60, b, m);
    s.Polygon({{0, 0}, {200, 100}, {50, 300}}, c, 0);
    uint16_t id = w.DefineShape(s, 4);
    TSwfShapeBuilder old;
    old.Rectangle(0, 0, 100, 100, old.Fill(SeedGradient(TSwfFill::Linear, 8, TSwfSpread::Pad)), 0);
    uint16_t oldId = w.DefineShape(old, 2);
    w.Main.Place(1, id, At(1, 1), TSwfColorTransform{0.5, 1, 1, 0.8, 10, 0, 0, 0});
    w.Main.PlaceMask(2, oldId, 4);
    w.Main.Place(3, id);
    w.Main.PlaceMask(4, id, 6);
    w.Main.Place(5, oldId);
    w.Main.ShowFrame();
    return w.Finish();
}

// Pictures of every tag: lossless in each format, JPEG bytes (not decoded
// by the reader) alone, with shared tables, with an alpha plane; fills of
// each bitmap kind.
std::vector<uint8_t> PictureSeed() {
    TSwfWriter w(40, 30, 12, 10);
    const std::vector<uint32_t> px = {0xFFFF0000, 0x8000FF00, 0xFF0000FF, 0x00000000, 0xFFFFFFFF, 0xFF808080};
    std::vector<uint16_t> ids;
    ids.push_back(w.DefineBitsLossless(3, 3, 2, px, 1));
    ids.push_back(w.DefineBitsLossless(4, 3, 2, px, 1));
    ids.push_back(w.DefineBitsLossless(5, 3, 2, px, 1));
    ids.push_back(w.DefineBitsLossless(3, 2, 3, px, 2));
    ids.push_back(w.DefineBitsLossless(5, 2, 3, px, 2));
    const std::vector<uint8_t> jpeg = {0xFF, 0xD9, 0xFF, 0xD8, 0xFF, 0xD8, 0xFF, 0xDB, 0, 4, 1, 2, 0xFF, 0xD9};
    w.JpegTables(jpeg);
    ids.push_back(w.DefineBits(jpeg));
    ids.push_back(w.DefineBitsJpeg2(jpeg));
    ids.push_back(w.DefineBitsJpeg3(jpeg, std::vector<uint8_t>(6, 128)));
    TSwfShapeBuilder s;
    for (size_t i = 0; i < ids.size(); ++i) {
        TSwfFill f;
        f.Kind = TSwfFill::Bitmap;
        f.BitmapId = ids[i];
        f.Repeat = i % 2;
        f.Smooth = i % 3;
        f.Matrix = {20, 0, 0, 20, double(i * 60), 0};
        s.Rectangle(int32_t(i * 60), 0, 60, 60, s.Fill(f), 0);
    }
    w.Main.Place(1, w.DefineShape(s, 3));
    w.Main.ShowFrame();
    return w.Finish();
}

// A shape tween of both tag kinds, placed at ratios and moved on.
std::vector<uint8_t> TweenSeed() {
    TSwfWriter w(40, 30, 12, 10);
    std::vector<uint16_t> ids;
    for (int version : {1, 2}) {
        TSwfMorphBuilder m;
        int f = m.Fill(SeedGradient(TSwfFill::Linear, 2, TSwfSpread::Pad), SeedGradient(TSwfFill::Linear, 2, TSwfSpread::Pad));
        TSwfFill red, blue;
        red.Color = {255, 0, 0, 255};
        blue.Color = {0, 0, 255, 128};
        int g = m.Fill(red, blue);
        int l = m.Line(20, 60, {0, 0, 0, 255}, {255, 255, 255, 255}, {TSwfCap::Square, TSwfCap::None, TSwfJoin::Miter, 2, false});
        m.Start.Style(0, f, l);
        m.Start.MoveTo(0, 0);
        m.Start.LineTo(200, 0);
        m.Start.CurveTo(300, 100, 200, 200);
        m.Start.Style(g, f, -1);
        m.Start.LineTo(0, 0);
        m.End.MoveTo(10, 10);
        m.End.CurveTo(100, -50, 300, 0);
        m.End.LineTo(300, 300);
        m.End.LineTo(10, 10);
        ids.push_back(w.DefineMorphShape(m, version));
    }
    w.Main.PlaceRatio(1, ids[0], 0);
    w.Main.PlaceRatio(2, ids[1], 65535, At(1, 1));
    w.Main.ShowFrame();
    w.Main.MoveRatio(1, 30000);
    w.Main.MoveRatio(2, 100);
    w.Main.ShowFrame();
    return w.Finish(true);
}

// Letters on a grid of 5 x 7 cells, each cell 100 font units, standing on the
// baseline: enough of an alphabet for the samples' titles.
const std::pair<char, const char*> BlockLetters[] = {
    {'A', ".###.#...##...#######...##...##...#"}, {'E', "######....####.#....#....#....#####"},
    {'H', "#...##...##...#######...##...##...#"}, {'I', "#####..#....#....#....#....#..#####"},
    {'N', "#...###..##.#.##..###...##...##...#"}, {'O', ".###.#...##...##...##...##...#.###."},
    {'R', "####.#...##...#####.#.#..#..#.#...#"}, {'S', ".#####.....#....###.....#....#####."},
    {'U', "#...##...##...##...##...##...#.###."}, {'W', "#...##...##...##.#.##.#.###.###...#"},
    {'D', "####.#...##...##...##...##...#####."}, {'G', ".#####....#....#..###...##...#.###."},
    {'T', "#####..#....#....#....#....#....#.."}, {'L', "#....#....#....#....#....#....#####"},
    {'M', "#...###.###.#.##...##...##...##...#"}, {'Y', "#...##...#.#.#...#....#....#....#.."},
    {'B', "####.#...##...#####.#...##...#####."}, {'K', "#...##..#.#.#..##...#.#..#..#.#...#"},
    {' ', "..................................."},
};

uint16_t BlockFont(TSwfWriter& w, int version) {
    std::vector<std::unique_ptr<TSwfShapeBuilder>> glyphs;
    std::vector<const TSwfShapeBuilder*> refs;
    std::vector<uint16_t> codes;
    std::vector<int16_t> advances;
    const int32_t unit = version >= 3 ? 2000 : 100;  // DefineFont3 counts twentieths
    for (const auto& [letter, cells] : BlockLetters) {
        auto g = std::make_unique<TSwfShapeBuilder>();
        std::string rows = cells;
        rows.resize(35, '.');
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 5; ++x)
                if (rows[size_t(y * 5 + x)] == '#') g->Rectangle(x * unit, (y - 7) * unit, unit, unit, 1, 0);
        refs.push_back(g.get());
        glyphs.push_back(std::move(g));
        codes.push_back(uint16_t(letter));
        advances.push_back(int16_t(6 * unit));
    }
    return w.DefineFont(version, "Blocks", refs, codes, advances, uint16_t(8 * unit), uint16_t(2 * unit));
}

// Records for Text in the block font at Height twips per EM, from (x, y) twips.
TSwfTextRecord BlockText(uint16_t font, const std::string& text, double x, double y, double height, TSwfRgba color) {
    TSwfTextRecord r;
    r.FontId = font;
    r.X = x;
    r.Y = y;
    r.Height = height;
    r.Color = color;
    for (char c : text)
        for (size_t i = 0; i < std::size(BlockLetters); ++i)
            if (BlockLetters[i].first == c) r.Glyphs.push_back({uint32_t(i), 600.0 / 1024 * height});
    return r;
}

// A computed picture: hills under a pale sky, with a soft edge.
std::vector<uint32_t> Postcard(int w, int h) {
    std::vector<uint32_t> px(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double hill = h * (0.55 + 0.12 * std::sin(x * 0.09) + 0.06 * std::sin(x * 0.23 + 1));
            double r, g, b;
            if (y < hill) {
                r = 200 + 40.0 * y / h;
                g = 220 + 20.0 * y / h;
                b = 250;
            } else {
                double d = (y - hill) / (h - hill + 1);
                r = 60 + 40 * d + 20 * std::sin(x * 0.5 + y * 0.3);
                g = 150 - 50 * d;
                b = 70;
            }
            double edge = std::min({x, y, w - 1 - x, h - 1 - y}) / 6.0;
            uint8_t a = uint8_t(255 * std::clamp(edge, 0.0, 1.0));
            auto q = [](double v) { return uint32_t(std::clamp(v, 0.0, 255.0)); };
            px[size_t(y) * size_t(w) + size_t(x)] = uint32_t(a) << 24 | q(r) << 16 | q(g) << 8 | q(b);
        }
    return px;
}

// Dawn over a tiled shore: a gradient sky with a glowing sun, a postcard and a
// tiled ground (pictures), a light that sweeps the sea through a moving mask,
// a cloud that changes shape (a tween) and a title in a font of its own.
std::vector<uint8_t> Daybreak() {
    const int W = 800, H = 600, Frames = 60;
    TSwfWriter w(W, H, 20);
    w.SetBackground({20, 24, 60});

    TSwfShapeBuilder sky;
    TSwfFill skyFill;
    skyFill.Kind = TSwfFill::Linear;
    skyFill.Stops = {{0, {24, 30, 90, 255}}, {150, {210, 110, 120, 255}}, {255, {255, 200, 120, 255}}};
    // Turned a quarter, so the ramp runs down the sky.
    skyFill.Matrix = Concat(TSwfMatrix::Translate(Tw(W / 2.0), Tw(200)),
                            Concat(TSwfMatrix::Rotate(Pi / 2), TSwfMatrix::Scale(Tw(400) / 32768.0, Tw(400) / 32768.0)));
    sky.Rectangle(0, 0, Tw(W), Tw(400), sky.Fill(skyFill), 0);
    uint16_t skyId = w.DefineShape(sky, 3);

    TSwfShapeBuilder sun;
    TSwfFill glow;
    glow.Kind = TSwfFill::Focal;
    glow.FocalPoint = -0.3;
    glow.Stops = {{0, {255, 250, 220, 255}}, {60, {255, 220, 140, 255}}, {110, {255, 180, 90, 120}}, {255, {255, 160, 80, 0}}};
    glow.Matrix = TSwfMatrix::Scale(Tw(120) / 32768.0, Tw(120) / 32768.0);
    sun.Ellipse(0, 0, Tw(120), Tw(120), sun.Fill(glow), 0);
    uint16_t sunId = w.DefineShape(sun, 4);

    TSwfShapeBuilder sea;
    TSwfFill water;
    water.Kind = TSwfFill::Linear;
    water.Spread = TSwfSpread::Reflect;
    water.Interpolation = TSwfInterpolation::LinearRgb;
    water.Stops = {{0, {30, 60, 120, 255}}, {255, {60, 110, 170, 255}}};
    water.Matrix = Concat(TSwfMatrix::Translate(0, Tw(430)),
                          Concat(TSwfMatrix::Rotate(Pi / 2), TSwfMatrix::Scale(Tw(30) / 32768.0, Tw(30) / 32768.0)));
    sea.Rectangle(0, Tw(400), Tw(W), Tw(120), sea.Fill(water), 0);
    uint16_t seaId = w.DefineShape(sea, 4);

    // The light on the water, shown only where the sweeping mask is.
    TSwfShapeBuilder shine;
    TSwfFill sheen;
    sheen.Kind = TSwfFill::Radial;
    sheen.Stops = {{0, {255, 230, 170, 230}}, {255, {255, 230, 170, 0}}};
    sheen.Matrix = TSwfMatrix::Scale(Tw(300) / 32768.0, Tw(60) / 32768.0);
    sheen.Matrix.Tx = Tw(W / 2.0);
    sheen.Matrix.Ty = Tw(440);
    shine.Rectangle(0, Tw(400), Tw(W), Tw(120), shine.Fill(sheen), 0);
    uint16_t shineId = w.DefineShape(shine, 3);
    TSwfShapeBuilder lens;
    lens.Ellipse(0, 0, Tw(110), Tw(50), lens.SolidFill({255, 255, 255}), 0);
    uint16_t lensId = w.DefineShape(lens, 3);

    // Ground of tiles: a small picture repeated, unsmoothed.
    std::vector<uint32_t> tile(16 * 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            bool mortar = x == 0 || y == 0;
            bool dark = ((x / 8) + (y / 8)) % 2;
            tile[size_t(y) * 16 + size_t(x)] = mortar ? 0xFF6A5A4Au : dark ? 0xFFB07850u : 0xFFC89068u;
        }
    uint16_t tileId = w.DefineBitsLossless(3, 16, 16, tile);
    TSwfShapeBuilder ground;
    TSwfFill tiles;
    tiles.Kind = TSwfFill::Bitmap;
    tiles.BitmapId = tileId;
    tiles.Repeat = true;
    tiles.Smooth = false;
    tiles.Matrix = TSwfMatrix::Scale(Tw(2), Tw(2));
    ground.Rectangle(0, Tw(520), Tw(W), Tw(80), ground.Fill(tiles), ground.LineStyle(uint16_t(Tw(2)), {90, 70, 60}));
    uint16_t groundId = w.DefineShape(ground, 3);

    // A postcard leaning on the wall: a smoothed, clipped picture turned a little.
    uint16_t cardPic = w.DefineBitsLossless(5, 96, 64, Postcard(96, 64), 2);
    TSwfShapeBuilder card;
    TSwfFill photo;
    photo.Kind = TSwfFill::Bitmap;
    photo.BitmapId = cardPic;
    photo.Matrix = TSwfMatrix::Scale(Tw(1.5), Tw(1.5));
    card.Rectangle(0, 0, Tw(144), Tw(96), card.Fill(photo), 0);
    uint16_t cardId = w.DefineShape(card, 3);

    // A cloud that swells from a flat streak into a round heap and back.
    TSwfMorphBuilder cloud;
    TSwfFill white, pink;
    white.Color = {255, 255, 255, 220};
    pink.Color = {255, 210, 220, 240};
    int puff = cloud.Fill(white, pink);
    int rim = cloud.Line(uint16_t(Tw(1)), uint16_t(Tw(3)), {255, 255, 255, 255}, {240, 170, 190, 255});
    cloud.Start.Style(0, puff, rim);
    cloud.Start.MoveTo(0, 0);
    cloud.Start.CurveTo(Tw(60), -Tw(10), Tw(120), 0);
    cloud.Start.CurveTo(Tw(180), -Tw(8), Tw(240), 0);
    cloud.Start.CurveTo(Tw(120), Tw(12), 0, 0);
    cloud.End.MoveTo(Tw(20), 0);
    cloud.End.CurveTo(Tw(40), -Tw(90), Tw(120), -Tw(60));
    cloud.End.CurveTo(Tw(200), -Tw(100), Tw(220), 0);
    cloud.End.CurveTo(Tw(120), Tw(30), Tw(20), 0);
    uint16_t cloudId = w.DefineMorphShape(cloud, 2);

    uint16_t font = BlockFont(w, 2);
    uint16_t title = w.DefineText(2, {0, Tw(600), 0, Tw(80)}, {},
                                  {BlockText(font, "DAYBREAK", 0, Tw(60), Tw(60), {255, 240, 210, 255})});
    TSwfEditText caption;
    caption.Bounds = {0, Tw(360), 0, Tw(40)};
    caption.HasFont = true;
    caption.FontId = font;
    caption.Height = Tw(24);
    caption.Color = {250, 220, 200, 230};
    caption.Align = TSwfEditText::Center;
    caption.UseOutlines = true;
    caption.Text = "SUN AND SEA";
    uint16_t captionId = w.DefineEditText(caption);

    for (int f = 0; f < Frames; ++f) {
        double t = double(f) / Frames;
        double tween = f < Frames / 2 ? 2 * t : 2 - 2 * t;  // there and back
        uint16_t ratio = uint16_t(std::lround(tween * 65535));
        TSwfMatrix lensAt = At(100 + 600 * (0.5 - 0.5 * std::cos(2 * Pi * t)), 450);
        TSwfMatrix sunAt = At(W / 2.0 + 30 * std::sin(2 * Pi * t), 330 - 40 * tween);
        if (f == 0) {
            w.Main.Place(1, skyId);
            w.Main.Place(2, sunId, sunAt);
            w.Main.PlaceRatio(3, cloudId, ratio, At(120, 160));
            w.Main.Place(4, seaId);
            w.Main.PlaceMask(5, lensId, 6, lensAt);
            w.Main.Place(6, shineId);
            w.Main.Place(7, groundId);
            w.Main.Place(8, cardId, At(600, 470, 1, -0.12));
            w.Main.Place(9, title, At(160, 40));
            w.Main.Place(10, captionId, At(220, 112));
        } else {
            w.Main.Move(2, sunAt);
            w.Main.MoveRatio(3, ratio);
            w.Main.Move(5, lensAt);
        }
        w.Main.ShowFrame();
    }
    return w.Finish(true);
}

// Text of both kinds in fonts of every kind, for the fuzzer.
std::vector<uint8_t> TextSeed() {
    TSwfWriter w(40, 30, 12, 10);
    uint16_t f1 = BlockFont(w, 1), f2 = BlockFont(w, 2), f3 = BlockFont(w, 3);
    uint16_t sans = w.DefineFont(2, "_sans", {});
    std::vector<TSwfTextRecord> records = {BlockText(f1, "AEH", 0, 200, 240, {1, 2, 3, 255}),
                                           BlockText(f2, "SUN", 0, 500, 120, {9, 9, 9, 128}),
                                           BlockText(f3, "RIO", 100, 800, 200, {200, 0, 0, 255})};
    w.Main.Place(1, w.DefineText(1, {0, 800, 0, 900}, At(1, 1), records));
    w.Main.Place(2, w.DefineText(2, {0, 800, 0, 900}, {}, records));
    TSwfEditText e;
    e.Bounds = {0, 800, 0, 400};
    e.HasFont = true;
    e.FontId = f2;
    e.UseOutlines = e.Multiline = e.WordWrap = true;
    e.Align = TSwfEditText::Right;
    e.Text = "SUN SEA\nRAIN";
    w.Main.Place(3, w.DefineEditText(e));
    e.FontId = sans;
    e.UseOutlines = false;
    e.Html = true;
    e.Text = "<p>A &amp; B<br/>C</p>";
    w.Main.Place(4, w.DefineEditText(e));
    w.Main.ShowFrame();
    return w.Finish();
}
// A lantern that rises into view, then swings for ever, chiming as each swing
// begins: its last frame's
// script goes back to the label "swing", so the movie never reaches its end
// (the frame after the script is there but never shown).
std::vector<uint8_t> Lantern() {
    const int W = 480, H = 360, Rise = 8, Swing = 24;
    TSwfWriter w(W, H, 24, 6);
    w.SetBackground({20, 24, 48});
    TSwfShapeBuilder body;
    int glow = body.SolidFill({255, 190, 80, 255});
    int frame = body.LineStyle(static_cast<uint16_t>(Tw(3)), {90, 50, 20, 255});
    body.Polygon({{-Tw(30), 0}, {Tw(30), 0}, {Tw(40), Tw(70)}, {-Tw(40), Tw(70)}}, glow, frame);
    body.Rectangle(-Tw(2), -Tw(120), Tw(4), Tw(120), body.SolidFill({200, 200, 210, 255}), 0);
    uint16_t lantern = w.DefineShape(body);
    // A soft chord (A, C sharp, E) of 0.4 s that fades out, sounded as each
    // swing begins: ADPCM of our own samples.
    std::vector<int16_t> chord;
    const int rate = 22050, length = rate * 2 / 5;
    for (int i = 0; i < length; ++i) {
        const double t = double(i) / rate, fade = 1.0 - double(i) / length;
        const double v = std::sin(2 * Pi * 440 * t) + std::sin(2 * Pi * 554.37 * t) + std::sin(2 * Pi * 659.26 * t);
        chord.push_back(static_cast<int16_t>(3000 * fade * v));
    }
    const uint16_t chime = DefineSound(w, {TSwfSoundFormat::Adpcm, rate, true, false}, static_cast<uint32_t>(length),
                                       EncodeAdpcmSound(chord, 1, 4));
    uint16_t star = Disc(w, 3, {240, 240, 255});
    for (int i = 0; i < 12; ++i) w.Main.Place(static_cast<uint16_t>(10 + i), star, At(20 + (i * 137) % (W - 40), 20 + (i * 71) % 150));
    for (int f = 0; f < Rise; ++f) {
        const double y = H + 20 - (H / 2 + 20) * (f + 1.0) / Rise;
        if (f == 0)
            w.Main.Place(1, lantern, At(W / 2.0, y));
        else
            w.Main.Move(1, At(W / 2.0, y));
        w.Main.ShowFrame();
    }
    for (int f = 0; f < Swing; ++f) {
        if (f == 0) {
            FrameLabel(w.Main, "swing");
            TSwfSoundEvent e;
            e.SoundId = chime;
            e.NoMultiple = true;
            StartSound(w.Main, e);
        }
        const double a = 0.35 * std::sin(2 * Pi * f / Swing);
        w.Main.Move(1, At(W / 2.0 + 120 * std::sin(a), H / 2.0 - 120 * (1 - std::cos(a)), 1, a));
        if (f == Swing - 1) DoAction(w.Main, TSwfActionWriter().ConstantPool({"swing"}).PushConstant(0).GotoFrame2(true));
        w.Main.ShowFrame();
    }
    w.Main.Move(1, At(W / 2.0, H / 2.0, 1, 0));
    w.Main.ShowFrame();
    return w.Finish(false);
}

// Frame scripts of every kind the player runs, labels, a clip with scripts of
// its own and buttons of both versions.
std::vector<uint8_t> ScriptSeed() {
    TSwfWriter w(40, 30, 12, 8);
    TSwfShapeBuilder s;
    s.Rectangle(0, 0, 200, 100, s.SolidFill({200, 10, 10, 255}), 0);
    uint16_t id = w.DefineShape(s);
    TSwfButtonRecord up{0x01, id, 1};
    up.BlurFilter = true;
    up.BlendMode = 2;
    uint16_t b1 = DefineButton(w, 1, {{0x01, id, 1}, {0x0E, id, 2}});
    uint16_t b2 = DefineButton(w, 2, {up});
    TSwfTagWriter clip;
    clip.Place(1, b1);
    FrameLabel(clip, "a");
    clip.ShowFrame();
    DoAction(clip, TSwfActionWriter().PrevFrame().Play().GotoLabel("a"));
    clip.ShowFrame();
    DoAction(clip, TSwfActionWriter().PushInteger(1).GotoFrame2(true, 1).Stop());
    clip.ShowFrame();
    uint16_t clipId = w.DefineSprite(clip);
    w.Main.Place(1, clipId);
    w.Main.Place(2, b2);
    FrameLabel(w.Main, "start");
    w.Main.ShowFrame();
    DoAction(w.Main, TSwfActionWriter().NextFrame().Play().GotoFrame(3));
    w.Main.ShowFrame();
    DoAction(w.Main, TSwfActionWriter().ConstantPool({"start", "3"}).PushConstant(1).GotoFrame2(false).PushConstant(0)
                         .PushDouble(2).PushFloat(1).PushString("start").Simple(0x17).GotoFrame2(true));
    w.Main.ShowFrame();
    DoAction(w.Main, TSwfActionWriter().GotoFrame(1).Stop());
    w.Main.ShowFrame();
    return w.Finish(false);
}


// Event sounds of every format and width, started, stopped, looped and
// exported by name, and an ADPCM stream.
std::vector<uint8_t> SoundSeed() {
    TSwfWriter w(40, 30, 12, 8);
    std::vector<int16_t> tone;
    for (int i = 0; i < 300; ++i) tone.push_back(static_cast<int16_t>(8000 * std::sin(i * 0.2)));
    std::vector<uint16_t> ids;
    ids.push_back(DefineSound(w, {TSwfSoundFormat::RawLittle, 44100, true, true}, 150, EncodeRawSound(tone, true)));
    ids.push_back(DefineSound(w, {TSwfSoundFormat::RawNative, 5512, false, false}, 300, EncodeRawSound(tone, false)));
    ids.push_back(DefineSound(w, {TSwfSoundFormat::Adpcm, 11025, true, false}, 300, EncodeAdpcmSound(tone, 1, 2)));
    ids.push_back(DefineSound(w, {TSwfSoundFormat::Adpcm, 22050, true, true}, 150, EncodeAdpcmSound(tone, 2, 5)));
    ExportName(w, ids[2], "beep");
    SoundStreamHead(w.Main, {TSwfSoundFormat::Adpcm, 11025, true, false}, 100, true);
    for (int f = 0; f < 3; ++f) {
        StartSound(w.Main, {ids[size_t(f)], false, f == 1, uint16_t(f + 1), uint32_t(f * 10), uint32_t(f ? 200 : 0)});
        StartSound2(w.Main, "beep", {0, f == 2});
        SoundStreamBlock(w.Main, EncodeAdpcmSound(std::vector<int16_t>(tone.begin(), tone.begin() + 100), 1, 3));
        w.Main.ShowFrame();
    }
    StartSound(w.Main, {ids[3], true});
    w.Main.ShowFrame();
    return w.Finish(false);
}

// Small movies that between them reach every tag and record kind the reader
// knows, as starting points for the fuzzer.
std::vector<std::vector<uint8_t>> Seeds() {
    std::vector<std::vector<uint8_t>> out;
    for (int version = 1; version <= 4; ++version) {
        TSwfWriter w(40, 30, 12, 8);
        w.SetBackground({1, 2, 3});
        TSwfShapeBuilder s;
        int f = s.SolidFill({200, 10, 10, 255});
        int g = s.GradientFill(version % 2, {{0, {0, 0, 0}}, {255, {255, 255, 255}}});
        int l = s.LineStyle(20, {0, 0, 255, 255});
        s.Rectangle(0, 0, 200, 100, f, l);
        s.Ellipse(300, 300, 100, 50, g, 0);
        if (version >= 2) {
            s.NewStyles();
            int b = s.BitmapFill(7);
            s.Polygon({{0, 0}, {50, 10}, {20, 40}}, b, 0);
        }
        uint16_t id = w.DefineShape(s, version);
        TSwfTagWriter clip;
        clip.Place(1, id);
        clip.ShowFrame();
        clip.Move(1, At(1, 1), TSwfColorTransform{0.5, 1, 1, 1, 10, 0, 0, 0});
        clip.ShowFrame();
        uint16_t clipId = w.DefineSprite(clip);
        w.Main.Place(1, id, At(2, 2), TSwfColorTransform{1, 1, 1, 0.5, 0, 0, 0, 0});
        w.Main.PlaceObject1(2, clipId, At(5, 5));
        w.Main.PlaceMask(3, id, 4);
        w.Main.ShowFrame();
        w.Main.PlaceObject3(4, clipId, At(1, 2, 2, 1));
        w.Main.RemoveObject1(2, clipId);
        w.Main.Remove(1);
        w.Main.ShowFrame();
        out.push_back(w.Finish(version == 3));
    }
    out.push_back(FillSeed());
    out.push_back(PictureSeed());
    out.push_back(TweenSeed());
    out.push_back(TextSeed());
    out.push_back(ScriptSeed());
    out.push_back(SoundSeed());
    return out;
}

}  // namespace

// Seconds of stereo 16-bit sound at 44.1 kHz as a WAV file: 440 Hz on the
// left, 660 Hz on the right, for the tests' MP3 (encoded by the build host's
// MP3 encoder from this, our own signal).
bool SaveTone(const std::filesystem::path& p, int Seconds) {
    const uint32_t frames = 44100u * uint32_t(Seconds), bytes = frames * 4;
    std::vector<uint8_t> w;
    auto u32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) w.push_back(uint8_t(v >> (8 * i))); };
    auto u16 = [&](uint16_t v) { w.push_back(uint8_t(v)); w.push_back(uint8_t(v >> 8)); };
    auto tag = [&](const char* t) { w.insert(w.end(), t, t + 4); };
    tag("RIFF"); u32(36 + bytes); tag("WAVE");
    tag("fmt "); u32(16); u16(1); u16(2); u32(44100); u32(44100 * 4); u16(4); u16(16);
    tag("data"); u32(bytes);
    for (uint32_t i = 0; i < frames; ++i) {
        u16(static_cast<uint16_t>(static_cast<int16_t>(12000 * std::sin(2 * Pi * 440 * i / 44100.0))));
        u16(static_cast<uint16_t>(static_cast<int16_t>(12000 * std::sin(2 * Pi * 660 * i / 44100.0))));
    }
    return Save(p, w);
}

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--tone") return SaveTone(argv[2], std::atoi(argv[3])) ? 0 : 1;
    namespace fs = std::filesystem;
    bool seeds = argc == 3 && std::string(argv[1]) == "--seeds";
    if (argc != 2 && !seeds) {
        std::fprintf(stderr, "usage: swf_samples <folder> | swf_samples --seeds <folder>\n");
        return 2;
    }
    fs::path dir = argv[argc - 1];
    std::error_code ec;
    fs::create_directories(dir, ec);
    bool ok = true;
    if (seeds) {
        auto all = Seeds();
        for (size_t i = 0; i < all.size(); ++i) ok &= Save(dir / ("seed" + std::to_string(i) + ".swf"), all[i]);
    } else {
        ok &= Save(dir / "orbits.swf", Orbits());
        ok &= Save(dir / "equalizer.swf", Equalizer());
        ok &= Save(dir / "blossom.swf", Blossom());
        ok &= Save(dir / "tide.swf", Tide());
        ok &= Save(dir / "daybreak.swf", Daybreak());
        ok &= Save(dir / "lantern.swf", Lantern());
    }
    return ok ? 0 : 1;
}
