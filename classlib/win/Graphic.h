#pragma once
// TGraphic: a picture that knows its size and draws itself onto a canvas, at
// its own size or stretched. Bitmaps, JPEG images and icons are graphics.

#include "GraphicsTypes.h"
#include "Object.h"

class TCanvas;

class TGraphic : public TPersistent {
public:
    std::string ClassName() const override { return "TGraphic"; }

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const = 0;
    // A transparent graphic leaves the pixels of its transparent colour undrawn.
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool Value);

    TNotifyEvent OnChange;

protected:
    friend class TCanvas;
    // Draws the whole graphic over Rect (stretched when the sizes differ).
    virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;
    void Changed() { OnChange(this); }

private:
    bool transparent_ = false;
};
