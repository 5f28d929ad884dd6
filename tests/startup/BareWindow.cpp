// The least a program can do to put a full-screen picture on screen: one
// topmost popup window filled with the sample's first movie background
// colour, shown as soon as the program starts. The start-up timing measures
// it the way it measures the screensaver, so that what the window system
// itself costs under this platform is known beside the screensaver's figure.
//
// "/p ..." ends at once (its bare start); anything else shows the window
// until a key is pressed.

#include <windows.h>

namespace {

constexpr COLORREF kFill = RGB(10, 16, 44);
constexpr char kClass[] = "TessaloomBareWindow";

LRESULT CALLBACK BareWindowProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
    switch (Message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(Window, &ps);
            HBRUSH fill = CreateSolidBrush(kFill);
            FillRect(dc, &ps.rcPaint, fill);
            DeleteObject(fill);
            EndPaint(Window, &ps);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_KEYDOWN: DestroyWindow(Window); return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return DefWindowProcA(Window, Message, WParam, LParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE Instance, HINSTANCE, LPSTR CommandLine, int) {
    if (CommandLine[0] != '\0' && (CommandLine[1] == 'p' || CommandLine[1] == 'P')) return 0;
    WNDCLASSA wc{};
    wc.lpfnWndProc = BareWindowProc;
    wc.hInstance = Instance;
    wc.lpszClassName = kClass;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    if (!RegisterClassA(&wc)) return 1;
    HWND window = CreateWindowExA(WS_EX_TOPMOST, kClass, "Bare window", WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                  GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, Instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
