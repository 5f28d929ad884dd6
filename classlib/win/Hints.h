#pragma once
// Hints: when the pointer rests on a control that shows hints (ShowHint, or
// ParentShowHint under a parent that does) and has a Hint, a small window with
// the hint appears below the pointer after Application->HintPause, and goes
// again after HintHidePause, when the pointer moves to another control, or on
// a mouse press or key press.

#include <windows.h>

#include <string>

class TControl;

// The library's mouse tracking reports every change of the control under
// the pointer here (null: none).
void HintMouseControlChanged(TControl* Control);
// Hides the hint and forgets the waiting one.
void CancelHint();

// The hint window while a hint shows, else null; and the text it shows.
HWND ShownHintWindow();
std::string ShownHintText();
