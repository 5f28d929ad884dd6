#include "Desktop.h"

#include "WaitUntil.h"

#include <algorithm>
#include <fstream>

namespace desktop {

std::string TextOf(HWND Window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(Window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return {};
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(Window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, 5000, &copied))
        return {};
    text.resize(copied);
    return text;
}

std::string ClassOf(HWND Window) {
    char name[256];
    const int n = GetClassNameA(Window, name, sizeof name);
    return std::string(name, n > 0 ? static_cast<size_t>(n) : 0);
}

DWORD ProcessOf(HWND Window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(Window, &pid);
    return pid;
}

TWindowMatch ByCaptionOrClass(const std::string& Spec) {
    if (Spec.rfind("class=", 0) == 0) {
        const std::string cls = Spec.substr(6);
        return [cls](HWND w) { return ClassOf(w) == cls; };
    }
    // The application object's own window carries the title too; it is never the one meant.
    return [Spec](HWND w) { return ClassOf(w) != "TApplication" && TextOf(w) == Spec; };
}

TWindowMatch DialogOf(DWORD ProcessId) {
    return [ProcessId](HWND w) { return ClassOf(w) == "#32770" && (ProcessId == 0 || ProcessOf(w) == ProcessId); };
}

namespace {
struct TSearch {
    const TWindowMatch* Match;
    HWND Found = nullptr;
};

BOOL CALLBACK VisitTop(HWND Window, LPARAM Data) {
    auto* s = reinterpret_cast<TSearch*>(Data);
    if (IsWindowVisible(Window) && (*s->Match)(Window)) {
        s->Found = Window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND Window, LPARAM Data) {
    reinterpret_cast<std::vector<HWND>*>(Data)->push_back(Window);
    return TRUE;
}
}  // namespace

HWND FindTop(const TWindowMatch& Match) {
    TSearch s{&Match};
    EnumWindows(VisitTop, reinterpret_cast<LPARAM>(&s));
    return s.Found;
}

bool WaitFor(const std::function<bool()>& Done, DWORD TimeoutMs, DWORD PollMs) {
    return WaitUntil(Done, TimeoutMs, PollMs);
}

HWND WaitTop(const TWindowMatch& Match, DWORD TimeoutMs) {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindTop(Match)) != nullptr; }, TimeoutMs);
    return found;
}

std::vector<HWND> Children(HWND Parent) {
    std::vector<HWND> all;
    EnumChildWindows(Parent, CollectChild, reinterpret_cast<LPARAM>(&all));
    return all;
}

namespace {
bool EndsWith(const std::string& S, const std::string& End) {
    return S.size() >= End.size() && lstrcmpiA(S.c_str() + S.size() - End.size(), End.c_str()) == 0;
}

bool OfKind(const std::string& Class, const std::string& Kind) {
    if (lstrcmpiA(Class.c_str(), Kind.c_str()) == 0) return true;
    if (Kind == "SysTabControl32") return EndsWith(Class, "PageControl") || EndsWith(Class, "TabControl");
    if (Kind == "SysListView32") return EndsWith(Class, "ListView");
    if (Kind == "Edit") return EndsWith(Class, "Edit") || EndsWith(Class, "Memo");
    if (Kind == "Button") return EndsWith(Class, "Button") || EndsWith(Class, "CheckBox");
    return false;
}
}  // namespace

HWND FindChild(HWND Parent, const std::string& Kind, const std::string& Text) {
    for (HWND c : Children(Parent))
        if (OfKind(ClassOf(c), Kind) && (Text.empty() || TextOf(c) == Text)) return c;
    return nullptr;
}

HWND FindChildByText(HWND Parent, const std::string& Text) {
    for (HWND c : Children(Parent))
        if (IsWindowVisible(c) && TextOf(c) == Text) return c;
    return nullptr;
}

HWND FindChildContaining(HWND Parent, const std::string& Part) {
    for (HWND c : Children(Parent))
        if (TextOf(c).find(Part) != std::string::npos) return c;
    return nullptr;
}

void Press(HWND Button) { PostMessageA(Button, BM_CLICK, 0, 0); }

void Click(HWND Control) {
    RECT r{};
    GetClientRect(Control, &r);
    const LPARAM at = MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 2);
    PostMessageA(Control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(Control, WM_LBUTTONUP, 0, at);
}

