// The setup dialog as the screensaver shows it, without the playback window:
// it reads the installed file it heads, and uninstalling ends it for real.
#include "Application.h"
#include "SetupForm.h"
#include "StdControls.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RegisterStandardControls();
    Application->Initialize();
    Application->SetTitle("Vidad Ididederuzi");
    TSetupForm* form = nullptr;
    Application->CreateForm(form);
    Application->Run();
    return 0;
}
