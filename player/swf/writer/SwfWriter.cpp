#include "SwfWriter.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <numbers>

void TSwfBitWriter::UB(unsigned Bits, uint32_t Value) {
    for (unsigned i = Bits; i-- > 0;) {
        if (bitsUsed_ == 0) data_.push_back(0);
        if ((Value >> i) & 1) data_.back() |= uint8_t(0x80 >> bitsUsed_);
        bitsUsed_ = (bitsUsed_ + 1) % 8;
    }
}

void TSwfBitWriter::SB(unsigned Bits, int32_t Value) { UB(Bits, static_cast<uint32_t>(Value)); }

void TSwfBitWriter::Align() { bitsUsed_ = 0; }

void TSwfBitWriter::U8(uint8_t v) {
    Align();
    data_.push_back(v);
}

void TSwfBitWriter::U16(uint16_t v) {
    U8(v & 0xFF);
    U8(v >> 8);
}

void TSwfBitWriter::U32(uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
}

void TSwfBitWriter::Bytes(std::span<const uint8_t> b) {
    Align();
    data_.insert(data_.end(), b.begin(), b.end());
}

unsigned TSwfBitWriter::SignedBits(std::initializer_list<int64_t> Values) {
    unsigned n = 1;
    for (int64_t v : Values)
        while (n < 32 && (v < -(int64_t(1) << (n - 1)) || v >= (int64_t(1) << (n - 1)))) ++n;
    return n;
}

void TSwfBitWriter::Rect(const TSwfRect& r) {
    Align();
    unsigned n = SignedBits({r.XMin, r.XMax, r.YMin, r.YMax});
    UB(5, n);
    SB(n, r.XMin);
    SB(n, r.XMax);
    SB(n, r.YMin);
    SB(n, r.YMax);
    Align();
}

static int32_t Fixed16(double v) { return static_cast<int32_t>(std::lround(v * 65536.0)); }

void TSwfBitWriter::Matrix(const TSwfMatrix& m) {
    Align();
    bool scale = m.A != 1 || m.D != 1, rotate = m.B != 0 || m.C != 0;
    UB(1, scale);
    if (scale) {
        unsigned n = SignedBits({Fixed16(m.A), Fixed16(m.D)});
        UB(5, n);
        SB(n, Fixed16(m.A));
        SB(n, Fixed16(m.D));
    }
    UB(1, rotate);
    if (rotate) {
        unsigned n = SignedBits({Fixed16(m.B), Fixed16(m.C)});
        UB(5, n);
        SB(n, Fixed16(m.B));
        SB(n, Fixed16(m.C));
    }
    int32_t tx = static_cast<int32_t>(std::lround(m.Tx)), ty = static_cast<int32_t>(std::lround(m.Ty));
    unsigned n = tx == 0 && ty == 0 ? 0 : SignedBits({tx, ty});
    UB(5, n);
    SB(n, tx);
    SB(n, ty);
    Align();
}

void TSwfBitWriter::ColorTransform(const TSwfColorTransform& cx, bool WithAlpha) {
    Align();
    auto f8 = [](double v) { return static_cast<int32_t>(std::lround(v * 256)); };
    auto add = [](double v) { return static_cast<int32_t>(std::lround(v)); };
    bool hasMult = cx.RM != 1 || cx.GM != 1 || cx.BM != 1 || (WithAlpha && cx.AM != 1);
    bool hasAdd = cx.RA != 0 || cx.GA != 0 || cx.BA != 0 || (WithAlpha && cx.AA != 0);
    unsigned n = std::min(15u, SignedBits({f8(cx.RM), f8(cx.GM), f8(cx.BM), f8(cx.AM), add(cx.RA), add(cx.GA),
                                           add(cx.BA), add(cx.AA)}));
    UB(1, hasAdd);
    UB(1, hasMult);
    UB(4, n);
    if (hasMult) {
        SB(n, f8(cx.RM));
        SB(n, f8(cx.GM));
        SB(n, f8(cx.BM));
        if (WithAlpha) SB(n, f8(cx.AM));
    }
    if (hasAdd) {
        SB(n, add(cx.RA));
        SB(n, add(cx.GA));
        SB(n, add(cx.BA));
        if (WithAlpha) SB(n, add(cx.AA));
    }
    Align();
}

void TSwfBitWriter::Color(TSwfRgba c, bool WithAlpha) {
    U8(c.R);
    U8(c.G);
    U8(c.B);
    if (WithAlpha) U8(c.A);
}

// ---- shapes

int TSwfShapeBuilder::SolidFill(TSwfRgba c) {
    TFill f;
    f.Color = c;
    groups_.back().Fills.push_back(f);
    return static_cast<int>(groups_.back().Fills.size());
}

