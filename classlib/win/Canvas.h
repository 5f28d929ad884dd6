#pragma once
// TCanvas: drawing with a font, pen and brush on a device context. The context
// may be the canvas's own (a bitmap's memory DC), or one handed in from outside
// (a window DC, the desktop, a menu item or custom-draw DC); in every case the
// canvas puts back the objects it found selected when it lets go of it.

#include "Brush.h"
#include "Colors.h"
#include "Font.h"
#include "GraphicsTypes.h"
#include "Pen.h"

#include <span>
#include <string>

class TGraphic;

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;
    std::string ClassName() const override { return "TCanvas"; }

    // The device context; a canvas without one asks CreateHandle and raises
    // EInvalidOperation when there is still none.
    HDC Handle();
    // Attaches a device context that the caller owns (nullptr detaches).
    void SetHandle(HDC Value);
    bool HandleAllocated() const { return dc_ != nullptr; }

    TFont* Font() { return &font_; }
    TPen* Pen() { return &pen_; }
    TBrush* Brush() { return &brush_; }
    void SetFont(TFont* Value) { font_.Assign(Value); }
    void SetPen(TPen* Value) { pen_.Assign(Value); }
    void SetBrush(TBrush* Value) { brush_.Assign(Value); }

    // Raster operation of CopyRect and of opaque bitmap drawing (SRCCOPY).
    DWORD CopyMode = SRCCOPY;

    TPoint PenPos();
    void SetPenPos(TPoint Value) { MoveTo(Value.X, Value.Y); }
    void MoveTo(int X, int Y);
    void LineTo(int X, int Y);
    void Polyline(std::span<const TPoint> Points);
    void Polygon(std::span<const TPoint> Points);
    void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
    void FillRect(const TRect& R);
    void FrameRect(const TRect& R);
    void DrawFocusRect(const TRect& R);

    void TextOut(int X, int Y, const std::string& Text);
    TSize TextExtent(const std::string& Text);
    int TextWidth(const std::string& Text) { return TextExtent(Text).cx; }
    int TextHeight(const std::string& Text) { return TextExtent(Text).cy; }

    // Graphics at their own size, or stretched over a rectangle; transparent
    // graphics leave their transparent pixels untouched.
    void Draw(int X, int Y, TGraphic* Graphic);
    void StretchDraw(const TRect& R, TGraphic* Graphic);
    // Copies (stretching when the sizes differ) from another canvas.
    void CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect);

    // The pixel's $00BBGGRR colour; -1 outside the device's surface.
    TColor Pixels(int X, int Y);
    void SetPixels(int X, int Y, TColor Value);

    // Device context state: save/restore pairs, viewport origin, clipping.
    int SaveDC();
    void RestoreDC(int Saved);
    TPoint ViewportOrigin();
    void SetViewportOrigin(TPoint Value);
    void IntersectClipRect(const TRect& R);
    TRect ClipRect();

protected:
    // Called when a handle is needed and none is attached.
    virtual void CreateHandle() {}

private:
    HDC Require(bool WithFont, bool WithPen, bool WithBrush);
    void FontChanged(TObject*);
    void PenChanged(TObject*);
    void BrushChanged(TObject*);
    void RestoreObjects();

    HDC dc_ = nullptr;
    TFont font_;
    TPen pen_;
    TBrush brush_;
    // What the context held before we selected our own objects.
    HGDIOBJ origFont_ = nullptr;
    HGDIOBJ origPen_ = nullptr;
    HGDIOBJ origBrush_ = nullptr;
};

// A canvas on a window's client area (or on the whole window, border and title
// included), or on the desktop when the window is null; the context is released
// when the canvas goes.
class TWindowCanvas : public TCanvas {
public:
    explicit TWindowCanvas(HWND Window, bool WholeWindow = false);
    ~TWindowCanvas() override;
    std::string ClassName() const override { return "TWindowCanvas"; }

private:
    TWindowDC windowDC_;
};
