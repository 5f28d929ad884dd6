#include "OwnProgramFile.h"

#include "Exceptions.h"

#include <windows.h>

std::wstring OwnProgramPath() {
    // Long-path folders hold paths past MAX_PATH: the buffer grows until the
    // whole name fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) throw Exception("Cannot find the program's own file");
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::unique_ptr<TFileStream> OpenOwnProgramFile() {
    return std::make_unique<TFileStream>(OwnProgramPath(), fmOpenRead | fmShareDenyNone);
}
