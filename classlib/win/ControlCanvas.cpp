#include "ControlCanvas.h"

#include "WinControl.h"

void TControlCanvas::FreeHandle() {
    SetHandle(nullptr);
    if (ownDC_) ReleaseDC(dcWindow_, ownDC_);
    ownDC_ = nullptr;
    dcWindow_ = nullptr;
}

void TControlCanvas::AttachPaintDC(HDC DC) {
    FreeHandle();
    SetHandle(DC);
}

void TControlCanvas::CreateHandle() {
    if (auto* w = dynamic_cast<TWinControl*>(control_)) {
        dcWindow_ = w->Handle();
        ownDC_ = GetDC(dcWindow_);
    } else if (control_ && control_->Parent()) {
        dcWindow_ = control_->Parent()->Handle();
        ownDC_ = GetDC(dcWindow_);
        SetViewportOrgEx(ownDC_, control_->Left(), control_->Top(), nullptr);
        ::IntersectClipRect(ownDC_, 0, 0, control_->Width(), control_->Height());
    }
    if (ownDC_) SetHandle(ownDC_);
}
