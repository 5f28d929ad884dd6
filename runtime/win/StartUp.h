#pragma once
// The Win32 side of the screensaver's start: the test for a playback window
// already on screen, and the screen position of a queued mouse message.

#include "InputFilter.h"

#include <windows.h>

// The window class of the playback window.
inline constexpr const char* kPlaybackWindowClass = "TShowForm";

// A top-level window of the playback window's class exists (in any process).
bool PlaybackWindowExists();

// The position of a mouse message in screen coordinates: its client position
// (signed) moved by the origin of the window it was queued for.
TScreenPoint MessageScreenPoint(const MSG& Message);
