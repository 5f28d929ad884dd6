#include "SystemServices.h"

#include "GuidCreate.h"

#include <shellapi.h>

TBuilderServices SystemBuilderServices(std::function<HWND()> Parent) {
    TBuilderServices services;
    services.NewBuildId = [] { return CreateGuidText(); };
    services.StartProgram = [Parent = std::move(Parent)](const std::string& File, const std::string& Parameters) {
        // The shell reports its own failures; the builder does not.
        ShellExecuteA(Parent ? Parent() : nullptr, nullptr, File.c_str(), Parameters.c_str(), nullptr,
                      SW_SHOWNORMAL);
    };
    return services;
}
