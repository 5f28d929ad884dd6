#include "Raster.h"

#include <algorithm>
#include <cmath>

Rgb Mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto m = [t](int x, int y) { return static_cast<std::uint8_t>(std::lround(x + (y - x) * t)); };
    return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

Shape RoundRect(double x0, double y0, double x1, double y1, double radius) {
    const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, hx = (x1 - x0) / 2, hy = (y1 - y0) / 2;
    radius = std::min({radius, hx, hy});
    return [=](double x, double y) {
        const double qx = std::abs(x - cx) - hx + radius, qy = std::abs(y - cy) - hy + radius;
        const double ox = std::max(qx, 0.0), oy = std::max(qy, 0.0);
        return std::hypot(ox, oy) + std::min(std::max(qx, qy), 0.0) - radius;
    };
}

Shape Circle(double cx, double cy, double radius) {
    return [=](double x, double y) { return std::hypot(x - cx, y - cy) - radius; };
}

namespace {
double SegmentDistance(double x, double y, double ax, double ay, double bx, double by) {
    const double px = x - ax, py = y - ay, dx = bx - ax, dy = by - ay;
    const double len2 = dx * dx + dy * dy;
    const double t = len2 > 0 ? std::clamp((px * dx + py * dy) / len2, 0.0, 1.0) : 0.0;
    return std::hypot(px - dx * t, py - dy * t);
}
}  // namespace

Shape Segment(double ax, double ay, double bx, double by, double halfWidth) {
    return [=](double x, double y) { return SegmentDistance(x, y, ax, ay, bx, by) - halfWidth; };
}

Shape Polyline(std::vector<std::pair<double, double>> pts, double halfWidth) {
    return [pts = std::move(pts), halfWidth](double x, double y) {
        double d = 1e9;
        for (std::size_t i = 1; i < pts.size(); ++i)
            d = std::min(d, SegmentDistance(x, y, pts[i - 1].first, pts[i - 1].second, pts[i].first, pts[i].second));
        return d - halfWidth;
    };
}

Shape Polygon(std::vector<std::pair<double, double>> pts) {
    return [pts = std::move(pts)](double x, double y) {
        double d = 1e9;
        bool inside = false;
        for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            const auto [xi, yi] = pts[i];
            const auto [xj, yj] = pts[j];
            d = std::min(d, SegmentDistance(x, y, xi, yi, xj, yj));
            if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
        }
        return inside ? -d : d;
    };
}

Shape Union(Shape a, Shape b) {
    return [=](double x, double y) { return std::min(a(x, y), b(x, y)); };
}
Shape Subtract(Shape a, Shape b) {
    return [=](double x, double y) { return std::max(a(x, y), -b(x, y)); };
}
Shape Intersect(Shape a, Shape b) {
    return [=](double x, double y) { return std::max(a(x, y), b(x, y)); };
}
Shape Outline(Shape s, double width) {
    return [=](double x, double y) {
        const double d = s(x, y);
        return std::max(d, -d - width);
    };
}
Shape Inset(Shape s, double d) {
    return [=](double x, double y) { return s(x, y) + d; };
}

Paint Solid(Rgb c) {
    return [c](double, double) { return c; };
}

Paint Gradient(std::vector<std::pair<double, Rgb>> stops, bool Horizontal) {
    return [stops = std::move(stops), Horizontal](double x, double y) {
        const double v = Horizontal ? x : y;
        if (v <= stops.front().first) return stops.front().second;
        for (std::size_t i = 1; i < stops.size(); ++i)
            if (v <= stops[i].first) {
                const double t = (v - stops[i - 1].first) / (stops[i].first - stops[i - 1].first);
                return Mix(stops[i - 1].second, stops[i].second, t);
            }
        return stops.back().second;
    };
}

Picture::Picture(int w, int h) : w_(w), h_(h), px_(static_cast<std::size_t>(w) * h) {}

namespace {
void Over(Color4& dst, Rgb c, double a) {
    if (a <= 0) return;
    const double outA = a + dst.a * (1 - a);
    auto ch = [&](double d, double s) { return (s * a + d * dst.a * (1 - a)) / outA; };
    dst = {ch(dst.r, c.r), ch(dst.g, c.g), ch(dst.b, c.b), outA};
}
}  // namespace

void Picture::Fill(const Shape& s, const Paint& p, double opacity) {
    constexpr int N = 4;
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            // Cheap rejection: far outside the shape no sample can be inside.
            if (s(x + 0.5, y + 0.5) > 1.0) continue;
            int inside = 0;
            for (int sy = 0; sy < N; ++sy)
                for (int sx = 0; sx < N; ++sx)
                    if (s(x + (sx + 0.5) / N, y + (sy + 0.5) / N) <= 0) ++inside;
            if (inside) Over(At(x, y), p(x + 0.5, y + 0.5), opacity * inside / (N * N));
        }
}

void Picture::FillAll(const Paint& p) {
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) Over(At(x, y), p(x + 0.5, y + 0.5), 1.0);
}

void Picture::Draw(const Picture& src, int x0, int y0) {
    for (int y = 0; y < src.h_; ++y)
        for (int x = 0; x < src.w_; ++x) {
            const int tx = x0 + x, ty = y0 + y;
            if (tx < 0 || ty < 0 || tx >= w_ || ty >= h_) continue;
            const Color4& c = src.At(x, y);
            Over(At(tx, ty), Rgb{static_cast<std::uint8_t>(std::lround(c.r)), static_cast<std::uint8_t>(std::lround(c.g)),
                                 static_cast<std::uint8_t>(std::lround(c.b))},
                 c.a);
        }
}

Bitmap Flatten(const Picture& p, Rgb Matte, bool Transparent) {
    Bitmap out{p.Width(), p.Height(), {}};
    out.Pixels.resize(static_cast<std::size_t>(p.Width()) * p.Height());
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x) {
            const Color4& c = p.At(x, y);
            if (Transparent && c.a < 0.06) {
                out.At(x, y) = Fuchsia;
                continue;
            }
            auto ch = [&](double s, int m) { return static_cast<std::uint8_t>(std::lround(s * c.a + m * (1 - c.a))); };
            Rgb v{ch(c.r, Matte.r), ch(c.g, Matte.g), ch(c.b, Matte.b)};
            // A blended pixel must never hit the transparent colour by accident.
            if (v == Fuchsia) v.g = 1;
            out.At(x, y) = v;
        }
    return out;
}

Bitmap Strip(const std::vector<Bitmap>& frames) {
    Bitmap out;
    for (const Bitmap& f : frames) {
        out.Width += f.Width;
        out.Height = std::max(out.Height, f.Height);
    }
    out.Pixels.assign(static_cast<std::size_t>(out.Width) * out.Height, Fuchsia);
    int x0 = 0;
    for (const Bitmap& f : frames) {
        for (int y = 0; y < f.Height; ++y)
            for (int x = 0; x < f.Width; ++x) out.At(x0 + x, y) = f.At(x, y);
        x0 += f.Width;
    }
    return out;
}
