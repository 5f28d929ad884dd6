#include "DialogAnswerer.h"

#include "Pump.h"

#include <algorithm>

namespace {
std::string WindowText(HWND Wnd) {
    char buf[4096];
    const int n = GetWindowTextA(Wnd, buf, sizeof buf);
    return std::string(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

BOOL CALLBACK LongestStatic(HWND Child, LPARAM Data) {
    char cls[32];
    GetClassNameA(Child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") == 0) {
        auto* best = reinterpret_cast<std::string*>(Data);
        std::string t = WindowText(Child);
        if (t.size() > best->size()) *best = t;
    }
    return TRUE;
}

struct Found {
    DWORD pid;
    std::vector<HWND> dialogs;
};

BOOL CALLBACK CollectDialogs(HWND Wnd, LPARAM Data) {
    auto* f = reinterpret_cast<Found*>(Data);
    DWORD pid = 0;
    GetWindowThreadProcessId(Wnd, &pid);
    char cls[16];
    if (pid == f->pid && IsWindowVisible(Wnd) && GetClassNameA(Wnd, cls, sizeof cls) && lstrcmpA(cls, "#32770") == 0)
        f->dialogs.push_back(Wnd);
    return TRUE;
}
}  // namespace

TSeenDialog ReadDialog(HWND Dialog) {
    TSeenDialog d;
    d.Caption = WindowText(Dialog);
    // The text of a message box is the static control 0xFFFF; other dialogs: the longest static.
    if (HWND text = GetDlgItem(Dialog, 0xFFFF)) d.Text = WindowText(text);
    if (d.Text.empty()) EnumChildWindows(Dialog, LongestStatic, reinterpret_cast<LPARAM>(&d.Text));
    return d;
}

TDialogAnswerer::TDialogAnswerer(int Button) : button_(Button), thread_([this] { Watch(); }) {}

TDialogAnswerer::~TDialogAnswerer() {
    stop_ = true;
    thread_.join();
}

void TDialogAnswerer::Watch() {
    while (!stop_) {
        Found f{GetCurrentProcessId(), {}};
        EnumWindows(CollectDialogs, reinterpret_cast<LPARAM>(&f));
        for (HWND dlg : f.dialogs) {
            {
                std::lock_guard<std::mutex> lock(mutex_);
                if (std::find(answered_.begin(), answered_.end(), dlg) != answered_.end()) continue;
            }
            TSeenDialog seen = ReadDialog(dlg);
            const int button = button_;
            PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, button)));
            std::lock_guard<std::mutex> lock(mutex_);
            answered_.push_back(dlg);
            seen_.push_back(seen);
        }
        // Forget handles of closed dialogs: Windows reuses them.
        {
            std::lock_guard<std::mutex> lock(mutex_);
            answered_.erase(std::remove_if(answered_.begin(), answered_.end(), [](HWND w) { return !IsWindow(w); }),
                            answered_.end());
        }
        Sleep(20);
    }
}

bool TDialogAnswerer::WaitFor(size_t Count, DWORD TimeoutMs) {
    return PumpUntil([&] { return this->Count() >= Count; }, TimeoutMs);
}

std::vector<TSeenDialog> TDialogAnswerer::Seen() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
}

size_t TDialogAnswerer::Count() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_.size();
}
