// Build and Install Now from the Output page: the log, the checks with their
// boxes and pages, the package written, and the installer started.

#include "PackageBytes.h"
#include "DialogDriver.h"
#include "WindowFixture.h"

#include <algorithm>
#include <filesystem>
#include <regex>

namespace {

class BuildWindow : public MainWindow {
protected:
    std::vector<std::string> LogLines() {
        auto* memo = Find<TCustomMemo>("LogMemo");
        std::vector<std::string> lines;
        for (int i = 0; i < memo->Lines()->Count(); ++i) lines.push_back(memo->Lines()->Strings(i));
        return lines;
    }

    // Fills the window for a build of two movies into Output.
    void Fill(const std::string& Output) {
        Type("TitleEdit", "Deep Sea");
        AddMovie(Movies[0]);
        AddMovie(Movies[1]);
        ChooseMenu("Edit", "Output");
        Type("SaveEdit", Output);
    }

    const std::vector<std::string> opening{"Start to Build the Screensaver Installar",
                                           "========================================", "Checking input data..."};
    const std::vector<std::string> closing{"========================================", "Completed"};
};

std::vector<std::string> Join(std::vector<std::string> A, const std::vector<std::string>& B) {
    A.insert(A.end(), B.begin(), B.end());
    return A;
}

TEST_F(BuildWindow, FailedChecksShowTheirBoxAndPage) {
    struct Case {
        std::string title;
        bool movies;
        std::string output;
        std::string message;
        int page;
    };
    const std::vector<Case> cases{
        {"   ", true, "x.exe", "Please Enter A Title", 0},
        {"T", false, "", "Please Add Flash Movies", 1},
        {"T", true, "   ", "Please Enter Output File", 3},
        // Writing over an input would destroy it.
        {"T", true, Movies[0],
         "The Output File Is One Of The Files The Package Is Built From:\r\n" + Movies[0] +
             "\r\nPlease Choose Another Output File",
         3},
    };
    const std::string movie = TTestFolder::Read(Movies[0]);
    for (const Case& c : cases) {
        auto w = NewWindow();
        Type("TitleEdit", c.title, w.get());
        if (c.movies) AddMovie(Movies[0], w.get());
        ChooseMenu("Edit", "Output", w.get());
        Type("SaveEdit", c.output, w.get());
        TDialogAnswerer boxes;
        Click("BuildBtn", w.get());
        ASSERT_TRUE(boxes.WaitFor(1, 5000)) << c.message;
        PumpFor(100);
        ASSERT_EQ(boxes.Count(), 1u) << "the first failed check ends the checks";
        EXPECT_EQ(boxes.Seen()[0].Caption, "Error");
        EXPECT_EQ(boxes.Seen()[0].Text, c.message);
        EXPECT_EQ(ActivePage(w.get()), c.page) << c.message;
        auto* memo = In<TCustomMemo>(w.get(), "LogMemo");
        std::vector<std::string> lines;
        for (int i = 0; i < memo->Lines()->Count(); ++i) lines.push_back(memo->Lines()->Strings(i));
        EXPECT_EQ(lines, Join(opening, closing)) << c.message;
    }
    EXPECT_EQ(TTestFolder::Read(Movies[0]), movie);
}

// Enter typed into an edit presses the window's default button, the build.
TEST_F(BuildWindow, EnterInAnEditRunsTheBuild) {
    const std::string output = dir.Folder() + "keyed.exe";
    Fill(output);
    PressKey(Find<TCustomEdit>("SaveEdit")->Handle(), VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return !LogLines().empty() && LogLines().back() == "Completed"; }, 10000));
    const std::vector<std::string> log = LogLines();
    EXPECT_NE(std::find(log.begin(), log.end(), "Screensaver Installation Package Has Been Built Successfully"),
              log.end());
    EXPECT_FALSE(TTestFolder::Read(output).empty()) << "no package was written";
}

