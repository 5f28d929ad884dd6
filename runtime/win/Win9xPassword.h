#pragma once
// The screensaver password of the Windows 9x family: its dialogs live in
// "PASSWORD.CPL" and "MPR.DLL", which are bound while the program runs.

#include "SystemServices.h"

#include <windows.h>

#include <string>

// The family of the running system, from its version information.
class TWindowsPlatform : public TPlatformFamily {
public:
    bool IsWin9x() override;
};

inline constexpr const char* kPasswordLibrary = "PASSWORD.CPL";
inline constexpr const char* kVerifyEntry = "VerifyScreenSavePwd";
inline constexpr const char* kChangeLibrary = "MPR.DLL";
inline constexpr const char* kChangeEntry = "PwdChangePasswordA";

class TWin9xPassword : public TPasswordCheck {
public:
    // Window is the playback window, the owner of the password dialog.
    explicit TWin9xPassword(HWND Window, std::string Library = kPasswordLibrary)
        : window_(Window), library_(std::move(Library)) {}
    // "ScreenSaveUserPassword" under "Control Panel\desktop" is not 0; a
    // missing key or value, or one of another type, counts as no password.
    bool PasswordSet() override;
    std::optional<bool> Verify() override;

private:
    HWND window_;
    std::string library_;
};

// The system's dialog for a new screensaver password, owned by Parent. False
// when the library or its entry is missing; the dialog's own result is not
// looked at.
bool ChangeScreensaverPassword(HWND Parent, const std::string& Library = kChangeLibrary);
