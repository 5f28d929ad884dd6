#pragma once
// Messages of the class library and the record every control message travels in.
// The numbers from CM_DIALOGKEY to CM_MOUSELEAVE are fixed: controls written
// against the library handle them by number.

#include <windows.h>

constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0x00;
constexpr UINT CM_DEACTIVATE = CM_BASE + 0x01;
constexpr UINT CM_DIALOGKEY = CM_BASE + 0x05;     // WParam: virtual key, LParam: key data
constexpr UINT CM_DIALOGCHAR = CM_BASE + 0x06;    // WParam: character, LParam: key data
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 0x07;  // LParam: the newly focused TWinControl*
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 0x08;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 0x09;
constexpr UINT CM_HITTEST = CM_BASE + 0x0A;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 0x0B;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 0x0C;
constexpr UINT CM_COLORCHANGED = CM_BASE + 0x0D;
constexpr UINT CM_FONTCHANGED = CM_BASE + 0x0E;
constexpr UINT CM_CURSORCHANGED = CM_BASE + 0x0F;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 0x12;
constexpr UINT CM_MOUSEENTER = CM_BASE + 0x13;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 0x14;
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 0x19;
constexpr UINT CM_ENTER = CM_BASE + 0x1A;
constexpr UINT CM_EXIT = CM_BASE + 0x1B;
constexpr UINT CM_DESIGNHITTEST = CM_BASE + 0x1C;  // design time only; never sent here
constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 0x1E;
constexpr UINT CM_RELEASE = CM_BASE + 0x21;
constexpr UINT CM_TABSTOPCHANGED = CM_BASE + 0x28;
constexpr UINT CM_CONTROLLISTCHANGE = CM_BASE + 0x2C;  // WParam: the TControl*, LParam: 1 inserted, 0 removed
constexpr UINT CM_RECREATEWND = CM_BASE + 0x33;        // asks a control to re-create its window
// Sent to a form after its window styles changed, so that code that edits the
// styles itself (a skinned frame) can apply its own changes again.
constexpr UINT CM_STYLECHANGED = CM_BASE + 0x3A;
constexpr UINT CM_BORDERCHANGED = 0xBE10;

// Notifications a native child sends its parent window (WM_COMMAND, WM_NOTIFY,
// WM_CTLCOLOR...) come back to the child's own object as CN_BASE + message.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;

// A message on its way through a control: WindowProc -> WndProc -> Dispatch ->
// DefaultHandler. Handlers set Result.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// Mouse position from a mouse message's LParam (signed: it can be off the control).
inline POINT MessagePoint(LPARAM LParam) {
    return POINT{static_cast<short>(LOWORD(LParam)), static_cast<short>(HIWORD(LParam))};
}
inline LPARAM PointToLParam(int X, int Y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(X)), static_cast<WORD>(static_cast<short>(Y)));
}
