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

bool DispatchNativeMessage(TWinControl* Control, TMessage& Message, TNativeColors Colors) {
    switch (Message.Msg) {
        case WM_PAINT:
            if (Message.WParam != 0) return false;
            if (Control->SkipCoveredPaint()) {
                Message.Result = 0;
                return true;
            }
            Control->DefaultHandler(Message);
            return true;
        case CN_CTLCOLORBTN:
            if (Colors != TNativeColors::Button) return false;
            break;
        case CN_CTLCOLOREDIT:
            if (Colors != TNativeColors::Edit) return false;
            break;
        case CN_CTLCOLORSTATIC:
            if (Colors == TNativeColors::None) return false;
            break;
        case CM_FONTCHANGED: SendNativeFont(Control); return false;
        default: return false;
    }
    Message.Result = NativeCtlColor(Control, reinterpret_cast<HDC>(Message.WParam));
    return true;
}

void InitCommonControlsOnce() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)done;
}
