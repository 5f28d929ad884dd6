#include "BuilderCore.h"

#include "Exceptions.h"
#include "SysUtils.h"

TBuilderCore::TBuilderCore(TBuilderView& View, TBuilderServices Services)
    : view_(View), services_(std::move(Services)) {}

void TBuilderCore::ShowDefaultLogo() {
    LogoPath = BuilderFolder + "logo.jpg";
    // A damaged installation must not keep the window from opening the file
    // it was started with: the error is shown and start-up carries on.
    try {
        view_.LoadLogo(LogoPath);
    } catch (const Exception& e) {
        view_.ShowError(e.Message());
    }
}

void TBuilderCore::OpenStartupFile(const std::vector<std::string>& Args) {
    if (Args.empty()) return;
    const std::string& file = Args.front();
    const std::string ext = UpperCase(ExtractFileExt(file));
    if (ext == ".SWF") {
        view_.SetActivePage(pgFlashMovies);
        view_.SetMovieEdit(file);
    } else if (ext == ".QLM") {
        LoadProject(file);
    }
}

void TBuilderCore::ChangeLogo(const std::string& FileName) {
    LogoPath = FileName;
    view_.LoadLogo(FileName);
}

bool TBuilderCore::AcceptPickedFile(const std::string& FileName) {
    if (FileName.find('?') == std::string::npos) return true;
    view_.ShowMessage("Message", Format("The Name Of The Chosen File Holds Characters That The System Code Page Cannot "
                                        "Show:\r\n%s\r\nPlease Rename The File Or Its Folder",
                                        FileName));
    return false;
}