int TSwfShapeBuilder::GradientFill(bool Radial, std::vector<std::pair<uint8_t, TSwfRgba>> Stops, const TSwfMatrix& m) {
    TFill f;
    f.Kind = Radial ? TFill::Radial : TFill::Linear;
    for (auto [ratio, color] : Stops) f.Stops.push_back({ratio, color});
    f.Matrix = m;
    return Fill(f);
}

int TSwfShapeBuilder::BitmapFill(uint16_t BitmapId) {
    TFill f;
    f.Kind = TFill::Bitmap;
    f.BitmapId = BitmapId;
    f.Repeat = false;
    return Fill(f);
}

int TSwfShapeBuilder::Fill(const TSwfFill& f) {
    groups_.back().Fills.push_back(f);
    return static_cast<int>(groups_.back().Fills.size());
}

int TSwfShapeBuilder::LineStyle(uint16_t WidthTwips, TSwfRgba c) {
    groups_.back().Lines.push_back({WidthTwips, c, {}, {}});
    return static_cast<int>(groups_.back().Lines.size());
}

int TSwfShapeBuilder::LineStyle(uint16_t WidthTwips, TSwfRgba c, const TSwfLineStyle& Style, std::optional<TSwfFill> Fill) {
    groups_.back().Lines.push_back({WidthTwips, c, Style, std::move(Fill)});
    return static_cast<int>(groups_.back().Lines.size());
}

void TSwfShapeBuilder::NewStyles() {
    groups_.emplace_back();
    TRecord r;
    r.Kind = TRecord::NewStyles;
    records_.push_back(r);
}

void TSwfShapeBuilder::Style(int Fill0, int Fill1, int Line) {
    TRecord r;
    r.Kind = TRecord::Style;
    r.Fill0 = Fill0;
    r.Fill1 = Fill1;
    r.LineStyle = Line;
    records_.push_back(r);
}

void TSwfShapeBuilder::Extend(int32_t x, int32_t y) {
    minX_ = std::min(minX_, x);
    minY_ = std::min(minY_, y);
    maxX_ = std::max(maxX_, x);
    maxY_ = std::max(maxY_, y);
}

void TSwfShapeBuilder::MoveTo(int32_t x, int32_t y) {
    TRecord r;
    r.Kind = TRecord::Move;
    r.X = x;
    r.Y = y;
    records_.push_back(r);
    x_ = x;
    y_ = y;
    Extend(x, y);
}

void TSwfShapeBuilder::LineTo(int32_t x, int32_t y) {
    TRecord r;
    r.Kind = TRecord::Line;
    r.X = x;
    r.Y = y;
    records_.push_back(r);
    Extend(x, y);
}

void TSwfShapeBuilder::CurveTo(int32_t cx, int32_t cy, int32_t x, int32_t y) {
    TRecord r;
    r.Kind = TRecord::Curve;
    r.Cx = cx;
    r.Cy = cy;
    r.X = x;
    r.Y = y;
    records_.push_back(r);
    Extend(cx, cy);
    Extend(x, y);
}

