#include "BuilderFixture.h"

#include "Exceptions.h"

#include <filesystem>
#include <regex>

namespace {

using Build = BuilderTest;
using Boxes = std::vector<std::pair<std::string, std::string>>;

const std::string Separator(40, '=');
const std::vector<std::string> SuccessLog = {
    "Start to Build the Screensaver Installar",
    Separator,
    "Checking input data...",
    "Loading Installar Program...",
    "Loading Screensaver Program...",
    "Loading and Compressing Flash Movies...",
    "Saving data...",
    "Screensaver Installation Package Has Been Built Successfully",
    Separator,
    "Completed"};
const std::vector<std::string> FailedCheckLog = {"Start to Build the Screensaver Installar", Separator,
                                                 "Checking input data...", Separator, "Completed"};

// The log of a build that stopped with an error after its Count first lines.
std::vector<std::string> LogUpTo(std::size_t Count) { return {SuccessLog.begin(), SuccessLog.begin() + static_cast<long>(Count)}; }

std::int32_t Int32At(const std::string& Bytes, std::size_t Offset) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(Bytes[Offset + static_cast<std::size_t>(i)]);
    return static_cast<std::int32_t>(v);
}

TEST_F(Build, WritesTheLogOfASuccessfulBuild) {
    FillWindow();
    view.Log = {"left from before"};
    EXPECT_TRUE(core.Build());
    EXPECT_EQ(view.Log, SuccessLog);
    EXPECT_TRUE(view.Boxes.empty() && view.Pages.empty() && view.Errors.empty());
}

TEST_F(Build, ThePackageHoldsItsFiveStreamsInOrder) {
    FillWindow();
    ASSERT_TRUE(core.Build());
    const std::string package = TTestFolder::Read(dir.File("package.exe"));

    ASSERT_GT(package.size(), installer.size() + 44);
    EXPECT_EQ(package.substr(0, installer.size()), installer) << "the installer comes first, unchanged";
    const std::size_t table = package.size() - 44;
    EXPECT_EQ(Int32At(package, table + 40), 5);
    EXPECT_EQ(Int32At(package, table), static_cast<std::int32_t>(installer.size()));
    EXPECT_EQ(Int32At(package, table + 4), static_cast<std::int32_t>(installer.size())) << "stream 0 is stored raw";
    std::int64_t stored = 0;
    for (std::size_t i = 0; i < 5; ++i) stored += Int32At(package, table + 8 * i + 4);
    EXPECT_EQ(stored, static_cast<std::int64_t>(table)) << "the streams fill the file up to the table";

    const std::vector<std::string> streams = InflatedStreams(package, true);
    ASSERT_EQ(streams.size(), 5u);
    EXPECT_EQ(streams[0], installer);
    EXPECT_EQ(streams[1], runtime);
    std::vector<std::string> movieBytes;
    for (const std::string& m : movies) movieBytes.push_back(TTestFolder::Read(m));
    EXPECT_EQ(InflatedStreams(streams[2]), movieBytes) << "a nested container, one stream per movie";
    EXPECT_EQ(streams[4], logo);

    const std::vector<std::string> lines = SplitLines(streams[3]);
    ASSERT_EQ(lines.size(), 17u + 3u + 3u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 11),
              (std::vector<std::string>{"Deep Sea", core.LogoPath, "Example Publisher", "http://example.org/",
                                        "mail@example.org", "(c) Example", "3", movies[0], movies[1], movies[2], "YES"}));
    EXPECT_EQ(lines[11], "YES");
    EXPECT_EQ(lines[13], "3");
    EXPECT_EQ(lines[15], "");
    EXPECT_EQ(lines[20], dir.File("package.exe"));
    EXPECT_TRUE(std::regex_match(lines[21], std::regex(R"(\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\})")))
        << lines[21];
    EXPECT_EQ(lines[21].size(), 38u);
}

TEST_F(Build, MoviesGoInListOrderEachByteIdentical) {
    FillWindow();
    view.State.Selected = 0;
    core.MoveMovieDown();
    ASSERT_TRUE(core.Build());
    const std::vector<std::string> inside = InflatedStreams(InflatedStreams(TTestFolder::Read(dir.File("package.exe")), true)[2]);
    EXPECT_EQ(inside, (std::vector<std::string>{TTestFolder::Read(movies[1]), TTestFolder::Read(movies[0]),
                                                TTestFolder::Read(movies[2])}));
}

