// The screensaver program started as the system starts it: an installed
// screensaver file ("<title>.scr", the program followed by its movies and
// project, made by the installer's class) run with each kind of switch.

#include "DialogAnswerer.h"
#include "FullScreenCheck.h"
#include "InstallEnvironment.h"
#include "PasswordFlag.h"
#include "Process.h"
#include "SaverFixture.h"
#include "WaitUntil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace {

using saver::TSaverParts;

// A program of the test started in its own folder, as the system starts a
// screensaver.
TProcess Start(const std::string& Program, const std::string& Arguments) {
    TProcess p(Program, Arguments, Program.substr(0, Program.find_last_of('\\')));
    if (!p.Started()) throw std::runtime_error("cannot start \"" + Program + "\" " + Arguments);
    return p;
}

// Looking for a program's windows, hidden ones count too: one it made and
// has not shown is still there.
constexpr TWindowFilter AnyWindow = TWindowFilter::AnyWindow;

// A setting of Wine for one program, by its file name, removed afterwards.
// Wine takes its settings from the registry of the session; an environment
// variable set here would not reach the program.
class TWineAppSetting {
public:
    TWineAppSetting(const std::string& Program, const std::string& Section, const char* Name, const char* Value)
        : app_("Software\\Wine\\AppDefaults\\" + Program), key_(Section.empty() ? app_ : app_ + "\\" + Section) {
        HKEY k = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) == 0) {
            RegSetValueExA(k, Name, 0, REG_SZ, reinterpret_cast<const BYTE*>(Value), static_cast<DWORD>(strlen(Value) + 1));
            RegCloseKey(k);
        }
    }
    TWineAppSetting(const TWineAppSetting&) = delete;
    TWineAppSetting& operator=(const TWineAppSetting&) = delete;
    ~TWineAppSetting() {
        if (key_ != app_) RegDeleteKeyA(HKEY_CURRENT_USER, key_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, app_.c_str());
    }

private:
    std::string app_, key_;
};

COLORREF ScreenPixel(int X, int Y) {
    HDC dc = GetDC(nullptr);
    const COLORREF c = GetPixel(dc, X, Y);
    ReleaseDC(nullptr, dc);
    return c;
}

