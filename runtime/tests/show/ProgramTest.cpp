// The screensaver program started as the system starts it: an installed
// screensaver file ("<title>.scr", the program followed by its movies and
// project, made by the installer's class) run with each kind of switch.

#include "DialogAnswerer.h"
#include "SaverFixture.h"
#include "TopWindows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <optional>
#include <thread>

namespace {

using saver::TSaverParts;

bool WaitFor(const std::function<bool()>& Done, DWORD Ms) {
    const DWORD start = GetTickCount();
    while (!Done()) {
        if (GetTickCount() - start > Ms) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// One start of the installed screensaver.
class TSaverProcess {
public:
    TSaverProcess(const std::string& Program, const std::string& Arguments) {
        std::string line = "\"" + Program + "\"" + (Arguments.empty() ? "" : " " + Arguments);
        std::vector<char> buffer(line.begin(), line.end());
        buffer.push_back('\0');
        STARTUPINFOA si{};
        si.cb = sizeof si;
        const std::string folder = Program.substr(0, Program.find_last_of('\\'));
        if (!CreateProcessA(Program.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si,
                            &info_))
            throw std::runtime_error("cannot start " + line);
        CloseHandle(info_.hThread);
    }
    TSaverProcess(const TSaverProcess&) = delete;
    TSaverProcess& operator=(const TSaverProcess&) = delete;
    ~TSaverProcess() {
        if (!Ended(0)) {
            TerminateProcess(info_.hProcess, 99);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hProcess);
    }
    bool Ended(DWORD Ms) const { return WaitForSingleObject(info_.hProcess, Ms) == WAIT_OBJECT_0; }
    DWORD ExitCode() const {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }
    DWORD Id() const { return info_.dwProcessId; }
    HWND Window(const char* ClassName) const { return FindTopWindow(Id(), ClassName, TWindowFilter::AnyWindow); }
    HWND WaitWindow(const char* ClassName, DWORD Ms = 15000) const {
        HWND found = nullptr;
        WaitFor([&] { return (found = Window(ClassName)) != nullptr && IsWindowVisible(found); }, Ms);
        return found;
    }

private:
    PROCESS_INFORMATION info_{};
};

// An environment variable of this process (and so of the programs it starts)
// for the length of a test.
class TScopedVariable {
public:
    TScopedVariable(const char* Name, const std::string& Value) : name_(Name) {
        char old[1024];
        const DWORD n = GetEnvironmentVariableA(Name, old, sizeof old);
        had_ = n > 0 && n < sizeof old;
        if (had_) old_ = old;
        SetEnvironmentVariableA(Name, Value.c_str());
    }
    TScopedVariable(const TScopedVariable&) = delete;
    TScopedVariable& operator=(const TScopedVariable&) = delete;
    ~TScopedVariable() { SetEnvironmentVariableA(name_, had_ ? old_.c_str() : nullptr); }

private:
    const char* name_;
    bool had_ = false;
    std::string old_;
};

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
    TSaverProcess saver(scr, "/s");
    HWND w = saver.WaitWindow("TShowForm");
    ASSERT_NE(w, nullptr) << "no playback window; exit code " << saver.ExitCode();
    RECT r{};
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
    // The window comes up first; the movie is written as its playback starts.
    EXPECT_TRUE(WaitFor([&] { return saver::Exists(movie) && saver::ReadWhole(movie) == saver::Sample("tide"); }, 5000))
        << "the movie is written to the temporary folder";
    // The stage of "tide" is 4:3, so the screen's top edge shows its sky-blue background.
    EXPECT_TRUE(WaitFor([] { return ScreenPixel(1, 1) == RGB(150, 200, 235); }, 5000))
        << std::hex << ScreenPixel(1, 1);

    PostMessageA(w, WM_KEYDOWN, VK_SPACE, 1);
    ASSERT_TRUE(saver.Ended(5000));
    EXPECT_EQ(saver.ExitCode(), 0u);
    EXPECT_FALSE(saver::Exists(movie)) << "deleted when the screensaver ends";
}

TEST_F(ProgramTest, AFileWithoutMoviesShowsAnErrorCaptionedWithTheTitleAndStillEndsOnAKey) {
    const std::string scr = Install({});
    TSaverProcess saver(scr, "/s");
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = saver.Window("#32770")) != nullptr && IsWindowVisible(box); }, 15000));
    const TSeenDialog seen = ReadDialog(box);
    EXPECT_EQ(seen.Caption, "Vidad Ididederuzi");
    EXPECT_EQ(seen.Text, "This screensaver contains no movies.");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }, 5000));
    HWND w = saver.Window("TShowForm");
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(IsWindowVisible(w));
    PostMessageA(w, WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_TRUE(saver.Ended(5000));
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
    TScopedVariable mprLog("TESSALOOM_MPR_LOG", log);

    TSaverProcess saver(scr, c.Arguments);
    if (c.Outcome == TOutcome::Plays) {
        HWND w = saver.WaitWindow("TShowForm");
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(saver.Window("TSetupForm"), nullptr);
        PostMessageA(w, WM_KEYDOWN, VK_SPACE, 1);
        EXPECT_TRUE(saver.Ended(5000));
    } else if (c.Outcome == TOutcome::SetsUp) {
        HWND w = saver.WaitWindow("TSetupForm");
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(saver.Window("TShowForm"), nullptr);
        // The main form: closing it ends the program.
        PostMessageA(w, WM_CLOSE, 0, 0);
        EXPECT_TRUE(saver.Ended(5000));
    } else {
        bool sawWindow = false;
        const bool ended = WaitFor(
            [&] {
                sawWindow = sawWindow || saver.Window("TShowForm") || saver.Window("TSetupForm") ||
                            saver.Window("#32770");
                return saver.Ended(0);
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
    TSaverProcess first(scr, "/s");
    HWND w = first.WaitWindow("TShowForm");
    ASSERT_NE(w, nullptr);
    for (const char* args : {"/s", "/c", ""}) {
        TSaverProcess second(scr, args);
        ASSERT_TRUE(second.Ended(5000)) << args;
        EXPECT_EQ(second.ExitCode(), 0u);
        EXPECT_EQ(second.Window("TShowForm"), nullptr);
        EXPECT_EQ(second.Window("TSetupForm"), nullptr);
    }
    EXPECT_FALSE(first.Ended(0));
    EXPECT_EQ(FindWindowA("TShowForm", nullptr), w);
    PostMessageA(w, WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_TRUE(first.Ended(5000));
}

// "ScreenSaveUserPassword" under "Control Panel\\desktop", put back afterwards.
class TPasswordFlag {
public:
    explicit TPasswordFlag(DWORD Value) {
        RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\desktop", 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_,
                        nullptr);
        DWORD size = sizeof old_, type = 0;
        had_ = RegQueryValueExA(key_, kName, nullptr, &type, reinterpret_cast<BYTE*>(&old_), &size) == 0 &&
               type == REG_DWORD;
        RegSetValueExA(key_, kName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&Value), sizeof Value);
    }
    TPasswordFlag(const TPasswordFlag&) = delete;
    TPasswordFlag& operator=(const TPasswordFlag&) = delete;
    ~TPasswordFlag() {
        if (had_)
            RegSetValueExA(key_, kName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_), sizeof old_);
        else
            RegDeleteValueA(key_, kName);
        RegCloseKey(key_);
    }

private:
    static constexpr const char* kName = "ScreenSaveUserPassword";
    HKEY key_ = nullptr;
    bool had_ = false;
    DWORD old_ = 0;
};

class Win9xPassword : public ProgramTest, public testing::WithParamInterface<bool> {};

TEST_P(Win9xPassword, ThePasswordBesideTheProgramDecidesTheEnd) {
    const bool accept = GetParam();
    const std::string scr = Install({"tide"});
    Beside("PASSWORD.CPL");
    // The system reports itself as Windows 98 to this program only.
    TWineAppSetting win98(ScreensaverFileName(TSaverParts{}.Title), "", "Version", "win98");
    TPasswordFlag flag(1);
    TScopedVariable answer("TESSALOOM_PASSWORD_ANSWER", accept ? "accept" : "refuse");

    TSaverProcess saver(scr, "/s");
    HWND w = saver.WaitWindow("TShowForm");
    ASSERT_NE(w, nullptr);
    PostMessageA(w, WM_KEYDOWN, VK_SPACE, 1);
    if (accept) {
        EXPECT_TRUE(saver.Ended(5000));
        EXPECT_FALSE(saver::Exists(saver::TempFolder() + Movie("tide")));
    } else {
        EXPECT_FALSE(saver.Ended(1500)) << "a refused password keeps the screensaver";
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
    TScopedVariable answer("TESSALOOM_PASSWORD_ANSWER", "refuse");
    TSaverProcess saver(scr, "/s");
    HWND w = saver.WaitWindow("TShowForm");
    ASSERT_NE(w, nullptr);
    PostMessageA(w, WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_TRUE(saver.Ended(5000));
}

// The current user's screensaver values, which the installer changes, put back.
class TDesktopValues {
public:
    TDesktopValues() {
        for (const char* name : kNames) saved_.push_back(Read(name));
    }
    TDesktopValues(const TDesktopValues&) = delete;
    TDesktopValues& operator=(const TDesktopValues&) = delete;
    ~TDesktopValues() {
        HKEY key;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return;
        for (std::size_t i = 0; i < std::size(kNames); ++i) {
            if (saved_[i])
                RegSetValueExA(key, kNames[i], 0, REG_SZ, reinterpret_cast<const BYTE*>(saved_[i]->c_str()),
                               static_cast<DWORD>(saved_[i]->size() + 1));
            else
                RegDeleteValueA(key, kNames[i]);
        }
        RegCloseKey(key);
    }
    static std::optional<std::string> Read(const char* Name) {
        char buffer[1024];
        DWORD size = sizeof buffer;
        if (RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", Name, RRF_RT_REG_SZ, nullptr, buffer, &size) !=
            ERROR_SUCCESS)
            return std::nullopt;
        return std::string(buffer);
    }

private:
    static constexpr const char* kNames[] = {"SCRNSAVE.EXE", "ScreenSaveActive"};
    std::vector<std::optional<std::string>> saved_;
};

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
        TScopedVariable target("TESSALOOM_INSTALL_DIR", folder_);
        TSaverProcess installer(setup, "/auto");
        HWND done = nullptr;
        ASSERT_TRUE(WaitFor(
            [&] {
                done = installer.Window("#32770");
                return (done && IsWindowVisible(done)) || installer.Ended(0);
            },
            15000));
        ASSERT_NE(done, nullptr) << "the installer ended with " << installer.ExitCode();
        EXPECT_NE(ReadDialog(done).Text.find(installed), std::string::npos) << ReadDialog(done).Text;
        PostMessageA(done, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(installer.Ended(5000));
        ASSERT_EQ(installer.ExitCode(), 0u);
    }
    EXPECT_EQ(TDesktopValues::Read("SCRNSAVE.EXE"), installed);
    const std::string file = saver::ReadWhole(installed);
    const std::string program = saver::RuntimeProgram();
    ASSERT_GT(file.size(), program.size());
    EXPECT_EQ(file.compare(0, program.size(), program), 0) << "the file begins with the program itself";

    TSaverProcess saver(installed, "/s");
    HWND w = saver.WaitWindow("TShowForm");
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(WaitFor([] { return ScreenPixel(1, 1) == RGB(150, 200, 235); }, 5000));
    PostMessageA(w, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(saver.Ended(5000));
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
