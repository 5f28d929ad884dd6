#include "SwfShape.h"

#include "SwfBitReader.h"

#include <algorithm>
#include <map>
#include <utility>

namespace {

struct TStyleGroup {
    std::vector<TSwfShapePath> Fills;  // style templates without segments
    std::vector<TSwfShapePath> Lines;
    std::vector<std::vector<TSwfEdge>> FillEdges;
    std::vector<std::vector<TSwfEdge>> LineEdges;

    void Prepare() {
        FillEdges.assign(Fills.size(), {});
        LineEdges.assign(Lines.size(), {});
    }
    // Style indexes outside the current arrays are ignored, as the player does.
    void Add(const TSwfEdge& e) {
        if (e.Fill0 >= 1 && e.Fill0 <= FillEdges.size()) {
            TSwfEdge rev = e;
            std::swap(rev.X0, rev.X1);
            std::swap(rev.Y0, rev.Y1);
            FillEdges[e.Fill0 - 1].push_back(rev);
        }
        if (e.Fill1 >= 1 && e.Fill1 <= FillEdges.size()) FillEdges[e.Fill1 - 1].push_back(e);
        if (e.Line >= 1 && e.Line <= LineEdges.size()) LineEdges[e.Line - 1].push_back(e);
    }
};

TSwfRgba ReadColor(TSwfBitReader& r, bool alpha) { return alpha ? r.Rgba() : r.Rgb(); }

TSwfRgba Average(const std::vector<TSwfGradientStop>& stops) {
    if (stops.empty()) return {0, 0, 0, 0};
    unsigned sum[4] = {0, 0, 0, 0};
    for (const auto& s : stops) {
        sum[0] += s.Color.R;
        sum[1] += s.Color.G;
        sum[2] += s.Color.B;
        sum[3] += s.Color.A;
    }
    auto n = unsigned(stops.size());
    return {uint8_t(sum[0] / n), uint8_t(sum[1] / n), uint8_t(sum[2] / n), uint8_t(sum[3] / n)};
}

void SetModes(TSwfFill& f, unsigned bits) {
    unsigned spread = bits >> 2 & 3, interp = bits & 3;
    // The reserved values read as the defaults.
    f.Spread = spread == 1 ? TSwfSpread::Reflect : spread == 2 ? TSwfSpread::Repeat : TSwfSpread::Pad;
    f.Interpolation = interp == 1 ? TSwfInterpolation::LinearRgb : TSwfInterpolation::Rgb;
}

bool SetKind(TSwfFill& f, uint8_t type) {
    switch (type) {
    case 0x00: f.Kind = TSwfFill::Solid; return true;
    case 0x10: f.Kind = TSwfFill::Linear; return true;
    case 0x12: f.Kind = TSwfFill::Radial; return true;
    case 0x13: f.Kind = TSwfFill::Focal; return true;
    case 0x40:
    case 0x41:
    case 0x42:
    case 0x43:
        f.Kind = TSwfFill::Bitmap;
        f.Repeat = type == 0x40 || type == 0x42;
        f.Smooth = type == 0x40 || type == 0x41;
        return true;
    default:
        return false;
    }
}

// False for an unknown fill type: its length is unknown, so nothing after it
// can be trusted.
bool ReadFill(TSwfBitReader& r, int version, TSwfFill& f) {
    if (!SetKind(f, r.U8())) return false;
    if (f.Kind == TSwfFill::Solid) {
        f.Color = ReadColor(r, version >= 3);
    } else if (f.IsGradient()) {
        f.Matrix = r.Matrix();
        uint8_t head = r.U8();
        SetModes(f, head >> 4);
        unsigned count = head & 0x0F;
        for (unsigned i = 0; i < count && !r.Overrun(); ++i) {
            TSwfGradientStop s;
            s.Ratio = r.U8();
            s.Color = ReadColor(r, version >= 3);
            f.Stops.push_back(s);
        }
        if (f.Kind == TSwfFill::Focal) f.FocalPoint = std::clamp(r.Fixed8(), -1.0, 1.0);
        f.Color = Average(f.Stops);
    } else {
        f.BitmapId = r.U16();
        f.Matrix = r.Matrix();
        f.Color = {160, 160, 160, 255};
    }
    return !r.Overrun();
}

// The caps, join and fill flags of a second-kind line style; true when a fill follows.
bool ReadLineFlags(TSwfBitReader& r, TSwfLineStyle& l) {
    auto cap = [](unsigned v) { return v == 1 ? TSwfCap::None : v == 2 ? TSwfCap::Square : TSwfCap::Round; };
    l.StartCap = cap(r.UB(2));
    unsigned join = r.UB(2);
    l.Join = join == 1 ? TSwfJoin::Bevel : join == 2 ? TSwfJoin::Miter : TSwfJoin::Round;
    bool hasFill = r.UB(1);
    r.UB(8);  // no horizontal/vertical scaling, pixel hinting, reserved
    l.NoClose = r.UB(1);
    l.EndCap = cap(r.UB(2));
    if (join == 2) l.MiterLimit = r.Fixed8();
    return hasFill;
}

bool ReadStyles(TSwfBitReader& r, int version, TStyleGroup& g) {
    unsigned fills = r.U8();
    if (fills == 0xFF && version >= 2) fills = r.U16();
    for (unsigned i = 0; i < fills && !r.Overrun(); ++i) {
        TSwfShapePath p;
        if (!ReadFill(r, version, p.Fill)) return false;
        p.Color = p.Fill.Color;
        g.Fills.push_back(p);
    }
    unsigned lines = r.U8();
    if (lines == 0xFF) lines = r.U16();
    for (unsigned i = 0; i < lines && !r.Overrun(); ++i) {
        TSwfShapePath p;
        p.IsLine = true;
        p.LineWidth = r.U16();
        if (version >= 4) {
            if (ReadLineFlags(r, p.Line)) {
                if (!ReadFill(r, version, p.Fill)) return false;
            } else {
                p.Fill.Color = r.Rgba();
            }
        } else {
            p.Fill.Color = ReadColor(r, version >= 3);
        }
        p.Color = p.Fill.Color;
        g.Lines.push_back(p);
    }
    g.Prepare();
    return !r.Overrun();
}

// Walks the shape records: OnEdge gets every edge with the styles in force,
// OnNewStyles reads new style arrays (and returns false when it cannot).
// True when the end record was reached.
template <class FEdge, class FNew>
bool WalkRecords(TSwfBitReader& r, FEdge OnEdge, FNew OnNewStyles) {
    unsigned fillBits = r.UB(4), lineBits = r.UB(4);
    unsigned fill0 = 0, fill1 = 0, line = 0;
    double x = 0, y = 0;
    while (!r.Overrun()) {
        if (r.UB(1) == 0) {
            unsigned flags = r.UB(5);
            if (r.Overrun()) break;
            if (flags == 0) return true;
            if (flags & 0x01) {
                unsigned n = r.UB(5);
                x = r.SB(n);
                y = r.SB(n);
            }
            if (flags & 0x02) fill0 = r.UB(fillBits);
            if (flags & 0x04) fill1 = r.UB(fillBits);
            if (flags & 0x08) line = r.UB(lineBits);
            if (flags & 0x10) {
                if (!OnNewStyles()) return false;
                fillBits = r.UB(4);
                lineBits = r.UB(4);
                fill0 = fill1 = line = 0;
            }
            continue;
        }
        TSwfEdge e{x, y, false, 0, 0, x, y, fill0, fill1, line};
        bool straight = r.UB(1);
        unsigned n = r.UB(4) + 2;
        if (straight) {
            if (r.UB(1)) {
                e.X1 += r.SB(n);
                e.Y1 += r.SB(n);
            } else if (r.UB(1)) {
                e.Y1 += r.SB(n);
            } else {
                e.X1 += r.SB(n);
            }
        } else {
            e.Curved = true;
            e.Cx = x + r.SB(n);
            e.Cy = y + r.SB(n);
            e.X1 = e.Cx + r.SB(n);
            e.Y1 = e.Cy + r.SB(n);
        }
        if (r.Overrun()) break;
        x = e.X1;
        y = e.Y1;
        OnEdge(e);
    }
    return false;
}

void AppendEdge(std::vector<TSwfPathSegment>& out, const TSwfEdge& e) {
    if (e.Curved)
        out.push_back({TSwfPathSegment::Curve, {e.Cx, e.Cy}, {e.X1, e.Y1}});
    else
        out.push_back({TSwfPathSegment::Line, {}, {e.X1, e.Y1}});
}

// Joins the directed edges of one fill into outlines: each outline follows
// edges end to start until it comes back or runs out of continuations.
std::vector<TSwfPathSegment> JoinFillEdges(const std::vector<TSwfEdge>& edges) {
    std::multimap<std::pair<double, double>, size_t> byStart;
    for (size_t i = 0; i < edges.size(); ++i) byStart.emplace(std::make_pair(edges[i].X0, edges[i].Y0), i);
    std::vector<bool> used(edges.size(), false);
    std::vector<TSwfPathSegment> out;
    for (size_t first = 0; first < edges.size(); ++first) {
        if (used[first]) continue;
        size_t cur = first;
        out.push_back({TSwfPathSegment::Move, {}, {edges[cur].X0, edges[cur].Y0}});
        for (;;) {
            used[cur] = true;
            AppendEdge(out, edges[cur]);
            const TSwfEdge& e = edges[cur];
            if (e.X1 == edges[first].X0 && e.Y1 == edges[first].Y0) break;
            auto range = byStart.equal_range({e.X1, e.Y1});
            size_t next = edges.size();
            for (auto it = range.first; it != range.second; ++it)
                if (!used[it->second]) {
                    next = it->second;
                    byStart.erase(it);
                    break;
                }
            if (next == edges.size()) break;
            cur = next;
        }
    }
    return out;
}

std::vector<TSwfPathSegment> JoinLineEdges(const std::vector<TSwfEdge>& edges) {
    std::vector<TSwfPathSegment> out;
    for (size_t i = 0; i < edges.size(); ++i) {
        const TSwfEdge& e = edges[i];
        if (i == 0 || edges[i - 1].X1 != e.X0 || edges[i - 1].Y1 != e.Y0)
            out.push_back({TSwfPathSegment::Move, {}, {e.X0, e.Y0}});
        AppendEdge(out, e);
    }
    return out;
}

// Fills of a group are drawn in style order, then its lines. A group whose
// styles were cut short has no edges for the styles it read.
void Flush(TStyleGroup& g, TSwfShape& shape) {
    g.FillEdges.resize(g.Fills.size());
    g.LineEdges.resize(g.Lines.size());
    for (size_t i = 0; i < g.Fills.size(); ++i) {
        if (g.FillEdges[i].empty()) continue;
        TSwfShapePath p = g.Fills[i];
        p.Segments = JoinFillEdges(g.FillEdges[i]);
        shape.Paths.push_back(std::move(p));
    }
    for (size_t i = 0; i < g.Lines.size(); ++i) {
        if (g.LineEdges[i].empty()) continue;
        TSwfShapePath p = g.Lines[i];
        p.Segments = JoinLineEdges(g.LineEdges[i]);
        shape.Paths.push_back(std::move(p));
    }
    g = TStyleGroup{};
}

// ---- tweens

bool ReadMorphFill(TSwfBitReader& r, TSwfFill& a, TSwfFill& b) {
    uint8_t type = r.U8();
    if (!SetKind(a, type) || !SetKind(b, type)) return false;
    if (a.Kind == TSwfFill::Solid) {
        a.Color = r.Rgba();
        b.Color = r.Rgba();
    } else if (a.IsGradient()) {
        a.Matrix = r.Matrix();
        b.Matrix = r.Matrix();
        uint8_t head = r.U8();
        SetModes(a, head >> 4);
        SetModes(b, head >> 4);
        unsigned count = head & 0x0F;
        for (unsigned i = 0; i < count && !r.Overrun(); ++i) {
            TSwfGradientStop s, e;
            s.Ratio = r.U8();
            s.Color = r.Rgba();
            e.Ratio = r.U8();
            e.Color = r.Rgba();
            a.Stops.push_back(s);
            b.Stops.push_back(e);
        }
        if (a.Kind == TSwfFill::Focal) {
            a.FocalPoint = std::clamp(r.Fixed8(), -1.0, 1.0);
            b.FocalPoint = std::clamp(r.Fixed8(), -1.0, 1.0);
        }
        a.Color = Average(a.Stops);
        b.Color = Average(b.Stops);
    } else {
        a.BitmapId = b.BitmapId = r.U16();
        a.Matrix = r.Matrix();
        b.Matrix = r.Matrix();
        a.Color = b.Color = {160, 160, 160, 255};
    }
    return !r.Overrun();
}

double Mix(double a, double b, double t) { return a + (b - a) * t; }

uint8_t Mix8(uint8_t a, uint8_t b, double t) {
    return static_cast<uint8_t>(std::clamp(Mix(a, b, t) + 0.5, 0.0, 255.0));
}

TSwfRgba Mix(TSwfRgba a, TSwfRgba b, double t) {
    return {Mix8(a.R, b.R, t), Mix8(a.G, b.G, t), Mix8(a.B, b.B, t), Mix8(a.A, b.A, t)};
}

TSwfMatrix Mix(const TSwfMatrix& a, const TSwfMatrix& b, double t) {
    return {Mix(a.A, b.A, t), Mix(a.B, b.B, t), Mix(a.C, b.C, t), Mix(a.D, b.D, t), Mix(a.Tx, b.Tx, t), Mix(a.Ty, b.Ty, t)};
}

TSwfFill Mix(const TSwfFill& a, const TSwfFill& b, double t) {
    TSwfFill f = a;
    f.Color = Mix(a.Color, b.Color, t);
    f.Matrix = Mix(a.Matrix, b.Matrix, t);
    f.FocalPoint = Mix(a.FocalPoint, b.FocalPoint, t);
    for (size_t i = 0; i < f.Stops.size() && i < b.Stops.size(); ++i) {
        f.Stops[i].Ratio = Mix8(a.Stops[i].Ratio, b.Stops[i].Ratio, t);
        f.Stops[i].Color = Mix(a.Stops[i].Color, b.Stops[i].Color, t);
    }
    return f;
}

TSwfEdge Mix(const TSwfEdge& a, const TSwfEdge& b, double t) {
    // A straight edge paired with a curve bends as a curve through its middle.
    auto control = [](const TSwfEdge& e, double& cx, double& cy) {
        cx = e.Curved ? e.Cx : (e.X0 + e.X1) / 2;
        cy = e.Curved ? e.Cy : (e.Y0 + e.Y1) / 2;
    };
    TSwfEdge e = a;
    e.X0 = Mix(a.X0, b.X0, t);
    e.Y0 = Mix(a.Y0, b.Y0, t);
    e.X1 = Mix(a.X1, b.X1, t);
    e.Y1 = Mix(a.Y1, b.Y1, t);
    e.Curved = a.Curved || b.Curved;
    if (e.Curved) {
        double acx, acy, bcx, bcy;
        control(a, acx, acy);
        control(b, bcx, bcy);
        e.Cx = Mix(acx, bcx, t);
        e.Cy = Mix(acy, bcy, t);
    }
    return e;
}

}  // namespace

