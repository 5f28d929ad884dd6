#include "WindowShot.h"

#include "Canvas.h"

void ShootWindow(HWND Window, TBitmap& Shot) {
    RECT r{};
    GetWindowRect(Window, &r);
    Shot.SetSize(r.right - r.left, r.bottom - r.top);
    HDC screen = GetDC(nullptr);
    BitBlt(Shot.Canvas()->Handle(), 0, 0, Shot.Width(), Shot.Height(), screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
}
