#include "UserInput.h"

#include "Control.h"
#include "Pump.h"

void ClickAt(HWND Window, int X, int Y, bool Double) {
    const LPARAM p = MAKELPARAM(X, Y);
    PostMessageA(Window, WM_LBUTTONDOWN, MK_LBUTTON, p);
    PostMessageA(Window, WM_LBUTTONUP, 0, p);
    if (Double) {
        PostMessageA(Window, WM_LBUTTONDBLCLK, MK_LBUTTON, p);
        PostMessageA(Window, WM_LBUTTONUP, 0, p);
    }
    PumpFor(80);
}

void RightClickAt(HWND Window, int X, int Y) {
    // The pointer is where the user clicks: controls that report the click
    // as WM_CONTEXTMENU take the point from it.
    POINT screen{X, Y};
    ClientToScreen(Window, &screen);
    SetCursorPos(screen.x, screen.y);
    const LPARAM p = MAKELPARAM(X, Y);
    PostMessageA(Window, WM_RBUTTONDOWN, MK_RBUTTON, p);
    PostMessageA(Window, WM_RBUTTONUP, 0, p);
}

void TypeChars(HWND Window, const std::string& Text) {
    for (char c : Text) PostMessageA(Window, WM_CHAR, static_cast<unsigned char>(c), 1);
    PumpFor(50);
}

void PressKey(HWND Window, WORD Key) {
    PostMessageA(Window, WM_KEYDOWN, Key, 1);
    PostMessageA(Window, WM_KEYUP, Key, 0xC0000001);
    PumpFor(50);
}

void PressKeys(const std::vector<WORD>& Keys) {
    std::vector<INPUT> input;
    auto add = [&](WORD Key, DWORD Flags) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = Key;
        i.ki.dwFlags = Flags;
        input.push_back(i);
    };
    for (WORD k : Keys) add(k, 0);
    for (auto k = Keys.rbegin(); k != Keys.rend(); ++k) add(*k, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
    PumpFor(100);
}

SIZE ClientSize(HWND Window) {
    RECT r;
    GetClientRect(Window, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void RestOn(TControl* Control, int X, int Y) {
    const TPoint at = Control->ClientToScreen({X, Y});
    SetCursorPos(at.X, at.Y);
    HWND target = WindowFromPoint(POINT{at.X, at.Y});
    POINT local{at.X, at.Y};
    ScreenToClient(target, &local);
    PostMessageA(target, WM_MOUSEMOVE, 0, MAKELPARAM(local.x, local.y));
    PumpFor(30);
}
