#include "TopWindows.h"

namespace {

struct TSearch {
    DWORD processId;
    const std::string* className;
    TWindowFilter filter;
    HWND found;
};

BOOL CALLBACK Visit(HWND Window, LPARAM Data) {
    auto* s = reinterpret_cast<TSearch*>(Data);
    DWORD pid = 0;
    GetWindowThreadProcessId(Window, &pid);
    if (pid != s->processId) return TRUE;
    if (s->filter == TWindowFilter::VisibleOnly && !IsWindowVisible(Window)) return TRUE;
    char cls[256] = {};
    GetClassNameA(Window, cls, sizeof cls);
    if (lstrcmpiA(cls, s->className->c_str()) != 0) return TRUE;
    s->found = Window;
    return FALSE;
}

}  // namespace

HWND FindTopWindow(DWORD ProcessId, const std::string& Class, TWindowFilter Filter) {
    TSearch s{ProcessId, &Class, Filter, nullptr};
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&s));
    return s.found;
}
