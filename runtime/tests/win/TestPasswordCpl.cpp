// The test's "PASSWORD.CPL": answers the password question as the variable
// TESSALOOM_PASSWORD_ANSWER says ("accept" or anything else) and notes how it
// was called in TESSALOOM_PASSWORD_CALL.
#include <windows.h>

#include <string>

namespace {

void Note(const std::string& Call) { SetEnvironmentVariableA("TESSALOOM_PASSWORD_CALL", Call.c_str()); }

}  // namespace

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND Window) {
    Note("verify " + std::to_string(reinterpret_cast<UINT_PTR>(Window)));
    char answer[32] = {};
    GetEnvironmentVariableA("TESSALOOM_PASSWORD_ANSWER", answer, sizeof answer);
    return std::string(answer) == "accept";
}

extern "C" __declspec(dllexport) DWORD WINAPI PwdChangePasswordA(LPCSTR Provider, HWND Window, DWORD Flags,
                                                                LPVOID Reserved) {
    Note("change " + std::string(Provider ? Provider : "(null)") + " " +
         std::to_string(reinterpret_cast<UINT_PTR>(Window)) + " " + std::to_string(Flags) + " " +
         (Reserved ? "reserved" : "null"));
    return 0;
}
