#pragma once
// TPen: colour, width and style of lines and outlines, and its HPEN.

#include "Colors.h"
#include "GraphicsObject.h"

enum TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen : public TGraphicsObject {
public:
    std::string ClassName() const override { return "TPen"; }
    void Assign(TPersistent* Source) override;

    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    int Width() const { return width_; }
    void SetWidth(int Value);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle Value);

    HPEN Handle();

private:
    void Changed() { TGraphicsObject::Changed(handle_); }

    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    TGdiObject<HGDIOBJ> handle_;
};
