#include "Process.h"

#include <utility>

namespace desktop {

TProcess::TProcess(const std::string& Program, const std::string& Arguments) {
    std::string commandLine = "\"" + Program + "\"" + (Arguments.empty() ? "" : " " + Arguments);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    if (!CreateProcessA(Program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_))
        pi_ = {};
}

TProcess::~TProcess() { Close(); }

TProcess::TProcess(TProcess&& Other) noexcept : pi_(std::exchange(Other.pi_, {})) {}

TProcess& TProcess::operator=(TProcess&& Other) noexcept {
    if (this != &Other) {
        Close();
        pi_ = std::exchange(Other.pi_, {});
    }
    return *this;
}

void TProcess::Close() {
    if (!pi_.hProcess) return;
    if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(pi_.hProcess, 99);
        WaitForSingleObject(pi_.hProcess, 10000);
    }
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
    pi_ = {};
}

bool TProcess::Wait(DWORD TimeoutMs) { return Started() && WaitForSingleObject(pi_.hProcess, TimeoutMs) == WAIT_OBJECT_0; }

DWORD TProcess::ExitCode() {
    DWORD code = STILL_ACTIVE;
    if (Started()) GetExitCodeProcess(pi_.hProcess, &code);
    return code;
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