class ProgramTest : public testing::Test {
protected:
    void SetUp() override {
        tag_ = std::to_string(GetCurrentProcessId()) + "-" + testing::UnitTest::GetInstance()->current_test_info()->name();
        for (char& c : tag_)
            if (c == '/') c = '-';
        folder_ = saver::TempFolder() + "saver-" + tag_;
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
    void TearDown() override {
        for (const auto& f : files_) DeleteFileA(f.c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    std::string Movie(const std::string& Sample) const { return "pt-" + tag_ + "-" + Sample + ".swf"; }
    // Installs a screensaver of the samples; returns the path of its file.
    std::string Install(const std::vector<std::string>& Samples) {
        TSaverParts p;
        p.Runtime = saver::RuntimeProgram();
        for (const auto& s : Samples) {
            p.Movies.push_back({"C:\\movies\\" + Movie(s), saver::Sample(s)});
            files_.push_back(saver::TempFolder() + Movie(s));
        }
        const std::string path = folder_ + "\\" + ScreensaverFileName(p.Title);
        saver::WriteWhole(path, saver::InstalledFile(p));
        files_.push_back(path);
        return path;
    }
    std::string Beside(const std::string& Library) {
        const std::string to = folder_ + "\\" + Library;
        CopyFileA((saver::TestFolder() + Library).c_str(), to.c_str(), FALSE);
        files_.push_back(to);
        return to;
    }

    std::string tag_, folder_;
    std::vector<std::string> files_;
    // The playback creates its settings key when it is missing.
    saver::TSettingsKey settings_{TSaverParts{}.BuildId};
};

TEST_F(ProgramTest, PlaysTheInstalledMoviesFullScreenAndEndsOnAKey) {
    const std::string scr = Install({"tide"});
    const std::string movie = saver::TempFolder() + Movie("tide");
    const TProcess saver = Start(scr, "/s");
    HWND w = saver.WaitForWindow("TShowForm", 15000);
    ASSERT_NE(w, nullptr) << "no playback window; exit code " << saver.ExitCode();
    saver::ExpectCoversTheScreenOnTop(w);
    // Seen on screen, the window has written its movie already.
    EXPECT_EQ(saver::Exists(movie) ? saver::ReadWhole(movie) : "", saver::Sample("tide"))
        << "the movie is written to the temporary folder before the window appears";
    // The stage of "tide" is 4:3, so the screen's top edge shows its sky-blue background.
    EXPECT_TRUE(WaitUntil([] { return ScreenPixel(1, 1) == RGB(150, 200, 235); }, 5000))
        << std::hex << ScreenPixel(1, 1);

    PostMessageA(w, WM_KEYDOWN, VK_SPACE, 1);
    ASSERT_TRUE(saver.Wait(5000));
    EXPECT_EQ(saver.ExitCode(), 0u);
    EXPECT_FALSE(saver::Exists(movie)) << "deleted when the screensaver ends";
}

// Installed in a folder whose name the system code page cannot hold, the
// screensaver still reads its own file: it plays, and its setup dialog shows
// the title stored in it.
TEST_F(ProgramTest, ReadsItsOwnFileFromAFolderNamedOutsideTheCodePage) {
    const std::string scr = Install({"tide"});
    const std::string movie = saver::TempFolder() + Movie("tide");
    const std::wstring folder = std::filesystem::path(folder_).wstring() + L"\\\u30c6\u30b9\u30c8 \u043f\u0430\u043f\u043a\u0430";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring installed = folder + L"\\" + std::filesystem::path(scr).filename().wstring();
    ASSERT_TRUE(CopyFileW(std::filesystem::path(scr).wstring().c_str(), installed.c_str(), FALSE));
    struct TRemove {
        std::wstring File, Folder;
        ~TRemove() {
            DeleteFileW(File.c_str());
            RemoveDirectoryW(Folder.c_str());
        }
    } remove{installed, folder};

    {
        TProcess saver(installed, L"/s");
        ASSERT_TRUE(saver.Started());
        HWND w = saver.WaitForWindow("TShowForm", 15000);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(WaitUntil([&] { return saver::Exists(movie) && saver::ReadWhole(movie) == saver::Sample("tide"); }, 5000))
            << "the movie comes from the file";
        EXPECT_EQ(saver.Window("#32770", AnyWindow), nullptr) << "no error box";
        PostMessageA(w, WM_KEYDOWN, VK_SPACE, 1);
        EXPECT_TRUE(saver.Wait(5000));
    }
    {
        TProcess setup(installed, L"/c");
        ASSERT_TRUE(setup.Started());
        HWND w = setup.WaitForWindow("TSetupForm", 15000);
        ASSERT_NE(w, nullptr);
        char caption[128] = {};
        GetWindowTextA(w, caption, sizeof caption);
        EXPECT_EQ(std::string(caption), TSaverParts{}.Title + " Setup Window");
        EXPECT_EQ(setup.Window("#32770", AnyWindow), nullptr) << "no error box";
        PostMessageA(w, WM_CLOSE, 0, 0);
        EXPECT_TRUE(setup.Wait(5000));
    }
}

TEST_F(ProgramTest, AFileWithoutMoviesShowsAnErrorCaptionedWithTheTitleAndStillEndsOnAKey) {
    const std::string scr = Install({});
    const TProcess saver = Start(scr, "/s");
    HWND box = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (box = saver.Window("#32770", AnyWindow)) != nullptr && IsWindowVisible(box); }, 15000));
    const TSeenDialog seen = ReadDialog(box);
    EXPECT_EQ(seen.Caption, "Vidad Ididederuzi");
    EXPECT_EQ(seen.Text, "This screensaver contains no movies.");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000));
    HWND w = saver.Window("TShowForm", AnyWindow);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(IsWindowVisible(w));
    PostMessageA(w, WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_TRUE(saver.Wait(5000));
}

