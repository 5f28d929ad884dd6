#pragma once
// A canvas on a control: during painting it draws into the paint context;
// otherwise it takes the window's client DC on first use (for a control
// without a window, the parent's, moved and clipped to the control).

#include "Canvas.h"

class TControl;

class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TControl* Control) : control_(Control) {}
    ~TControlCanvas() override { FreeHandle(); }
    std::string ClassName() const override { return "TControlCanvas"; }

    // Gives back a DC taken with GetDC, or detaches a paint context.
    void FreeHandle();
    // Draws into DC until FreeHandle (the paint context of WM_PAINT).
    void AttachPaintDC(HDC DC);

protected:
    void CreateHandle() override;

private:
    TControl* control_;
    HWND dcWindow_ = nullptr;
    HDC ownDC_ = nullptr;
};
