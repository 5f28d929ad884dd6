#include "SystemInfoUnit.h"

#include "Application.h"
#include "FileSearch.h"
#include "FileStream.h"
#include "IniFile.h"
#include "SysUtils.h"

#include <shlobj.h>


namespace {

// The file system's identity of a folder (volume and file index), so a folder
// reached twice through links is recognised; empty when it cannot be read.
std::string FolderIdentity(const std::string& Folder) {
    HANDLE h = CreateFileA(Folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    BY_HANDLE_FILE_INFORMATION info{};
    const bool ok = GetFileInformationByHandle(h, &info) != 0;
    CloseHandle(h);
    if (!ok) return {};
    return std::to_string(info.dwVolumeSerialNumber) + ":" + std::to_string(info.nFileIndexHigh) + ":" +
           std::to_string(info.nFileIndexLow);
}

}  // namespace

std::string TSystemInfo::GetCacheDirectory(int Folder, HWND Owner) {
    LPITEMIDLIST list = nullptr;
    if (SHGetSpecialFolderLocation(Owner, Folder, &list) != S_OK || !list) return {};
    char path[MAX_PATH] = {};
    const bool ok = SHGetPathFromIDListA(list, path) != FALSE;
    CoTaskMemFree(list);
    return ok ? std::string(path) : std::string();
}

TSystemInfo::TSystemInfo(TProcessMessages ProcessMessages)
    : processMessages_(ProcessMessages ? std::move(ProcessMessages) : TProcessMessages([] { Application->ProcessMessages(); })) {}

void TSystemInfo::FindAll(const std::string& Folder, TStrings& List) {
    std::set<std::string> visited;
    FindAllBelow(Folder, List, visited);
}

void TSystemInfo::FindAllBelow(const std::string& Folder, TStrings& List, std::set<std::string>& Visited) {
    processMessages_();
    const std::string identity = FolderIdentity(Folder);
    if (!identity.empty()) {
        if (!Visited.insert(identity).second) return;
    }
    TSearchRec entry;
    for (int rc = FindFirst(Folder + "\\*.*", faAnyFile, entry); rc == 0; rc = FindNext(entry)) {
        if (entry.Name == "." || entry.Name == "..") continue;
        if (entry.Attr & faDirectory) {
            if (!(entry.Attr & FILE_ATTRIBUTE_REPARSE_POINT)) FindAllBelow(Folder + "\\" + entry.Name, List, Visited);
        } else {
            List.Add(UpperCase(Folder) + "\\" + UpperCase(entry.Name));
        }
    }
    FindClose(entry);
}

void TSystemInfo::SetDefaultScreensaver(const std::string& FileName) {
    TIniFile ini(GetWindowsPath() + "system.ini");
    ini.WriteString("boot", "SCRNSAVE.EXE", ExtractShortPathName(FileName));
}

std::string TSystemInfo::GetTempDirectory() {
    // A user's folder may be named outside the system code page (the
    // temporary folder lies inside it); its short form is used then, as the
    // files written there and the removal batch name it in the code page.
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathW(MAX_PATH + 1, path);
    if (n == 0 || n > MAX_PATH + 1) return {};
    const std::wstring wide(path, n);
    const std::optional<std::string> name = CodePageName(wide);
    return IncludeTrailingPathDelimiter(name ? *name : CodePagePath(wide));
}

std::string TSystemInfo::GetWindowsPath() {
    char path[MAX_PATH + 1] = {};
    const DWORD n = GetWindowsDirectoryA(path, sizeof path);
    if (n == 0 || n > sizeof path) return "\\";
    return ExcludeTrailingPathDelimiter(std::string(path, n)) + "\\";
}
