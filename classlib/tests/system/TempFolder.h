#pragma once
// A folder of its own in the temporary folder for one test, removed afterwards.

#include <windows.h>

#include <string>

class TempFolder {
public:
    explicit TempFolder(const char* Tag) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + "tessaloom-" + Tag + "-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TempFolder() { Remove(path_); }
    const std::string& Path() const { return path_; }
    std::string File(const std::string& Name) const { return path_ + "\\" + Name; }
    void Write(const std::string& Name, const std::string& Text, DWORD Attributes = FILE_ATTRIBUTE_NORMAL) const {
        HANDLE h = CreateFileA(File(Name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, Attributes, nullptr);
        DWORD n = 0;
        WriteFile(h, Text.data(), static_cast<DWORD>(Text.size()), &n, nullptr);
        CloseHandle(h);
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
                if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    Remove(full);
                else
                    DeleteFileA(full.c_str());
            } while (FindNextFileA(h, &d));
            FindClose(h);
        }
        RemoveDirectoryA(Dir.c_str());
    }
    std::string path_;
};
