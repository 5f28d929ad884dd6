#include "Glyphs.h"

#include <cmath>
#include <numbers>

Shape GlyphClose(double cx, double cy, double k, double stroke) {
    const double h = stroke / 2;
    return Union(Segment(cx - k, cy - k, cx + k, cy + k, h), Segment(cx - k, cy + k, cx + k, cy - k, h));
}

Shape GlyphMaximize(double cx, double cy, double k, double stroke) {
    // A window: thin sides, a thick top edge as its title bar.
    const Shape box = RoundRect(cx - k, cy - k, cx + k, cy + k, 0.5);
    const Shape frame = Outline(box, stroke * 0.6);
    const Shape bar = RoundRect(cx - k, cy - k, cx + k, cy - k + stroke * 1.3, 0.3);
    return Union(frame, bar);
}

Shape GlyphRestore(double cx, double cy, double k, double stroke) {
    const double s = k * 0.7;
    const double off = k * 0.35;
    auto window = [&](double x, double y) {
        const Shape box = RoundRect(x - s, y - s, x + s, y + s, 0.4);
        return std::pair{box, Union(Outline(box, stroke * 0.6), RoundRect(x - s, y - s, x + s, y - s + stroke * 1.1, 0.3))};
    };
    const auto [backBox, back] = window(cx + off, cy - off);
    const auto [frontBox, front] = window(cx - off, cy + off);
    return Union(Subtract(back, Inset(frontBox, -0.6)), front);
}

Shape GlyphMinimize(double cx, double cy, double k, double stroke) {
    return RoundRect(cx - k, cy + k - stroke * 1.5, cx + k * 0.55, cy + k, 0.3);
}

Shape GlyphHelp(double cx, double cy, double k, double stroke) {
    // A question mark: an open arc, a short stem and a dot.
    std::vector<std::pair<double, double>> pts;
    const double r = k * 0.62;
    const double ay = cy - k * 0.38;
    for (int i = 0; i <= 16; ++i) {
        const double a = std::numbers::pi * (1.05 - 1.55 * i / 16.0);
        pts.push_back({cx + r * std::cos(a), ay - r * std::sin(a)});
    }
    pts.push_back({cx, cy + k * 0.3});
    const Shape hook = Polyline(pts, stroke / 2);
    return Union(hook, Circle(cx, cy + k * 0.85, stroke * 0.62));
}

Shape Chevron(Direction d, double cx, double cy, double k, double stroke) {
    const double a = k, b = k * 0.5;
    std::vector<std::pair<double, double>> pts;
    switch (d) {
    case Direction::Up: pts = {{cx - a, cy + b}, {cx, cy - b}, {cx + a, cy + b}}; break;
    case Direction::Down: pts = {{cx - a, cy - b}, {cx, cy + b}, {cx + a, cy - b}}; break;
    case Direction::Left: pts = {{cx + b, cy - a}, {cx - b, cy}, {cx + b, cy + a}}; break;
    case Direction::Right: pts = {{cx - b, cy - a}, {cx + b, cy}, {cx - b, cy + a}}; break;
    }
    return Polyline(pts, stroke / 2);
}

Shape Triangle(Direction d, double cx, double cy, double k) {
    const double a = k, b = k * 0.6;
    switch (d) {
    case Direction::Up: return Polygon({{cx - a, cy + b}, {cx, cy - b}, {cx + a, cy + b}});
    case Direction::Down: return Polygon({{cx - a, cy - b}, {cx + a, cy - b}, {cx, cy + b}});
    case Direction::Left: return Polygon({{cx + b, cy - a}, {cx + b, cy + a}, {cx - b, cy}});
    case Direction::Right: return Polygon({{cx - b, cy - a}, {cx + b, cy}, {cx - b, cy + a}});
    }
    return Circle(cx, cy, 0);
}

Shape CheckMark(double cx, double cy, double k, double stroke) {
    return Polyline({{cx - k, cy}, {cx - k * 0.3, cy + k * 0.7}, {cx + k, cy - k * 0.75}}, stroke / 2);
}

Shape Plus(double cx, double cy, double k, double stroke) {
    const double h = stroke / 2;
    return Union(Segment(cx - k, cy, cx + k, cy, h), Segment(cx, cy - k, cx, cy + k, h));
}

Shape Minus(double cx, double cy, double k, double stroke) {
    const double h = stroke / 2;
    return RoundRect(cx - k, cy - h, cx + k, cy + h, h * 0.4);
}

Shape BlockArrow(Direction d, double cx, double cy, double k, double shaft) {
    // Drawn pointing up, then turned: the head takes a little more than half
    // of the length so it reads at 16 pixels.
    const double head = k * 1.05, s = shaft / 2;
    const std::vector<std::pair<double, double>> up{{0, -k},      {k, -k + head}, {s, -k + head}, {s, k},
                                                    {-s, k},      {-s, -k + head}, {-k, -k + head}};
    std::vector<std::pair<double, double>> pts;
    for (auto [x, y] : up) {
        switch (d) {
        case Direction::Up: pts.push_back({cx + x, cy + y}); break;
        case Direction::Down: pts.push_back({cx + x, cy - y}); break;
        case Direction::Left: pts.push_back({cx + y, cy + x}); break;
        case Direction::Right: pts.push_back({cx - y, cy + x}); break;
        }
    }
    return Polygon(pts);
}
