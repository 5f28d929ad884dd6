#include "SwfRenderer.h"

#include "SwfPaint.h"

#include "ComScope.h"

#include <objidl.h>
#include <gdiplus.h>
#include <objbase.h>
#include <wincodec.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <type_traits>
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
        } else if (points.size() > figureStart) {
            // A line that comes back to its start is joined there, unless its
            // style keeps the ends apart (with their caps).
            bool closed = !item.IsLine || (!item.Line.NoClose && points.back().X == points[figureStart].X &&
                                           points.back().Y == points[figureStart].Y);
            const bool straightStart = points.size() - figureStart >= 3 &&
                                       (types[figureStart + 1] & PathPointTypePathTypeMask) == PathPointTypeLine;
            if (closed && item.IsLine && straightStart) {
                // The outline starts and ends half way along its first edge
                // instead, so its first corner is joined like any other and
                // its ends, whatever their caps, lie within the line (some
                // GDI+ versions leave the join of a closed figure's start out).
                const PointF a = points[figureStart], b = points[figureStart + 1];
                const PointF middle((a.X + b.X) / 2, (a.Y + b.Y) / 2);
                points[figureStart] = middle;
                points.push_back(middle);
                types.push_back(PathPointTypeLine);
            } else if (closed) {
                types.back() |= PathPointTypeCloseSubpath;
            }
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

LineCap ToCap(TSwfCap c) { return c == TSwfCap::None ? LineCapFlat : c == TSwfCap::Square ? LineCapSquare : LineCapRound; }

// What lies under an item: the whole area, or the stage part of it.
struct TPixelBox {
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

TPixelBox ItemBox(const GraphicsPath& path, const Pen* pen, const RECT& within) {
    RectF r;
    path.GetBounds(&r, nullptr, pen);
    double l = std::max<double>(within.left, std::floor(r.X) - 1), t = std::max<double>(within.top, std::floor(r.Y) - 1);
    double rr = std::min<double>(within.right, std::ceil(r.X + r.Width) + 1);
    double bb = std::min<double>(within.bottom, std::ceil(r.Y + r.Height) + 1);
    if (!(rr > l && bb > t)) return {};
    return {int(l), int(t), int(rr - l), int(bb - t)};
}

// Square caps as the line drawn on by half its width with flat ends: the
// drawing library's own square caps differ between its implementations.
void ExtendOpenEnds(std::vector<PointF>& points, std::vector<BYTE>& types, REAL half, bool atStart, bool atEnd) {
    std::vector<PointF> p;
    std::vector<BYTE> t;
    p.reserve(points.size() + 8);
    t.reserve(types.size() + 8);
    auto away = [half](PointF from, PointF towards) {
        REAL dx = from.X - towards.X, dy = from.Y - towards.Y, len = std::sqrt(dx * dx + dy * dy);
        return len > 0 ? PointF(from.X + dx / len * half, from.Y + dy / len * half) : from;
    };
    // The neighbour that gives the direction at an end: the nearest point that differs.
    auto neighbour = [&](size_t end, bool forwards, size_t first, size_t last) {
        if (forwards) {
            for (size_t i = end + 1; i <= last; ++i)
                if (points[i].X != points[end].X || points[i].Y != points[end].Y) return points[i];
        } else {
            for (size_t i = end; i-- > first;)
                if (points[i].X != points[end].X || points[i].Y != points[end].Y) return points[i];
        }
        return points[end];
    };
    for (size_t first = 0; first < points.size();) {
        size_t last = first + 1;
        while (last < points.size() && (types[last] & PathPointTypePathTypeMask) != PathPointTypeStart) ++last;
        --last;
        bool closed = (types[last] & PathPointTypeCloseSubpath) != 0;
        if (!closed && atStart && last > first) {
            p.push_back(away(points[first], neighbour(first, true, first, last)));
            t.push_back(PathPointTypeStart);
            p.push_back(points[first]);
            t.push_back(PathPointTypeLine);
        } else {
            p.push_back(points[first]);
            t.push_back(types[first]);
        }
        for (size_t i = first + 1; i <= last; ++i) {
            p.push_back(points[i]);
            t.push_back(types[i]);
        }
        if (!closed && atEnd && last > first) {
            p.push_back(away(points[last], neighbour(last, false, first, last)));
            t.push_back(PathPointTypeLine);
        }
        first = last + 1;
    }
    points.swap(p);
    types.swap(t);
}

// A text field in a platform font, laid out by the drawing library in the
// field's own twips under its matrix.
void DrawDeviceText(Graphics& g, const TSwfDrawItem& item, const TSwfMatrix& stageToPixel) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, item.Text.data(), int(item.Text.size()), nullptr, 0);
    if (n <= 0 || item.FontHeight <= 0) return;
    std::wstring text(size_t(n), L' ');
    MultiByteToWideChar(CP_UTF8, 0, item.Text.data(), int(item.Text.size()), text.data(), n);
    // A system without the font takes a face of the same kind it has.
    const std::wstring named(item.FontName.begin(), item.FontName.end());
    const std::vector<std::wstring> candidates =
        item.FontName == "Times New Roman" ? std::vector<std::wstring>{named, L"Liberation Serif", L"DejaVu Serif", L"Tahoma"}
        : item.FontName == "Courier New" ? std::vector<std::wstring>{named, L"Liberation Mono", L"DejaVu Sans Mono", L"Tahoma"}
                                         : std::vector<std::wstring>{named, L"Arial", L"Liberation Sans", L"DejaVu Sans", L"Tahoma"};
    std::unique_ptr<FontFamily> family;
    for (const std::wstring& name : candidates) {
        family = std::make_unique<FontFamily>(name.c_str());
        if (family->GetLastStatus() == Ok) break;
        family.reset();
    }
    if (!family) return;
    INT style = (item.Bold ? FontStyleBold : 0) | (item.Italic ? FontStyleItalic : 0);
    Font font(family.get(), static_cast<REAL>(item.FontHeight), style, UnitWorld);
    if (font.GetLastStatus() != Ok) return;
    StringFormat format;
    format.SetAlignment(item.Align == TSwfEditText::Right    ? StringAlignmentFar
                        : item.Align == TSwfEditText::Center ? StringAlignmentCenter
                                                             : StringAlignmentNear);
    if (!item.WordWrap) format.SetFormatFlags(StringFormatFlagsNoWrap);
    const TSwfMatrix m = Concat(stageToPixel, item.TextMatrix);
    Matrix world(static_cast<REAL>(m.A), static_cast<REAL>(m.B), static_cast<REAL>(m.C), static_cast<REAL>(m.D),
                 static_cast<REAL>(m.Tx), static_cast<REAL>(m.Ty));
    if (!world.IsInvertible()) return;
    Matrix saved;
    g.GetTransform(&saved);
    g.SetTransform(&world);
    SolidBrush brush(ToGdiplus(item.Color));
    const TSwfRect& b = item.TextBox;
    RectF layout(REAL(b.XMin), REAL(b.YMin), REAL(std::max<int64_t>(0, b.Width())), REAL(std::max<int64_t>(0, b.Height())));
    g.DrawString(text.c_str(), INT(text.size()), &font, layout, &format, &brush);
    g.SetTransform(&saved);
}

}  // namespace

