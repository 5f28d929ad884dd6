#include "SwfPaint.h"

#include <algorithm>
#include <cmath>

namespace {

double ToLinear(double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); }
double FromLinear(double c) { return c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1 / 2.4) - 0.055; }

uint32_t Pack(double a, double r, double g, double b) {
    auto q = [](double v) { return uint32_t(std::clamp(std::lround(v), 0L, 255L)); };
    uint32_t A = q(a);
    auto pm = [&](double c) { return std::min(q(c * A / 255.0), A); };
    return A << 24 | pm(r) << 16 | pm(g) << 8 | pm(b);
}

// t of the ramp after the spread mode: pad holds the end colours, repeat
// starts over, reflect runs back and forth.
double Spread(TSwfSpread s, double t) {
    if (!std::isfinite(t)) return 1;
    switch (s) {
    case TSwfSpread::Pad: return std::clamp(t, 0.0, 1.0);
    case TSwfSpread::Repeat: return t - std::floor(t);
    case TSwfSpread::Reflect: {
        double f = t - 2 * std::floor(t / 2);
        return f > 1 ? 2 - f : f;
    }
    }
    return std::clamp(t, 0.0, 1.0);
}

uint32_t ApplyTransform(uint32_t c, const TSwfColorTransform& cx) {
    uint32_t a = c >> 24;
    if (a == 0 && cx.AA <= 0) return 0;
    auto un = [a](uint32_t v) { return a ? uint8_t(std::min<uint32_t>(255, (v * 255 + a / 2) / a)) : uint8_t(0); };
    TSwfRgba s{un((c >> 16) & 255), un((c >> 8) & 255), un(c & 255), uint8_t(a)};
    TSwfRgba t = cx.Apply(s);
    return Pack(t.A, t.R, t.G, t.B);
}

uint32_t Lerp(uint32_t a, uint32_t b, uint32_t w) {  // w of 256 towards b
    uint32_t out = 0;
    for (int s = 0; s < 32; s += 8) {
        uint32_t ca = (a >> s) & 255, cb = (b >> s) & 255;
        out |= ((ca * (256 - w) + cb * w + 128) >> 8) << s;
    }
    return out;
}

}  // namespace

bool Invert(const TSwfMatrix& m, TSwfMatrix& inv) {
    double det = m.A * m.D - m.B * m.C;
    if (!std::isfinite(det) || std::fabs(det) < 1e-12) return false;
    inv.A = m.D / det;
    inv.B = -m.B / det;
    inv.C = -m.C / det;
    inv.D = m.A / det;
    inv.Tx = -(inv.A * m.Tx + inv.C * m.Ty);
    inv.Ty = -(inv.B * m.Tx + inv.D * m.Ty);
    return std::isfinite(inv.A) && std::isfinite(inv.B) && std::isfinite(inv.C) && std::isfinite(inv.D) &&
           std::isfinite(inv.Tx) && std::isfinite(inv.Ty);
}

std::array<uint32_t, 256> GradientRamp(const TSwfFill& f) {
    std::array<uint32_t, 256> ramp{};
    const auto& s = f.Stops;
    if (s.empty()) return ramp;
    const bool linear = f.Interpolation == TSwfInterpolation::LinearRgb;
    for (int i = 0; i < 256; ++i) {
        size_t k = 0;
        while (k < s.size() && s[k].Ratio < i) ++k;
        const TSwfRgba* lo;
        const TSwfRgba* hi;
        double w = 0;
        if (k == 0) {
            lo = hi = &s.front().Color;
        } else if (k == s.size()) {
            lo = hi = &s.back().Color;
        } else {
            lo = &s[k - 1].Color;
            hi = &s[k].Color;
            int span = s[k].Ratio - s[k - 1].Ratio;
            w = span > 0 ? double(i - s[k - 1].Ratio) / span : 1;
        }
        auto mix = [&](uint8_t a, uint8_t b) {
            if (!linear) return a + (b - a) * w;
            return 255 * FromLinear(ToLinear(a / 255.0) + (ToLinear(b / 255.0) - ToLinear(a / 255.0)) * w);
        };
        ramp[size_t(i)] = Pack(lo->A + (hi->A - lo->A) * w, mix(lo->R, hi->R), mix(lo->G, hi->G), mix(lo->B, hi->B));
    }
    return ramp;
}

double GradientPosition(const TSwfFill& f, double x, double y) {
    switch (f.Kind) {
    case TSwfFill::Linear: return (x + GradientHalf) / (2 * GradientHalf);
    case TSwfFill::Radial: return std::sqrt(x * x + y * y) / GradientHalf;
    case TSwfFill::Focal: {
        // The ramp runs from the focal point F to the circle along each ray:
        // the point is F + t * (Q - F) with Q on the circle.
        const double R = GradientHalf, fx = std::clamp(f.FocalPoint, -0.98, 0.98) * R;
        double dx = x - fx, dy = y;
        double dd = dx * dx + dy * dy;
        if (dd == 0) return 0;
        double fd = fx * dx;
        double root = std::sqrt(fd * fd + dd * (R * R - fx * fx));
        return dd / (root - fd);
    }
    default: return 0;
    }
}