bool ReadShape(std::span<const uint8_t> Body, int Version, TSwfShape& Shape) {
    TSwfBitReader r(Body);
    Shape.Bounds = r.Rect();
    if (Version >= 4) {
        r.Rect();  // edge bounds
        r.U8();    // winding rule and stroke hints
    }
    TStyleGroup g;
    if (!ReadStyles(r, Version, g)) {
        Flush(g, Shape);
        return false;
    }
    bool ended = WalkRecords(
        r, [&](const TSwfEdge& e) { g.Add(e); },
        [&] {
            Flush(g, Shape);
            return ReadStyles(r, Version, g);
        });
    Flush(g, Shape);
    return ended;
}

bool ReadGlyphShape(std::span<const uint8_t> Body, TSwfShape& Shape) {
    TSwfBitReader r(Body);
    TStyleGroup g;
    g.Fills.emplace_back();
    g.Prepare();
    bool ended = WalkRecords(r, [&](const TSwfEdge& e) { g.Add(e); }, [] { return false; });
    Flush(g, Shape);
    return ended;
}

bool ReadMorphShape(std::span<const uint8_t> Body, int Version, TSwfMorphShape& Morph) {
    TSwfBitReader r(Body);
    Morph.StartBounds = r.Rect();
    Morph.EndBounds = r.Rect();
    if (Version >= 2) {
        r.Rect();
        r.Rect();
        r.U8();  // stroke scaling flags
    }
    uint32_t offset = r.U32();
    if (r.Overrun() || offset > r.Remaining()) return false;
    // The end edges sit at the stated offset; the start edges end there.
    TSwfBitReader end(Body.subspan(r.Position() + offset));
    TSwfBitReader start(r.Take(offset));

    std::vector<TSwfShapePath> fills[2], lines[2];
    unsigned nf = start.U8();
    if (nf == 0xFF) nf = start.U16();
    for (unsigned i = 0; i < nf && !start.Overrun(); ++i) {
        TSwfShapePath a, b;
        if (!ReadMorphFill(start, a.Fill, b.Fill)) return false;
        a.Color = a.Fill.Color;
        b.Color = b.Fill.Color;
        fills[0].push_back(a);
        fills[1].push_back(b);
    }
    unsigned nl = start.U8();
    if (nl == 0xFF) nl = start.U16();
    for (unsigned i = 0; i < nl && !start.Overrun(); ++i) {
        TSwfShapePath a, b;
        a.IsLine = b.IsLine = true;
        a.LineWidth = start.U16();
        b.LineWidth = start.U16();
        if (Version >= 2 && ReadLineFlags(start, a.Line)) {
            if (!ReadMorphFill(start, a.Fill, b.Fill)) return false;
        } else {
            a.Fill.Color = start.Rgba();
            b.Fill.Color = start.Rgba();
        }
        b.Line = a.Line;
        a.Color = a.Fill.Color;
        b.Color = b.Fill.Color;
        lines[0].push_back(a);
        lines[1].push_back(b);
    }
    if (start.Overrun()) return false;
    Morph.FillCount = fills[0].size();
    Morph.StartStyles = fills[0];
    Morph.StartStyles.insert(Morph.StartStyles.end(), lines[0].begin(), lines[0].end());
    Morph.EndStyles = fills[1];
    Morph.EndStyles.insert(Morph.EndStyles.end(), lines[1].begin(), lines[1].end());

    bool ok = WalkRecords(start, [&](const TSwfEdge& e) { Morph.StartEdges.push_back(e); }, [] { return false; });
    ok = WalkRecords(end, [&](const TSwfEdge& e) { Morph.EndEdges.push_back(e); }, [] { return false; }) && ok;
    // Edges without a partner cannot be tweened.
    if (Morph.StartEdges.size() != Morph.EndEdges.size()) ok = false;
    size_t n = std::min(Morph.StartEdges.size(), Morph.EndEdges.size());
    Morph.StartEdges.resize(n);
    Morph.EndEdges.resize(n);
    return ok;
}

