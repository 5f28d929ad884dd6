#pragma once
// A folder of the test's own in the temporary folder, removed afterwards.

#include <windows.h>

#include <string>

class TTestFolder {
public:
    explicit TTestFolder(const char* Tag) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + "tessaloom-runtime-" + Tag + "-" + std::to_string(GetCurrentProcessId());
        Remove(path_);
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    TTestFolder(const TTestFolder&) = delete;
    TTestFolder& operator=(const TTestFolder&) = delete;
    ~TTestFolder() { Remove(path_); }
    const std::string& Path() const { return path_; }
    std::string File(const std::string& Name) const { return path_ + "\\" + Name; }
    void Folder(const std::string& Name) const { CreateDirectoryA(File(Name).c_str(), nullptr); }
    void Write(const std::string& Name, const std::string& Text) const {
        HANDLE h = CreateFileA(File(Name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
        DWORD n = 0;
        WriteFile(h, Text.data(), static_cast<DWORD>(Text.size()), &n, nullptr);
        CloseHandle(h);
    }
    static std::string Read(const std::string& Path) {
        HANDLE h = CreateFileA(Path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return "(missing)";
        std::string text(GetFileSize(h, nullptr), '\0');
        DWORD n = 0;
        ReadFile(h, text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
        CloseHandle(h);
        return text;
    }

private:
    static void Remove(const std::string& Dir) {
        WIN32_FIND_DATAA d;
        HANDLE h = FindFirstFileA((Dir + "\\*").c_str(), &d);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = d.cFileName;
                if (name == "." || name == "..") continue;
                const std::string full = Dir + "\\" + name;
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                if ((d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(d.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                    Remove(full);
                else if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveDirectoryA(full.c_str());
                else
                    DeleteFileA(full.c_str());
            } while (FindNextFileA(h, &d));
            FindClose(h);
        }
        RemoveDirectoryA(Dir.c_str());
    }
    std::string path_;
};
