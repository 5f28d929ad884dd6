#include "Installation.h"

#include "InstallPackage.h"
#include "SysUtils.h"
#include "WinHandles.h"

#include <shlobj.h>

#include <memory>
#include <vector>

namespace {

constexpr const char* DesktopKey = "Control Panel\\Desktop";
constexpr const char* ScreensaverValue = "SCRNSAVE.EXE";

std::string SystemErrorText(DWORD Code) {
    char* buffer = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, Code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    const std::unique_ptr<char, decltype(&LocalFree)> owner(buffer, &LocalFree);
    const std::string text = buffer ? TrimRight(buffer) : std::string();
    return text.empty() ? Format("System error %u.", static_cast<unsigned>(Code)) : text;
}

std::string EnvironmentValue(const char* Name) {
    const DWORD size = GetEnvironmentVariableA(Name, nullptr, 0);
    if (size == 0) return {};
    std::string value(size, '\0');
    value.resize(GetEnvironmentVariableA(Name, value.data(), size));
    return value;
}

std::string SystemFolder() {
    char buffer[MAX_PATH];
    const UINT n = GetSystemDirectoryA(buffer, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(buffer, n) : std::string();
}

std::string UserProgramsFolder() {
    char buffer[MAX_PATH];
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer))) return {};
    return IncludeTrailingPathDelimiter(buffer) + "Programs";
}

// Deletes its file unless kept: a temporary name never becomes a screensaver
// by accident, and nothing half-written stays behind.
class TTemporaryFile {
public:
    explicit TTemporaryFile(std::string Path) : path_(std::move(Path)) {}
    ~TTemporaryFile() {
        if (!path_.empty()) DeleteFileA(path_.c_str());
    }
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;
    const std::string& Path() const { return path_; }
    void Keep() { path_.clear(); }

private:
    std::string path_;
};

// Creates an empty, uniquely named file in Folder: the proof that the
// installer may write there. Empty result and Error set when it may not.
std::string CreateTemporaryIn(const std::string& Folder, DWORD& Error) {
    char buffer[MAX_PATH];
    if (Folder.empty() || Folder.size() > MAX_PATH - 14) {
        Error = ERROR_PATH_NOT_FOUND;
        return {};
    }
    if (GetTempFileNameA(Folder.c_str(), "tsl", 0, buffer) == 0) {
        Error = GetLastError();
        return {};
    }
    return buffer;
}

DWORD WriteWholeFile(const std::string& Path, TMemoryStream& Contents) {
    TFileHandle file(CreateFileA(Path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                 nullptr));
    if (!file.Valid()) return GetLastError();
    const auto* bytes = static_cast<const char*>(Contents.Memory());
    std::int64_t left = Contents.Size();
    while (left > 0) {
        const DWORD chunk = static_cast<DWORD>(left < (1 << 20) ? left : (1 << 20));
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes, chunk, &written, nullptr)) return GetLastError();
        if (written == 0) return ERROR_WRITE_FAULT;
        bytes += written;
        left -= written;
    }
    if (!FlushFileBuffers(file.Get())) return GetLastError();
    if (!file.Close()) return GetLastError();
    return ERROR_SUCCESS;
}

// A registry value as it was, so a failed installation can put it back.
struct TSavedValue {
    bool Existed = false;
    DWORD Type = REG_NONE;
    std::vector<BYTE> Data;
};

LSTATUS SaveValue(HKEY Key, const char* Name, TSavedValue& Saved) {
    DWORD size = 0;
    LSTATUS r = RegQueryValueExA(Key, Name, nullptr, &Saved.Type, nullptr, &size);
    if (r == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
    if (r != ERROR_SUCCESS) return r;
    Saved.Data.resize(size);
    r = RegQueryValueExA(Key, Name, nullptr, &Saved.Type, Saved.Data.data(), &size);
    if (r != ERROR_SUCCESS) return r;
    Saved.Data.resize(size);
    Saved.Existed = true;
    return ERROR_SUCCESS;
}

void RestoreValue(HKEY Key, const char* Name, const TSavedValue& Saved) {
    if (Saved.Existed)
        RegSetValueExA(Key, Name, 0, Saved.Type, Saved.Data.data(), static_cast<DWORD>(Saved.Data.size()));
    else
        RegDeleteValueA(Key, Name);
}

[[noreturn]] void RegistryFailure(LSTATUS Code) {
    throw EInstallError(Format("The screensaver could not be made the current screensaver:\r\n%s\r\n\r\n"
                               "Nothing was installed.",
                               SystemErrorText(static_cast<DWORD>(Code))));
}

}  // namespace

std::optional<std::string> InstallScreensaver(TMemoryStream& Contents, const std::string& FileName,
                                              const std::function<bool(const std::string& Existing)>& MayReplace) {
    std::string systemFolder = EnvironmentValue("TESSALOOM_INSTALL_DIR");
    if (systemFolder.empty()) systemFolder = SystemFolder();
    std::string userFolder = EnvironmentValue("TESSALOOM_INSTALL_FALLBACK_DIR");
    if (userFolder.empty()) userFolder = UserProgramsFolder();

    std::string folder = ExcludeTrailingPathDelimiter(systemFolder);
    DWORD error = ERROR_SUCCESS;
    std::string tempPath = CreateTemporaryIn(folder, error);
    if (tempPath.empty() && !userFolder.empty()) {
        folder = ExcludeTrailingPathDelimiter(userFolder);
        SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
        tempPath = CreateTemporaryIn(folder, error);
    }
    if (tempPath.empty())
        throw EInstallError(Format("The screensaver cannot be written to the folder \"%s\":\r\n%s", folder,
                                   SystemErrorText(error)));
    TTemporaryFile temp(tempPath);
    const std::string finalPath = IncludeTrailingPathDelimiter(folder) + FileName;
    const DWORD existing = GetFileAttributesA(finalPath.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES && !(existing & FILE_ATTRIBUTE_DIRECTORY) && !MayReplace(finalPath))
        return std::nullopt;
    error = WriteWholeFile(temp.Path(), Contents);
    if (error != ERROR_SUCCESS)
        throw EInstallError(Format("The screensaver could not be written to the folder \"%s\":\r\n%s", folder,
                                   SystemErrorText(error)));

    TRegKey key;
    LSTATUS r = RegCreateKeyExA(HKEY_CURRENT_USER, DesktopKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                                nullptr, key.Receive(), nullptr);
    if (r != ERROR_SUCCESS) RegistryFailure(r);
    TSavedValue previous;
    r = SaveValue(key.Get(), ScreensaverValue, previous);
    if (r != ERROR_SUCCESS) RegistryFailure(r);
    r = RegSetValueExA(key.Get(), ScreensaverValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(finalPath.c_str()),
                       static_cast<DWORD>(finalPath.size() + 1));
    if (r != ERROR_SUCCESS) {
        RestoreValue(key.Get(), ScreensaverValue, previous);
        RegistryFailure(r);
    }

    // The rename replaces an earlier copy only now that the new one is whole.
    if (!MoveFileExA(temp.Path().c_str(), finalPath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
        RestoreValue(key.Get(), ScreensaverValue, previous);
        throw EInstallError(Format("The screensaver could not be saved as \"%s\":\r\n%s", finalPath,
                                   SystemErrorText(error)));
    }
    temp.Keep();

    // A user who installs a screensaver expects it to run: switch screen
    // saving on (the system writes "ScreenSaveActive" itself) and tell the
    // running desktop. The screensaver is in place whatever this answers.
    SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
    return finalPath;
}