namespace {

struct TGdiObjectDeleter {
    void operator()(HRGN h) const { DeleteObject(h); }
};
using TRegionHandle = std::unique_ptr<std::remove_pointer_t<HRGN>, TGdiObjectDeleter>;

// The DC under a GDI+ Graphics, lent for plain GDI calls; its state (the
// clip) is given back as it was.
class TGraphicsDc {
public:
    explicit TGraphicsDc(Graphics& g) : g_(g), dc_(g.GetHDC()), saved_(SaveDC(dc_)) {}
    ~TGraphicsDc() {
        RestoreDC(dc_, saved_);
        g_.ReleaseHDC(dc_);
    }
    TGraphicsDc(const TGraphicsDc&) = delete;
    TGraphicsDc& operator=(const TGraphicsDc&) = delete;
    HDC Dc() const { return dc_; }

private:
    Graphics& g_;
    HDC dc_;
    int saved_;
};

}  // namespace

// A device-independent bitmap for painted pixels, selected into a memory DC.
class TSwfPaintBuffer {
public:
    TSwfPaintBuffer(int width, int height) : width_(width), height_(height) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        bitmap_ = dc_ ? CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
        if (bitmap_) {
            old_ = SelectObject(dc_, bitmap_);
            bits_ = static_cast<uint32_t*>(bits);
        }
    }
    ~TSwfPaintBuffer() {
        if (old_) SelectObject(dc_, old_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
    }
    TSwfPaintBuffer(const TSwfPaintBuffer&) = delete;
    TSwfPaintBuffer& operator=(const TSwfPaintBuffer&) = delete;
    bool Holds(int width, int height) const { return bits_ && width <= width_ && height <= height_; }
    uint32_t* Bits() const { return bits_; }
    size_t Stride() const { return size_t(width_); }
    HDC Dc() const { return dc_; }

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    uint32_t* bits_ = nullptr;
};

