#pragma once
// TBrush: fill colour and style, or a pattern taken from a small bitmap
// (8 x 8 pixels are used), and its HBRUSH.

#include "Colors.h"
#include "GraphicsObject.h"

class TBitmap;

enum TBrushStyle : uint8_t { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
public:
    std::string ClassName() const override { return "TBrush"; }
    void Assign(TPersistent* Source) override;

    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle Value);
    // The pattern bitmap; the brush does not own it, and the caller keeps it
    // alive while the brush uses it. A pattern wins over Style.
    TBitmap* Bitmap() const { return bitmap_; }
    void SetBitmap(TBitmap* Value);

    HBRUSH Handle();

private:
    void Changed() { TGraphicsObject::Changed(handle_); }

    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    TBitmap* bitmap_ = nullptr;
    TGdiObject<HGDIOBJ> handle_;
};