bool PaintFill(const TSwfFill& f, const TSwfImage* image, const TSwfColorTransform& cx, const TSwfMatrix& fillToTarget,
               int left, int top, int width, int height, uint32_t* out, size_t stride) {
    if (stride == 0) stride = size_t(width);
    TSwfMatrix inv;
    if (width <= 0 || height <= 0 || !Invert(fillToTarget, inv)) return false;
    if (f.IsGradient()) {
        if (f.Stops.empty()) return false;
        const auto ramp = GradientRamp(f);
        if (f.Kind == TSwfFill::Linear) {
            // Along a row the ramp position grows evenly: stepped in fixed
            // point, 65536 steps to a colour of the ramp.
            const double perX = inv.A / (2 * GradientHalf) * 255;
            for (int j = 0; j < height; ++j) {
                TSwfPoint p = inv.Apply({left + 0.5, top + j + 0.5});
                double start = (p.X + GradientHalf) / (2 * GradientHalf) * 255;
                uint32_t* row = out + size_t(j) * stride;
                if (!std::isfinite(start) || std::fabs(start) > 1e9 || std::fabs(perX * width) > 1e9) {
                    for (int i = 0; i < width; ++i) row[i] = ramp[start > 0 ? 255 : 0];
                    continue;
                }
                int64_t at = std::llround(start * 65536), step = std::llround(perX * 65536);
                constexpr int64_t Run = int64_t(255) << 16;  // one run of the ramp
                for (int i = 0; i < width; ++i, at += step) {
                    int64_t u = at;
                    if (f.Spread == TSwfSpread::Repeat) {
                        u %= Run;
                        if (u < 0) u += Run;
                    } else if (f.Spread == TSwfSpread::Reflect) {
                        u %= 2 * Run;
                        if (u < 0) u += 2 * Run;
                        if (u > Run) u = 2 * Run - u;
                    }
                    int64_t k = (u + 32768) >> 16;
                    row[i] = ramp[size_t(k < 0 ? 0 : k > 255 ? 255 : k)];
                }
            }
            return true;
        }
        for (int j = 0; j < height; ++j) {
            TSwfPoint p = inv.Apply({left + 0.5, top + j + 0.5});
            uint32_t* row = out + size_t(j) * stride;
            for (int i = 0; i < width; ++i, p.X += inv.A, p.Y += inv.B) {
                double t = Spread(f.Spread, GradientPosition(f, p.X, p.Y));
                row[i] = ramp[size_t(std::lround(t * 255))];
            }
        }
        return true;
    }
    if (f.Kind != TSwfFill::Bitmap || !image || image->Width <= 0 || image->Height <= 0) return false;
    const int w = image->Width, h = image->Height;
    const uint32_t* px = image->Pixels.data();
    const bool plain = cx == TSwfColorTransform{};
    auto wrap = [&](long v, int n) {
        if (f.Repeat) {
            long m = v % n;
            return int(m < 0 ? m + n : m);
        }
        return int(std::clamp<long>(v, 0, n - 1));
    };
    auto coord = [](double v) { return std::isfinite(v) ? std::clamp(v, -1e9, 1e9) : 0.0; };
    for (int j = 0; j < height; ++j) {
        TSwfPoint p = inv.Apply({left + 0.5, top + j + 0.5});
        uint32_t* row = out + size_t(j) * stride;
        for (int i = 0; i < width; ++i, p.X += inv.A, p.Y += inv.B) {
            double u = coord(p.X), v = coord(p.Y);
            uint32_t c;
            if (!f.Smooth) {
                c = px[size_t(wrap(long(std::floor(v)), h)) * size_t(w) + size_t(wrap(long(std::floor(u)), w))];
            } else {
                double su = u - 0.5, sv = v - 0.5;
                double fu = std::floor(su), fv = std::floor(sv);
                int x0 = wrap(long(fu), w), x1 = wrap(long(fu) + 1, w);
                int y0 = wrap(long(fv), h), y1 = wrap(long(fv) + 1, h);
                uint32_t wu = uint32_t((su - fu) * 256), wv = uint32_t((sv - fv) * 256);
                uint32_t top2 = Lerp(px[size_t(y0) * w + x0], px[size_t(y0) * w + x1], wu);
                uint32_t bottom2 = Lerp(px[size_t(y1) * w + x0], px[size_t(y1) * w + x1], wu);
                c = Lerp(top2, bottom2, wv);
            }
            row[i] = plain ? c : ApplyTransform(c, cx);
        }
    }
    return true;
}