TEST_F(Build, TwoBuildsDifferOnlyInTheBuildIdentifier) {
    FillWindow();
    ASSERT_TRUE(core.Build());
    const std::vector<std::string> first = InflatedStreams(TTestFolder::Read(dir.File("package.exe")), true);
    ASSERT_TRUE(core.Build());
    const std::vector<std::string> second = InflatedStreams(TTestFolder::Read(dir.File("package.exe")), true);
    ASSERT_EQ(first.size(), 5u);
    ASSERT_EQ(second.size(), 5u);
    for (std::size_t i : {1u, 2u, 4u}) EXPECT_EQ(first[i], second[i]) << "stream " << i;
    std::vector<std::string> a = SplitLines(first[3]), b = SplitLines(second[3]);
    ASSERT_EQ(a.size(), b.size());
    EXPECT_NE(a[21], b[21]);
    a.erase(a.begin() + 21);
    b.erase(b.begin() + 21);
    EXPECT_EQ(a, b);
}

TEST_F(Build, TheOutputNameIsUsedUntrimmed) {
    FillWindow();
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(dir.Folder());
    view.State.OutputFile = " spaced.exe";
    const bool built = core.Build();
    std::filesystem::current_path(before);
    EXPECT_TRUE(built);
    EXPECT_TRUE(TBuilderFiles::Exists(dir.File(" spaced.exe")));
    EXPECT_FALSE(TBuilderFiles::Exists(dir.File("spaced.exe")));
}

struct FailedCheck {
    const char* name;
    void (*change)(BuilderTest&, TRecordingView&, const std::vector<std::string>&, const std::string&);
    std::string text;  // "%s": the input the output would overwrite
    int page;
    std::string input;  // which file that is: "" or a name in the folder
};

void PrintTo(const FailedCheck& c, std::ostream* os) { *os << c.name; }

class FailedChecks : public BuilderTest, public ::testing::WithParamInterface<FailedCheck> {};

TEST_P(FailedChecks, ShowTheirBoxSwitchPageAndEndTheLog) {
    const FailedCheck& c = GetParam();
    FillWindow();
    c.change(*this, view, movies, dir.Folder());
    const std::string output = view.State.OutputFile;
    const bool existed = TBuilderFiles::Exists(output);
    const std::string old = existed ? TTestFolder::Read(output) : "";
    const auto namesBefore = dir.Names();

    EXPECT_FALSE(core.Build());
    const std::string text = c.input.empty() ? c.text : Format(c.text, dir.File(c.input));
    EXPECT_EQ(view.Boxes, (Boxes{{"Error", text}}));
    EXPECT_EQ(view.Pages, std::vector<int>{c.page});
    EXPECT_EQ(view.Log, FailedCheckLog);
    EXPECT_EQ(dir.Names(), namesBefore) << "nothing is written";
    if (existed) {
        EXPECT_EQ(TTestFolder::Read(output), old);
    }
    core.InstallNow();
    EXPECT_TRUE(started.empty()) << "nothing is started after a failed check";
}

const std::string Refused = "The Output File Is One Of The Files The Package Is Built From:\r\n%s\r\n"
                            "Please Choose Another Output File";
const std::string NoFileName = "The Title Must Hold A Character Other Than Blanks And Dots:\r\n"
                               "The Installed Screensaver File Is Named After It";

