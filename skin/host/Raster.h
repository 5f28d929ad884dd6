#pragma once
// A small anti-aliased rasteriser for the skin art. Shapes are signed distance
// functions (negative inside), paints give a colour per point; every pixel is
// sampled 4 x 4 times. Pictures keep straight colour plus coverage, so the
// final bitmap can be flattened onto the colour a control will sit on, with
// fully uncovered pixels turned into the transparent fuchsia.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// $00BBGGRR as the library stores colours.
constexpr Rgb FromTColor(std::uint32_t c) {
    return {static_cast<std::uint8_t>(c & 0xFF), static_cast<std::uint8_t>((c >> 8) & 0xFF),
            static_cast<std::uint8_t>((c >> 16) & 0xFF)};
}

inline constexpr Rgb Fuchsia{255, 0, 255};
inline constexpr Rgb White{255, 255, 255};
inline constexpr Rgb Black{0, 0, 0};

Rgb Mix(Rgb a, Rgb b, double t);

struct Color4 {
    double r = 0, g = 0, b = 0, a = 0;  // straight colour 0..255, coverage 0..1
};

using Shape = std::function<double(double x, double y)>;
using Paint = std::function<Rgb(double x, double y)>;

// Shapes. Coordinates are in pixels; pixel (i, j) covers [i, i+1) x [j, j+1).
Shape RoundRect(double x0, double y0, double x1, double y1, double radius);
Shape Circle(double cx, double cy, double radius);
Shape Segment(double ax, double ay, double bx, double by, double halfWidth);
Shape Polyline(std::vector<std::pair<double, double>> points, double halfWidth);
Shape Polygon(std::vector<std::pair<double, double>> points);
Shape Union(Shape a, Shape b);
Shape Subtract(Shape a, Shape b);
Shape Intersect(Shape a, Shape b);
Shape Outline(Shape s, double width);  // a band of the given width just inside s
Shape Inset(Shape s, double d);

// Paints.
Paint Solid(Rgb c);
// Colour stops over y (or x when Horizontal); positions in pixels, ascending.
Paint Gradient(std::vector<std::pair<double, Rgb>> stops, bool Horizontal = false);

class Picture {
public:
    Picture(int w, int h);
    int Width() const { return w_; }
    int Height() const { return h_; }

    void Fill(const Shape& s, const Paint& p, double opacity = 1.0);
    void FillAll(const Paint& p);
    // Stamps src at (x, y), compositing its covered pixels over this picture.
    void Draw(const Picture& src, int x, int y);
    Color4& At(int x, int y) { return px_[y * w_ + x]; }
    const Color4& At(int x, int y) const { return px_[y * w_ + x]; }

private:
    int w_, h_;
    std::vector<Color4> px_;
};

// The finished bitmap: 24-bit colour, top row first.
struct Bitmap {
    int Width = 0, Height = 0;
    std::vector<Rgb> Pixels;
    Rgb& At(int x, int y) { return Pixels[y * Width + x]; }
    const Rgb& At(int x, int y) const { return Pixels[y * Width + x]; }
};

// Flattens onto Matte. With Transparent, pixels with (almost) no coverage
// become fuchsia; partly covered ones keep their blend with Matte.
Bitmap Flatten(const Picture& p, Rgb Matte, bool Transparent);

// Frames side by side into one strip.
Bitmap Strip(const std::vector<Bitmap>& frames);
