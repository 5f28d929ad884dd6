#include "MovieButtonGlyphs.h"

#include "Glyphs.h"

namespace {

// Half-transparent edges are blended with the middle of the WinXP button face
// the glyphs sit on in the builder.
constexpr Rgb Face{236, 233, 226};
constexpr Rgb DisabledInk{128, 128, 128};

struct Ink {
    Rgb Fill, Edge;
};

// Shape(dx, dy) is the symbol moved by (dx, dy) within its 16 x 16 cell.
template <class ShapeAt>
Bitmap TwoImages(ShapeAt Shape, Ink Colours) {
    Picture enabled(16, 16);
    enabled.Fill(Shape(0.0, 0.0), Solid(Colours.Fill));
    enabled.Fill(Outline(Shape(0.0, 0.0), 1.0), Solid(Colours.Edge));
    // Disabled: the engraved look of greyed controls, a white copy one pixel
    // down and right under a grey one.
    Picture disabled(16, 16);
    disabled.Fill(Shape(1.0, 1.0), Solid(White));
    disabled.Fill(Shape(0.0, 0.0), Solid(DisabledInk));
    return Strip({Flatten(enabled, Face, true), Flatten(disabled, Face, true)});
}

}  // namespace

std::vector<NamedGlyph> MovieButtonGlyphs() {
    // Every symbol spans pixels 2 to 13 on whole-pixel edges where it is
    // straight, so the top-left pixel stays the mask colour and the disabled
    // shadow still fits the cell.
    const Ink green{{46, 150, 62}, {22, 92, 34}}, red{{206, 52, 44}, {128, 24, 20}}, blue{{52, 104, 196}, {24, 56, 124}};
    return {
        {"Add", TwoImages([](double dx, double dy) { return Plus(8 + dx, 8 + dy, 4, 4); }, green)},
        {"Remove", TwoImages([](double dx, double dy) { return Minus(8 + dx, 8 + dy, 6, 4); }, red)},
        {"Up", TwoImages([](double dx, double dy) { return BlockArrow(Direction::Up, 8 + dx, 8 + dy, 6, 4); }, blue)},
        {"Down", TwoImages([](double dx, double dy) { return BlockArrow(Direction::Down, 8 + dx, 8 + dy, 6, 4); }, blue)},
    };
}