// Painted fills of at least this many pixels are kept from frame to frame.
constexpr int64_t KeptFillPixels = 64 * 1024;

struct TSwfRenderer::TPainted {
    TSwfFill Fill;
    TSwfMatrix ToPixel;
    const TSwfImage* Image;
    TSwfColorTransform Transform;
    int Left, Top, Width, Height;
    bool Opaque;
    std::unique_ptr<TSwfPaintBuffer> Pixels;
    bool Same(const TSwfFill& f, const TSwfMatrix& m, const TSwfImage* image, const TSwfColorTransform& cx, int l, int t,
              int w, int h) const {
        return l == Left && t == Top && w == Width && h == Height && image == Image && m == ToPixel && cx == Transform &&
               f == Fill;
    }
};

TSwfRenderer::TSwfRenderer() = default;
TSwfRenderer::~TSwfRenderer() = default;

bool DecodePicture(std::span<const uint8_t> Data, TSwfImage& Out) {
    if (Data.empty() || Data.size() > 0x7FFFFFFF) return false;
    TComScope com;
    TComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.Put()))))
        return false;
    TComPtr<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.Put())) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(Data.data()), static_cast<DWORD>(Data.size()))))
        return false;
    // JPEG, PNG or GIF: the decoder is chosen by the data.
    TComPtr<IWICBitmapDecoder> decoder;
    TComPtr<IWICBitmapFrameDecode> frame;
    TComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.Put())) ||
        FAILED(decoder->GetFrame(0, frame.Put())) || FAILED(factory->CreateFormatConverter(converter.Put())) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return false;
    UINT w = 0, h = 0;
    if (FAILED(converter->GetSize(&w, &h)) || w == 0 || h == 0 || uint64_t(w) * h > MaxBitmapPixels) return false;
    Out.Width = int(w);
    Out.Height = int(h);
    Out.Pixels.assign(size_t(w) * h, 0);
    const UINT stride = w * 4;
    if (FAILED(converter->CopyPixels(nullptr, stride, stride * h, reinterpret_cast<BYTE*>(Out.Pixels.data())))) {
        Out = {};
        return false;
    }
    return true;
}

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
    // Painted fills are laid one to one onto the pixels they were computed for.
    g.SetInterpolationMode(InterpolationModeNearestNeighbor);
    const TSwfMatrix stageToPixel{map.Scale, 0, 0, map.Scale, map.OffsetX - Image.Stage.XMin * map.Scale,
                                  map.OffsetY - Image.Stage.YMin * map.Scale};
    RECT within;
    IntersectRect(&within, &Area, &map.StageArea);

    std::vector<PointF> points;
    std::vector<BYTE> types;
    std::unique_ptr<Region> mask;                  // the mask being collected
    std::vector<std::unique_ptr<Region>> clips;    // clips in force before each open mask
    std::vector<std::unique_ptr<TPainted>> kept;   // this frame's large painted fills
    // Gradient and bitmap fills: their pixels are computed for the area's
    // box and blended in through a clip of the area's outline (a line's
    // outline widened by its pen). Drawing libraries that run in software
    // fill with a brush of many colours far more slowly than this.
    auto paintArea = [&](const TSwfDrawItem& item, const GraphicsPath& path, const Pen* pen) {
        std::unique_ptr<GraphicsPath> widened;
        const GraphicsPath* outline = &path;
        if (pen) {
            widened.reset(path.Clone());
            widened->Widen(pen);
            outline = widened.get();
        }
        // Only what a mask leaves open is computed.
        RECT open = within;
        Rect clipBox;
        if (!clips.empty() && g.GetClipBounds(&clipBox) == Ok) {
            RECT c{clipBox.X - 1, clipBox.Y - 1, clipBox.X + clipBox.Width + 1, clipBox.Y + clipBox.Height + 1};
            IntersectRect(&open, &within, &c);
        }
        TPixelBox box = ItemBox(*outline, nullptr, open);
        if (box.Width <= 0) return;
        const TSwfImage* image = nullptr;
        if (item.Fill.Kind == TSwfFill::Bitmap && !(image = item.Bitmap ? item.Bitmap->Pixels(DecodePicture) : nullptr))
            return;
        Region area(outline);
        Region clip;
        g.GetClip(&clip);
        area.Intersect(&clip);
        const TRegionHandle rgn(area.GetHRGN(&g));
        if (!rgn) return;
        const TSwfMatrix toPixel = Concat(stageToPixel, item.Fill.Matrix);
        // Gradients over many pixels are kept for the next frame (pictures are
        // not: a picture of another movie could take the same place in
        // memory); the rest share one buffer.
        const bool keep = item.Fill.IsGradient() && int64_t(box.Width) * box.Height >= KeptFillPixels;
        const TPainted* reuse = nullptr;
        if (keep)
            for (auto& p : painted_)
                if (p && p->Same(item.Fill, toPixel, image, item.BitmapTransform, box.Left, box.Top, box.Width, box.Height)) {
                    reuse = p.get();
                    kept.push_back(std::move(p));
                    break;
                }
        const TSwfPaintBuffer* source = nullptr;
        bool opaque = true;
        if (reuse) {
            source = reuse->Pixels.get();
            opaque = reuse->Opaque;
        } else {
            std::unique_ptr<TSwfPaintBuffer> own;
            if (keep) {
                own = std::make_unique<TSwfPaintBuffer>(box.Width, box.Height);
            } else if (!paint_ || !paint_->Holds(box.Width, box.Height)) {
                paint_.reset();
                paint_ = std::make_unique<TSwfPaintBuffer>(std::max(box.Width, int(within.right - within.left)),
                                                           std::max(box.Height, int(within.bottom - within.top)));
            }
            const TSwfPaintBuffer& buffer = own ? *own : *paint_;
            GdiFlush();  // the last item's copy out of the shared buffer is done
            if (!buffer.Bits() || !PaintFill(item.Fill, image, item.BitmapTransform, toPixel, box.Left, box.Top,
                                             box.Width, box.Height, buffer.Bits(), buffer.Stride()))
                return;
            // Opaque pixels are copied: blending reads the target back first.
            for (int y = 0; y < box.Height && opaque; ++y) {
                const uint32_t* row = buffer.Bits() + size_t(y) * buffer.Stride();
                for (int x = 0; x < box.Width && opaque; ++x) opaque = (row[x] >> 24) == 255;
            }
            source = &buffer;
            if (own)
                kept.push_back(std::make_unique<TPainted>(TPainted{item.Fill, toPixel, image, item.BitmapTransform, box.Left,
                                                                   box.Top, box.Width, box.Height, opaque, std::move(own)}));
        }
        const TSwfPaintBuffer& buffer = *source;
        const TGraphicsDc dc(g);
        ExtSelectClipRgn(dc.Dc(), rgn.get(), RGN_AND);
        if (opaque) {
            BitBlt(dc.Dc(), box.Left, box.Top, box.Width, box.Height, buffer.Dc(), 0, 0, SRCCOPY);
        } else {
            BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
            AlphaBlend(dc.Dc(), box.Left, box.Top, box.Width, box.Height, buffer.Dc(), 0, 0, box.Width, box.Height,
                       blend);
        }
    };

    for (const TSwfDrawItem& item : Image.Items) {
        switch (item.Role) {
        case TSwfDrawItem::MaskStart:
            mask = std::make_unique<Region>();
            mask->MakeEmpty();
            continue;
        case TSwfDrawItem::MaskEnd:
            clips.push_back(std::make_unique<Region>());
            g.GetClip(clips.back().get());
            if (mask) g.SetClip(mask.get(), CombineModeIntersect);
            mask.reset();
            continue;
        case TSwfDrawItem::MaskPop:
            if (!clips.empty()) {
                g.SetClip(clips.back().get());
                clips.pop_back();
            }
            continue;
        case TSwfDrawItem::Mask:
        case TSwfDrawItem::Paint:
            break;
        }
        if (item.IsDeviceText) {
            DrawDeviceText(g, item, stageToPixel);
            continue;
        }
        if (!BuildPath(item, map, Image.Stage, points, types)) continue;
        const REAL width = static_cast<REAL>(std::max(1.0, std::min(item.LineWidth * map.Scale, 1e4)));
        const bool squareStart = item.IsLine && item.Line.StartCap == TSwfCap::Square;
        const bool squareEnd = item.IsLine && item.Line.EndCap == TSwfCap::Square;
        if (squareStart || squareEnd) ExtendOpenEnds(points, types, width / 2, squareStart, squareEnd);
        GraphicsPath path(points.data(), types.data(), static_cast<INT>(points.size()), FillModeWinding);
        if (item.Role == TSwfDrawItem::Mask) {
            if (mask) mask->Union(&path);
            continue;
        }
        const bool paintedFill = item.Fill.Kind != TSwfFill::Solid;
        if (item.IsLine) {
            // Hairlines and lines thinner than a pixel stay one pixel wide.
            Pen pen(ToGdiplus(item.Color), width);
            pen.SetStartCap(squareStart ? LineCapFlat : ToCap(item.Line.StartCap));
            pen.SetEndCap(squareEnd ? LineCapFlat : ToCap(item.Line.EndCap));
            switch (item.Line.Join) {
            case TSwfJoin::Round: pen.SetLineJoin(LineJoinRound); break;
            case TSwfJoin::Bevel: pen.SetLineJoin(LineJoinBevel); break;
            case TSwfJoin::Miter:
                pen.SetLineJoin(LineJoinMiterClipped);
                pen.SetMiterLimit(static_cast<REAL>(std::clamp(item.Line.MiterLimit, 1.0, 1000.0)));
                break;
            }
            if (paintedFill)
                paintArea(item, path, &pen);
            else
                g.DrawPath(&pen, &path);
        } else if (paintedFill) {
            paintArea(item, path, nullptr);
        } else {
            SolidBrush brush(ToGdiplus(item.Color));
            g.FillPath(&brush, &path);
        }
    }

    // The fills this frame painted or reused are kept for the next; the rest go.
    GdiFlush();
    painted_.swap(kept);

    // What reaches past the stage is covered by the margins afterwards: cheaper
    // than clipping every item, and the margins show only the background.
    g.ResetClip();
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
