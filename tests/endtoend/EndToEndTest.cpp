// The whole road of a screensaver, with the real programs as processes and
// their windows worked as a user works them: the builder opens the bundled
// sample project from its command line, Install Now builds the package and
// starts it with "/auto", the installer's closing box is answered, and the
// installed screensaver plays the movies full screen under /s, goes on to the
// second movie, ends on a key, and shows its setup dialog under /c.

#include "DecompileUnit.h"
#include "Desktop.h"
#include "InstallEnvironment.h"
#include "Process.h"
#include "ProjectUnit.h"
#include "SampleScreensaver.h"
#include "SysUtils.h"
#include "TestFolder.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <vector>

using namespace desktop;
namespace fs = std::filesystem;

namespace {

const char* const MainCaption = "Nimbrel Tessaloom";
// The setup dialog is captioned after the project: "<title> Setup Window".
const char* const SetupCaption = "Sample Screensaver Setup Window";
// Backgrounds of the sample's first two movies (orbits, equalizer), $00RRGGBB.
constexpr DWORD FirstMovieBackground = (10 << 16) | (16 << 8) | 44;
constexpr DWORD SecondMovieBackground = (22 << 16) | (22 << 8) | 30;

std::string NameOf(const std::string& Path) { return Path.substr(Path.find_last_of('\\') + 1); }

// The stored bytes of each stream of a container, as the size table gives them.
std::vector<std::string> StoredStreams(const std::string& Bytes) {
    std::vector<std::string> streams;
    if (Bytes.size() < 4) return streams;
    auto at = [&](size_t Offset) {
        std::int32_t v = 0;
        std::memcpy(&v, Bytes.data() + Offset, 4);
        return v;
    };
    const std::int32_t count = at(Bytes.size() - 4);
    if (count < 0 || Bytes.size() < 4 + 8 * static_cast<size_t>(count)) return streams;
    const size_t table = Bytes.size() - 4 - 8 * static_cast<size_t>(count);
    size_t offset = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        const auto stored = static_cast<size_t>(at(table + 8 * static_cast<size_t>(i) + 4));
        if (offset + stored > table) return {};
        streams.push_back(Bytes.substr(offset, stored));
        offset += stored;
    }
    return streams;
}

void LoadProject(const std::string& InstalledBytes, TProject& Project) {
    TMemoryStream source;
    source.WriteBuffer(InstalledBytes.data(), static_cast<std::int64_t>(InstalledBytes.size()));
    TDecompileStream reader;
    reader.Decompile(&source);
    auto text = reader.GetStream(2, true);
    Project.ProjectStream->LoadFromStream(text.get());
    Project.LoadFromStream();
}

// A row a tenth of the way down the screen lies inside the stage of both
// movies and above anything either draws near its top.
double MovieRowShare(DWORD Background) { return RowShare(ScreenRect().bottom / 10, Background); }

std::vector<std::string> TempFilesEndingWith(const std::string& Name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::vector<std::string> found;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(temp, ec)) {
        const std::string n = e.path().filename().string();
        if (n.size() >= Name.size() && n.compare(n.size() - Name.size(), Name.size(), Name) == 0 &&
            n.find_first_not_of('$') == n.size() - Name.size())
            found.push_back(e.path().string());
    }
    return found;
}

// The visible top-level windows of a process, for failure messages.
std::string WindowsOf(DWORD ProcessId) {
    std::string list;
    FindTop([&](HWND w) {
        if (ProcessOf(w) == ProcessId) list += "[" + ClassOf(w) + " \"" + TextOf(w) + "\"] ";
        return false;
    });
    return list.empty() ? std::string("nothing") : list;
}

class EndToEnd : public ::testing::Test {
protected:
    const std::string build = BuildFolder();
    TDesktopValues desktopValues;
    TTestFolder scratch;
    const std::string saverFolder = scratch.MakeFolder("saver");
    TEnvironmentValue installDir{"TESSALOOM_INSTALL_DIR", saverFolder};
    TEnvironmentValue fallbackDir{"TESSALOOM_INSTALL_FALLBACK_DIR", scratch.File("user")};
    std::string buildId;

