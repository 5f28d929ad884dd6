#pragma once
// TGraphicControl: a control without a window. Its parent paints it (moved
// and clipped to it), hit-tests it and passes it its mouse messages.

#include "ControlCanvas.h"
#include "Control.h"

class TGraphicControl : public TControl {
public:
    TGraphicControl() : canvas_(this) {}
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
    TCanvas* Canvas() { return &canvas_; }

protected:
    void Dispatch(TMessage& Message) override;
    virtual void Paint() {}

private:
    TControlCanvas canvas_;
};
