// The test's "MPR.DLL": notes how the password change was asked for in the
// file named by TESSALOOM_MPR_LOG, so the test sees the call made by another
// process.
#include <windows.h>

#include <fstream>
#include <string>

extern "C" __declspec(dllexport) DWORD WINAPI PwdChangePasswordA(LPCSTR Provider, HWND Window, DWORD Flags,
                                                                LPVOID Reserved) {
    char log[MAX_PATH] = {};
    if (GetEnvironmentVariableA("TESSALOOM_MPR_LOG", log, sizeof log) == 0) return 0;
    std::ofstream out(log, std::ios::app | std::ios::binary);
    out << (Provider ? Provider : "(null)") << ' ' << reinterpret_cast<UINT_PTR>(Window) << ' ' << Flags << ' '
        << (Reserved ? "reserved" : "null") << '\n';
    return 0;
}
