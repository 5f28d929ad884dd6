#include "SwfShape.h"

#include "SwfBitReader.h"

#include <map>
#include <utility>

namespace {

struct TEdge {
    int64_t X0, Y0;
    bool Curved;
    int64_t Cx, Cy;
    int64_t X1, Y1;

    TEdge Reversed() const { return {X1, Y1, Curved, Cx, Cy, X0, Y0}; }
};

struct TStyleGroup {
    std::vector<TSwfShapePath> Fills;  // style templates: colour only
    std::vector<TSwfShapePath> Lines;
    std::vector<std::vector<TEdge>> FillEdges;
    std::vector<std::vector<TEdge>> LineEdges;
};

TSwfRgba ReadColor(TSwfBitReader& r, int version) { return version >= 3 ? r.Rgba() : r.Rgb(); }

// Gradients are shown as the average of their stops, which keeps the
// dominant tone of the area.
TSwfRgba ReadGradientAsColor(TSwfBitReader& r, int version, bool focal) {
    r.Align();
    r.UB(4);  // spread and interpolation modes
    unsigned count = r.UB(4);
    unsigned sum[4] = {0, 0, 0, 0};
    for (unsigned i = 0; i < count; ++i) {
        r.U8();  // ratio
        TSwfRgba c = ReadColor(r, version);
        sum[0] += c.R;
        sum[1] += c.G;
        sum[2] += c.B;
        sum[3] += c.A;
    }
    if (focal) r.S16();
    if (count == 0) return {0, 0, 0, 0};
    return {uint8_t(sum[0] / count), uint8_t(sum[1] / count), uint8_t(sum[2] / count), uint8_t(sum[3] / count)};
}

TSwfRgba ReadFillStyle(TSwfBitReader& r, int version) {
    uint8_t type = r.U8();
    switch (type) {
    case 0x00:
        return ReadColor(r, version);
    case 0x10:
    case 0x12:
    case 0x13:
        r.Matrix();
        return ReadGradientAsColor(r, version, type == 0x13);
    case 0x40:
    case 0x41:
    case 0x42:
    case 0x43:
        // Bitmaps are not decoded: a neutral grey marks where one would be.
        r.U16();
        r.Matrix();
        return {160, 160, 160, 255};
    default:
        // An unknown fill type has unknown length: nothing after it can be trusted.
        r.Take(r.Remaining() + 1);
        return {0, 0, 0, 0};
    }
}

void ReadStyles(TSwfBitReader& r, int version, TStyleGroup& g) {
    unsigned fills = r.U8();
    if (fills == 0xFF && version >= 2) fills = r.U16();
    for (unsigned i = 0; i < fills && !r.Overrun(); ++i) {
        TSwfShapePath p;
        p.Color = ReadFillStyle(r, version);
        g.Fills.push_back(p);
    }
    unsigned lines = r.U8();
    if (lines == 0xFF) lines = r.U16();
    for (unsigned i = 0; i < lines && !r.Overrun(); ++i) {
        TSwfShapePath p;
        p.IsLine = true;
        p.LineWidth = r.U16();
        if (version >= 4) {
            r.UB(2);  // start cap
            unsigned join = r.UB(2);
            bool hasFill = r.UB(1);
            r.UB(11);  // scaling, hinting, reserved, no-close, end cap
            if (join == 2) r.U16();  // miter limit
            p.Color = hasFill ? ReadFillStyle(r, version) : r.Rgba();
        } else {
            p.Color = ReadColor(r, version);
        }
        g.Lines.push_back(p);
    }
    g.FillEdges.assign(g.Fills.size(), {});
    g.LineEdges.assign(g.Lines.size(), {});
}

TSwfPoint Pt(int64_t x, int64_t y) { return {double(x), double(y)}; }

void AppendEdge(std::vector<TSwfPathSegment>& out, const TEdge& e) {
    if (e.Curved)
        out.push_back({TSwfPathSegment::Curve, Pt(e.Cx, e.Cy), Pt(e.X1, e.Y1)});
    else
        out.push_back({TSwfPathSegment::Line, {}, Pt(e.X1, e.Y1)});
}

// Joins the directed edges of one fill into outlines: each outline follows
// edges end to start until it comes back or runs out of continuations.
std::vector<TSwfPathSegment> JoinFillEdges(const std::vector<TEdge>& edges) {
    std::multimap<std::pair<int64_t, int64_t>, size_t> byStart;
    for (size_t i = 0; i < edges.size(); ++i) byStart.emplace(std::make_pair(edges[i].X0, edges[i].Y0), i);
    std::vector<bool> used(edges.size(), false);
    std::vector<TSwfPathSegment> out;
    for (size_t first = 0; first < edges.size(); ++first) {
        if (used[first]) continue;
        size_t cur = first;
        out.push_back({TSwfPathSegment::Move, {}, Pt(edges[cur].X0, edges[cur].Y0)});
        for (;;) {
            used[cur] = true;
            AppendEdge(out, edges[cur]);
            const TEdge& e = edges[cur];
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

std::vector<TSwfPathSegment> JoinLineEdges(const std::vector<TEdge>& edges) {
    std::vector<TSwfPathSegment> out;
    for (size_t i = 0; i < edges.size(); ++i) {
        const TEdge& e = edges[i];
        if (i == 0 || edges[i - 1].X1 != e.X0 || edges[i - 1].Y1 != e.Y0)
            out.push_back({TSwfPathSegment::Move, {}, Pt(e.X0, e.Y0)});
        AppendEdge(out, e);
    }
    return out;
}

// Fills of a group are drawn in style order, then its lines.
void Flush(TStyleGroup& g, TSwfShape& shape) {
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

}  // namespace

bool ReadShape(std::span<const uint8_t> Body, int Version, TSwfShape& Shape) {
    TSwfBitReader r(Body);
    Shape.Bounds = r.Rect();
    if (Version >= 4) {
        r.Rect();  // edge bounds
        r.U8();    // winding rule and stroke hints
    }
    TStyleGroup g;
    ReadStyles(r, Version, g);
    unsigned fillBits = r.UB(4), lineBits = r.UB(4);
    unsigned fill0 = 0, fill1 = 0, line = 0;
    int64_t x = 0, y = 0;
    while (!r.Overrun()) {
        if (r.UB(1) == 0) {
            unsigned flags = r.UB(5);
            if (r.Overrun()) break;
            if (flags == 0) {
                Flush(g, Shape);
                return true;
            }
            if (flags & 0x01) {
                unsigned n = r.UB(5);
                x = r.SB(n);
                y = r.SB(n);
            }
            if (flags & 0x02) fill0 = r.UB(fillBits);
            if (flags & 0x04) fill1 = r.UB(fillBits);
            if (flags & 0x08) line = r.UB(lineBits);
            if (flags & 0x10) {
                Flush(g, Shape);
                ReadStyles(r, Version, g);
                fillBits = r.UB(4);
                lineBits = r.UB(4);
                fill0 = fill1 = line = 0;
            }
            continue;
        }
        TEdge e{x, y, false, 0, 0, x, y};
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
        // Style indexes outside the current arrays are ignored, as the player does.
        if (fill0 >= 1 && fill0 <= g.FillEdges.size()) g.FillEdges[fill0 - 1].push_back(e.Reversed());
        if (fill1 >= 1 && fill1 <= g.FillEdges.size()) g.FillEdges[fill1 - 1].push_back(e);
        if (line >= 1 && line <= g.LineEdges.size()) g.LineEdges[line - 1].push_back(e);
    }
    Flush(g, Shape);
    return false;
}
