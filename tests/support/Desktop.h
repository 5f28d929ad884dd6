#pragma once
// Looking at and working the windows of other processes the way a user does:
// finding top-level windows and their controls, reading texts, pressing
// buttons, switching tabs, typing keys, and saving what the screen shows;
// also the build the tests run in and a clock to time the programs by.
// Used by the gallery's helper program and by the whole-system tests, which
// start the real programs as processes.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace desktop {

using TWindowMatch = std::function<bool(HWND)>;

std::string TextOf(HWND Window);
std::string ClassOf(HWND Window);
DWORD ProcessOf(HWND Window);

// Matches a visible top-level window by its exact caption, or by its class
// when Spec starts with "class=".
TWindowMatch ByCaptionOrClass(const std::string& Spec);
// A visible "#32770" dialog (message box) of the given process, or of any
// process when ProcessId is 0.
TWindowMatch DialogOf(DWORD ProcessId);

// The first visible top-level window that matches, or null.
HWND FindTop(const TWindowMatch& Match);
// Waits for one; null when none appears in time.
HWND WaitTop(const TWindowMatch& Match, DWORD TimeoutMs);
// Waits until Done holds, checking every PollMs; false on timeout.
bool WaitFor(const std::function<bool()>& Done, DWORD TimeoutMs, DWORD PollMs = 20);

// Child windows (at any depth) in the order Windows lists them.
std::vector<HWND> Children(HWND Parent);
// The first child of a kind whose text matches Text exactly (any text when
// Text is empty), or null. A kind is a native class and the class library's
// classes built on it: "SysTabControl32" also finds a "TPageControl",
// "SysListView32" a "TListView", "Edit" a "TMemo".
HWND FindChild(HWND Parent, const std::string& Kind, const std::string& Text = {});
// The first child whose text is exactly Text, of any class.
HWND FindChildByText(HWND Parent, const std::string& Text);
// The first child whose text contains Part, or null.
HWND FindChildContaining(HWND Parent, const std::string& Part);

// Presses a native button (BM_CLICK).
void Press(HWND Button);
// A left click in the middle of a control, as the mouse sends it.
void Click(HWND Control);
// Brings up page Index of a skinned page control by clicks on its tab strip
// (mouse messages handled before each call returns). False when the strip
// has no such tab.
bool SelectTab(HWND PageControl, int Index);
// The page in front of a skinned page control (the one enabled sheet), or null.
HWND ActiveSheet(HWND PageControl);
// Brings Window to the front and types the keys (virtual-key codes), each
// pressed and released, through the system's input.
void TypeKeys(HWND Window, const std::vector<WORD>& Keys);
// Brings Window to the front.
void Activate(HWND Window);

// The screen's pixels in Rect (screen coordinates), top row first, $00RRGGBB.
std::vector<DWORD> Grab(const RECT& Rect);
// Saves the screen's pixels in Rect as a 24-bit bitmap file.
bool SaveScreen(const RECT& Rect, const std::string& Path);
// The share (0 to 1) of the pixels of screen row Y that have Color ($00RRGGBB).
double RowShare(LONG Y, DWORD Color);
RECT WindowRect(HWND Window);
RECT ScreenRect();

// The Windows build's folder (build/windows/, with a trailing backslash),
// found from a test program two folders below it.
std::string BuildFolder();

// Seconds on a steady clock of high resolution.
double Now();

}  // namespace desktop
