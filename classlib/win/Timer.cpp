#include "Timer.h"

#include "Application.h"

const TClassInfo& TTimer::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TTimer, TComponent>("TTimer", [](auto& c) {
        c.Bool("Enabled", &TTimer::Enabled, &TTimer::SetEnabled);
        c.template Property<unsigned>("Interval", &TTimer::Interval, &TTimer::SetInterval);
        c.Event("OnTimer", &TTimer::OnTimer);
    });
    return info;
}

// Each timer has a hidden message-only window. The tick handler is the last
// thing the procedure touches, so the handler may free the timer.
LRESULT CALLBACK TimerWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg != WM_TIMER) return DefWindowProcA(Wnd, Msg, WParam, LParam);
    auto* timer = reinterpret_cast<TTimer*>(GetWindowLongPtrA(Wnd, GWLP_USERDATA));
    if (!timer) return 0;
    try {
        timer->Timer();
    } catch (...) {
        Application->HandleException(timer);
    }
    return 0;
}

void TTimer::UpdateTimer() {
    if (window_) KillTimer(window_, 1);
    if (!enabled_ || interval_ == 0 || ComponentState().Contains(csLoading) ||
        ComponentState().Contains(csDestroying))
        return;
    if (!window_) {
        static const char* const kClass = "TTimerWindow";
        WNDCLASSA wc{};
        wc.lpfnWndProc = TimerWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClass;
        WNDCLASSA existing{};
        if (!GetClassInfoA(wc.hInstance, kClass, &existing)) RegisterClassA(&wc);
        window_ = CreateWindowExA(0, kClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        if (!window_) throw EOutOfResources("Not enough timers available");
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    if (!SetTimer(window_, 1, interval_, nullptr)) throw EOutOfResources("Not enough timers available");
}

void TTimer::SetEnabled(bool Value) {
    if (Value == enabled_) return;
    enabled_ = Value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned Value) {
    if (Value == interval_) return;
    interval_ = Value;
    UpdateTimer();
}

void TTimer::Init() {
    TComponent::Init();
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::BeforeDestruction() {
    if (window_) {
        KillTimer(window_, 1);
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
        window_ = nullptr;
    }
    TComponent::BeforeDestruction();
}