INSTANTIATE_TEST_SUITE_P(
    Cases, FailedChecks,
    ::testing::Values(
        FailedCheck{"EmptyTitle", [](BuilderTest&, TRecordingView& v, auto&, auto&) { v.State.Title = ""; },
                    "Please Enter A Title", 0, ""},
        FailedCheck{"BlankTitle", [](BuilderTest&, TRecordingView& v, auto&, auto&) { v.State.Title = " \t  "; },
                    "Please Enter A Title", 0, ""},
        FailedCheck{"DotsOnlyTitle", [](BuilderTest&, TRecordingView& v, auto&, auto&) { v.State.Title = ".."; },
                    NoFileName, 0, ""},
        FailedCheck{"DotsAndBlanksTitle", [](BuilderTest&, TRecordingView& v, auto&, auto&) { v.State.Title = " . .\t"; },
                    NoFileName, 0, ""},
        FailedCheck{"NoMovies", [](BuilderTest&, TRecordingView& v, auto&, auto&) { v.State.Movies.clear(); },
                    "Please Add Flash Movies", 1, ""},
        FailedCheck{"NoMoviesAndNoOutput",
                    [](BuilderTest&, TRecordingView& v, auto&, auto&) {
                        v.State.Movies.clear();
                        v.State.OutputFile = "";
                    },
                    "Please Add Flash Movies", 1, ""},
        FailedCheck{"BlankOutput", [](BuilderTest&, TRecordingView& v, auto&, auto&) { v.State.OutputFile = "  "; },
                    "Please Enter Output File", 3, ""},
        FailedCheck{"OutputIsTheInstaller",
                    [](BuilderTest&, TRecordingView& v, auto&, const std::string& d) { v.State.OutputFile = d + "installar.dat"; },
                    Refused, 3, "installar.dat"},
        FailedCheck{"OutputIsTheRuntime",
                    [](BuilderTest&, TRecordingView& v, auto&, const std::string& d) { v.State.OutputFile = d + "screensaver.dat"; },
                    Refused, 3, "screensaver.dat"},
        FailedCheck{"OutputIsTheLogo",
                    [](BuilderTest&, TRecordingView& v, auto&, const std::string& d) { v.State.OutputFile = d + "logo.jpg"; },
                    Refused, 3, "logo.jpg"},
        FailedCheck{"OutputIsAMovieSpelledOtherwise",
                    [](BuilderTest&, TRecordingView& v, auto&, const std::string& d) {
                        v.State.OutputFile = d + "." + d.substr(d.size() - 1) + "movie1.swf";
                    },
                    Refused, 3, "movie1.swf"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Build, ATitleOfOneVisibleCharacterPasses) {
    FillWindow();
    for (const char* title : {"  x ", ". x.", "?"}) {
        view.State.Title = title;
        EXPECT_TRUE(core.Build()) << title;
    }
}

// The project file open in the window, saved or opened, however the output
// field spells it: the package would overwrite the project.
TEST_F(Build, AnOutputNamingTheOpenProjectFileIsRefused) {
    FillWindow();
    const std::string saved = dir.File("saved.qlm");
    core.SaveProject(saved);
    const std::string opened = dir.File("opened.qlm");
    core.SaveProject(opened);
    TRecordingView other;
    TBuilderCore reader(other, Services());
    reader.BuilderFolder = dir.Folder();
    reader.LoadProject(saved);
    struct Case {
        TBuilderCore& core;
        TRecordingView& view;
        std::string project, output;
    };
    const std::string folder = dir.Folder();
    for (const Case& c : {Case{core, view, opened, folder + "." + folder.substr(folder.size() - 1) + "opened.qlm"},
                          Case{reader, other, saved, saved}}) {
        const std::string before = TTestFolder::Read(c.project);
        c.view.State.OutputFile = c.output;
        c.view.Boxes.clear();
        c.view.Pages.clear();
        EXPECT_FALSE(c.core.Build()) << c.output;
        EXPECT_EQ(c.view.Boxes, (Boxes{{"Error", "The Output File Is The Open Project File:\r\n" + c.project +
                                                     "\r\nPlease Choose Another Output File"}}));
        EXPECT_EQ(c.view.Pages, std::vector<int>{pgOutput});
        EXPECT_EQ(TTestFolder::Read(c.project), before) << "the project is left as it was";
    }
    // Another project file is an output like any other.
    view.State.OutputFile = saved;
    view.Boxes.clear();
    EXPECT_TRUE(core.Build());
}

struct MissingInput {
    const char* name;
    std::string file;      // removed from the folder before the build
    std::size_t logLines;  // the log stops after this many lines
};

void PrintTo(const MissingInput& c, std::ostream* os) { *os << c.name; }

class MissingInputs : public BuilderTest, public ::testing::WithParamInterface<MissingInput> {};

TEST_P(MissingInputs, StopTheBuildWithTheOpenErrorAndLeaveTheOldPackage) {
    const MissingInput& c = GetParam();
    FillWindow();
    const std::string old = "an earlier package";
    dir.Write("package.exe", old);
    std::filesystem::remove(dir.File(c.file));
    try {
        core.InstallNow();
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file " + dir.File(c.file));
    }
    EXPECT_EQ(view.Log, LogUpTo(c.logLines));
    EXPECT_EQ(TTestFolder::Read(dir.File("package.exe")), old);
    EXPECT_TRUE(started.empty());
    EXPECT_TRUE(view.Boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, MissingInputs,
                         ::testing::Values(MissingInput{"Installer", "installar.dat", 4},
                                           MissingInput{"Runtime", "screensaver.dat", 5},
                                           MissingInput{"Movie", "movie1.swf", 6},
                                           MissingInput{"Logo", "logo.jpg", 6}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Build, AnOutputThatCannotBeCreatedStopsAtSaving) {
    FillWindow();
    view.State.OutputFile = dir.File("no such folder") + "/package.exe";
    try {
        core.Build();
        FAIL() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file " + view.State.OutputFile);
    }
    EXPECT_EQ(view.Log, LogUpTo(7));
}

TEST_F(Build, InstallNowStartsThePackageItHasJustWritten) {
    FillWindow();
    core.InstallNow();
    EXPECT_EQ(started, (Boxes{{dir.File("package.exe"), "/auto"}}));
    EXPECT_EQ(view.Log, SuccessLog);
    EXPECT_FALSE(InflatedStreams(TTestFolder::Read(dir.File("package.exe")), true).empty());
}

TEST_F(Build, InstallNowAfterAFailedCheckDoesNotStartAnEarlierPackage) {
    FillWindow();
    core.InstallNow();
    started.clear();
    view.State.Title = "";
    core.InstallNow();
    EXPECT_TRUE(TBuilderFiles::Exists(dir.File("package.exe")));
    EXPECT_TRUE(started.empty());
}

}  // namespace
