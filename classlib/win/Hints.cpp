#include "Hints.h"

#include "Application.h"
#include "Control.h"

#include <algorithm>

namespace {

constexpr UINT_PTR ShowTimer = 1;
constexpr UINT_PTR HideTimer = 2;
constexpr int Padding = 3;

struct THintState {
    HWND window = nullptr;
    TControl* control = nullptr;  // the control the pointer rests on
    std::string text;             // what the window shows
    bool shown = false;
};

THintState& State() {
    static THintState state;
    return state;
}

HFONT HintFont() {
    static HFONT font = [] {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof(metrics);
        if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
            return CreateFontIndirectA(&metrics.lfStatusFont);
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }();
    return font;
}

void Show();

LRESULT CALLBACK HintWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    switch (Msg) {
        case WM_TIMER:
            KillTimer(Wnd, WParam);
            if (WParam == ShowTimer) Show();
            if (WParam == HideTimer) CancelHint();
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(Wnd, &ps);
            RECT r;
            GetClientRect(Wnd, &r);
            FillRect(dc, &r, GetSysColorBrush(COLOR_INFOBK));
            HGDIOBJ old = SelectObject(dc, HintFont());
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
            InflateRect(&r, -Padding, -Padding + 1);
            DrawTextA(dc, State().text.c_str(), static_cast<int>(State().text.size()), &r, DT_NOPREFIX | DT_LEFT);
            SelectObject(dc, old);
            EndPaint(Wnd, &ps);
            return 0;
        }
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
        case WM_NCHITTEST: return HTTRANSPARENT;
        default: return DefWindowProcA(Wnd, Msg, WParam, LParam);
    }
}

HWND HintWindow() {
    THintState& s = State();
    if (s.window && IsWindow(s.window)) return s.window;
    static const char* const kClass = "THintWindow";
    WNDCLASSA wc{};
    wc.lpfnWndProc = HintWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = kClass;
    WNDCLASSA existing{};
    if (!GetClassInfoA(wc.hInstance, kClass, &existing)) RegisterClassA(&wc);
    s.window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kClass, "", WS_POPUP | WS_BORDER, 0,
                               0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
    return s.window;
}

bool WantsHint(TControl* Control) { return Control && !Control->Hint.empty() && Control->HintsShown(); }

void Show() {
    THintState& s = State();
    if (!WantsHint(s.control) || !s.control->Showing()) return;
    HWND window = HintWindow();
    if (!window) return;
    s.text = s.control->Hint;
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, HintFont());
    RECT text{0, 0, 0, 0};
    DrawTextA(dc, s.text.c_str(), static_cast<int>(s.text.size()), &text, DT_CALCRECT | DT_NOPREFIX | DT_LEFT);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    POINT at;
    GetCursorPos(&at);
    const int width = text.right + 2 * Padding + 2, height = text.bottom + 2 * Padding;
    // Below the pointer, kept on the screen.
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    const int x = std::clamp(static_cast<int>(at.x), 0, std::max(0, screenW - width));
    int y = at.y + GetSystemMetrics(SM_CYCURSOR) * 2 / 3;
    if (y + height > screenH) y = std::max(0, static_cast<int>(at.y) - height);
    SetWindowPos(window, HWND_TOPMOST, x, y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(window, nullptr, FALSE);
    s.shown = true;
    SetTimer(window, HideTimer, static_cast<UINT>(std::max(Application->HintHidePause, 1)), nullptr);
}

}  // namespace

void HintMouseControlChanged(TControl* Control) {
    THintState& s = State();
    if (Control == s.control) return;
    CancelHint();
    s.control = Control;
    if (!WantsHint(Control)) return;
    if (HWND window = HintWindow())
        SetTimer(window, ShowTimer, static_cast<UINT>(std::max(Application->HintPause, 1)), nullptr);
}

void CancelHint() {
    THintState& s = State();
    if (s.window) {
        KillTimer(s.window, ShowTimer);
        KillTimer(s.window, HideTimer);
        if (s.shown) ShowWindow(s.window, SW_HIDE);
    }
    s.shown = false;
    s.text.clear();
    s.control = nullptr;
}

HWND ShownHintWindow() {
    const THintState& s = State();
    return s.shown && s.window && IsWindowVisible(s.window) ? s.window : nullptr;
}

std::string ShownHintText() { return ShownHintWindow() ? State().text : std::string(); }