// What one start does with its arguments.
enum class TOutcome { Plays, SetsUp, EndsSilently, ChangesPassword };

struct TSwitchCase {
    const char* Name;
    const char* Arguments;
    TOutcome Outcome;
    const char* PasswordCall;  // what "MPR.DLL" was asked, for the password change
};

void PrintTo(const TSwitchCase& C, std::ostream* Out) { *Out << C.Name; }

class Switch : public ProgramTest, public testing::WithParamInterface<TSwitchCase> {};

TEST_P(Switch, StartsWhatTheSwitchAsksFor) {
    const TSwitchCase& c = GetParam();
    const std::string scr = Install({"tide"});
    Beside("MPR.DLL");
    const std::string log = folder_ + "\\mpr-calls.txt";
    files_.push_back(log);
    // The program binds the library by name while it runs; Wine is told to
    // take the one beside the program instead of its own.
    TWineAppSetting native(ScreensaverFileName(TSaverParts{}.Title), "DllOverrides", "mpr", "native");
    TEnvironmentValue mprLog("TESSALOOM_MPR_LOG", log);

    const TProcess saver = Start(scr, c.Arguments);
    if (c.Outcome == TOutcome::Plays) {
        HWND w = saver.WaitForWindow("TShowForm", 15000);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(saver.Window("TSetupForm", AnyWindow), nullptr);
        PostMessageA(w, WM_KEYDOWN, VK_SPACE, 1);
        EXPECT_TRUE(saver.Wait(5000));
    } else if (c.Outcome == TOutcome::SetsUp) {
        HWND w = saver.WaitForWindow("TSetupForm", 15000);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(saver.Window("TShowForm", AnyWindow), nullptr);
        // The main form: closing it ends the program.
        PostMessageA(w, WM_CLOSE, 0, 0);
        EXPECT_TRUE(saver.Wait(5000));
    } else {
        bool sawWindow = false;
        const bool ended = WaitUntil(
            [&] {
                sawWindow = sawWindow || saver.Window("TShowForm", AnyWindow) ||
                            saver.Window("TSetupForm", AnyWindow) || saver.Window("#32770", AnyWindow);
                return saver.Wait(0);
            },
            10000);
        ASSERT_TRUE(ended);
        EXPECT_FALSE(sawWindow);
    }
    EXPECT_EQ(saver.ExitCode(), 0u);
    const std::string calls = saver::Exists(log) ? saver::ReadWhole(log) : "";
    EXPECT_EQ(calls, c.PasswordCall);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Switch,
    testing::Values(TSwitchCase{"UpperS", "/S", TOutcome::Plays, ""},
                    TSwitchCase{"LowerS", "/s", TOutcome::Plays, ""},
                    TSwitchCase{"HyphenS", "-s", TOutcome::Plays, ""},
                    TSwitchCase{"Configure", "/c", TOutcome::SetsUp, ""},
                    TSwitchCase{"ConfigureForAWindow", "/c:1234", TOutcome::SetsUp, ""},
                    TSwitchCase{"HyphenConfigure", "-C", TOutcome::SetsUp, ""},
                    TSwitchCase{"NoArguments", "", TOutcome::SetsUp, ""},
                    TSwitchCase{"PreviewWithAWindow", "/p 123", TOutcome::EndsSilently, ""},
                    TSwitchCase{"OneCharacter", "s", TOutcome::EndsSilently, ""},
                    TSwitchCase{"PasswordForAWindow", "/a 4660", TOutcome::ChangesPassword, "SCRSAVE 4660 0 null\n"},
                    TSwitchCase{"PasswordWithoutAWindow", "/a", TOutcome::ChangesPassword, "SCRSAVE 0 0 null\n"},
                    TSwitchCase{"PasswordWithAName", "-A parent", TOutcome::ChangesPassword, "SCRSAVE 0 0 null\n"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(ProgramTest, ASecondStartWhilePlayingEndsAtOnce) {
    const std::string scr = Install({"tide"});
    const TProcess first = Start(scr, "/s");
    HWND w = first.WaitForWindow("TShowForm", 15000);
    ASSERT_NE(w, nullptr);
    for (const char* args : {"/s", "/c", ""}) {
        const TProcess second = Start(scr, args);
        ASSERT_TRUE(second.Wait(5000)) << args;
        EXPECT_EQ(second.ExitCode(), 0u);
        EXPECT_EQ(second.Window("TShowForm", AnyWindow), nullptr);
        EXPECT_EQ(second.Window("TSetupForm", AnyWindow), nullptr);
    }
    EXPECT_FALSE(first.Wait(0));
    EXPECT_EQ(FindWindowA("TShowForm", nullptr), w);
    PostMessageA(w, WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_TRUE(first.Wait(5000));
}

class Win9xPassword : public ProgramTest, public testing::WithParamInterface<bool> {};

TEST_P(Win9xPassword, ThePasswordBesideTheProgramDecidesTheEnd) {
    const bool accept = GetParam();
    const std::string scr = Install({"tide"});
    Beside("PASSWORD.CPL");
    // The system reports itself as Windows 98 to this program only.
    TWineAppSetting win98(ScreensaverFileName(TSaverParts{}.Title), "", "Version", "win98");
    TPasswordFlag flag(1);
    TEnvironmentValue answer("TESSALOOM_PASSWORD_ANSWER", accept ? "accept" : "refuse");

    const TProcess saver = Start(scr, "/s");
    HWND w = saver.WaitForWindow("TShowForm", 15000);
    ASSERT_NE(w, nullptr);
    PostMessageA(w, WM_KEYDOWN, VK_SPACE, 1);
    if (accept) {
        EXPECT_TRUE(saver.Wait(5000));
        EXPECT_FALSE(saver::Exists(saver::TempFolder() + Movie("tide")));
    } else {
        EXPECT_FALSE(saver.Wait(1500)) << "a refused password keeps the screensaver";
        EXPECT_TRUE(IsWindowVisible(w));
    }
}

INSTANTIATE_TEST_SUITE_P(Table, Win9xPassword, testing::Bool(),
                         [](const auto& Info) { return Info.param ? "Accepted" : "Refused"; });

// Without the 9x family the password library is never asked.
TEST_F(ProgramTest, OnTheNtFamilyAKeyEndsItWhateverThePasswordFlag) {
    const std::string scr = Install({"tide"});
    Beside("PASSWORD.CPL");
    TPasswordFlag flag(1);
    TEnvironmentValue answer("TESSALOOM_PASSWORD_ANSWER", "refuse");
    const TProcess saver = Start(scr, "/s");
    HWND w = saver.WaitForWindow("TShowForm", 15000);
    ASSERT_NE(w, nullptr);
    PostMessageA(w, WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_TRUE(saver.Wait(5000));
}

// The whole road from a package: the shipped installer, started with "/auto"
// as Install Now starts it, leaves a screensaver file that plays.
TEST_F(ProgramTest, TheInstallersScreensaverFilePlays) {
    TSaverParts parts;
    parts.Runtime = saver::RuntimeProgram();
    parts.Movies.push_back({"C:\\movies\\" + Movie("tide"), saver::Sample("tide")});
    files_.push_back(saver::TempFolder() + Movie("tide"));
    const std::string setup = folder_ + "\\setup.exe";
    saver::WriteWhole(setup, saver::Package(parts, saver::InstallerProgram()));
    files_.push_back(setup);
    const std::string installed = folder_ + "\\" + ScreensaverFileName(parts.Title);
    files_.push_back(installed);

    TDesktopValues desktop;
    {
        TEnvironmentValue target("TESSALOOM_INSTALL_DIR", folder_);
        const TProcess installer = Start(setup, "/auto");
        HWND done = nullptr;
        ASSERT_TRUE(WaitUntil(
            [&] {
                done = installer.Window("#32770", AnyWindow);
                return (done && IsWindowVisible(done)) || installer.Wait(0);
            },
            15000));
        ASSERT_NE(done, nullptr) << "the installer ended with " << installer.ExitCode();
        EXPECT_NE(ReadDialog(done).Text.find(installed), std::string::npos) << ReadDialog(done).Text;
        PostMessageA(done, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(installer.Wait(5000));
        ASSERT_EQ(installer.ExitCode(), 0u);
    }
    EXPECT_EQ(TDesktopValues::Read("SCRNSAVE.EXE"), std::make_pair(true, installed));
    const std::string file = saver::ReadWhole(installed);
    const std::string program = saver::RuntimeProgram();
    ASSERT_GT(file.size(), program.size());
    EXPECT_EQ(file.compare(0, program.size(), program), 0) << "the file begins with the program itself";

    const TProcess saver = Start(installed, "/s");
    HWND w = saver.WaitForWindow("TShowForm", 15000);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(WaitUntil([] { return ScreenPixel(1, 1) == RGB(150, 200, 235); }, 5000));
    PostMessageA(w, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(saver.Wait(5000));
}

// The names of the libraries a program file is linked against, read from
// its import table.
std::vector<std::string> LinkedLibraries(const std::string& File) {
    auto at = [&](std::size_t Offset, std::size_t Size) {
        if (Offset + Size > File.size()) throw std::runtime_error("cut program file");
        return File.data() + Offset;
    };
    IMAGE_DOS_HEADER dos;
    std::memcpy(&dos, at(0, sizeof dos), sizeof dos);
    IMAGE_NT_HEADERS64 nt;
    std::memcpy(&nt, at(static_cast<std::size_t>(dos.e_lfanew), sizeof nt), sizeof nt);
    const std::size_t sections = static_cast<std::size_t>(dos.e_lfanew) + offsetof(IMAGE_NT_HEADERS64, OptionalHeader) +
                                 nt.FileHeader.SizeOfOptionalHeader;
    auto fileOffset = [&](DWORD Rva) -> std::size_t {
        for (WORD i = 0; i < nt.FileHeader.NumberOfSections; ++i) {
            IMAGE_SECTION_HEADER h;
            std::memcpy(&h, at(sections + i * sizeof h, sizeof h), sizeof h);
            if (Rva >= h.VirtualAddress && Rva < h.VirtualAddress + std::max(h.Misc.VirtualSize, h.SizeOfRawData))
                return Rva - h.VirtualAddress + h.PointerToRawData;
        }
        throw std::runtime_error("address outside the sections");
    };
    std::vector<std::string> names;
    const DWORD imports = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (std::size_t d = fileOffset(imports);; d += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        IMAGE_IMPORT_DESCRIPTOR desc;
        std::memcpy(&desc, at(d, sizeof desc), sizeof desc);
        if (desc.Name == 0) break;
        std::string name = at(fileOffset(desc.Name), 1);
        for (char& c : name) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
        names.push_back(name);
    }
    return names;
}

// The password libraries exist on the Windows 9x family only: the program is
// not linked against them, so it starts everywhere and finds them at run time.
TEST(ProgramFile, IsNotLinkedAgainstThePasswordLibraries) {
    const std::vector<std::string> linked = LinkedLibraries(saver::RuntimeProgram());
    ASSERT_FALSE(linked.empty());
    EXPECT_NE(std::find(linked.begin(), linked.end(), "USER32.DLL"), linked.end()) << "the table was read";
    for (const char* library : {"MPR.DLL", "PASSWORD.CPL"})
        EXPECT_EQ(std::find(linked.begin(), linked.end(), library), linked.end()) << library;
}

}  // namespace
