#pragma once
// Finding the windows a test's own process, or a program it started, has on
// the desktop.

#include <windows.h>

#include <string>

enum class TWindowFilter { AnyWindow, VisibleOnly };

// A top-level window of the process whose class is Class (ignoring letter
// case), or null.
HWND FindTopWindow(DWORD ProcessId, const std::string& Class, TWindowFilter Filter = TWindowFilter::VisibleOnly);
