#pragma once
// A window as it stands on the screen, copied into a bitmap: for the
// screenshots that tests and galleries save.

#include "Bitmap.h"

#include <windows.h>

// Sizes Shot to Window (frame included) and copies the screen under it.
void ShootWindow(HWND Window, TBitmap& Shot);
