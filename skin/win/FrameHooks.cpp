#include "FrameHooks.h"

#include "Form.h"

#include <windows.h>

void RestoreFormCaption(TCustomForm* Form) {
    if (!Form->HandleAllocated()) return;
    HWND wnd = Form->Handle();
    SetWindowLongPtrA(wnd, GWL_STYLE, GetWindowLongPtrA(wnd, GWL_STYLE) | WS_CAPTION);
    SetWindowPos(wnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}
