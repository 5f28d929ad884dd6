#include "SampleScreensaver.h"

#include "BuilderCore.h"
#include "DecompileUnit.h"
#include "Desktop.h"
#include "FileStream.h"
#include "GuidCreate.h"
#include "InstallPackage.h"
#include "RecordingView.h"

#include <windows.h>

#include <stdexcept>

TSampleScreensaver MakeSampleScreensaver(const std::string& Folder) {
    const std::string build = desktop::BuildFolder();
    TRecordingView view;
    TBuilderServices services;
    services.NewBuildId = [] { return CreateGuidText(); };
    services.StartProgram = [](const std::string&, const std::string&) {};
    TBuilderCore core(view, services);
    core.BuilderFolder = build + "bin\\";
    core.LoadProject(build + "samples\\sample.qlm");
    if (view.State.Movies.size() != 7 || !view.Boxes.empty() || !view.Errors.empty())
        throw std::runtime_error("the sample project did not open cleanly");

    TSampleScreensaver s;
    s.Package = Folder + "\\SampleScreensaverSetup.exe";
    view.SetOutputFile(s.Package);
    if (!core.Build()) throw std::runtime_error("the sample project did not build");
    for (const TMovieItem& m : view.State.Movies) s.Movies.push_back(m.Caption);

    TInstallPackage package;
    {
        TFileStream file(s.Package, fmOpenRead | fmShareDenyNone);
        package.Load(&file);
    }
    s.BuildId = package.Project().BuildId;
    s.Installed = Folder + "\\" + ScreensaverFileName(package.Project().Title);
    package.InstalledFile()->SaveToFile(s.Installed);
    return s;
}

void RemoveScreensaverKey(const std::string& BuildId) {
    if (BuildId.empty()) return;
    RegDeleteKeyA(HKEY_CURRENT_USER, ("Software\\Nimbrel\\Screensavers\\" + BuildId).c_str());
}