void TSwfShapeBuilder::Rectangle(int32_t x, int32_t y, int32_t w, int32_t h, int Fill, int Line) {
    Polygon({{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}, Fill, Line);
}

void TSwfShapeBuilder::Polygon(const std::vector<std::pair<int32_t, int32_t>>& Points, int Fill, int Line) {
    if (Points.empty()) return;
    Style(0, Fill, Line);
    MoveTo(Points[0].first, Points[0].second);
    for (size_t i = 1; i < Points.size(); ++i) LineTo(Points[i].first, Points[i].second);
    LineTo(Points[0].first, Points[0].second);
}

void TSwfShapeBuilder::Ellipse(int32_t cx, int32_t cy, int32_t rx, int32_t ry, int Fill, int Line) {
    // Eight quadratic arcs: each control point sits where the tangents at the
    // arc's ends meet, 1/cos(22.5 degrees) out from the centre.
    const double k = 1 / std::cos(std::numbers::pi / 8);
    auto at = [&](double a, double scale, int32_t& x, int32_t& y) {
        x = cx + static_cast<int32_t>(std::lround(rx * scale * std::cos(a)));
        y = cy + static_cast<int32_t>(std::lround(ry * scale * std::sin(a)));
    };
    Style(0, Fill, Line);
    int32_t x0, y0;
    at(0, 1, x0, y0);
    MoveTo(x0, y0);
    for (int i = 1; i <= 8; ++i) {
        int32_t qx, qy, x, y;
        at((i - 0.5) * std::numbers::pi / 4, k, qx, qy);
        if (i == 8) {
            x = x0;
            y = y0;
        } else {
            at(i * std::numbers::pi / 4, 1, x, y);
        }
        CurveTo(qx, qy, x, y);
    }
}

namespace {

uint8_t FillType(const TSwfFill& f) {
    switch (f.Kind) {
    case TSwfFill::Solid: return 0x00;
    case TSwfFill::Linear: return 0x10;
    case TSwfFill::Radial: return 0x12;
    case TSwfFill::Focal: return 0x13;
    case TSwfFill::Bitmap: return uint8_t(0x40 | (f.Repeat ? 0 : 1) | (f.Smooth ? 0 : 2));
    }
    return 0;
}

unsigned ModeBits(const TSwfFill& f) {
    unsigned spread = f.Spread == TSwfSpread::Reflect ? 1 : f.Spread == TSwfSpread::Repeat ? 2 : 0;
    return spread << 2 | (f.Interpolation == TSwfInterpolation::LinearRgb ? 1 : 0);
}

int32_t Fixed8(double v) { return static_cast<int32_t>(std::lround(v * 256)); }

void WriteFill(TSwfBitWriter& w, const TSwfFill& f, int version) {
    bool alpha = version >= 3;
    w.U8(FillType(f));
    if (f.Kind == TSwfFill::Solid) {
        w.Color(f.Color, alpha);
    } else if (f.IsGradient()) {
        w.Matrix(f.Matrix);
        size_t n = std::min<size_t>(f.Stops.size(), 15);
        w.U8(static_cast<uint8_t>(ModeBits(f) << 4 | n));
        for (size_t i = 0; i < n; ++i) {
            w.U8(f.Stops[i].Ratio);
            w.Color(f.Stops[i].Color, alpha);
        }
        if (f.Kind == TSwfFill::Focal) w.U16(static_cast<uint16_t>(Fixed8(f.FocalPoint)));
    } else {
        w.U16(f.BitmapId);
        w.Matrix(f.Matrix);
    }
}

unsigned CapBits(TSwfCap c) { return c == TSwfCap::None ? 1 : c == TSwfCap::Square ? 2 : 0; }

// The flags of a second-kind line style, up to and including the miter limit.
void WriteLineFlags(TSwfBitWriter& w, const TSwfLineStyle& s, bool hasFill) {
    w.UB(2, CapBits(s.StartCap));
    unsigned join = s.Join == TSwfJoin::Bevel ? 1 : s.Join == TSwfJoin::Miter ? 2 : 0;
    w.UB(2, join);
    w.UB(1, hasFill);
    w.UB(8, 0);
    w.UB(1, s.NoClose);
    w.UB(2, CapBits(s.EndCap));
    if (join == 2) w.U16(static_cast<uint16_t>(Fixed8(s.MiterLimit)));
}

void WriteMorphFill(TSwfBitWriter& w, const TSwfFill& a, const TSwfFill& b) {
    w.U8(FillType(a));
    if (a.Kind == TSwfFill::Solid) {
        w.Color(a.Color, true);
        w.Color(b.Color, true);
    } else if (a.IsGradient()) {
        w.Matrix(a.Matrix);
        w.Matrix(b.Matrix);
        size_t n = std::min<size_t>({a.Stops.size(), b.Stops.size(), 15});
        w.U8(static_cast<uint8_t>(ModeBits(a) << 4 | n));
        for (size_t i = 0; i < n; ++i) {
            w.U8(a.Stops[i].Ratio);
            w.Color(a.Stops[i].Color, true);
            w.U8(b.Stops[i].Ratio);
            w.Color(b.Stops[i].Color, true);
        }
        if (a.Kind == TSwfFill::Focal) {
            w.U16(static_cast<uint16_t>(Fixed8(a.FocalPoint)));
            w.U16(static_cast<uint16_t>(Fixed8(b.FocalPoint)));
        }
    } else {
        w.U16(a.BitmapId);
        w.Matrix(a.Matrix);
        w.Matrix(b.Matrix);
    }
}

unsigned CountBits(size_t n) {
    unsigned b = 0;
    while ((size_t(1) << b) <= n) ++b;
    return b;
}

}  // namespace

TSwfRect TSwfShapeBuilder::Bounds() const {
    TSwfRect bounds;
    if (minX_ <= maxX_) bounds = {minX_, maxX_, minY_, maxY_};
    return bounds;
}

std::vector<uint8_t> TSwfShapeBuilder::Encode(int Version) const {
    TSwfBitWriter w;
    TSwfRect bounds = Bounds();
    w.Rect(bounds);
    if (Version >= 4) {
        w.Rect(bounds);
        w.U8(0);
    }
    size_t group = 0;
    unsigned fillBits = 0, lineBits = 0;
    auto writeStyles = [&](const TGroup& g) {
        if (g.Fills.size() >= 0xFF) {
            w.U8(0xFF);
            w.U16(static_cast<uint16_t>(g.Fills.size()));
        } else {
            w.U8(static_cast<uint8_t>(g.Fills.size()));
        }
        for (const TFill& f : g.Fills) WriteFill(w, f, Version);
        w.U8(static_cast<uint8_t>(g.Lines.size()));
        for (const TLine& l : g.Lines) {
            w.U16(l.Width);
            if (Version >= 4) {
                WriteLineFlags(w, l.Style, l.Fill.has_value());
                if (l.Fill)
                    WriteFill(w, *l.Fill, Version);
                else
                    w.Color(l.Color, true);
            } else {
                w.Color(l.Color, Version >= 3);
            }
        }
        fillBits = CountBits(g.Fills.size());
        lineBits = CountBits(g.Lines.size());
        w.UB(4, fillBits);
        w.UB(4, lineBits);
    };
    writeStyles(groups_[0]);
    size_t next = 0;
    EncodeRecordsFrom(w, fillBits, lineBits, next, [&](TSwfBitWriter&) { writeStyles(groups_[++group]); });
    return w.Data();
}

void TSwfShapeBuilder::EncodeRecords(TSwfBitWriter& w, unsigned FillBits, unsigned LineBits) const {
    w.UB(4, FillBits);
    w.UB(4, LineBits);
    size_t next = 0;
    EncodeRecordsFrom(w, FillBits, LineBits, next, [](TSwfBitWriter&) {});
}

void TSwfShapeBuilder::EncodeRecordsFrom(TSwfBitWriter& w, unsigned& fillBits, unsigned& lineBits, size_t& next,
                                         const std::function<void(TSwfBitWriter&)>& newStyles) const {
    int32_t x = 0, y = 0;
    for (; next < records_.size(); ++next) {
        const TRecord& r = records_[next];
        switch (r.Kind) {
        case TRecord::Style:
        case TRecord::Move: {
            w.UB(1, 0);
            bool newStyles = false;
            w.UB(1, newStyles);
            w.UB(1, r.LineStyle >= 0);
            w.UB(1, r.Fill1 >= 0);
            w.UB(1, r.Fill0 >= 0);
            w.UB(1, r.Kind == TRecord::Move);
            if (r.Kind == TRecord::Move) {
                unsigned n = TSwfBitWriter::SignedBits({r.X, r.Y});
                w.UB(5, n);
                w.SB(n, r.X);
                w.SB(n, r.Y);
                x = r.X;
                y = r.Y;
            }
            if (r.Fill0 >= 0) w.UB(fillBits, r.Fill0);
            if (r.Fill1 >= 0) w.UB(fillBits, r.Fill1);
            if (r.LineStyle >= 0) w.UB(lineBits, r.LineStyle);
            break;
        }
        case TRecord::NewStyles:
            w.UB(1, 0);
            w.UB(5, 0x10);
            newStyles(w);
            break;
        case TRecord::Line: {
            int32_t dx = r.X - x, dy = r.Y - y;
            unsigned n = std::max(2u, TSwfBitWriter::SignedBits({dx, dy}));
            w.UB(1, 1);
            w.UB(1, 1);
            w.UB(4, n - 2);
            if (dx != 0 && dy != 0) {
                w.UB(1, 1);
                w.SB(n, dx);
                w.SB(n, dy);
            } else {
                w.UB(1, 0);
                w.UB(1, dx == 0);
                w.SB(n, dx == 0 ? dy : dx);
            }
            x = r.X;
            y = r.Y;
            break;
        }
        case TRecord::Curve: {
            int32_t cdx = r.Cx - x, cdy = r.Cy - y, adx = r.X - r.Cx, ady = r.Y - r.Cy;
            unsigned n = std::max(2u, TSwfBitWriter::SignedBits({cdx, cdy, adx, ady}));
            w.UB(1, 1);
            w.UB(1, 0);
            w.UB(4, n - 2);
            w.SB(n, cdx);
            w.SB(n, cdy);
            w.SB(n, adx);
            w.SB(n, ady);
            x = r.X;
            y = r.Y;
            break;
        }
        }
    }
    w.UB(6, 0);
}

// ---- tweens

int TSwfMorphBuilder::Fill(const TSwfFill& StartFill, const TSwfFill& EndFill) {
    fills_.emplace_back(StartFill, EndFill);
    return static_cast<int>(fills_.size());
}

int TSwfMorphBuilder::Line(uint16_t StartWidth, uint16_t EndWidth, TSwfRgba StartColor, TSwfRgba EndColor,
                           const TSwfLineStyle& Style) {
    lines_.push_back({StartWidth, EndWidth, StartColor, EndColor, Style});
    return static_cast<int>(lines_.size());
}

std::vector<uint8_t> TSwfMorphBuilder::Encode(int Version) const {
    TSwfBitWriter w;
    w.Rect(Start.Bounds());
    w.Rect(End.Bounds());
    if (Version >= 2) {
        w.Rect(Start.Bounds());
        w.Rect(End.Bounds());
        w.U8(0x01);  // scaling strokes
    }
    TSwfBitWriter styles;
    auto count = [&](size_t n) {
        if (n >= 0xFF) {
            styles.U8(0xFF);
            styles.U16(static_cast<uint16_t>(n));
        } else {
            styles.U8(static_cast<uint8_t>(n));
        }
    };
    count(fills_.size());
    for (const auto& [a, b] : fills_) WriteMorphFill(styles, a, b);
    count(lines_.size());
    for (const TLinePair& l : lines_) {
        styles.U16(l.W0);
        styles.U16(l.W1);
        if (Version >= 2) WriteLineFlags(styles, l.Style, false);
        styles.Color(l.C0, true);
        styles.Color(l.C1, true);
    }
    Start.EncodeRecords(styles, CountBits(fills_.size()), CountBits(lines_.size()));
    const auto& head = styles.Data();
    w.U32(static_cast<uint32_t>(head.size()));
    w.Bytes(head);
    End.EncodeRecords(w, 0, 0);
    return w.Data();
}

// ---- timelines

void TSwfTagWriter::Tag(uint16_t Code, std::span<const uint8_t> Body, bool LongHeader) {
    TSwfBitWriter w;
    if (Body.size() < 0x3F && !LongHeader) {
        w.U16(static_cast<uint16_t>(Code << 6 | Body.size()));
    } else {
        w.U16(static_cast<uint16_t>(Code << 6 | 0x3F));
        w.U32(static_cast<uint32_t>(Body.size()));
    }
    w.Bytes(Body);
    const auto& d = w.Data();
    data_.insert(data_.end(), d.begin(), d.end());
}

void TSwfTagWriter::Place(uint16_t Depth, uint16_t Id, const TSwfMatrix& m, std::optional<TSwfColorTransform> cx) {
    TSwfBitWriter w;
    w.U8(0x02 | 0x04 | (cx ? 0x08 : 0));
    w.U16(Depth);
    w.U16(Id);
    w.Matrix(m);
    if (cx) w.ColorTransform(*cx, true);
    Tag(26, w.Data());
}

void TSwfTagWriter::Move(uint16_t Depth, std::optional<TSwfMatrix> m, std::optional<TSwfColorTransform> cx,
                         std::optional<uint16_t> NewId) {
    TSwfBitWriter w;
    w.U8(0x01 | (NewId ? 0x02 : 0) | (m ? 0x04 : 0) | (cx ? 0x08 : 0));
    w.U16(Depth);
    if (NewId) w.U16(*NewId);
    if (m) w.Matrix(*m);
    if (cx) w.ColorTransform(*cx, true);
    Tag(26, w.Data());
}

void TSwfTagWriter::PlaceMask(uint16_t Depth, uint16_t Id, uint16_t ClipDepth, const TSwfMatrix& m) {
    TSwfBitWriter w;
    w.U8(0x02 | 0x04 | 0x40);
    w.U16(Depth);
    w.U16(Id);
    w.Matrix(m);
    w.U16(ClipDepth);
    Tag(26, w.Data());
}

void TSwfTagWriter::PlaceObject1(uint16_t Depth, uint16_t Id, const TSwfMatrix& m, std::optional<TSwfColorTransform> cx) {
    TSwfBitWriter w;
    w.U16(Id);
    w.U16(Depth);
    w.Matrix(m);
    if (cx) w.ColorTransform(*cx, false);
    Tag(4, w.Data());
}

void TSwfTagWriter::PlaceObject3(uint16_t Depth, uint16_t Id, const TSwfMatrix& m) {
    TSwfBitWriter w;
    w.U8(0x02 | 0x04 | 0x20);  // character, matrix, name
    w.U8(0x10);                // class name
    w.U16(Depth);
    for (char c : std::string("Sample")) w.U8(static_cast<uint8_t>(c));
    w.U8(0);
    w.U16(Id);
    w.Matrix(m);
    for (char c : std::string("clip")) w.U8(static_cast<uint8_t>(c));
    w.U8(0);
    Tag(70, w.Data());
}

void TSwfTagWriter::PlaceRatio(uint16_t Depth, uint16_t Id, uint16_t Ratio, const TSwfMatrix& m) {
    TSwfBitWriter w;
    w.U8(0x02 | 0x04 | 0x10);
    w.U16(Depth);
    w.U16(Id);
    w.Matrix(m);
    w.U16(Ratio);
    Tag(26, w.Data());
}

void TSwfTagWriter::MoveRatio(uint16_t Depth, uint16_t Ratio) {
    TSwfBitWriter w;
    w.U8(0x01 | 0x10);
    w.U16(Depth);
    w.U16(Ratio);
    Tag(26, w.Data());
}

void TSwfTagWriter::Remove(uint16_t Depth) {
    TSwfBitWriter w;
    w.U16(Depth);
    Tag(28, w.Data());
}

void TSwfTagWriter::RemoveObject1(uint16_t Depth, uint16_t Id) {
    TSwfBitWriter w;
    w.U16(Id);
    w.U16(Depth);
    Tag(5, w.Data());
}

void TSwfTagWriter::ShowFrame() {
    Tag(1, {});
    ++frames_;
}

void TSwfTagWriter::End() { Tag(0, {}); }

// ---- movies

TSwfWriter::TSwfWriter(int WidthPx, int HeightPx, double FramesPerSecond, uint8_t Version)
    : stage_{0, WidthPx * TwipsPerPixel, 0, HeightPx * TwipsPerPixel}, fps_(FramesPerSecond), version_(Version) {}

void TSwfWriter::SetBackground(TSwfRgba c) {
    TSwfBitWriter w;
    w.Color(c, false);
    defs_.Tag(9, w.Data());
}

uint16_t TSwfWriter::DefineShape(const TSwfShapeBuilder& Shape, int ShapeVersion) {
    static constexpr uint16_t codes[] = {2, 22, 32, 83};
    uint16_t id = nextId_++;
    TSwfBitWriter w;
    w.U16(id);
    w.Bytes(Shape.Encode(ShapeVersion));
    defs_.Tag(codes[std::clamp(ShapeVersion, 1, 4) - 1], w.Data(), true);
    return id;
}

uint16_t TSwfWriter::DefineSprite(const TSwfTagWriter& Timeline) {
    uint16_t id = nextId_++;
    TSwfBitWriter w;
    w.U16(id);
    w.U16(static_cast<uint16_t>(Timeline.Frames()));
    w.Bytes(Timeline.Data());
    w.U16(0);  // end of the clip's tags
    defs_.Tag(39, w.Data(), true);
    return id;
}

uint16_t TSwfWriter::DefineMorphShape(const TSwfMorphBuilder& Morph, int Version) {
    uint16_t id = nextId_++;
    TSwfBitWriter w;
    w.U16(id);
    w.Bytes(Morph.Encode(Version));
    defs_.Tag(Version >= 2 ? 84 : 46, w.Data(), true);
    return id;
}

namespace {

std::vector<uint8_t> Deflate(std::span<const uint8_t> b) {
    uLongf packedSize = compressBound(static_cast<uLong>(b.size()));
    std::vector<uint8_t> packed(packedSize);
    compress2(packed.data(), &packedSize, b.data(), static_cast<uLong>(b.size()), 9);
    packed.resize(packedSize);
    return packed;
}

}  // namespace

uint16_t TSwfWriter::DefineBitsLossless(int Format, int Width, int Height, const std::vector<uint32_t>& Pixels, int Version) {
    uint16_t id = nextId_++;
    const bool alpha = Version >= 2;
    auto at = [&](int x, int y) { return Pixels[size_t(y) * size_t(Width) + size_t(x)]; };
    std::vector<uint8_t> raw;
    TSwfBitWriter w;
    w.U16(id);
    w.U8(static_cast<uint8_t>(Format));
    w.U16(static_cast<uint16_t>(Width));
    w.U16(static_cast<uint16_t>(Height));
    if (Format == 3) {
        std::vector<uint32_t> table;
        std::vector<uint8_t> index;
        for (uint32_t c : Pixels) {
            auto it = std::find(table.begin(), table.end(), c);
            if (it == table.end()) it = table.insert(table.end(), c);
            index.push_back(static_cast<uint8_t>(it - table.begin()));
        }
        w.U8(static_cast<uint8_t>(table.size() - 1));
        for (uint32_t c : table) {
            raw.insert(raw.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
            if (alpha) raw.push_back(uint8_t(c >> 24));
        }
        for (int y = 0; y < Height; ++y) {
            for (int x = 0; x < Width; ++x) raw.push_back(index[size_t(y) * size_t(Width) + size_t(x)]);
            for (int x = Width; x % 4; ++x) raw.push_back(0);  // rows padded to 32 bits
        }
    } else if (Format == 4) {
        for (int y = 0; y < Height; ++y) {
            for (int x = 0; x < Width; ++x) {
                uint32_t c = at(x, y);
                unsigned v = ((c >> 19) & 31) << 10 | ((c >> 11) & 31) << 5 | ((c >> 3) & 31);
                raw.push_back(uint8_t(v >> 8));
                raw.push_back(uint8_t(v));
            }
            if (Width % 2) raw.insert(raw.end(), {0, 0});
        }
    } else {
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x) {
                uint32_t c = at(x, y);
                uint8_t a = alpha ? uint8_t(c >> 24) : 255;
                // Stored multiplied by alpha when there is alpha.
                auto ch = [&](int shift) { return uint8_t(alpha ? (((c >> shift) & 255) * a + 127) / 255 : (c >> shift) & 255); };
                raw.insert(raw.end(), {a, ch(16), ch(8), ch(0)});
            }
    }
    w.Bytes(Deflate(raw));
    defs_.Tag(alpha ? 36 : 20, w.Data(), true);
    return id;
}

uint16_t TSwfWriter::DefineBitsJpeg2(std::span<const uint8_t> Image) {
    uint16_t id = nextId_++;
    TSwfBitWriter w;
    w.U16(id);
    w.Bytes(Image);
    defs_.Tag(21, w.Data(), true);
    return id;
}

uint16_t TSwfWriter::DefineBitsJpeg3(std::span<const uint8_t> Image, std::span<const uint8_t> Alpha) {
    uint16_t id = nextId_++;
    TSwfBitWriter w;
    w.U16(id);
    w.U32(static_cast<uint32_t>(Image.size()));
    w.Bytes(Image);
    if (!Alpha.empty()) w.Bytes(Deflate(Alpha));
    defs_.Tag(35, w.Data(), true);
    return id;
}

void TSwfWriter::JpegTables(std::span<const uint8_t> Tables) { defs_.Tag(8, Tables, true); }

uint16_t TSwfWriter::DefineBits(std::span<const uint8_t> ImageWithoutTables) {
    uint16_t id = nextId_++;
    TSwfBitWriter w;
    w.U16(id);
    w.Bytes(ImageWithoutTables);
    defs_.Tag(6, w.Data(), true);
    return id;
}

uint16_t TSwfWriter::DefineFont(int Version, const std::string& Name, const std::vector<const TSwfShapeBuilder*>& Glyphs,
                                const std::vector<uint16_t>& Codes, const std::vector<int16_t>& Advances, uint16_t Ascent,
                                uint16_t Descent) {
    uint16_t id = nextId_++;
    std::vector<std::vector<uint8_t>> shapes;
    for (const TSwfShapeBuilder* g : Glyphs) {
        TSwfBitWriter gw;
        g->EncodeRecords(gw, 1, 0);
        shapes.push_back(gw.Data());
    }
    TSwfBitWriter w;
    w.U16(id);
    if (Version == 1) {
        uint32_t at = uint32_t(2 * shapes.size());
        for (const auto& sh : shapes) {
            w.U16(static_cast<uint16_t>(at));
            at += uint32_t(sh.size());
        }
        for (const auto& sh : shapes) w.Bytes(sh);
        defs_.Tag(10, w.Data(), true);
        return id;
    }
    const bool layout = !Advances.empty();
    w.U8(static_cast<uint8_t>((layout ? 0x80 : 0) | 0x08 | 0x04));  // wide offsets and codes
    w.U8(1);
    w.U8(static_cast<uint8_t>(Name.size()));
    for (char c : Name) w.U8(static_cast<uint8_t>(c));
    w.U16(static_cast<uint16_t>(shapes.size()));
    uint32_t at = uint32_t(4 * shapes.size() + 4);
    for (const auto& sh : shapes) {
        w.U32(at);
        at += uint32_t(sh.size());
    }
    w.U32(at);  // the code table
    for (const auto& sh : shapes) w.Bytes(sh);
    for (size_t i = 0; i < shapes.size(); ++i) w.U16(i < Codes.size() ? Codes[i] : 0);
    if (layout) {
        w.U16(Ascent);
        w.U16(Descent);
        w.U16(0);
        for (size_t i = 0; i < shapes.size(); ++i) w.U16(static_cast<uint16_t>(i < Advances.size() ? Advances[i] : 0));
        for (size_t i = 0; i < shapes.size(); ++i) w.Rect(Glyphs[i]->Bounds());
        w.U16(0);  // no kerning
    }
    defs_.Tag(Version >= 3 ? 75 : 48, w.Data(), true);
    return id;
}

uint16_t TSwfWriter::DefineText(int Version, const TSwfRect& Bounds, const TSwfMatrix& m,
                                const std::vector<TSwfTextRecord>& Records) {
    uint16_t id = nextId_++;
    int64_t maxIndex = 0, maxAdvance = 0;
    for (const auto& r : Records)
        for (const auto& g : r.Glyphs) {
            maxIndex = std::max<int64_t>(maxIndex, g.Index);
            maxAdvance = std::max<int64_t>(maxAdvance, std::abs(std::lround(g.Advance)));
        }
    unsigned glyphBits = 1;
    while (glyphBits < 32 && (int64_t(1) << glyphBits) <= maxIndex) ++glyphBits;
    unsigned advanceBits = TSwfBitWriter::SignedBits({maxAdvance, -maxAdvance});
    TSwfBitWriter w;
    w.U16(id);
    w.Rect(Bounds);
    w.Matrix(m);
    w.U8(static_cast<uint8_t>(glyphBits));
    w.U8(static_cast<uint8_t>(advanceBits));
    TSwfTextRecord carried;
    bool first = true;
    for (const TSwfTextRecord& r : Records) {
        bool font = first || r.FontId != carried.FontId || r.Height != carried.Height;
        bool color = first || !(r.Color == carried.Color);
        bool x = first || r.X != carried.X, y = first || r.Y != carried.Y;
        w.U8(static_cast<uint8_t>(0x80 | (font ? 0x08 : 0) | (color ? 0x04 : 0) | (y ? 0x02 : 0) | (x ? 0x01 : 0)));
        if (font) w.U16(r.FontId);
        if (color) w.Color(r.Color, Version >= 2);
        if (x) w.U16(static_cast<uint16_t>(int16_t(std::lround(r.X))));
        if (y) w.U16(static_cast<uint16_t>(int16_t(std::lround(r.Y))));
        if (font) w.U16(static_cast<uint16_t>(std::lround(r.Height)));
        w.U8(static_cast<uint8_t>(r.Glyphs.size()));
        for (const auto& g : r.Glyphs) {
            w.UB(glyphBits, g.Index);
            w.SB(advanceBits, static_cast<int32_t>(std::lround(g.Advance)));
        }
        w.Align();
        carried = r;
        for (const auto& g : r.Glyphs) carried.X += std::lround(g.Advance);
        first = false;
    }
    w.U8(0);
    defs_.Tag(Version >= 2 ? 33 : 11, w.Data(), true);
    return id;
}

uint16_t TSwfWriter::DefineEditText(const TSwfEditText& f) {
    uint16_t id = nextId_++;
    TSwfBitWriter w;
    w.U16(id);
    w.Rect(f.Bounds);
    const bool hasText = !f.Text.empty();
    w.U8(static_cast<uint8_t>((hasText ? 0x80 : 0) | (f.WordWrap ? 0x40 : 0) | (f.Multiline ? 0x20 : 0) |
                              (f.Password ? 0x10 : 0) | 0x08 /* read only */ | 0x04 /* colour */ | (f.HasFont ? 0x01 : 0)));
    w.U8(static_cast<uint8_t>((f.FontClass.empty() ? 0 : 0x80) | 0x20 /* layout */ | 0x10 /* no select */ |
                              (f.Html ? 0x02 : 0) | (f.UseOutlines ? 0x01 : 0)));
    if (f.HasFont) w.U16(f.FontId);
    if (!f.FontClass.empty()) {
        for (char c : f.FontClass) w.U8(static_cast<uint8_t>(c));
        w.U8(0);
    }
    if (f.HasFont || !f.FontClass.empty()) w.U16(static_cast<uint16_t>(std::lround(f.Height)));
    w.Color(f.Color, true);
    w.U8(static_cast<uint8_t>(f.Align));
    w.U16(static_cast<uint16_t>(std::lround(f.LeftMargin)));
    w.U16(static_cast<uint16_t>(std::lround(f.RightMargin)));
    w.U16(static_cast<uint16_t>(std::lround(f.Indent)));
    w.U16(static_cast<uint16_t>(int16_t(std::lround(f.Leading))));
    w.U8(0);  // no variable
    if (hasText) {
        for (char c : f.Text) w.U8(static_cast<uint8_t>(c));
        w.U8(0);
    }
    defs_.Tag(37, w.Data(), true);
    return id;
}

std::vector<uint8_t> TSwfWriter::Finish(bool Compressed) const {
    TSwfBitWriter body;
    body.Rect(stage_);
    body.U16(static_cast<uint16_t>(std::lround(fps_ * 256)));
    body.U16(FrameCountOverride ? *FrameCountOverride : static_cast<uint16_t>(Main.Frames()));
    body.Bytes(defs_.Data());
    body.Bytes(Main.Data());
    body.U16(0);  // end tag
    const std::vector<uint8_t>& b = body.Data();

    std::vector<uint8_t> file = {uint8_t(Compressed ? 'C' : 'F'), 'W', 'S', version_};
    uint32_t length = static_cast<uint32_t>(8 + b.size());
    for (int i = 0; i < 4; ++i) file.push_back(uint8_t(length >> (8 * i)));
    if (!Compressed) {
        file.insert(file.end(), b.begin(), b.end());
        return file;
    }
    uLongf packedSize = compressBound(static_cast<uLong>(b.size()));
    std::vector<uint8_t> packed(packedSize);
    compress2(packed.data(), &packedSize, b.data(), static_cast<uLong>(b.size()), 9);
    file.insert(file.end(), packed.begin(), packed.begin() + packedSize);
    return file;
}
