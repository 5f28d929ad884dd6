#pragma once
// A program a test starts as a process of its own: waited for, its exit code
// and windows looked at, and ended if it still runs when the object goes.

#include "TopWindows.h"

#include <windows.h>

#include <string>

class TProcess {
public:
    TProcess() = default;
    // Starts Program with the arguments (already quoted as needed), in Folder
    // when one is given, else in this process's current folder. The new
    // process inherits this one's environment. Started() tells whether it ran.
    TProcess(const std::string& Program, const std::string& Arguments, const std::string& Folder = {});
    // A program whose path the system code page cannot hold.
    TProcess(const std::wstring& Program, const std::wstring& Arguments);
    ~TProcess();
    TProcess(TProcess&& Other) noexcept;
    TProcess& operator=(TProcess&& Other) noexcept;
    TProcess(const TProcess&) = delete;
    TProcess& operator=(const TProcess&) = delete;

    bool Started() const { return info_.hProcess != nullptr; }
    DWORD Id() const { return info_.dwProcessId; }
    // True when it has ended within the time.
    bool Wait(DWORD TimeoutMs) const;
    bool Running() const { return Started() && !Wait(0); }
    // The exit code, or STILL_ACTIVE while it runs.
    DWORD ExitCode() const;

    // A top-level window of the process of that class (ignoring letter case), or null.
    HWND Window(const std::string& Class, TWindowFilter Filter = TWindowFilter::VisibleOnly) const;
    // A visible one, waited for; null when none shows within the time or the
    // process ends first.
    HWND WaitForWindow(const std::string& Class, DWORD TimeoutMs) const;

private:
    void End();
    PROCESS_INFORMATION info_{};
};
