#include "HiddenBatch.h"

#include "SysUtils.h"

#include <windows.h>

#include <vector>

bool StartHiddenBatch(const std::string& Batch) {
    // cmd expands "%...%" in its own command line, and a temporary folder may
    // hold a "%" (a user name, a redirected profile): the batch is named
    // relative to its folder, which becomes the working folder.
    char system[MAX_PATH] = {};
    const UINT n = GetSystemDirectoryA(system, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return false;
    const std::string interpreter = std::string(system) + "\\cmd.exe";
    const std::string folder = ExtractFilePath(Batch);
    const std::string line = "cmd.exe /c \"" + ExtractFileName(Batch) + "\"";
    std::vector<char> commandLine(line.begin(), line.end());
    commandLine.push_back('\0');

    if (GetFileAttributesA(Batch.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(interpreter.c_str(), commandLine.data(), nullptr, nullptr, FALSE, IDLE_PRIORITY_CLASS, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}
