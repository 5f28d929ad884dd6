#include "PlainWindow.h"

TPlainWindow::TPlainWindow(const std::string& Class, int Left, int Top, int Width, int Height, DWORD Style,
                           DWORD ExStyle, const std::string& Caption)
    : class_(Class) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = class_.c_str();
    RegisterClassA(&wc);
    handle_ = CreateWindowExA(ExStyle, class_.c_str(), Caption.c_str(), Style, Left, Top, Width, Height, nullptr,
                              nullptr, wc.hInstance, nullptr);
}

TPlainWindow::~TPlainWindow() {
    if (handle_) DestroyWindow(handle_);
    UnregisterClassA(class_.c_str(), GetModuleHandleA(nullptr));
}
