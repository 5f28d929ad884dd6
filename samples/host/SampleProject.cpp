// Writes the bundled sample project: a long movie of our own ("drift.swf",
// several MB, the bulk of the project), a 128x128 logo and "sample.qlm", the
// project file naming the player's sample movies, the long movie and the logo.
//
//   sample_project <output folder> <folder of the player's samples> [--wine]
//
// A project names its movies and logo by absolute path. With --wine the paths
// are the ones a program under Wine sees for the build tree (drive Z: is the
// root of the Linux file system); without it they are the build machine's own,
// for the native tools that read the project.

#include "BitmapFile.h"
#include "CompileUnit.h"
#include "ProjectUnit.h"
#include "SwfPixels.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
constexpr double Pi = std::numbers::pi;

// A fixed generator, so every build writes the same bytes.
struct TRandom {
    uint32_t State;
    uint32_t Next() {
        State ^= State << 13;
        State ^= State >> 17;
        State ^= State << 5;
        return State;
    }
    double Unit() { return (Next() >> 8) / double(1 << 24); }
};

TSwfRgba Hue(double h, uint8_t alpha = 255) {
    auto channel = [&](double offset) {
        const double v = 0.5 + 0.5 * std::cos(2 * Pi * (h + offset));
        return static_cast<uint8_t>(60 + 195 * v);
    };
    return {channel(0), channel(-1.0 / 3), channel(1.0 / 3), alpha};
}

// A closed flower-like outline r(a) = R (1 + k sin(n a + phase)) traced with
// many short curves, so each shape carries a few kilobytes of records.
uint16_t Rosette(TSwfWriter& w, TRandom& rnd, int Segments) {
    TSwfShapeBuilder s;
    const double hue = rnd.Unit();
    const int fill = s.SolidFill(Hue(hue, 200));
    const int line = s.LineStyle(static_cast<uint16_t>(Tw(1.5)), Hue(hue + 0.5));
    const double radius = 40 + 50 * rnd.Unit(), depth = 0.15 + 0.35 * rnd.Unit();
    const int lobes = 3 + static_cast<int>(rnd.Next() % 9);
    const double phase = 2 * Pi * rnd.Unit(), wobble = 0.04 * rnd.Unit();
    auto r = [&](double a) { return radius * (1 + depth * std::sin(lobes * a + phase) + wobble * std::sin(23 * a)); };
    s.Style(0, fill, line);
    s.MoveTo(Tw(r(0)), 0);
    for (int i = 1; i <= Segments; ++i) {
        const double a0 = 2 * Pi * (i - 1) / Segments, a1 = 2 * Pi * i / Segments, am = (a0 + a1) / 2;
        const double rm = r(am) / std::cos((a1 - a0) / 2);
        s.CurveTo(Tw(rm * std::cos(am)), Tw(rm * std::sin(am)), Tw(r(a1) * std::cos(a1)), Tw(r(a1) * std::sin(a1)));
    }
    return w.DefineShape(s, 3);
}

// A spiral stroke of short straight pieces.
uint16_t Spiral(TSwfWriter& w, TRandom& rnd, int Segments) {
    TSwfShapeBuilder s;
    const int line = s.LineStyle(static_cast<uint16_t>(Tw(2 + 3 * rnd.Unit())), Hue(rnd.Unit(), 230));
    const double turns = 2 + 3 * rnd.Unit(), reach = 60 + 60 * rnd.Unit();
    s.Style(0, 0, line);
    s.MoveTo(0, 0);
    for (int i = 1; i <= Segments; ++i) {
        const double t = double(i) / Segments, a = 2 * Pi * turns * t;
        s.LineTo(Tw(reach * t * std::cos(a)), Tw(reach * t * std::sin(a)));
    }
    return w.DefineShape(s, 3);
}

// Thirty-five seconds of shapes born at the centre that drift outwards, turn and
// fade; every frame defines new ones, so the file is long like a real movie
// with much artwork. Dark blue ground ($1A1030 as RGB 26, 16, 48).
std::vector<uint8_t> Drift() {
    const int W = 800, H = 600, Frames = 840, Alive = 24;
    TSwfWriter w(W, H, 24);
    w.SetBackground({26, 16, 48});
    TRandom rnd{0x5eed1234u};

    TSwfShapeBuilder glow;
    const int halo = glow.SolidFill({70, 50, 120, 90});
    glow.Ellipse(0, 0, Tw(150), Tw(150), halo, 0);
    w.Main.Place(1, w.DefineShape(glow, 3), At(W / 2.0, H / 2.0));

    struct TItem {
        bool Placed = false;
        int Born = 0;
        double Angle = 0, Speed = 0, Spin = 0;
    };
    std::vector<TItem> items(Alive);
    // The frames before the first shown one only fill the stage, so the movie
    // (and its thumbnail) opens on a full picture rather than an empty one.
    const int Warm = Alive / 2;
    for (int f = -Warm; f < Frames; ++f) {
        // Two new shapes a frame, each replacing the oldest in its slot.
        for (int k = 0; k < 2; ++k) {
            const int slot = (2 * (f + Warm) + k) % Alive;
            const uint16_t depth = static_cast<uint16_t>(10 + slot);
            const uint16_t id = (f + Warm + k) % 3 == 0 ? Spiral(w, rnd, 820) : Rosette(w, rnd, 660);
            if (items[slot].Placed) w.Main.Remove(depth);
            items[slot] = {true, f, 2 * Pi * rnd.Unit(), 1.5 + 2.5 * rnd.Unit(), (rnd.Unit() - 0.5) * 0.12};
            w.Main.Place(depth, id, At(W / 2.0, H / 2.0, 0.2));
        }
        for (int slot = 0; slot < Alive; ++slot) {
            const TItem& it = items[slot];
            const int age = f - it.Born;
            if (!it.Placed || age == 0) continue;
            const double d = it.Speed * age * 4;
            const double fade = std::max(0.0, 1 - age / double(Alive / 2 + 2));
            TSwfColorTransform cx{1, 1, 1, fade, 0, 0, 0, 0};
            w.Main.Move(static_cast<uint16_t>(10 + slot),
                        At(W / 2.0 + d * std::cos(it.Angle), H / 2.0 + d * std::sin(it.Angle), 0.2 + age * 0.12,
                           it.Spin * age),
                        cx);
        }
        if (f >= 0) w.Main.ShowFrame();
    }
    return w.Finish();
}

