// The screensaver installer. It sits at the head of every installation
// package the builder writes and reads the rest of its own file: it asks the
// user (unless started with "/auto"), shows the licence when the project asks
// for it, and leaves "<title>.scr" behind as the current screensaver.
//
// Exit codes, for the builder and the tests: 0 installed, 1 the user said no,
// 2 failed (the user has seen why).

#include "FileStream.h"
#include "InstallPackage.h"
#include "Installation.h"
#include "LicenceDialog.h"
#include "SystemLogoDecoder.h"
#include "SysUtils.h"

#include <windows.h>

#include <cctype>
#include <cstdlib>
#include <optional>
#include <new>

namespace {

enum TExitCode { ecInstalled = 0, ecDeclined = 1, ecFailed = 2 };

constexpr const char* DefaultCaption = "Screensaver Setup";

// The package is the installer's own file, found by its wide name: it may
// lie in a folder whose name the system code page cannot hold.
std::wstring OwnFileName() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

bool HasAutoSwitch() {
    for (int i = 1; i < __argc; ++i)
        if (SameText(__argv[i], "/auto")) return true;
    return false;
}

void ErrorBox(const std::string& Caption, const std::string& Text) {
    MessageBoxA(nullptr, Text.c_str(), Caption.c_str(), MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

std::string LicenceText(const TProject& Project) {
    std::string text = Project.LicenseText->Text();
    if (text.size() >= 2) text.resize(text.size() - 2);  // no empty line after the last one
    return text;
}

std::string DisplayTitle(const std::string& Title) { return Trim(Title).empty() ? std::string("Screensaver") : Title; }

// A build identifier as the builder writes it: a GUID in braces, so that
// nothing but one screensaver's own key is ever named.
bool IsBuildId(const std::string& Id) {
    if (Id.size() != 38 || Id.front() != '{' || Id.back() != '}') return false;
    for (std::size_t i = 1; i < 37; ++i) {
        const char c = Id[i];
        const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
        if (dash ? c != '-' : !std::isxdigit(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

void ForgetSettings(const std::string& BuildId) {
    if (!IsBuildId(BuildId)) return;
    const std::string key = "Software\\Nimbrel\\Screensavers\\" + BuildId;
    RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
}

int Run() {
    const std::wstring packagePath = OwnFileName();
    TInstallPackage package;
    try {
        TFileStream file(packagePath, fmOpenRead | fmShareDenyNone);
        package.Load(&file);
        package.CheckUsable(TSystemLogoDecoder());
    } catch (const EInstallError& e) {
        ErrorBox(DefaultCaption, e.Message());
        return ecFailed;
    } catch (const EStreamError&) {
        ErrorBox(DefaultCaption, Format("The installation package \"%s\" cannot be read.", CodePagePath(packagePath)));
        return ecFailed;
    }

    const TProject& project = package.Project();
    const std::string title = DisplayTitle(project.Title);
    const std::string caption = title + " Setup";

    if (!HasAutoSwitch()) {
        const std::string question = Format("Do you want to install the screensaver \"%s\"?", title);
        if (MessageBoxA(nullptr, question.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND) !=
            IDYES)
            return ecDeclined;
    }
    if (project.ShowLicense && !AskLicenceAcceptance(caption + " - Licence Agreement", title, LicenceText(project)))
        return ecDeclined;

    // Titles that differ may still give one file name ("a:b" and "a?b"); a
    // screensaver of another project under that name is replaced only when
    // the user agrees, or when the builder's Install Now asked for it.
    std::optional<TInstalledOrigin> replaced;
    const auto mayReplace = [&](const std::string& Existing) {
        try {
            TFileStream file(Existing, fmOpenRead | fmShareDenyNone);
            replaced = ReadInstalledOrigin(&file);
        } catch (const EStreamError&) {
            replaced.reset();
        }
        if (replaced && replaced->BuildId == project.BuildId) return true;
        if (HasAutoSwitch()) return true;
        const std::string question =
            replaced ? Format("The screensaver \"%s\" of another project is installed as \"%s\".\r\n\r\n"
                              "Do you want to replace it with the screensaver \"%s\"?",
                              DisplayTitle(replaced->Title), Existing, title)
                     : Format("The file \"%s\" is already there and was not installed from this screensaver's "
                              "project.\r\n\r\nDo you want to replace it with the screensaver \"%s\"?",
                              Existing, title);
        return MessageBoxA(nullptr, question.c_str(), caption.c_str(),
                           MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2 | MB_SETFOREGROUND) == IDYES;
    };

    std::string installedPath;
    try {
        auto contents = package.InstalledFile();
        const auto path = InstallScreensaver(*contents, ScreensaverFileName(project.Title), mayReplace);
        if (!path) return ecDeclined;
        installedPath = *path;
    } catch (const EInstallError& e) {
        ErrorBox(caption, e.Message());
        return ecFailed;
    }
    // The settings of the screensaver that was replaced belong to nothing now.
    if (replaced && replaced->BuildId != project.BuildId) ForgetSettings(replaced->BuildId);
    const std::string done = Format(
        "The screensaver \"%s\" has been installed and is now your current screensaver.\r\n\r\n%s", title,
        installedPath);
    MessageBoxA(nullptr, done.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
    return ecInstalled;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        return Run();
    } catch (const std::bad_alloc&) {
        ErrorBox(DefaultCaption, "There is not enough memory to install the screensaver.");
    } catch (const std::exception& e) {
        ErrorBox(DefaultCaption, Format("The screensaver could not be installed:\r\n%s", e.what()));
    }
    return ecFailed;
}
