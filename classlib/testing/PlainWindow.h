#pragma once
// A bare top-level window of a class registered for it, for tests that need a
// real window on the desktop: one to draw on, to find by its class, or to
// bring in front of another. Destroyed, and its class unregistered, when the
// object goes.

#include <windows.h>

#include <string>

class TPlainWindow {
public:
    TPlainWindow(const std::string& Class, int Left, int Top, int Width, int Height,
                 DWORD Style = WS_POPUP | WS_VISIBLE, DWORD ExStyle = 0, const std::string& Caption = {});
    ~TPlainWindow();
    TPlainWindow(const TPlainWindow&) = delete;
    TPlainWindow& operator=(const TPlainWindow&) = delete;

    HWND Handle() const { return handle_; }

private:
    std::string class_;
    HWND handle_ = nullptr;
};