    void SetUp() override {
        for (const char* f : {"bin\\tessaloom.exe", "bin\\installar.dat", "bin\\screensaver.dat", "samples\\sample.qlm"})
            ASSERT_TRUE(fs::exists(build + f)) << build + f << " is not built";
    }
    void TearDown() override { RemoveScreensaverKey(buildId); }
};

TEST_F(EndToEnd, BuilderBuildsAndInstallsTheSampleWhichPlaysBothMoviesAndShowsItsSetup) {
    // 1. The builder, started on the sample project, lists its seven movies.
    TProcess builder(build + "bin\\tessaloom.exe", "\"" + build + "samples\\sample.qlm\"");
    ASSERT_TRUE(builder.Started());
    const DWORD builderId = builder.Id();
    HWND main = WaitTop([&](HWND w) { return ProcessOf(w) == builderId && TextOf(w) == MainCaption; }, 60000);
    ASSERT_TRUE(main) << "the builder's window did not appear";
    // The window shows before all of its controls are made.
    HWND list = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (list = FindChild(main, "SysListView32")) != nullptr; }, 30000))
        << "no movie list";
    EXPECT_TRUE(WaitFor([&] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 7; }, 120000))
        << "the movie list holds " << SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) << " items";
    EXPECT_TRUE(FindChild(main, "Edit", "Sample Screensaver")) << "the title was not loaded";

    // 2. Output page: the package goes into the test's folder; Install Now.
    HWND tabs = FindChild(main, "TskPageControl");
    ASSERT_TRUE(tabs);
    ASSERT_TRUE(SelectTab(tabs, 3));
    HWND outputEdit = nullptr;
    for (HWND c : Children(main))
        if (ClassOf(c).find("Edit") != std::string::npos && TextOf(c).find("SampleScreensaverSetup.exe") != std::string::npos)
            outputEdit = c;
    ASSERT_TRUE(outputEdit) << "no output field holding the sample's output file";
    const std::string package = scratch.File("Sample Setup.exe");
    SendMessageA(outputEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(package.c_str()));
    HWND install = FindChildByText(main, "Install Now");
    ASSERT_TRUE(install);
    EXPECT_TRUE(IsChild(ActiveSheet(tabs), install)) << "the Output page is not in front";
    Click(install);

    // 3. The installer, started by the builder with /auto, ends with its box.
    HWND done = WaitTop(
        [](HWND w) { return ClassOf(w) == "#32770" && TextOf(w) == "Sample Screensaver Setup"; }, 120000);
    ASSERT_TRUE(done) << "the installer's closing box did not come";
    HWND doneText = GetDlgItem(done, 0xFFFF);
    ASSERT_TRUE(doneText);
    EXPECT_EQ(TextOf(doneText).rfind("The screensaver \"Sample Screensaver\" has been installed", 0), 0u)
        << TextOf(doneText);
    Press(GetDlgItem(done, IDOK));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(done); }, 10000));

    HWND log = FindChildContaining(main, "Completed");
    ASSERT_TRUE(log) << "the build log does not end";
    EXPECT_NE(TextOf(log).find("Screensaver Installation Package Has Been Built Successfully"), std::string::npos)
        << TextOf(log);
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(builder.Wait(20000)) << "the builder did not end when its window closed";

    // 4. The installed file: the runtime raw, then the package's movies,
    // project text and logo unchanged; and it is the current screensaver.
    const std::string installed = saverFolder + "\\Sample Screensaver.scr";
    ASSERT_TRUE(fs::exists(installed)) << installed;
    const std::string installedBytes = TTestFolder::Read(installed), packageBytes = TTestFolder::Read(package);
    const auto in = StoredStreams(packageBytes), out = StoredStreams(installedBytes);
    ASSERT_EQ(in.size(), 5u);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(in[0], TTestFolder::Read(build + "bin\\installar.dat"));
    EXPECT_EQ(out[0], TTestFolder::Read(build + "bin\\screensaver.dat"));
    for (size_t i = 1; i < 4; ++i) EXPECT_EQ(out[i], in[i + 1]) << "stream " << i;
    TProject project;
    ASSERT_NO_THROW(LoadProject(installedBytes, project));
    buildId = project.BuildId;
    EXPECT_EQ(project.Title, "Sample Screensaver");
    EXPECT_EQ(project.BuildId.size(), 38u);
    ASSERT_EQ(project.FlashList->Count(), 7);
    EXPECT_TRUE(SameText(TDesktopValues::Read("SCRNSAVE.EXE").second, installed))
        << TDesktopValues::Read("SCRNSAVE.EXE").second;

    // 5. /s: full screen, the first movie written out and on screen, then the
    // second; a key ends it and the written movies go.
    ASSERT_LT(MovieRowShare(FirstMovieBackground), 0.5) << "the screen shows the movie before the start";
    // Movies an interrupted earlier run left in the temporary folder would
    // make this run's names "$"-prefixed; start from a clean folder.
    for (int i = 0; i < project.FlashList->Count(); ++i)
        for (const std::string& f : TempFilesEndingWith(NameOf(project.FlashList->Strings(i)))) fs::remove(f);
    TProcess saver(installed, "/s");
    ASSERT_TRUE(saver.Started());
    HWND show = WaitTop(ByCaptionOrClass("class=TShowForm"), 30000);
    ASSERT_TRUE(show) << "no playback window";
    EXPECT_TRUE(WaitFor([&] { return MovieRowShare(FirstMovieBackground) > 0.5; }, 20000))
        << "the first movie did not come on screen";
    const RECT r = WindowRect(show), screen = ScreenRect();
    EXPECT_TRUE(r.left <= 0 && r.top <= 0 && r.right >= screen.right && r.bottom >= screen.bottom)
        << "the playback window does not cover the screen";
    std::vector<std::string> written;
    for (int i = 0; i < project.FlashList->Count(); ++i) {
        const std::string name = NameOf(project.FlashList->Strings(i));
        const auto files = TempFilesEndingWith(name);
        ASSERT_EQ(files.size(), 1u) << name << " in the temporary folder";
        EXPECT_EQ(TTestFolder::Read(files[0]), TTestFolder::Read(project.FlashList->Strings(i))) << name;
        written.push_back(files[0]);
    }
    EXPECT_TRUE(WaitFor([&] { return MovieRowShare(SecondMovieBackground) > 0.5; }, 30000))
        << "the second movie did not follow the first";
    TypeKeys(show, {VK_SPACE});
    EXPECT_TRUE(saver.Wait(15000)) << "the playback window did not close on a key";
    for (const std::string& f : written) EXPECT_FALSE(fs::exists(f)) << f << " was left behind";

    // 6. /c: the setup dialog of this screensaver; Cancel ends it.
    TProcess setup(installed, "/c");
    ASSERT_TRUE(setup.Started());
    const DWORD setupId = setup.Id();
    HWND dialog = WaitTop([&](HWND w) { return ProcessOf(w) == setupId && TextOf(w) == SetupCaption; }, 30000);
    ASSERT_TRUE(dialog) << "no setup dialog; the program shows: " << WindowsOf(setupId);
    // Its caption comes from the installed project; its labels draw without
    // windows of their own, its settings are check boxes.
    EXPECT_TRUE(WaitFor([&] { return FindChild(dialog, "Button", "Mute") != nullptr; }, 5000))
        << "no Mute check box";
    HWND cancel = FindChildByText(dialog, "Cancel");
    ASSERT_TRUE(cancel);
    Click(cancel);
    EXPECT_TRUE(setup.Wait(15000)) << "the setup dialog did not end on Cancel";
}

}  // namespace
