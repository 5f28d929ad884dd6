// The gallery's hands and eyes inside Wine: tools/gallery.sh starts the
// programs and runs this helper between steps to wait for their windows,
// switch pages, press buttons, answer message boxes and save what the screen
// shows. One command per run; the exit code says whether it worked.
//
//   gallery_helper wait <window> <seconds>
//   gallery_helper items <window> <count> <seconds>   list view holds at least count items
//   gallery_helper text <window> <part> <seconds>     a control's text contains part
//   gallery_helper tab <window> <index>               page of the window's page control, by a click on its tab
//   gallery_helper click <window> <caption>            a click on the control with that caption
//   gallery_helper menubar <window> <index>           a click on a button of the window's menu bar
//                                                     (a tool bar; negative counts from the end)
//   gallery_helper keys <window> <key>...             alt, f10, left, right, up, down, enter, escape, space
//   gallery_helper answer <seconds>                   OK on the next message box of any program
//   gallery_helper shot <window> <file.bmp>           the window as the screen shows it
//   gallery_helper screen <file.bmp>                  the whole screen
//   gallery_helper close <window>
//   gallery_helper pointer <window> <x> <y>          the mouse moved onto client point x, y
//   gallery_helper dump <window>                      its controls: class, shown, place, text
//
// <window> is a top-level window's exact caption, or "class=<name>".

#include "Desktop.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

using namespace desktop;