namespace {
// The page control's direct children whose class ends with Kind.
std::vector<HWND> DirectChildren(HWND Parent, const std::string& Kind) {
    std::vector<HWND> found;
    for (HWND c = GetWindow(Parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (EndsWith(ClassOf(c), Kind)) found.push_back(c);
    return found;
}

// A left click at X, Y of Window, handled before the call returns: a page
// switch is done once it does.
void ClickNow(HWND Window, int X, int Y) {
    DWORD_PTR ignored = 0;
    const LPARAM at = MAKELPARAM(X, Y);
    SendMessageTimeoutA(Window, WM_MOUSEMOVE, 0, at, SMTO_ABORTIFHUNG, 5000, &ignored);
    SendMessageTimeoutA(Window, WM_LBUTTONDOWN, MK_LBUTTON, at, SMTO_ABORTIFHUNG, 5000, &ignored);
    SendMessageTimeoutA(Window, WM_LBUTTONUP, 0, at, SMTO_ABORTIFHUNG, 5000, &ignored);
}
}  // namespace

HWND ActiveSheet(HWND PageControl) {
    for (HWND sheet : DirectChildren(PageControl, "TabSheet"))
        if (IsWindowEnabled(sheet)) return sheet;
    return nullptr;
}

bool SelectTab(HWND PageControl, int Index) {
    const std::vector<HWND> strips = DirectChildren(PageControl, "TopPanel");
    if (strips.empty() || Index < 0) return false;
    HWND strip = strips.front();
    RECT client{};
    GetClientRect(strip, &client);
    // The tabs lie side by side along the strip from the left, but the strip
    // tells no other program where; as a user's eye does, the driver walks
    // along the row: a click that brings up another page is on the next tab.
    const int y = client.bottom / 2, step = 4;
    HWND start = ActiveSheet(PageControl);
    int x = 0;
    for (; x < client.right && ActiveSheet(PageControl) == start; x += step) ClickNow(strip, x, y);
    if (ActiveSheet(PageControl) == start) return Index == 0 && start;  // a single tab
    // The first change came from the first tab, or from the second when the
    // first was already up: then the place just before it brings that back.
    const int firstChange = x - step;
    int at = 0;
    if (firstChange >= step) {
        ClickNow(strip, firstChange - step, y);
        if (ActiveSheet(PageControl) == start) {
            if (Index == 0) return true;
            ClickNow(strip, firstChange, y);
            at = 1;
        }
    }
    for (x = firstChange + step; at < Index && x < client.right; x += step) {
        HWND before = ActiveSheet(PageControl);
        ClickNow(strip, x, y);
        if (ActiveSheet(PageControl) != before) ++at;
    }
    return at == Index;
}

void Activate(HWND Window) {
    ShowWindow(Window, SW_SHOW);
    SetForegroundWindow(Window);
    WaitFor([&] { return GetForegroundWindow() == Window; }, 2000);
}

void TypeKeys(HWND Window, const std::vector<WORD>& Keys) {
    Activate(Window);
    for (WORD key : Keys) {
        INPUT in[2]{};
        in[0].type = in[1].type = INPUT_KEYBOARD;
        in[0].ki.wVk = in[1].ki.wVk = key;
        in[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof(INPUT));
        Sleep(150);  // each key is handled before the next: menus open on their own loop
    }
}

RECT WindowRect(HWND Window) {
    RECT r{};
    GetWindowRect(Window, &r);
    return r;
}

RECT ScreenRect() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

std::vector<DWORD> Grab(const RECT& Rect) {
    const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
    if (w <= 0 || h <= 0) return {};
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<DWORD> pixels;
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, w, h, screen, Rect.left, Rect.top, SRCCOPY);
        GdiFlush();
        const auto* p = static_cast<const DWORD*>(bits);
        pixels.assign(p, p + static_cast<size_t>(w) * static_cast<size_t>(h));
        for (DWORD& c : pixels) c &= 0x00FFFFFF;
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

double RowShare(LONG Y, DWORD Color) {
    const std::vector<DWORD> row = Grab({0, Y, GetSystemMetrics(SM_CXSCREEN), Y + 1});
    if (row.empty()) return 0;
    return static_cast<double>(std::count(row.begin(), row.end(), Color)) / static_cast<double>(row.size());
}

bool SaveScreen(const RECT& Rect, const std::string& Path) {
    const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
    const std::vector<DWORD> pixels = Grab(Rect);
    if (pixels.empty()) return false;
    const DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u;
    std::vector<unsigned char> rows(static_cast<size_t>(stride) * static_cast<size_t>(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const DWORD c = pixels[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)];
            unsigned char* d = &rows[static_cast<size_t>(h - 1 - y) * stride + static_cast<size_t>(x) * 3];
            d[0] = static_cast<unsigned char>(c & 0xFF);  // blue: the grab holds BGRA
            d[1] = static_cast<unsigned char>((c >> 8) & 0xFF);
            d[2] = static_cast<unsigned char>((c >> 16) & 0xFF);
        }
    BITMAPINFOHEADER ih{sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(rows.size());
    std::ofstream f(Path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(&fh), sizeof fh);
    f.write(reinterpret_cast<const char*>(&ih), sizeof ih);
    f.write(reinterpret_cast<const char*>(rows.data()), static_cast<std::streamsize>(rows.size()));
    return static_cast<bool>(f);
}

std::string BuildFolder() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    s = s.substr(0, s.find_last_of('\\') + 1) + "..\\..\\";
    char full[MAX_PATH];
    const DWORD m = GetFullPathNameA(s.c_str(), MAX_PATH, full, nullptr);
    return std::string(full, m);
}

double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

}  // namespace desktop
