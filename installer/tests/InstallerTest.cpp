// The installer as a user meets it: a package made here from the builder's
// classes is started as a process, its windows are answered from outside,
// and the files and registry values it leaves are checked.

#include "InstallEnvironment.h"
#include "InstallerTestPaths.h"
#include "PackageFixture.h"
#include "Process.h"
#include "SysUtils.h"
#include "TestFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

using namespace fixture;
namespace fs = std::filesystem;

namespace {

constexpr int LicenceTextId = 102;  // the licence window's text box
constexpr int MessageTextId = 0xFFFF;  // the text of a message box
constexpr DWORD ExitInstalled = 0, ExitDeclined = 1, ExitFailed = 2;

std::string ModuleFolder() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string s(path, n);
    return s.substr(0, s.find_last_of('\\') + 1);
}

void WriteWholeFile(const std::string& Path, const std::string& Bytes) {
    std::ofstream f(Path, std::ios::binary);
    f.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
    ASSERT_TRUE(f.good()) << Path;
}

std::vector<std::string> FilesIn(const std::string& Folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(Folder, ec)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string TextOf(HWND Window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(Window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return {};
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(Window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        5000, &copied);
    text.resize(copied);
    return text;
}

// A dialog window of the installer (message box or licence window) as the
// test sees it.
struct TDialog {
    HWND Handle = nullptr;
    std::string Caption, Text, Licence;

    explicit operator bool() const { return Handle != nullptr; }
    bool HasButton(int Id, const std::string& Label) const {
        const HWND b = GetDlgItem(Handle, Id);
        return b && TextOf(b) == Label;
    }
    // What a click on the button would send.
    void Press(int Id) const {
        PostMessageA(Handle, WM_COMMAND, MAKEWPARAM(Id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(Handle, Id)));
    }
    bool IsLicence() const { return GetDlgItem(Handle, LicenceTextId) != nullptr; }
};

// Saves the window as it is on screen, for the gallery.
void SaveScreenshot(HWND Window, const std::string& Path) {
    RECT r;
    GetWindowRect(Window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u;
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof(BITMAPINFOHEADER);
    fh.bfSize = fh.bfOffBits + stride * static_cast<DWORD>(h);
    std::ofstream f(Path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(&fh), sizeof fh);
    f.write(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof(BITMAPINFOHEADER));
    f.write(static_cast<const char*>(bits), static_cast<std::streamsize>(stride * static_cast<DWORD>(h)));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

// One run of an installation package as its own process.
class TInstallerRun {
public:
    TInstallerRun(const std::string& Package, const std::string& Arguments) : process_(Package, Arguments) {}
    TInstallerRun(const std::wstring& Package, const std::wstring& Arguments) : process_(Package, Arguments) {}

    bool Started() const { return process_.Started(); }

    // The next dialog the installer shows; empty when it ends first or none
    // comes within the time.
    TDialog NextDialog() {
        if (last_) {
            for (int i = 0; i < 500 && IsWindow(last_) && IsWindowVisible(last_); ++i) Sleep(10);
        }
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < until) {
            search_ = {};
            EnumWindows(&TInstallerRun::Visit, reinterpret_cast<LPARAM>(this));
            if (search_) {
                TDialog d;
                d.Handle = last_ = search_;
                d.Caption = TextOf(d.Handle);
                if (d.IsLicence()) {
                    d.Text = TextOf(GetDlgItem(d.Handle, 101));
                    d.Licence = TextOf(GetDlgItem(d.Handle, LicenceTextId));
                } else {
                    d.Text = TextOf(GetDlgItem(d.Handle, MessageTextId));
                }
                return d;
            }
            if (process_.Wait(20)) return {};
        }
        return {};
    }

    // The exit code, or 99 after the time runs out.
    DWORD ExitCode() { return process_.Wait(20000) ? process_.ExitCode() : 99; }

private:
    static BOOL CALLBACK Visit(HWND Window, LPARAM Self) {
        auto* run = reinterpret_cast<TInstallerRun*>(Self);
        DWORD pid = 0;
        GetWindowThreadProcessId(Window, &pid);
        char cls[32];
        if (pid == run->process_.Id() && IsWindowVisible(Window) && GetClassNameA(Window, cls, sizeof cls) &&
            std::string(cls) == "#32770" && Window != run->last_) {
            run->search_ = Window;
            return FALSE;
        }
        return TRUE;
    }

    TProcess process_;
    HWND last_ = nullptr;
    HWND search_ = nullptr;
};

class Installer : public ::testing::Test {
protected:
    TDesktopValues desktop;
    TTestFolder scratch;
    std::string installerBytes = TTestFolder::Read(ModuleFolder() + InstallerDatFromTests);
    std::string runtimeBytes = TTestFolder::Read(ModuleFolder() + "installer_test_runtime.exe");
    std::string target = scratch.File("saver");
    TEnvironmentValue systemFolder{"TESSALOOM_INSTALL_DIR", target};
    TEnvironmentValue userFolder{"TESSALOOM_INSTALL_FALLBACK_DIR", scratch.File("user\\Programs")};

    void SetUp() override {
        ASSERT_GT(installerBytes.size(), 1000u) << "installar.dat not found";
        ASSERT_GT(runtimeBytes.size(), 1000u) << "test runtime not found";
        fs::create_directories(target);
    }

    TPackageParts Parts() const {
        TPackageParts p;
        p.Installer = installerBytes;
        p.Runtime = runtimeBytes;
        return p;
    }

    std::string WritePackage(const std::string& Bytes) {
        const std::string path = scratch.File("setup.exe");
        WriteWholeFile(path, Bytes);
        return path;
    }

    std::string Installed() const { return target + "\\Harbour Lights.scr"; }

    void ExpectRegistryUntouched() const {
        for (int i = 0; i < 2; ++i) EXPECT_EQ(TDesktopValues::Read(TDesktopValues::Names[i]), desktop.Saved(i));
    }

    // Checks the installed file against the package it came from, and runs it.
    void ExpectInstalledFrom(const std::string& Path, const TPackageParts& Parts, const std::string& Package) {
        const std::string installed = TTestFolder::Read(Path);
        ASSERT_GT(installed.size(), Parts.Runtime.size());
        EXPECT_TRUE(installed.compare(0, Parts.Runtime.size(), Parts.Runtime) == 0) << "stream 0 is not the runtime";
        const auto in = Extents(Package), out = Extents(installed);
        ASSERT_EQ(out.size(), 4u);
        EXPECT_EQ(out[0].Offset, 0u);
        EXPECT_EQ(out[0].Size, Parts.Runtime.size());
        for (std::size_t i = 1; i <= 3; ++i)
            EXPECT_EQ(installed.substr(out[i].Offset, out[i].Size), Package.substr(in[i + 1].Offset, in[i + 1].Size))
                << "stream " << i;

        TDecompileStream reader;
        auto s = StreamOf(installed);
        reader.Decompile(s.get());
        EXPECT_EQ(Bytes(*reader.GetStream(1, true)), Parts.MovieContainer());
        EXPECT_EQ(Bytes(*reader.GetStream(2, true)), Parts.ProjectText());
        EXPECT_EQ(Bytes(*reader.GetStream(3, true)), Parts.Logo);

        // The installed file runs and finds its own streams.
        const std::string report = scratch.File("report.txt");
        TInstallerRun run(Path, "\"" + report + "\"");
        ASSERT_TRUE(run.Started());
        EXPECT_EQ(run.ExitCode(), 0u);
        EXPECT_EQ(TTestFolder::Read(report), "4\n" + Parts.Title + "\n{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}\n" +
                                             std::to_string(Parts.Movies.size()) + "\n" +
                                             std::to_string(Parts.Logo.size()) + "\n");
    }

    // Started with "/auto": one error box with Caption and a text starting
    // with TextStart, exit code 2, nothing new in the folders, the registry
    // as it was.
    void ExpectRefused(const std::string& Package, const std::string& Caption, const std::string& TextStart) {
        const auto before = FilesIn(target);
        TInstallerRun run(WritePackage(Package), "/auto");
        const TDialog error = run.NextDialog();
        ASSERT_TRUE(error);
        EXPECT_EQ(error.Caption, Caption);
        EXPECT_EQ(error.Text.rfind(TextStart, 0), 0u) << error.Text;
        EXPECT_TRUE(error.HasButton(IDOK, "OK"));
        error.Press(IDOK);
        EXPECT_FALSE(run.NextDialog());
        EXPECT_EQ(run.ExitCode(), ExitFailed);
        EXPECT_EQ(FilesIn(target), before);
        EXPECT_TRUE(FilesIn(scratch.File("user\\Programs")).empty());
        ExpectRegistryUntouched();
    }

    void ExpectCurrentScreensaver(const std::string& Path) const {
        EXPECT_EQ(TDesktopValues::Read("SCRNSAVE.EXE"), std::make_pair(true, Path));
        EXPECT_EQ(TDesktopValues::Read("ScreenSaveActive"), std::make_pair(true, std::string("1")));
    }

    // An installer run with /auto on the package of Parts: no question, only
    // the closing message, and the screensaver installed and made current.
    void ExpectAutoInstalled(const TPackageParts& Parts) {
        const std::string package = Parts.Package();
        TInstallerRun run(WritePackage(package), "/auto");
        const TDialog done = run.NextDialog();
        ASSERT_TRUE(done);
        EXPECT_EQ(done.Text.rfind("The screensaver \"Harbour Lights\" has been installed", 0), 0u) << done.Text;
        done.Press(IDOK);
        EXPECT_EQ(run.ExitCode(), ExitInstalled);
        ExpectCurrentScreensaver(Installed());
        ExpectInstalledFrom(Installed(), Parts, package);
    }
};

TEST_F(Installer, AsksFirstThenInstallsTheScreensaverInTheLayoutOfThePackage) {
    const TPackageParts parts = Parts();
    const std::string package = parts.Package();
    TInstallerRun run(WritePackage(package), "");
    ASSERT_TRUE(run.Started());

    const TDialog question = run.NextDialog();
    ASSERT_TRUE(question);
    EXPECT_EQ(question.Caption, "Harbour Lights Setup");
    EXPECT_EQ(question.Text, "Do you want to install the screensaver \"Harbour Lights\"?");
    EXPECT_TRUE(question.HasButton(IDYES, "&Yes"));
    EXPECT_TRUE(question.HasButton(IDNO, "&No"));
    question.Press(IDYES);

    const TDialog done = run.NextDialog();
    ASSERT_TRUE(done);
    EXPECT_EQ(done.Caption, "Harbour Lights Setup");
    EXPECT_EQ(done.Text, "The screensaver \"Harbour Lights\" has been installed and is now your current "
                         "screensaver.\r\n\r\n" + Installed());
    done.Press(IDOK);
    EXPECT_EQ(run.ExitCode(), ExitInstalled);

    EXPECT_EQ(FilesIn(target), std::vector<std::string>{"Harbour Lights.scr"});
    ExpectCurrentScreensaver(Installed());
    ExpectInstalledFrom(Installed(), parts, package);
}

TEST_F(Installer, NoToTheQuestionInstallsNothing) {
    TInstallerRun run(WritePackage(Parts().Package()), "");
    const TDialog question = run.NextDialog();
    ASSERT_TRUE(question);
    question.Press(IDNO);
    EXPECT_FALSE(run.NextDialog());
    EXPECT_EQ(run.ExitCode(), ExitDeclined);
    EXPECT_TRUE(FilesIn(target).empty());
    ExpectRegistryUntouched();
}

TEST_F(Installer, AutoInstallsWithoutAQuestion) { ExpectAutoInstalled(Parts()); }

struct LicenceAnswer {
    const char* Name;
    friend void PrintTo(const LicenceAnswer& C, std::ostream* Os) { *Os << C.Name; }
    const char* Arguments;
    int Button;  // 0: the window is closed instead
    DWORD Exit;
};

class InstallerLicence : public Installer, public ::testing::WithParamInterface<LicenceAnswer> {};

TEST_P(InstallerLicence, IsShownBeforeInstallingAndOnlyAcceptanceInstalls) {
    TPackageParts parts = Parts();
    parts.ShowLicense = true;
    parts.Licence = {"Licence for Harbour Lights", "", "1. You may use this screensaver on any computer you own.",
                     std::string(300, 'w')};
    const std::string package = parts.Package();
    TInstallerRun run(WritePackage(package), GetParam().Arguments);

    if (std::string(GetParam().Arguments).empty()) {
        const TDialog question = run.NextDialog();
        ASSERT_TRUE(question);
        ASSERT_FALSE(question.IsLicence());
        question.Press(IDYES);
    }
    const TDialog licence = run.NextDialog();
    ASSERT_TRUE(licence);
    ASSERT_TRUE(licence.IsLicence()) << licence.Caption << ": " << licence.Text;
    EXPECT_EQ(licence.Caption, "Harbour Lights Setup - Licence Agreement");
    EXPECT_NE(licence.Text.find("\"Harbour Lights\""), std::string::npos) << licence.Text;
    EXPECT_EQ(licence.Licence, "Licence for Harbour Lights\r\n\r\n1. You may use this screensaver on any computer you "
                               "own.\r\n" + std::string(300, 'w'));
    EXPECT_TRUE(licence.HasButton(IDOK, "I Agree"));
    EXPECT_TRUE(licence.HasButton(IDCANCEL, "Cancel"));
    EXPECT_TRUE(FilesIn(target).empty()) << "nothing is written before the licence is accepted";

    if (const char* gallery = getenv("TESSALOOM_GALLERY_DIR"); gallery && GetParam().Button == IDOK) {
        Sleep(500);
        SaveScreenshot(licence.Handle, std::string(gallery) + "\\installer-licence.bmp");
    }

    if (GetParam().Button)
        licence.Press(GetParam().Button);
    else
        PostMessageA(licence.Handle, WM_CLOSE, 0, 0);

    if (GetParam().Exit == ExitInstalled) {
        const TDialog done = run.NextDialog();
        ASSERT_TRUE(done);
        done.Press(IDOK);
        EXPECT_EQ(run.ExitCode(), ExitInstalled);
        ExpectCurrentScreensaver(Installed());
        ExpectInstalledFrom(Installed(), parts, package);
    } else {
        EXPECT_FALSE(run.NextDialog());
        EXPECT_EQ(run.ExitCode(), GetParam().Exit);
        EXPECT_TRUE(FilesIn(target).empty());
        ExpectRegistryUntouched();
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, InstallerLicence,
                         ::testing::Values(LicenceAnswer{"Accepted", "", IDOK, ExitInstalled},
                                           LicenceAnswer{"AcceptedWithAuto", "/auto", IDOK, ExitInstalled},
                                           LicenceAnswer{"Cancelled", "", IDCANCEL, ExitDeclined},
                                           LicenceAnswer{"CancelledWithAuto", "/auto", IDCANCEL, ExitDeclined},
                                           LicenceAnswer{"WindowClosed", "/auto", 0, ExitDeclined}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(Installer, ReplacesAnEarlierCopyOfTheSameScreensaver) {
    WriteWholeFile(Installed(), "an older version");
    const TPackageParts parts = Parts();
    const std::string package = parts.Package();
    TInstallerRun run(WritePackage(package), "/auto");
    const TDialog done = run.NextDialog();
    ASSERT_TRUE(done);
    done.Press(IDOK);
    EXPECT_EQ(run.ExitCode(), ExitInstalled);
    EXPECT_EQ(FilesIn(target), std::vector<std::string>{"Harbour Lights.scr"});
    ExpectInstalledFrom(Installed(), parts, package);
}

// A file of the new screensaver's name that another project installed (its
// build identifier differs) is replaced only when the user agrees; the builder's
// Install Now ("/auto") replaces it as before. The same package installed
// again replaces its own file without asking.
struct Replacement {
    const char* Name;
    friend void PrintTo(const Replacement& C, std::ostream* Os) { *Os << C.Name; }
    const char* ExistingBuildId;
    const char* Arguments;
    int Answer;  // to the question about the other screensaver; 0: none is expected
    DWORD Exit;
};

class InstallerReplacing : public Installer, public ::testing::WithParamInterface<Replacement> {};

TEST_P(InstallerReplacing, AsksBeforeReplacingTheScreensaverOfAnotherProject) {
    const Replacement& c = GetParam();
    TPackageParts other = Parts();
    other.Title = "HARBOUR LIGHTS";
    other.BuildId = c.ExistingBuildId;
    const std::string existing = other.InstalledFile();
    WriteWholeFile(Installed(), existing);
    const std::string otherKey = std::string("Software\\Nimbrel\\Screensavers\\") + c.ExistingBuildId;
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, otherKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const DWORD one = 1;
    RegSetValueExA(key, "mute", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
    RegCloseKey(key);
    struct TRemoveKey {
        std::string Key;
        ~TRemoveKey() { RegDeleteKeyA(HKEY_CURRENT_USER, Key.c_str()); }
    } removeKey{otherKey};

    const TPackageParts parts = Parts();
    const std::string package = parts.Package();
    TInstallerRun run(WritePackage(package), c.Arguments);
    if (std::string(c.Arguments).empty()) {
        const TDialog install = run.NextDialog();
        ASSERT_TRUE(install);
        install.Press(IDYES);
    }
    if (c.Answer) {
        const TDialog question = run.NextDialog();
        ASSERT_TRUE(question);
        EXPECT_EQ(question.Caption, "Harbour Lights Setup");
        EXPECT_EQ(question.Text, "The screensaver \"HARBOUR LIGHTS\" of another project is installed as \"" + Installed() +
                                     "\".\r\n\r\nDo you want to replace it with the screensaver \"Harbour Lights\"?");
        EXPECT_TRUE(question.HasButton(IDYES, "&Yes"));
        EXPECT_TRUE(question.HasButton(IDNO, "&No"));
        question.Press(c.Answer);
    }
    if (c.Exit == ExitInstalled) {
        const TDialog done = run.NextDialog();
        ASSERT_TRUE(done);
        EXPECT_EQ(done.Text.rfind("The screensaver \"Harbour Lights\" has been installed", 0), 0u) << done.Text;
        done.Press(IDOK);
    }
    EXPECT_FALSE(run.NextDialog());
    EXPECT_EQ(run.ExitCode(), c.Exit);
    EXPECT_EQ(FilesIn(target), std::vector<std::string>{"Harbour Lights.scr"}) << "no temporary file is left";
    HKEY left = nullptr;
    const bool keyLeft = RegOpenKeyExA(HKEY_CURRENT_USER, otherKey.c_str(), 0, KEY_READ, &left) == ERROR_SUCCESS;
    if (left) RegCloseKey(left);
    const bool sameBuild = std::string(c.ExistingBuildId) == parts.BuildId;
    if (c.Exit == ExitInstalled) {
        ExpectCurrentScreensaver(Installed());
        ExpectInstalledFrom(Installed(), parts, package);
        EXPECT_EQ(keyLeft, sameBuild) << "the replaced screensaver's settings go with it";
    } else {
        EXPECT_EQ(TTestFolder::Read(Installed()), existing);
        ExpectRegistryUntouched();
        EXPECT_TRUE(keyLeft);
    }
}

constexpr const char* OtherBuild = "{A1B2C3D4-0000-4000-8000-00000000F00D}";

INSTANTIATE_TEST_SUITE_P(
    Cases, InstallerReplacing,
    ::testing::Values(Replacement{"OtherProjectKept", OtherBuild, "", IDNO, ExitDeclined},
                      Replacement{"OtherProjectReplaced", OtherBuild, "", IDYES, ExitInstalled},
                      Replacement{"OtherProjectReplacedByInstallNow", OtherBuild, "/auto", 0, ExitInstalled},
                      Replacement{"SamePackageAgain", "{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}", "", 0, ExitInstalled}),
    [](const auto& Info) { return std::string(Info.param.Name); });

// Started from a folder whose name the system code page cannot hold
// (Japanese, Cyrillic), the installer still reads its own file.
TEST_F(Installer, ReadsItsPackageFromAFolderNamedOutsideTheCodePage) {
    const TPackageParts parts = Parts();
    const std::string package = parts.Package();
    for (const wchar_t* name : {L"\u30c6\u30b9\u30c8", L"\u043f\u0430\u043f\u043a\u0430"}) {
        const std::wstring folder = fs::path(scratch.Path()).wstring() + L"\\" + name;
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
        const std::wstring path = folder + L"\\setup.exe";
        {
            std::ofstream f(fs::path(path), std::ios::binary);
            f.write(package.data(), static_cast<std::streamsize>(package.size()));
        }
        TInstallerRun run(path, L"/auto");
        ASSERT_TRUE(run.Started());
        const TDialog done = run.NextDialog();
        ASSERT_TRUE(done);
        EXPECT_EQ(done.Text.rfind("The screensaver \"Harbour Lights\" has been installed", 0), 0u) << done.Text;
        done.Press(IDOK);
        EXPECT_EQ(run.ExitCode(), ExitInstalled);
        ExpectInstalledFrom(Installed(), parts, package);
        DeleteFileW(path.c_str());
        RemoveDirectoryW(folder.c_str());
    }
}

TEST_F(Installer, FallsBackToTheUsersProgramsFolderAndCreatesIt) {
    TEnvironmentValue missing("TESSALOOM_INSTALL_DIR", scratch.File("no such folder"));
    TPackageParts parts = Parts();
    parts.Title = "Night/Day: *Stars* ...";
    const std::string package = parts.Package();
    TInstallerRun run(WritePackage(package), "/auto");
    const TDialog done = run.NextDialog();
    ASSERT_TRUE(done);
    EXPECT_EQ(done.Caption, "Night/Day: *Stars* ... Setup");
    done.Press(IDOK);
    EXPECT_EQ(run.ExitCode(), ExitInstalled);
    const std::string path = scratch.File("user\\Programs\\Night_Day_ _Stars_.scr");
    EXPECT_EQ(FilesIn(scratch.File("user\\Programs")), std::vector<std::string>{"Night_Day_ _Stars_.scr"});
    ExpectCurrentScreensaver(path);
    ExpectInstalledFrom(path, parts, package);
}

TEST_F(Installer, WithoutTestFoldersInstallsInTheSystemFolder) {
    // The fixture's own settings are dropped here and unset again after the test.
    SetEnvironmentVariableA("TESSALOOM_INSTALL_DIR", nullptr);
    SetEnvironmentVariableA("TESSALOOM_INSTALL_FALLBACK_DIR", nullptr);
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    TPackageParts parts = Parts();
    parts.Title = "Tessaloom Installer Test " + std::to_string(GetCurrentProcessId());
    const std::string path = std::string(system) + "\\" + parts.Title + ".scr";
    struct TRemove {
        std::string Path;
        ~TRemove() { DeleteFileA(Path.c_str()); }
    } remove{path};

    TInstallerRun run(WritePackage(parts.Package()), "/auto");
    const TDialog done = run.NextDialog();
    ASSERT_TRUE(done);
    done.Press(IDOK);
    EXPECT_EQ(run.ExitCode(), ExitInstalled);
    EXPECT_EQ(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    ExpectCurrentScreensaver(path);
}

// Failures: a message box saying what went wrong, exit code 2, no file left
// in the destination and the registry as it was.
struct Failure {
    const char* Name;
    friend void PrintTo(const Failure& C, std::ostream* Os) { *Os << C.Name; }
    std::function<std::string(const TPackageParts&)> Package;
    std::function<void(const std::string& Scratch, const std::string& Target)> Prepare;
    const char* Caption;
    const char* TextStart;
};

class InstallerFailure : public Installer, public ::testing::WithParamInterface<Failure> {};

TEST_P(InstallerFailure, IsReportedAndLeavesNothingBehind) {
    GetParam().Prepare(scratch.Path(), target);
    ExpectRefused(GetParam().Package(Parts()), GetParam().Caption, GetParam().TextStart);
}

std::string Flipped(const TPackageParts& Parts, std::size_t Stream) {
    std::string p = Parts.Package();
    const auto e = Extents(p)[Stream];
    p[e.Offset + e.Size - 1] ^= 0x5A;
    return p;
}

const auto NoPreparation = [](const std::string&, const std::string&) {};
const auto Whole = [](const TPackageParts& P) { return P.Package(); };

INSTANTIATE_TEST_SUITE_P(
    Cases, InstallerFailure,
    ::testing::Values(
        Failure{"InstallerAlone", [](const TPackageParts& P) { return P.Installer; }, NoPreparation,
                "Screensaver Setup", "This file is not a screensaver installation package, or it is damaged."},
        Failure{"CutShort",
                [](const TPackageParts& P) {
                    const std::string p = P.Package();
                    return p.substr(0, p.size() - 3);
                },
                NoPreparation, "Screensaver Setup", "This file is not a screensaver installation package"},
        Failure{"MoviesDamaged", [](const TPackageParts& P) { return Flipped(P, 2); }, NoPreparation,
                "Screensaver Setup", "The installation package is damaged: its movies cannot be read."},
        Failure{"RuntimeDamaged", [](const TPackageParts& P) { return Flipped(P, 1); }, NoPreparation,
                "Screensaver Setup", "The installation package is damaged: its screensaver program cannot be read."},
        Failure{"NoMovies",
                [](const TPackageParts& P) {
                    TPackageParts none = P;
                    none.Movies.clear();
                    return none.Package();
                },
                NoPreparation, "Screensaver Setup", "The installation package is damaged: it holds no movie."},
        Failure{"ProgramNotForWindows",
                [](const TPackageParts& P) {
                    TPackageParts crafted = P;
                    crafted.Runtime = "MZ" + Blob(1, 3000);
                    return crafted.Package();
                },
                NoPreparation, "Screensaver Setup",
                "The installation package is damaged: its screensaver program is not a Windows program."},
        Failure{"NoFolderCanBeWritten", Whole,
                [](const std::string& Scratch, const std::string&) {
                    // Both folders lie under a plain file, so neither can exist.
                    WriteWholeFile(Scratch + "\\blocker", "x");
                    SetEnvironmentVariableA("TESSALOOM_INSTALL_DIR", (Scratch + "\\blocker\\system").c_str());
                    SetEnvironmentVariableA("TESSALOOM_INSTALL_FALLBACK_DIR",
                                            (Scratch + "\\blocker\\Programs").c_str());
                },
                "Harbour Lights Setup", "The screensaver cannot be written to the folder \""},
        Failure{"FinalNameTakenByAFolder", Whole,
                [](const std::string&, const std::string& Target) {
                    fs::create_directories(Target + "\\Harbour Lights.scr\\keep");
                },
                "Harbour Lights Setup", "The screensaver could not be saved as \""}),
    [](const auto& Info) { return std::string(Info.param.Name); });

// A logo is decoded as the screensaver will decode it before anything is
// written: one whose headers hold but whose picture does not decode is
// refused like any unusable package.
class InstallerUndecodableLogo : public Installer, public ::testing::WithParamInterface<TUndecodableLogo> {};

TEST_P(InstallerUndecodableLogo, IsRefusedBeforeAnythingIsWritten) {
    TPackageParts parts = Parts();
    parts.LogoFile = GetParam().LogoFile;
    parts.Logo = GetParam().Bytes;
    ExpectRefused(parts.Package(), "Screensaver Setup",
                  "The installation package is damaged: its logo is not a picture the screensaver can show (\"" +
                      ExtractFileName(parts.LogoFile) + "\").");
}

INSTANTIATE_TEST_SUITE_P(Cases, InstallerUndecodableLogo, ::testing::ValuesIn(UndecodableLogos()),
                         [](const auto& Info) { return std::string(Info.param.Name); });

// Logos that decode install as they always did, whatever their format.
struct GoodLogo {
    const char* Name;
    friend void PrintTo(const GoodLogo& C, std::ostream* Os) { *Os << C.Name; }
    const char* LogoFile;
    std::string Bytes;
};

class InstallerLogo : public Installer, public ::testing::WithParamInterface<GoodLogo> {};

TEST_P(InstallerLogo, ThatDecodesIsInstalled) {
    TPackageParts parts = Parts();
    parts.LogoFile = GetParam().LogoFile;
    parts.Logo = GetParam().Bytes;
    ExpectAutoInstalled(parts);
}

INSTANTIATE_TEST_SUITE_P(Cases, InstallerLogo,
                         ::testing::Values(GoodLogo{"Jpeg", "C:\\art\\logo.jpg", JpegLogo()},
                                           GoodLogo{"JpegUpperCase", "LOGO.JPEG", JpegLogo()},
                                           GoodLogo{"Icon", "C:\\art\\logo.ico", IconLogo()}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

}  // namespace
