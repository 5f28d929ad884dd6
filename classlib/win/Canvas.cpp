#include "Canvas.h"

#include "Exceptions.h"
#include "Graphic.h"

TCanvas::TCanvas() {
    font_.OnChange = TNotifyEvent::Bind<&TCanvas::FontChanged>(this);
    pen_.OnChange = TNotifyEvent::Bind<&TCanvas::PenChanged>(this);
    brush_.OnChange = TNotifyEvent::Bind<&TCanvas::BrushChanged>(this);
}

TCanvas::~TCanvas() { RestoreObjects(); }

HDC TCanvas::Handle() {
    if (!dc_) CreateHandle();
    if (!dc_) throw EInvalidOperation("The canvas has no device context to draw on");
    return dc_;
}

void TCanvas::SetHandle(HDC Value) {
    if (Value == dc_) return;
    RestoreObjects();
    dc_ = Value;
}

void TCanvas::RestoreObjects() {
    if (!dc_) return;
    if (origFont_) SelectObject(dc_, origFont_);
    if (origPen_) SelectObject(dc_, origPen_);
    if (origBrush_) SelectObject(dc_, origBrush_);
    origFont_ = origPen_ = origBrush_ = nullptr;
}

// Our objects are selected before every operation rather than tracked, so that
// a RestoreDC by the caller can never leave a stale choice behind.
HDC TCanvas::Require(bool WithFont, bool WithPen, bool WithBrush) {
    HDC dc = Handle();
    auto select = [dc](HGDIOBJ Object, HGDIOBJ& Original) {
        HGDIOBJ old = SelectObject(dc, Object);
        if (!Original) Original = old;
    };
    if (WithFont) {
        select(font_.Handle(), origFont_);
        SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(font_.Color())));
    }
    if (WithPen) select(pen_.Handle(), origPen_);
    if (WithBrush) {
        select(brush_.Handle(), origBrush_);
        if (brush_.Style() == bsClear) {
            SetBkMode(dc, TRANSPARENT);
        } else {
            SetBkMode(dc, OPAQUE);
            SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(brush_.Color())));
        }
    }
    return dc;
}

void TCanvas::FontChanged(TObject*) {
    if (dc_ && origFont_) SelectObject(dc_, origFont_);
}
void TCanvas::PenChanged(TObject*) {
    if (dc_ && origPen_) SelectObject(dc_, origPen_);
}
void TCanvas::BrushChanged(TObject*) {
    if (dc_ && origBrush_) SelectObject(dc_, origBrush_);
}

TPoint TCanvas::PenPos() {
    POINT p{};
    GetCurrentPositionEx(Handle(), &p);
    return {p.x, p.y};
}

void TCanvas::MoveTo(int X, int Y) { MoveToEx(Handle(), X, Y, nullptr); }

void TCanvas::LineTo(int X, int Y) { ::LineTo(Require(false, true, true), X, Y); }

void TCanvas::Polyline(std::span<const TPoint> Points) {
    ::Polyline(Require(false, true, true), AsPOINT(Points.data()), static_cast<int>(Points.size()));
}

void TCanvas::Polygon(std::span<const TPoint> Points) {
    ::Polygon(Require(false, true, true), AsPOINT(Points.data()), static_cast<int>(Points.size()));
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
    ::Arc(Require(false, true, true), X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
    ::Rectangle(Require(false, true, true), X1, Y1, X2, Y2);
}

void TCanvas::FillRect(const TRect& R) {
    HDC dc = Require(false, false, true);
    ::FillRect(dc, AsRECT(R), brush_.Handle());
}

void TCanvas::FrameRect(const TRect& R) {
    HDC dc = Require(false, false, true);
    ::FrameRect(dc, AsRECT(R), brush_.Handle());
}

void TCanvas::DrawFocusRect(const TRect& R) { ::DrawFocusRect(Require(false, false, true), AsRECT(R)); }

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
    ::TextOutA(Require(true, false, true), X, Y, Text.data(), static_cast<int>(Text.size()));
}

TSize TCanvas::TextExtent(const std::string& Text) {
    SIZE s{};
    GetTextExtentPoint32A(Require(true, false, false), Text.data(), static_cast<int>(Text.size()), &s);
    return {s.cx, s.cy};
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
    if (!Graphic || Graphic->Empty()) return;
    Graphic->Draw(this, Bounds(X, Y, Graphic->Width(), Graphic->Height()));
}

void TCanvas::StretchDraw(const TRect& R, TGraphic* Graphic) {
    if (!Graphic || Graphic->Empty()) return;
    Graphic->Draw(this, R);
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect) {
    if (!Source) return;
    HDC dc = Require(false, false, true);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), Source->Handle(), SourceRect.Left,
               SourceRect.Top, SourceRect.Width(), SourceRect.Height(), CopyMode);
}

TColor TCanvas::Pixels(int X, int Y) { return static_cast<TColor>(GetPixel(Handle(), X, Y)); }

void TCanvas::SetPixels(int X, int Y, TColor Value) {
    SetPixelV(Handle(), X, Y, static_cast<COLORREF>(ColorToRGB(Value)));
}

int TCanvas::SaveDC() { return ::SaveDC(Handle()); }

void TCanvas::RestoreDC(int Saved) { ::RestoreDC(Handle(), Saved); }

TPoint TCanvas::ViewportOrigin() {
    POINT p{};
    GetViewportOrgEx(Handle(), &p);
    return {p.x, p.y};
}

void TCanvas::SetViewportOrigin(TPoint Value) { SetViewportOrgEx(Handle(), Value.X, Value.Y, nullptr); }

void TCanvas::IntersectClipRect(const TRect& R) { ::IntersectClipRect(Handle(), R.Left, R.Top, R.Right, R.Bottom); }

TRect TCanvas::ClipRect() {
    TRect r;
    GetClipBox(Handle(), AsRECT(r));
    return r;
}

TWindowCanvas::TWindowCanvas(HWND Window, bool WholeWindow) : windowDC_(Window, WholeWindow) {
    SetHandle(windowDC_.Get());
}

// The device context goes back to the window only after the canvas let go of it.
TWindowCanvas::~TWindowCanvas() { SetHandle(nullptr); }
