#include "SwfRenderer.h"

#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace Gdiplus;

TGdiplusSession::TGdiplusSession() {
    GdiplusStartupInput input;
    if (GdiplusStartup(&token_, &input, nullptr) != Ok) token_ = 0;
}

TGdiplusSession::~TGdiplusSession() {
    if (token_) GdiplusShutdown(token_);
}

TSwfStageMapping TSwfStageMapping::ShowAll(const TSwfRect& Stage, const RECT& Area) {
    TSwfStageMapping m;
    double w = Area.right - Area.left, h = Area.bottom - Area.top;
    if (Stage.IsEmpty() || w <= 0 || h <= 0) return m;
    m.Scale = std::min(w / double(Stage.Width()), h / double(Stage.Height()));
    double sw = Stage.Width() * m.Scale, sh = Stage.Height() * m.Scale;
    m.OffsetX = Area.left + (w - sw) / 2;
    m.OffsetY = Area.top + (h - sh) / 2;
    m.StageArea = {LONG(std::lround(m.OffsetX)), LONG(std::lround(m.OffsetY)), LONG(std::lround(m.OffsetX + sw)),
                   LONG(std::lround(m.OffsetY + sh))};
    return m;
}

POINT TSwfStageMapping::ToPixel(double TwipsX, double TwipsY, const TSwfRect& Stage) const {
    return {LONG(std::floor(OffsetX + (TwipsX - Stage.XMin) * Scale)), LONG(std::floor(OffsetY + (TwipsY - Stage.YMin) * Scale))};
}

TSwfBackBuffer::~TSwfBackBuffer() { Release(); }

