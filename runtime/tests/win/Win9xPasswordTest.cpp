#include "DiskFileSystem.h"
#include "Fakes.h"
#include "FileStream.h"
#include "RegistrySettings.h"
#include "SysUtils.h"
#include "TestFolder.h"
#include "DynamicLibrary.h"
#include "PasswordFlag.h"
#include "Playback.h"
#include "Registry.h"
#include "Win9xPassword.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

std::string Variable(const char* Name) {
    char value[256] = {};
    GetEnvironmentVariableA(Name, value, sizeof value);
    return value;
}

void Answer(const char* Text) {
    SetEnvironmentVariableA("TESSALOOM_PASSWORD_ANSWER", Text);
    SetEnvironmentVariableA("TESSALOOM_PASSWORD_CALL", nullptr);
}

HWND Handle(UINT_PTR Value) { return reinterpret_cast<HWND>(Value); }

// "ScreenSaveUserPassword" under "Control Panel\desktop", put back afterwards.
class PasswordFlag : public testing::Test {
protected:
    void SetUp() override { ASSERT_NO_THROW(kept_.emplace()); }
    void TearDown() override {
        kept_.reset();
        Answer("");
    }
    static void Set(int Value) { TPasswordFlag::Set(Value); }
    static constexpr const char* kName = TPasswordFlag::kName;
    std::optional<TPasswordFlag> kept_;
};

TEST(DynamicLibrary, LoadsByNameAndFindsEntries) {
    TDynamicLibrary cpl(kPasswordLibrary);
    ASSERT_TRUE(cpl.Loaded()) << "PASSWORD.CPL beside the test";
    EXPECT_NE(cpl.Entry<BOOL WINAPI(HWND)>(kVerifyEntry), nullptr);
    EXPECT_EQ(cpl.Entry<BOOL WINAPI(HWND)>("NoSuchEntry"), nullptr);

    TDynamicLibrary missing("NOSUCHLIBRARY.DLL");
    EXPECT_FALSE(missing.Loaded());
    EXPECT_EQ(missing.Entry<BOOL WINAPI(HWND)>(kVerifyEntry), nullptr);
}

TEST(DynamicLibrary, IsFreedWithTheObject) {
    {
        TDynamicLibrary cpl(kPasswordLibrary);
        ASSERT_NE(GetModuleHandleA(kPasswordLibrary), nullptr);
    }
    EXPECT_EQ(GetModuleHandleA(kPasswordLibrary), nullptr);
}

TEST(Win9xPassword, VerifyAcceptsAndRefusesAsTheLibrarySays) {
    TWin9xPassword password(Handle(0x1234));
    Answer("accept");
    EXPECT_EQ(password.Verify(), std::optional<bool>(true));
    EXPECT_EQ(Variable("TESSALOOM_PASSWORD_CALL"), "verify " + std::to_string(0x1234));
    Answer("refuse");
    EXPECT_EQ(password.Verify(), std::optional<bool>(false));
}

TEST(Win9xPassword, NoLibraryOrNoEntryMeansNoDialog) {
    EXPECT_EQ(TWin9xPassword(nullptr, "NOSUCHLIBRARY.CPL").Verify(), std::nullopt);
    EXPECT_EQ(TWin9xPassword(nullptr, "kernel32.dll").Verify(), std::nullopt);
}

TEST(ChangePassword, CallsTheEntryWithTheProviderAndTheWindow) {
    Answer("");
    EXPECT_TRUE(ChangeScreensaverPassword(Handle(65602), kPasswordLibrary));
    EXPECT_EQ(Variable("TESSALOOM_PASSWORD_CALL"), "change SCRSAVE 65602 0 null");
    EXPECT_FALSE(ChangeScreensaverPassword(Handle(1), "NOSUCHLIBRARY.DLL"));
    EXPECT_FALSE(ChangeScreensaverPassword(Handle(1), "kernel32.dll"));
}

TEST(PlatformFamily, ThisSystemIsOfTheNtFamily) {
    EXPECT_FALSE(TWindowsPlatform().IsWin9x());
}

// The playback logic on this system's files and registry, with the family
// forced to Windows 9x and the password library beside the test.
struct Forced9x : TPlatformFamily {
    bool IsWin9x() override { return true; }
};

// One test for everything that uses the desktop's password flag, which is
// shared by the whole session.
TEST_F(PasswordFlag, FollowsTheDesktopValueAndForcedWin9xAsksTheLibrary) {
    TWin9xPassword flag(nullptr);
    Set(1);
    EXPECT_TRUE(flag.PasswordSet());
    Set(0);
    EXPECT_FALSE(flag.PasswordSet());
    {
        TRegistry r;
        r.OpenKey("Control Panel\\desktop", true);
        r.WriteString(kName, "1");
    }
    EXPECT_FALSE(flag.PasswordSet()) << "a value of another type counts as 0";
    {
        TRegistry r;
        r.OpenKey("Control Panel\\desktop", true);
        r.DeleteValue(kName);
    }
    EXPECT_FALSE(flag.PasswordSet());

    Set(1);
    TTestFolder dir("password");
    TProject project;
    project.BuildId = "{5E1F0A2B-0000-4000-8000-00000000C9A1}";
    project.FlashList->Add("C:\\movies\\one.swf");
    const std::string saver = dir.File("saver.scr");
    dir.Write("saver.scr", InstalledFile(project, {"FWS movie"}));

    TRecordingWindow window;
    Forced9x platform;
    TWin9xPassword password(Handle(77));
    TDiskFileSystem files;
    TRegistrySettings settings;
    TRecordingVolume volume;
    TPlaybackServices services;
    services.OpenOwnFile = [&]() -> std::unique_ptr<TStream> {
        return std::make_unique<TFileStream>(saver, fmOpenRead | fmShareDenyNone);
    };
    services.Settings = &settings;
    services.Volume = &volume;
    services.Files = &files;
    services.TempFolder = dir.Path() + "\\";
    services.Platform = &platform;
    services.Password = &password;
    {
        TPlayback playback(window, services);
        Answer("refuse");
        EXPECT_TRUE(playback.CloseQuery()) << "before show no password is asked";
        EXPECT_EQ(Variable("TESSALOOM_PASSWORD_CALL"), "");

        playback.Show();
        EXPECT_EQ(TTestFolder::Read(dir.File("one.swf")), "FWS movie");
        window.Cursor = {300, -40};
        EXPECT_FALSE(playback.CloseQuery());
        EXPECT_EQ(Variable("TESSALOOM_PASSWORD_CALL"), "verify 77");
        EXPECT_EQ(window.CursorCount, -1);
        EXPECT_EQ(playback.Filter().StartPoint, (TScreenPoint{300, -40}));
        EXPECT_FALSE(playback.Filter().InPasswordCheck);

        Answer("accept");
        EXPECT_TRUE(playback.CloseQuery());
        EXPECT_EQ(window.CursorCount, 0);
    }
    EXPECT_EQ(window.CursorCount, 0);
    EXPECT_FALSE(FileExists(dir.File("one.swf")));
    TRegistry r;
    r.DeleteKey("\\" + ExcludeTrailingPathDelimiter(ScreensaverKeyName(project.BuildId)));
}

}  // namespace
