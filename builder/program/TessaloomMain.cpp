// The builder program: one main window, run until it closes.

#include "Application.h"
#include "MainForm.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        RegisterBuilderClasses();
        Application->Initialize();
        Application->SetTitle("Nimbrel Tessaloom");
        TMainForm* form = nullptr;
        Application->CreateForm(form);
        Application->Run();
    } catch (...) {
        // A window that cannot be made is reported like any other failure.
        Application->HandleException(nullptr);
        return 1;
    }
    return 0;
}
