// The screensaver program: the system starts it with "/s" to play, "/c" (or
// nothing) for the setup dialog, "/a <window>" to change the Windows 9x
// password, and with anything else (the preview "/p") it ends at once.

#include "Application.h"
#include "CommandLine.h"
#include "SetupForm.h"
#include "ShowUnit.h"
#include "StartUp.h"
#include "StdControls.h"
#include "Win9xPassword.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Arguments() {
    std::vector<std::string> args;
    for (int i = 1; i <= Application->ParamCount(); ++i) args.push_back(Application->ParamStr(i));
    return args;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // One playback at a time, whatever this start was asked to do.
    if (PlaybackWindowExists()) return 0;

    Application->Initialize();
    Application->SetTitle("Vidad Ididederuzi");
    try {
        RegisterStandardControls();
        RegisterShowFormClasses();

        const TStartRequest request = ParseStartArguments(Arguments());
        switch (request.Action) {
            case TStartAction::Setup: {
                TSetupForm* form = nullptr;
                Application->CreateForm(form);
                break;
            }
            case TStartAction::Playback: {
                TShowForm* form = nullptr;
                Application->CreateForm(form);
                break;
            }
            case TStartAction::ChangePassword:
                ShowWindow(Application->Handle(), SW_HIDE);
                ChangeScreensaverPassword(reinterpret_cast<HWND>(static_cast<INT_PTR>(request.ParentWindow)));
                Application->Terminate();
                break;
            case TStartAction::Nothing:
                break;
        }
    } catch (...) {
        Application->HandleException(Application);
    }
    Application->Run();
    return 0;
}
