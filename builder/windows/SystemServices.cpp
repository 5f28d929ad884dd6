#include "SystemServices.h"

#include "FileStream.h"
#include "GuidCreate.h"

#include <shellapi.h>

TBuilderServices SystemBuilderServices(std::function<HWND()> Parent) {
    TBuilderServices services;
    services.NewBuildId = [] { return CreateGuidText(); };
    services.StartProgram = [Parent = std::move(Parent)](const std::string& File, const std::string& Parameters) {
        // The shell reports its own failures; the builder does not. The
        // builder holds its paths in the system code page (a folder the code
        // page cannot name as its short form); they are widened here so that
        // the shell is asked through its wide call, as for every other file.
        ShellExecuteW(Parent ? Parent() : nullptr, nullptr, WidePath(File).c_str(), WidePath(Parameters).c_str(),
                      nullptr, SW_SHOWNORMAL);
    };
    return services;
}
