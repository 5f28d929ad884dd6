#pragma once
// What an installer run changes outside its own files, held for a test: the
// user's screensaver values (put back when the test ends); and the environment
// values that tell the installer where to install.

#include "EnvironmentValue.h"

#include <windows.h>

#include <iterator>
#include <string>
#include <utility>
#include <vector>

// The current user's screensaver values, put back as they were.
class TDesktopValues {
public:
    TDesktopValues() {
        for (const char* name : Names) saved_.push_back(Read(name));
    }
    ~TDesktopValues() {
        HKEY key;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return;
        for (std::size_t i = 0; i < std::size(Names); ++i) {
            if (saved_[i].first)
                RegSetValueExA(key, Names[i], 0, REG_SZ, reinterpret_cast<const BYTE*>(saved_[i].second.c_str()),
                               static_cast<DWORD>(saved_[i].second.size() + 1));
            else
                RegDeleteValueA(key, Names[i]);
        }
        RegCloseKey(key);
    }
    TDesktopValues(const TDesktopValues&) = delete;
    TDesktopValues& operator=(const TDesktopValues&) = delete;

    // (exists, text)
    static std::pair<bool, std::string> Read(const char* Name) {
        char buffer[1024];
        DWORD size = sizeof buffer, type = 0;
        if (RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", Name, RRF_RT_REG_SZ, &type, buffer, &size) !=
            ERROR_SUCCESS)
            return {false, {}};
        return {true, buffer};
    }
    std::pair<bool, std::string> Saved(int Index) const { return saved_[static_cast<std::size_t>(Index)]; }

    static constexpr const char* Names[] = {"SCRNSAVE.EXE", "ScreenSaveActive"};

private:
    std::vector<std::pair<bool, std::string>> saved_;
};
