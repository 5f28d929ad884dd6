#include "SwfTypes.h"

#include <cmath>

double TSwfMatrix::LengthScale() const {
    double s = std::sqrt(std::fabs(A * D - B * C));
    return std::isfinite(s) ? s : 0;
}

TSwfMatrix TSwfMatrix::Rotate(double radians) {
    double c = std::cos(radians), s = std::sin(radians);
    return {c, s, -s, c, 0, 0};
}

TSwfMatrix Concat(const TSwfMatrix& p, const TSwfMatrix& c) {
    return {p.A * c.A + p.C * c.B, p.B * c.A + p.D * c.B,
            p.A * c.C + p.C * c.D, p.B * c.C + p.D * c.D,
            p.A * c.Tx + p.C * c.Ty + p.Tx, p.B * c.Tx + p.D * c.Ty + p.Ty};
}

static uint8_t Channel(uint8_t v, double mult, double add) {
    double r = v * mult + add;
    // A hostile transform can make NaN out of nothing; it shows as nothing.
    if (!(r > 0)) return 0;
    if (r >= 255) return 255;
    return static_cast<uint8_t>(r + 0.5 > 255 ? 255 : r + 0.5);
}

TSwfRgba TSwfColorTransform::Apply(TSwfRgba c) const {
    return {Channel(c.R, RM, RA), Channel(c.G, GM, GA), Channel(c.B, BM, BA), Channel(c.A, AM, AA)};
}

TSwfColorTransform Concat(const TSwfColorTransform& p, const TSwfColorTransform& c) {
    return {c.RM * p.RM, c.GM * p.GM, c.BM * p.BM, c.AM * p.AM,
            c.RA * p.RM + p.RA, c.GA * p.GM + p.GA, c.BA * p.BM + p.BA, c.AA * p.AM + p.AA};
}