namespace {

int Fail(const std::string& Why) {
    std::fprintf(stderr, "gallery_helper: %s\n", Why.c_str());
    return 1;
}

// A tool button's place in its bar. The bar belongs to another process, so
// the rectangle goes through memory of that process.
std::optional<RECT> ButtonRect(HWND Bar, int Index) {
    DWORD pid = 0;
    GetWindowThreadProcessId(Bar, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return std::nullopt;
    std::optional<RECT> result;
    if (void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE)) {
        RECT r{};
        SIZE_T read = 0;
        if (SendMessageA(Bar, TB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(remote)) &&
            ReadProcessMemory(process, remote, &r, sizeof r, &read) && read == sizeof r)
            result = r;
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return result;
}

DWORD Ms(const char* Seconds) { return static_cast<DWORD>(std::atof(Seconds) * 1000); }

HWND Window(const std::string& Spec, DWORD TimeoutMs = 10000) { return WaitTop(ByCaptionOrClass(Spec), TimeoutMs); }

int Run(const std::vector<std::string>& a) {
    if (a.empty()) return Fail("no command");
    const std::string& cmd = a[0];
    auto need = [&](size_t n) { return a.size() >= n + 1; };

    if (cmd == "screen" && need(1)) return SaveScreen(ScreenRect(), a[1]) ? 0 : Fail("cannot save " + a[1]);
    if (cmd == "answer" && need(1)) {
        HWND box = WaitTop(DialogOf(0), Ms(a[1].c_str()));
        if (!box) return Fail("no message box came");
        HWND text = GetDlgItem(box, 0xFFFF);
        std::printf("%s: %s\n", TextOf(box).c_str(), text ? TextOf(text).c_str() : "");
        HWND ok = GetDlgItem(box, IDOK);
        if (!ok) return Fail("the box has no OK button");
        Press(ok);
        return WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000) ? 0 : Fail("the box stayed");
    }
    if (!need(1)) return Fail("usage: see the source");

    const DWORD waitMs = cmd == "wait" && need(2) ? Ms(a[2].c_str()) : 10000;
    HWND w = Window(a[1], waitMs);
    if (!w) return Fail("no window \"" + a[1] + "\"");
    if (cmd == "wait") return 0;
    if (cmd == "dump") {
        for (HWND c : Children(w)) {
            const RECT r = WindowRect(c);
            std::printf("%p %-24s %s (%ld,%ld %ldx%ld) \"%s\"\n", static_cast<void*>(c), ClassOf(c).c_str(),
                        IsWindowVisible(c) ? "shown " : "hidden", r.left, r.top, r.right - r.left, r.bottom - r.top,
                        TextOf(c).substr(0, 60).c_str());
        }
        return 0;
    }
    if (cmd == "close") {
        PostMessageA(w, WM_CLOSE, 0, 0);
        return WaitFor([&] { return !IsWindow(w); }, 10000) ? 0 : Fail("the window did not close");
    }
    if (cmd == "items" && need(3)) {
        const int want = std::atoi(a[2].c_str());
        // The window may show before all its controls are made.
        HWND list = nullptr;
        const bool full = WaitFor(
            [&] {
                if (!list) list = FindChild(w, "SysListView32");
                return list && SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) >= want;
            },
            Ms(a[3].c_str()));
        if (!list) return Fail("no list view");
        return full ? 0 : Fail("the list view has " + std::to_string(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) + " items");
    }
    if (cmd == "text" && need(3))
        return WaitFor([&] { return FindChildContaining(w, a[2]) != nullptr; }, Ms(a[3].c_str()))
                   ? 0
                   : Fail("no control shows \"" + a[2] + "\"");
    if (cmd == "tab" && need(2)) {
        HWND tabs = FindChild(w, "TskPageControl");
        if (!tabs) return Fail("no page control");
        return SelectTab(tabs, std::atoi(a[2].c_str())) ? 0 : Fail("the page did not change");
    }
    if (cmd == "click" && need(2)) {
        HWND control = FindChildByText(w, a[2]);
        if (!control) return Fail("no control \"" + a[2] + "\"");
        Click(control);
        return 0;
    }
    if (cmd == "menubar" && need(2)) {
        HWND bar = FindChild(w, "TToolBar");
        if (!bar) bar = FindChild(w, "ToolbarWindow32");
        if (!bar) return Fail("no menu bar");
        const int count = static_cast<int>(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0));
        int index = std::atoi(a[2].c_str());
        if (index < 0) index += count;
        if (index < 0 || index >= count) return Fail("no such menu bar button");
        const std::optional<RECT> r = ButtonRect(bar, index);
        if (!r) return Fail("cannot read the button's place");
        const LPARAM at = MAKELPARAM((r->left + r->right) / 2, (r->top + r->bottom) / 2);
        Activate(w);
        PostMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(bar, WM_LBUTTONUP, 0, at);
        Sleep(300);  // the menu opens on the program's own loop
        return 0;
    }
    if (cmd == "keys" && need(2)) {
        static const std::map<std::string, WORD> names = {
            {"alt", VK_MENU}, {"f10", VK_F10}, {"left", VK_LEFT}, {"right", VK_RIGHT}, {"up", VK_UP},
            {"down", VK_DOWN}, {"enter", VK_RETURN}, {"escape", VK_ESCAPE}, {"space", VK_SPACE}};
        std::vector<WORD> keys;
        for (size_t i = 2; i < a.size(); ++i) {
            auto k = names.find(a[i]);
            if (k == names.end()) return Fail("unknown key " + a[i]);
            keys.push_back(k->second);
        }
        TypeKeys(w, keys);
        return 0;
    }
    if (cmd == "altspace") {
        // Alt held while Space goes down and up: the system menu's key.
        Activate(w);
        INPUT in[4]{};
        for (INPUT& i : in) i.type = INPUT_KEYBOARD;
        in[0].ki.wVk = in[3].ki.wVk = VK_MENU;
        in[1].ki.wVk = in[2].ki.wVk = VK_SPACE;
        in[2].ki.dwFlags = in[3].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(4, in, sizeof(INPUT));
        Sleep(400);
        return 0;
    }
    if (cmd == "rclick") {
        // A right click in the middle of the window's list view.
        HWND list = FindChild(w, "SysListView32");
        if (!list) return Fail("no list view");
        RECT r{};
        GetClientRect(list, &r);
        const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
        Activate(w);
        PostMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, at);
        PostMessageA(list, WM_RBUTTONUP, 0, at);
        Sleep(400);  // the menu opens on the program's own loop
        return 0;
    }
    if (cmd == "pointer" && need(3)) {
        // The real pointer moved there, and the move posted to the window
        // under it, as the system may not report a warp on its own.
        POINT at{std::atoi(a[2].c_str()), std::atoi(a[3].c_str())};
        ClientToScreen(w, &at);
        Activate(w);
        SetCursorPos(at.x, at.y);
        if (HWND under = WindowFromPoint(at)) {
            POINT local = at;
            ScreenToClient(under, &local);
            PostMessageA(under, WM_MOUSEMOVE, 0, MAKELPARAM(local.x, local.y));
        }
        Sleep(300);
        return 0;
    }
    if (cmd == "shot" && need(2)) {
        Activate(w);
        RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Sleep(400);  // the program paints on its own thread
        return SaveScreen(WindowRect(w), a[2]) ? 0 : Fail("cannot save " + a[2]);
    }
    return Fail("unknown command or missing arguments: " + cmd);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return Run(args);
}
