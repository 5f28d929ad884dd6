#pragma once
// Pieces shared by the controls that wrap a native window class (EDIT,
// BUTTON, SysListView32, SysTabControl32, ToolbarWindow32): the control's
// font and colours handed to the native window.

#include "WinControl.h"

// Gives the native window the control's font (after creation and on CM_FONTCHANGED).
void SendNativeFont(TWinControl* Control);
// Answers a reflected WM_CTLCOLOR* with the control's font colour, colour and brush.
LRESULT NativeCtlColor(TWinControl* Control, HDC DC);
// Loads the common controls (list view, tab control, tool bar) once.
void InitCommonControlsOnce();
