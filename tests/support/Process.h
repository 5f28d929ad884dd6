#pragma once
// A program started as its own process, ended if still running when the
// object goes; and the folders of the build the system tests run in.

#include <windows.h>

#include <string>

namespace desktop {

class TProcess {
public:
    TProcess() = default;
    // Starts Program with the arguments (already quoted as needed); the new
    // process inherits this one's environment.
    TProcess(const std::string& Program, const std::string& Arguments);
    ~TProcess();
    TProcess(TProcess&& Other) noexcept;
    TProcess& operator=(TProcess&& Other) noexcept;
    TProcess(const TProcess&) = delete;
    TProcess& operator=(const TProcess&) = delete;

    bool Started() const { return pi_.hProcess != nullptr; }
    DWORD Id() const { return pi_.dwProcessId; }
    // True when it ended within the time.
    bool Wait(DWORD TimeoutMs);
    bool Running() { return Started() && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }
    // The exit code, or STILL_ACTIVE.
    DWORD ExitCode();

private:
    void Close();
    PROCESS_INFORMATION pi_{};
};

// The Windows build's folder (build/windows/, with a trailing backslash),
// found from a test program two folders below it.
std::string BuildFolder();

// Seconds on a steady clock of high resolution.
double Now();

}  // namespace desktop