TEST_F(BuildWindow, BuildWritesThePackageUnderTheUntrimmedName) {
    // A name typed with a leading blank names a file that begins with one.
    const std::string output = dir.Folder() + " deep sea.exe";
    Fill(output);
    Click("BuildBtn");
    EXPECT_EQ(LogLines(), Join(Join(opening, {"Loading Installar Program...", "Loading Screensaver Program...",
                                              "Loading and Compressing Flash Movies...", "Saving data...",
                                              "Screensaver Installation Package Has Been Built Successfully"}),
                               closing));
    const std::string package = TTestFolder::Read(output);
    ASSERT_FALSE(package.empty());
    EXPECT_EQ(package.substr(0, installer.size()), installer) << "the installer first, unchanged";
    // The tail: five pairs of sizes and the count.
    ASSERT_GT(package.size(), 44u);
    int32_t tail[11];
    std::memcpy(tail, package.data() + package.size() - 44, 44);
    EXPECT_EQ(tail[10], 5);
    EXPECT_EQ(tail[0], int32_t(installer.size()));
    EXPECT_EQ(tail[1], int32_t(installer.size()));
    const std::vector<std::string> streams = InflatedStreams(package, true);
    ASSERT_EQ(streams.size(), 5u);
    EXPECT_EQ(streams[1], runtime);
    const std::vector<std::string> movies = InflatedStreams(streams[2]);
    ASSERT_EQ(movies.size(), 2u);
    EXPECT_EQ(movies[0], TTestFolder::Read(Movies[0]));
    EXPECT_EQ(movies[1], TTestFolder::Read(Movies[1]));
    const std::vector<std::string> project = SplitLines(streams[3]);
    ASSERT_FALSE(project.empty());
    EXPECT_EQ(project[0], "Deep Sea");
    const std::regex guid(R"(\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\})");
    const auto id = std::find_if(project.begin(), project.end(), [&](const std::string& l) { return std::regex_match(l, guid); });
    EXPECT_NE(id, project.end()) << "a 38-character build identifier";
    EXPECT_EQ(streams[4], TTestFolder::Read(form->LogoPath()));

    // The movie container the window makes is the one in the package.
    std::unique_ptr<TMemoryStream> container = form->CompileFlashMovies();
    EXPECT_EQ(InflatedStreams(Bytes(*container)), movies);

    // A second build differs in its build identifier only.
    Click("BuildBtn");
    const std::vector<std::string> again = SplitLines(InflatedStreams(TTestFolder::Read(output), true)[3]);
    ASSERT_EQ(again.size(), project.size());
    int differing = 0;
    for (size_t i = 0; i < again.size(); ++i)
        if (again[i] != project[i]) {
            ++differing;
            EXPECT_TRUE(std::regex_match(again[i], guid));
        }
    EXPECT_EQ(differing, 1);
}

TEST_F(BuildWindow, AMissingInputStopsTheBuildAtItsStep) {
    const std::string output = dir.File("out.exe");
    Fill(output);
    std::filesystem::remove(dir.File("screensaver.dat"));
    TDialogAnswerer boxes;
    Click("BuildBtn");
    ASSERT_TRUE(boxes.WaitFor(1, 5000));
    EXPECT_EQ(boxes.Seen()[0].Caption, "Nimbrel Tessaloom");
    EXPECT_EQ(boxes.Seen()[0].Text, "Cannot open file " + dir.File("screensaver.dat"));
    EXPECT_EQ(LogLines(), Join(opening, {"Loading Installar Program...", "Loading Screensaver Program..."}));
    EXPECT_FALSE(std::filesystem::exists(output));
}

TEST_F(BuildWindow, InstallNowStartsOnlyThePackageItHasJustBuilt) {
    // The installer at the head of the package notes how it was started.
    const std::string recorder = TTestFolder::Read(WinePath(TESSALOOM_TEST_INSTALLER));
    ASSERT_FALSE(recorder.empty());
    dir.Write("installar.dat", recorder);
    form->StartProgram = [this](const std::string& File, const std::string& Parameters) {
        Started.emplace_back(File, Parameters);
        SystemStart(File, Parameters);
    };
    const std::string output = dir.File("install me.exe");
    const std::string args = output + ".args";
    Fill(output);
    Click("InstallBtn");
    EXPECT_TRUE(PumpUntil([&] { return std::filesystem::exists(args) && !TTestFolder::Read(args).empty(); }, 15000));
    EXPECT_EQ(TTestFolder::Read(args), "/auto\n");
    EXPECT_EQ(Started, (std::vector<std::pair<std::string, std::string>>{{output, "/auto"}}));

    // After a failed check the package of the earlier build is not started.
    std::filesystem::remove(args);
    Started.clear();
    Type("TitleEdit", "");
    ChooseMenu("Edit", "Output");
    TDialogAnswerer boxes;
    Click("InstallBtn");
    ASSERT_TRUE(boxes.WaitFor(1, 5000));
    EXPECT_EQ(boxes.Seen()[0].Text, "Please Enter A Title");
    PumpFor(1500);
    EXPECT_TRUE(Started.empty());
    EXPECT_FALSE(std::filesystem::exists(args));
}

}  // namespace
