#pragma once
// TCustomControl: a windowed control that paints itself on its Canvas.

#include "ControlCanvas.h"
#include "WinControl.h"

class TCustomControl : public TWinControl {
public:
    TCustomControl() : canvas_(this) {}
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
    TCanvas* Canvas() { return &canvas_; }

protected:
    void BeforeDestruction() override;
    void PaintWindow(HDC DC) override;
    virtual void Paint() {}

private:
    TControlCanvas canvas_;
};
