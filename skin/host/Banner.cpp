#include "Banner.h"

#include <string>
#include <utility>
#include <vector>

namespace {

using Stroke = std::vector<std::pair<double, double>>;

// Capitals as strokes in a unit box (x right, y down), enough for the name.
std::vector<Stroke> LetterStrokes(char C) {
    switch (C) {
        case 'T': return {{{0, 0}, {1, 0}}, {{0.5, 0}, {0.5, 1}}};
        case 'E': return {{{1, 0}, {0, 0}, {0, 1}, {1, 1}}, {{0, 0.5}, {0.8, 0.5}}};
        case 'S':
            return {{{1, 0.12}, {0.82, 0}, {0.18, 0}, {0, 0.14}, {0, 0.36}, {0.18, 0.5}, {0.82, 0.5}, {1, 0.64},
                     {1, 0.86}, {0.82, 1}, {0.18, 1}, {0, 0.88}}};
        case 'A': return {{{0, 1}, {0.5, 0}, {1, 1}}, {{0.24, 0.62}, {0.76, 0.62}}};
        case 'L': return {{{0, 0}, {0, 1}, {1, 1}}};
        case 'M': return {{{0, 1}, {0, 0}, {0.5, 0.62}, {1, 0}, {1, 1}}};
        default: return {};
    }
}

}  // namespace

Bitmap AboutBanner(int Width, int Height) {
    Picture p(Width, Height);
    const Rgb top{252, 253, 255}, bottom{214, 228, 246}, ink{24, 56, 128};
    p.FillAll(Gradient({{0, top}, {static_cast<double>(Height), bottom}}));

    const std::string name = "TESSALOOM";
    const double capHeight = Height * 0.44, letterWidth = capHeight * 0.68, gap = capHeight * 0.26;
    const double half = capHeight * 0.08;  // half the stroke width
    const double total = name.size() * letterWidth + (name.size() - 1) * gap;
    double x = (Width - total) / 2;
    const double y = (Height - capHeight) / 2;
    for (char c : name) {
        // Strokes stay inside the letter's box: the box shrinks by half a stroke.
        auto at = [&](std::pair<double, double> q) {
            return std::pair<double, double>{x + half + q.first * (letterWidth - 2 * half),
                                             y + half + q.second * (capHeight - 2 * half)};
        };
        if (c == 'O') {
            const Shape ring = Outline(RoundRect(x, y, x + letterWidth, y + capHeight, letterWidth / 2), 2 * half);
            p.Fill(ring, Solid(ink));
        }
        for (const Stroke& s : LetterStrokes(c)) {
            Stroke placed;
            for (const auto& q : s) placed.push_back(at(q));
            p.Fill(Polyline(placed, half), Solid(ink));
        }
        x += letterWidth + gap;
    }
    return Flatten(p, White, false);
}
