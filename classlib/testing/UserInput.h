#pragma once
// A user's mouse and keyboard, for GUI tests: messages posted to a window
// and handled through the application's loop, or keys sent as the keyboard
// would deliver them to the window in front.

#include <windows.h>

#include <string>
#include <vector>

class TControl;

// A left click (or a double click: down, up, double-click down, up) at client point X, Y of Window.
void ClickAt(HWND Window, int X, int Y, bool Double = false);
// A right click at client point X, Y of Window, with the pointer moved there.
// Not waited for: the menu it may open runs a loop of its own.
void RightClickAt(HWND Window, int X, int Y);
// Characters typed into Window.
void TypeChars(HWND Window, const std::string& Text);
// A key pressed and released while Window has the focus (through the application's loop).
void PressKey(HWND Window, WORD Key);
// Keys pressed in order and released in reverse order through the system's
// input (Ctrl+S is {VK_CONTROL, 'S'}): they reach the focused window of the
// window in front, with the key state set as for a real keyboard.
void PressKeys(const std::vector<WORD>& Keys);
// The pointer comes to rest at client point X, Y of Control: the cursor is
// put there and the window under it gets the mouse move a real pointer makes.
void RestOn(TControl* Control, int X, int Y);
// The client size of a window.
SIZE ClientSize(HWND Window);
