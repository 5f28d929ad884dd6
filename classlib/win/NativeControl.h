#pragma once
// Pieces shared by the controls that wrap a native window class (EDIT,
// BUTTON, SysListView32, SysTabControl32, ToolbarWindow32): the control's
// font and colours handed to the native window, and the messages they all
// handle alike.

#include "WinControl.h"

// Which reflected WM_CTLCOLOR* messages a native control answers with its own colours.
enum class TNativeColors {
    None,    // the native window keeps its own colours
    Button,  // buttons and check boxes: CN_CTLCOLORBTN and CN_CTLCOLORSTATIC
    Edit,    // edits and memos: CN_CTLCOLOREDIT and CN_CTLCOLORSTATIC (read-only or disabled)
};

// Gives the native window the control's font (after creation and on CM_FONTCHANGED).
void SendNativeFont(TWinControl* Control);
// Answers a reflected WM_CTLCOLOR* with the control's font colour, colour and brush.
LRESULT NativeCtlColor(TWinControl* Control, HDC DC);
// The cases every wrapped native control shares, for the start of its
// Dispatch: WM_PAINT without a given context is the native window's own
// painting, the reflected WM_CTLCOLOR* of Colors take the control's colours,
// and CM_FONTCHANGED hands the new font to the window. True when Message is
// done with; CM_FONTCHANGED answers false, so the control goes on with it.
bool DispatchNativeMessage(TWinControl* Control, TMessage& Message, TNativeColors Colors);
// Loads the common controls (list view, tab control, tool bar) once.
void InitCommonControlsOnce();
