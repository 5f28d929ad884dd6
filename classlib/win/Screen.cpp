#include "Screen.h"

#include "Form.h"

#include <algorithm>

TScreen* const Screen = Create<TScreen>(nullptr);

const TClassInfo& TScreen::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TScreen, TComponent>("TScreen", [](auto&) {});
    return info;
}

int TScreen::PixelsPerInch() const {
    HDC dc = GetDC(nullptr);
    const int ppi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return ppi;
}

RECT TScreen::WorkArea() const {
    RECT r{0, 0, Width(), Height()};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

HCURSOR TScreen::Cursors(TCursor Index) const {
    if (auto it = custom_.find(Index); it != custom_.end()) return it->second;
    LPCSTR id = IDC_ARROW;
    switch (Index) {
        case crNone: return nullptr;
        case crCross: id = IDC_CROSS; break;
        case crIBeam: id = IDC_IBEAM; break;
        case crSizeNESW: id = IDC_SIZENESW; break;
        case crSizeNS: id = IDC_SIZENS; break;
        case crSizeNWSE: id = IDC_SIZENWSE; break;
        case crSizeWE: id = IDC_SIZEWE; break;
        case crUpArrow: id = IDC_UPARROW; break;
        case crHourGlass: id = IDC_WAIT; break;
        case crNo: id = IDC_NO; break;
        case crAppStart: id = IDC_APPSTARTING; break;
        case crHelp: id = IDC_HELP; break;
        case crHandPoint: id = IDC_HAND; break;
        case crSizeAll: id = IDC_SIZEALL; break;
        default: break;
    }
    return LoadCursorA(nullptr, id);
}

void TScreen::SetCursor(TCursor Value) {
    if (Value == cursor_) return;
    cursor_ = Value;
    if (Value != crDefault) {
        ::SetCursor(Cursors(Value));
    } else {
        POINT p;
        GetCursorPos(&p);
        SetCursorPos(p.x, p.y);  // lets the window under the mouse choose again
    }
}

TCustomForm* TScreen::ActiveForm() const {
    HWND active = GetActiveWindow();
    for (TCustomForm* f : forms_)
        if (f->HandleAllocated() && f->Handle() == active) return f;
    return nullptr;
}

void TScreen::AddForm(TCustomForm* Form) {
    if (std::find(forms_.begin(), forms_.end(), Form) == forms_.end()) forms_.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm* Form) { forms_.erase(std::remove(forms_.begin(), forms_.end(), Form), forms_.end()); }
