#include "NativeControl.h"

#include <commctrl.h>

void SendNativeFont(TWinControl* Control) {
    if (Control->HandleAllocated())
        SendMessageA(Control->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Control->Font()->Handle()), TRUE);
}

LRESULT NativeCtlColor(TWinControl* Control, HDC DC) {
    SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(Control->Font()->Color())));
    SetBkColor(DC, static_cast<COLORREF>(ColorToRGB(Control->Color())));
    return reinterpret_cast<LRESULT>(Control->Brush()->Handle());
}

void InitCommonControlsOnce() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)done;
}
