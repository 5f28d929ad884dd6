#include "Win9xPassword.h"

#include "DynamicLibrary.h"
#include "Exceptions.h"
#include "Registry.h"

bool TWindowsPlatform::IsWin9x() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&info)) return false;
#pragma GCC diagnostic pop
    return info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

bool TWin9xPassword::PasswordSet() {
    TRegistry registry(KEY_READ);
    if (!registry.OpenKey("Control Panel\\desktop", false)) return false;
    try {
        return registry.ReadInteger("ScreenSaveUserPassword") != 0;
    } catch (const ERegistryException&) {
        return false;
    }
}

std::optional<bool> TWin9xPassword::Verify() {
    using TVerify = BOOL WINAPI(HWND);
    TDynamicLibrary library(library_);
    auto verify = library.Entry<TVerify>(kVerifyEntry);
    if (!verify) return std::nullopt;
    return verify(window_) != FALSE;
}

bool ChangeScreensaverPassword(HWND Parent, const std::string& Library) {
    using TChange = DWORD WINAPI(LPCSTR, HWND, DWORD, LPVOID);
    TDynamicLibrary library(Library);
    auto change = library.Entry<TChange>(kChangeEntry);
    if (!change) return false;
    change("SCRSAVE", Parent, 0, nullptr);
    return true;
}