TSwfShape MorphAt(const TSwfMorphShape& m, double t) {
    t = std::clamp(t, 0.0, 1.0);
    TSwfShape s;
    s.Bounds = {int32_t(Mix(m.StartBounds.XMin, m.EndBounds.XMin, t)), int32_t(Mix(m.StartBounds.XMax, m.EndBounds.XMax, t)),
                int32_t(Mix(m.StartBounds.YMin, m.EndBounds.YMin, t)), int32_t(Mix(m.StartBounds.YMax, m.EndBounds.YMax, t))};
    TStyleGroup g;
    for (size_t i = 0; i < m.StartStyles.size() && i < m.EndStyles.size(); ++i) {
        TSwfShapePath p = m.StartStyles[i];
        p.Fill = Mix(m.StartStyles[i].Fill, m.EndStyles[i].Fill, t);
        p.Color = p.Fill.Color;
        p.LineWidth = Mix(m.StartStyles[i].LineWidth, m.EndStyles[i].LineWidth, t);
        (i < m.FillCount ? g.Fills : g.Lines).push_back(std::move(p));
    }
    g.Prepare();
    for (size_t i = 0; i < m.StartEdges.size(); ++i) g.Add(Mix(m.StartEdges[i], m.EndEdges[i], t));
    Flush(g, s);
    return s;
}