void TSwfBackBuffer::Release() {
    if (dc_) {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    if (bitmap_) DeleteObject(bitmap_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    width_ = height_ = 0;
}

HDC TSwfBackBuffer::Prepare(int Width, int Height) {
    if (Width <= 0 || Height <= 0) return nullptr;
    if (dc_ && Width <= width_ && Height <= height_) return dc_;
    Release();
    // A bitmap in the display's own format: GDI+ draws into it through the
    // display driver, much faster than into a device-independent bitmap, and
    // copying it to a window is a plain blit.
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = dc_ ? CreateCompatibleBitmap(screen, Width, Height) : nullptr;
    ReleaseDC(nullptr, screen);
    if (!bitmap_) {
        Release();
        return nullptr;
    }
    old_ = SelectObject(dc_, bitmap_);
    width_ = Width;
    height_ = Height;
    return dc_;
}

namespace {

Color ToGdiplus(TSwfRgba c) { return Color(c.A, c.R, c.G, c.B); }

// Far-off points are pulled in to a range GDI+ handles; what lies that far
// outside the stage is clipped anyway.
REAL Coord(double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<REAL>(std::clamp(v, -1e6, 1e6));
}

// Turns an item's segments into a GDI+ path in pixels. Quadratic curves
// become the equivalent cubic Beziers.
bool BuildPath(const TSwfDrawItem& item, const TSwfStageMapping& map, const TSwfRect& stage,
               std::vector<PointF>& points, std::vector<BYTE>& types) {
    points.clear();
    types.clear();
    auto px = [&](TSwfPoint p) {
        return PointF(Coord(map.OffsetX + (p.X - stage.XMin) * map.Scale), Coord(map.OffsetY + (p.Y - stage.YMin) * map.Scale));
    };
    size_t figureStart = 0;
    auto endFigure = [&] {
        if (points.size() - figureStart == 1) {  // a lone start point draws nothing
            points.pop_back();
            types.pop_back();
        } else if (points.size() > figureStart && !item.IsLine) {
            types.back() |= PathPointTypeCloseSubpath;
        }
        figureStart = points.size();
    };
    TSwfPoint pen;
    for (const TSwfPathSegment& s : item.Segments) {
        switch (s.Kind) {
        case TSwfPathSegment::Move:
            endFigure();
            points.push_back(px(s.To));
            types.push_back(PathPointTypeStart);
            break;
        case TSwfPathSegment::Line:
            if (points.size() == figureStart) {
                points.push_back(px(pen));
                types.push_back(PathPointTypeStart);
            }
            points.push_back(px(s.To));
            types.push_back(PathPointTypeLine);
            break;
        case TSwfPathSegment::Curve: {
            if (points.size() == figureStart) {
                points.push_back(px(pen));
                types.push_back(PathPointTypeStart);
            }
            TSwfPoint c1{pen.X + 2.0 / 3 * (s.Control.X - pen.X), pen.Y + 2.0 / 3 * (s.Control.Y - pen.Y)};
            TSwfPoint c2{s.To.X + 2.0 / 3 * (s.Control.X - s.To.X), s.To.Y + 2.0 / 3 * (s.Control.Y - s.To.Y)};
            points.push_back(px(c1));
            points.push_back(px(c2));
            points.push_back(px(s.To));
            types.insert(types.end(), 3, PathPointTypeBezier);
            break;
        }
        }
        pen = s.To;
    }
    endFigure();
    return !points.empty();
}

}  // namespace

void TSwfRenderer::Draw(HDC Dc, const RECT& Area, const TSwfFrameImage& Image) const {
    Graphics g(Dc);
    TSwfRgba bg = Image.Background;
    bg.A = 255;
    SolidBrush background(ToGdiplus(bg));
    auto fill = [&](LONG l, LONG t, LONG r, LONG b) {
        if (r > l && b > t) g.FillRectangle(&background, INT(l), INT(t), INT(r - l), INT(b - t));
    };
    fill(Area.left, Area.top, Area.right, Area.bottom);

    TSwfStageMapping map = TSwfStageMapping::ShowAll(Image.Stage, Area);
    if (map.Scale <= 0) return;
    g.SetSmoothingMode(HighQuality ? SmoothingModeAntiAlias : SmoothingModeNone);
    g.SetPixelOffsetMode(HighQuality ? PixelOffsetModeHalf : PixelOffsetModeNone);

    std::vector<PointF> points;
    std::vector<BYTE> types;
    for (const TSwfDrawItem& item : Image.Items) {
        if (!BuildPath(item, map, Image.Stage, points, types)) continue;
        GraphicsPath path(points.data(), types.data(), static_cast<INT>(points.size()), FillModeWinding);
        if (item.IsLine) {
            // Hairlines and lines thinner than a pixel stay one pixel wide.
            REAL width = static_cast<REAL>(std::max(1.0, std::min(item.LineWidth * map.Scale, 1e4)));
            Pen pen(ToGdiplus(item.Color), width);
            pen.SetLineJoin(LineJoinRound);
            pen.SetStartCap(LineCapRound);
            pen.SetEndCap(LineCapRound);
            g.DrawPath(&pen, &path);
        } else {
            SolidBrush brush(ToGdiplus(item.Color));
            g.FillPath(&brush, &path);
        }
    }

    // What reaches past the stage is covered by the margins afterwards: cheaper
    // than clipping every item, and the margins show only the background.
    g.SetSmoothingMode(SmoothingModeNone);
    g.SetPixelOffsetMode(PixelOffsetModeNone);
    const RECT& s = map.StageArea;
    fill(Area.left, Area.top, Area.right, s.top);
    fill(Area.left, s.bottom, Area.right, Area.bottom);
    fill(Area.left, s.top, s.left, s.bottom);
    fill(s.right, s.top, Area.right, s.bottom);
}

void TSwfRenderer::DrawBuffered(HDC Dc, const RECT& Area, const TSwfFrameImage& Image) {
    int w = Area.right - Area.left, h = Area.bottom - Area.top;
    HDC mem = buffer_.Prepare(w, h);
    if (!mem) {
        Draw(Dc, Area, Image);
        return;
    }
    Draw(mem, RECT{0, 0, w, h}, Image);
    BitBlt(Dc, Area.left, Area.top, w, h, mem, 0, 0, SRCCOPY);
}