// The logo: a loom of coloured threads crossing on a light ground, 128x128.
std::vector<uint8_t> Logo() {
    const int N = 128;
    std::vector<uint32_t> px(N * N);
    auto rgb = [](int r, int g, int b) { return static_cast<uint32_t>((r << 16) | (g << 8) | b); };
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            const bool frame = x < 4 || y < 4 || x >= N - 4 || y >= N - 4;
            const int warp = (x / 16) % 2, weft = (y / 16) % 2;
            const bool thread = (x % 16) >= 3 && (x % 16) <= 12, cross = (y % 16) >= 3 && (y % 16) <= 12;
            uint32_t c = rgb(244, 240, 228);
            if (thread && (!cross || warp == weft)) c = warp ? rgb(40, 110, 190) : rgb(220, 120, 40);
            else if (cross) c = weft ? rgb(60, 160, 90) : rgb(180, 50, 90);
            if (frame) c = rgb(30, 40, 70);
            px[static_cast<size_t>(y * N + x)] = c;
        }
    return EncodeBmp24(N, N, px.data());
}

bool Save(const fs::path& p, const std::vector<uint8_t>& data) {
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    if (!f) std::fprintf(stderr, "sample_project: cannot write %s\n", p.string().c_str());
    return static_cast<bool>(f);
}

// The path a program sees: the build machine's own, or under Wine drive Z:
// with backslashes.
std::string ProgramPath(const fs::path& p, bool Wine) {
    const std::string s = fs::absolute(p).lexically_normal().string();
    if (!Wine) return s;
    std::string w = "Z:" + s;
    std::replace(w.begin(), w.end(), '/', '\\');
    return w;
}

bool SaveProject(const fs::path& Out, const fs::path& Movies, bool Wine) {
    TProject p;
    p.Title = "Sample Screensaver";
    p.LogoFile = ProgramPath(Out / "logo.bmp", Wine);
    p.Publisher = "Example Studio";
    p.Homepage = "http://www.example.org/";
    p.Email = "screensavers@example.org";
    p.Copyright = "Copyright (C) 2026 Example Studio";
    for (const char* name : {"orbits.swf", "equalizer.swf", "blossom.swf", "tide.swf", "daybreak.swf", "lantern.swf"})
        p.FlashList->Add(ProgramPath(Movies / name, Wine));
    p.FlashList->Add(ProgramPath(Out / "drift.swf", Wine));
    p.RandomPlay = false;
    p.ShowLicense = false;
    for (const char* line : {"This sample screensaver was made with Tessaloom from movies of its own build.",
                             "You may copy, share and change it freely."})
        p.LicenseText->Add(line);
    p.OutputFile = ProgramPath(Out / "SampleScreensaverSetup.exe", Wine);
    p.SaveToStream();

    TCompileStream file;
    file.AddStream(p.ProjectStream.get(), true);
    TMemoryStream* whole = file.Compile();
    const auto* bytes = static_cast<const uint8_t*>(whole->Memory());
    return Save(Out / "sample.qlm", std::vector<uint8_t>(bytes, bytes + whole->Size()));
}

}  // namespace

int main(int argc, char** argv) {
    const bool wine = argc == 4 && std::string(argv[3]) == "--wine";
    if (argc != 3 && !wine) {
        std::fprintf(stderr, "usage: sample_project <output folder> <player samples folder> [--wine]\n");
        return 2;
    }
    const fs::path out = argv[1], movies = argv[2];
    std::error_code ec;
    fs::create_directories(out, ec);
    bool ok = Save(out / "drift.swf", Drift());
    ok &= Save(out / "logo.bmp", Logo());
    try {
        ok &= SaveProject(out, movies, wine);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "sample_project: %s\n", e.what());
        ok = false;
    }
    return ok ? 0 : 1;
}
