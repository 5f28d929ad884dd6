#pragma once
// Plays the user in front of a modal file dialog: a thread waits for the
// dialog (class "#32770") of this process, types a name into its file-name
// box and presses OK or Cancel, then watches for any further dialog (an
// overwrite prompt, a "file not found" box), notes its text and closes it.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TFileDialogDriver {
public:
    TFileDialogDriver(std::string Name, int Button) : thread_([this, Name, Button] { Run(Name, Button); }) {}
    ~TFileDialogDriver() { Join(); }
    TFileDialogDriver(const TFileDialogDriver&) = delete;
    TFileDialogDriver& operator=(const TFileDialogDriver&) = delete;

    void Join() {
        if (thread_.joinable()) thread_.join();
    }
    bool Found() const { return found_; }
    // The caption of the dialog, and the entries of its file-type box.
    std::string Caption;
    std::vector<std::string> FileTypes;
    // Texts of the dialogs that came up after the button was pressed.
    std::vector<std::string> Extra;

private:
    static HWND FindDialog(HWND Except) {
        struct Search {
            HWND except, found;
        } s{Except, nullptr};
        EnumWindows(
            [](HWND w, LPARAM p) -> BOOL {
                auto* s = reinterpret_cast<Search*>(p);
                char cls[16] = {};
                GetClassNameA(w, cls, sizeof cls);
                DWORD pid = 0;
                GetWindowThreadProcessId(w, &pid);
                if (w != s->except && std::string(cls) == "#32770" && pid == GetCurrentProcessId() &&
                    IsWindowVisible(w)) {
                    s->found = w;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&s));
        return s.found;
    }

    static HWND WaitDialog(HWND Except, int Milliseconds) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(Milliseconds);
        while (std::chrono::steady_clock::now() < end) {
            if (HWND w = FindDialog(Except)) return w;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return nullptr;
    }

    static std::string Text(HWND W) {
        char buf[512] = {};
        SendMessageA(W, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
        return buf;
    }

    // The file-name box: an edit, on its own or inside the name combo box.
    static HWND NameBox(HWND Dialog) {
        if (HWND combo = GetDlgItem(Dialog, 0x47C))
            if (HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr)) return edit;
        if (HWND combo = GetDlgItem(Dialog, 0x47C)) return combo;
        return GetDlgItem(Dialog, 0x480);
    }

    void Run(const std::string& Name, int Button) {
        HWND dialog = WaitDialog(nullptr, 15000);
        if (!dialog) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        found_ = true;
        Caption = Text(dialog);
        if (HWND types = GetDlgItem(dialog, 0x470)) {
            const int n = static_cast<int>(SendMessageA(types, CB_GETCOUNT, 0, 0));
            for (int i = 0; i < n; ++i) {
                char buf[256] = {};
                SendMessageA(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buf));
                FileTypes.push_back(buf);
            }
        }
        if (HWND box = NameBox(dialog)) SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Name.c_str()));
        PostMessageA(GetDlgItem(dialog, Button), BM_CLICK, 0, 0);
        // Anything else that comes up is noted and closed, then the dialog too.
        if (HWND extra = WaitDialog(dialog, 1500)) {
            std::string text;
            EnumChildWindows(
                extra,
                [](HWND w, LPARAM p) -> BOOL {
                    char cls[16] = {};
                    GetClassNameA(w, cls, sizeof cls);
                    if (std::string(cls) == "Static") *reinterpret_cast<std::string*>(p) += Text(w) + " ";
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&text));
            Extra.push_back(Text(extra) + ": " + text);
            PostMessageA(extra, WM_COMMAND, IDNO, 0);
            PostMessageA(extra, WM_COMMAND, IDCANCEL, 0);
            PostMessageA(extra, WM_COMMAND, IDOK, 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            if (IsWindow(dialog)) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    }

    std::atomic<bool> found_{false};
    std::thread thread_;
};
