#include "Process.h"

#include <utility>

TProcess::TProcess(const std::string& Program, const std::string& Arguments, const std::string& Folder) {
    std::string commandLine = "\"" + Program + "\"" + (Arguments.empty() ? "" : " " + Arguments);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    if (!CreateProcessA(Program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        Folder.empty() ? nullptr : Folder.c_str(), &si, &info_))
        info_ = {};
}

TProcess::TProcess(const std::wstring& Program, const std::wstring& Arguments) {
    std::wstring commandLine = L"\"" + Program + L"\"" + (Arguments.empty() ? L"" : L" " + Arguments);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (!CreateProcessW(Program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info_))
        info_ = {};
}

TProcess::~TProcess() { End(); }

TProcess::TProcess(TProcess&& Other) noexcept : info_(std::exchange(Other.info_, {})) {}

TProcess& TProcess::operator=(TProcess&& Other) noexcept {
    if (this != &Other) {
        End();
        info_ = std::exchange(Other.info_, {});
    }
    return *this;
}

void TProcess::End() {
    if (!Started()) return;
    // A test that failed half way leaves its program running: it must not
    // stay behind to get in the way of the next test.
    if (!Wait(0)) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 10000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
    info_ = {};
}

bool TProcess::Wait(DWORD TimeoutMs) const {
    return Started() && WaitForSingleObject(info_.hProcess, TimeoutMs) == WAIT_OBJECT_0;
}

DWORD TProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (Started()) GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

HWND TProcess::Window(const std::string& Class, TWindowFilter Filter) const {
    return Started() ? FindTopWindow(Id(), Class, Filter) : nullptr;
}

HWND TProcess::WaitForWindow(const std::string& Class, DWORD TimeoutMs) const {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND found = Window(Class)) return found;
        if (GetTickCount() - start >= TimeoutMs) return nullptr;
        // Waiting on the process instead of sleeping gives up at once when it ends.
        if (!Started() || Wait(20)) return nullptr;
    }
}
