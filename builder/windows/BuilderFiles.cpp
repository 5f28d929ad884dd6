#include "BuilderFiles.h"

#include "Exceptions.h"
#include "FileStream.h"
#include "SysUtils.h"

#include <windows.h>

namespace {

// Volume and file index identify a file whatever path (case, short name,
// relative form, other link) leads to it.
bool FileIdentity(const std::string& Path, BY_HANDLE_FILE_INFORMATION& Info) {
    HANDLE h = CreateFileW(SystemFilePath(Path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const bool ok = GetFileInformationByHandle(h, &Info) != 0;
    CloseHandle(h);
    return ok;
}

}  // namespace

bool TBuilderFiles::Exists(const std::string& Path) {
    const DWORD attributes = GetFileAttributesW(SystemFilePath(Path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool TBuilderFiles::Unreachable(const std::string& Path) {
    // No Windows file system holds a name longer than 255 characters; Wine
    // answers such a path as merely not found, so it is checked here.
    constexpr std::size_t MaxNameLength = 255;
    const std::wstring path = SystemFilePath(Path);
    std::size_t nameLength = 0;
    for (const wchar_t c : path) {
        nameLength = (c == L'\\' || c == L'/') ? 0 : nameLength + 1;
        if (nameLength > MaxNameLength) return true;
    }
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    const DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

bool TBuilderFiles::Same(const std::string& A, const std::string& B) {
    BY_HANDLE_FILE_INFORMATION a{}, b{};
    if (!FileIdentity(A, a) || !FileIdentity(B, b)) return false;
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

void TBuilderFiles::MoveIntoPlace(const std::string& From, const std::string& To) {
    // A read-only file or a folder is not replaced, as it could not be
    // created over either (asked first: not every file system refuses it).
    const std::wstring from = SystemFilePath(From), to = SystemFilePath(To);
    const DWORD attributes = GetFileAttributesW(to.c_str());
    const bool protectedTarget =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
    if (protectedTarget || !MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throw EFCreateError(Format("Cannot create file %s", To));
}

void TBuilderFiles::Remove(const std::string& Path) { DeleteFileW(SystemFilePath(Path).c_str()); }
