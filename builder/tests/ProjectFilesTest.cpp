#include "BuilderFixture.h"

#include "CompileUnit.h"
#include "Exceptions.h"
#include "ProjectUnit.h"

#include <zlib.h>

namespace {

using Boxes = std::vector<std::pair<std::string, std::string>>;

using ProjectFiles = BuilderTest;

std::string Deflated(const std::string& Bytes) {
    uLongf n = compressBound(static_cast<uLong>(Bytes.size()));
    std::string out(n, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &n, reinterpret_cast<const Bytef*>(Bytes.data()),
              static_cast<uLong>(Bytes.size()), 9);
    out.resize(n);
    return out;
}

std::string Int32(std::int32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[static_cast<std::size_t>(i)] = static_cast<char>(static_cast<std::uint32_t>(v) >> (8 * i));
    return s;
}

// A container of one stream stored as given.
std::string OneStream(const std::string& Stored, std::int32_t Unpacked) {
    return Stored + Int32(Unpacked) + Int32(static_cast<std::int32_t>(Stored.size())) + Int32(1);
}

// A project file holding Text as its one compressed stream.
std::string ProjectFileOf(const std::string& Text) {
    return OneStream(Deflated(Text), static_cast<std::int32_t>(Text.size()));
}

TEST_F(ProjectFiles, SaveThenOpenInAFreshWindowGivesBackEveryField) {
    FillWindow();
    const std::string otherLogo = dir.Write("other logo.bmp", "BM");
    core.ChangeLogo(otherLogo);
    view.State.Selected = 1;
    core.MoveMovieUp();  // the saved order is the list's order, not the order of adding
    const std::string file = dir.File("deep sea.qlm");
    core.SaveProject(file);

    TRecordingView fresh;
    TBuilderCore reopened(fresh, Services());
    reopened.BuilderFolder = dir.Folder();
    reopened.LoadProject(file);

    const TWindowState& s = fresh.State;
    EXPECT_EQ(s.Title, "Deep Sea");
    EXPECT_EQ(s.Publisher, "Example Publisher");
    EXPECT_EQ(s.Homepage, "http://example.org/");
    EXPECT_EQ(s.Email, "mail@example.org");
    EXPECT_EQ(s.Copyright, "(c) Example");
    EXPECT_EQ(reopened.LogoPath, otherLogo);
    EXPECT_EQ(s.Logo, otherLogo);
    EXPECT_TRUE(s.RandomPlay);
    EXPECT_TRUE(s.ShowLicense);
    EXPECT_TRUE(s.LicenseEnabled);
    EXPECT_EQ(s.LicenseLines, (std::vector<std::string>{"First line", "", "Third line"}));
    EXPECT_EQ(s.OutputFile, dir.File("package.exe"));
    EXPECT_EQ(s.Movies, (std::vector<TMovieItem>{{movies[1], 0}, {movies[0], 1}, {movies[2], 2}}));
    EXPECT_EQ(s.Images, (std::vector<std::string>{movies[1], movies[0], movies[2]}))
        << "each thumbnail is taken with the movie page showing";
    EXPECT_EQ(fresh.Pages, (std::vector<int>{0, 1, 2, 3, 0}));
    EXPECT_TRUE(fresh.Boxes.empty());
}

TEST_F(ProjectFiles, OptionsOffAndEmptyFieldsComeBackAsSaved) {
    view.State.LicenseLines = {"kept while switched off"};
    const std::string file = dir.File("empty.qlm");
    core.SaveProject(file);  // nothing is checked: an empty title and no movies are saved as they are

    TRecordingView fresh;
    fresh.State.Title = "was here";
    fresh.State.RandomPlay = fresh.State.ShowLicense = fresh.State.LicenseEnabled = true;
    TBuilderCore reopened(fresh, Services());
    reopened.LoadProject(file);
    EXPECT_EQ(fresh.State.Title, "");
    EXPECT_FALSE(fresh.State.RandomPlay || fresh.State.ShowLicense || fresh.State.LicenseEnabled);
    EXPECT_EQ(fresh.State.LicenseLines, std::vector<std::string>{"kept while switched off"});
    EXPECT_TRUE(fresh.State.Movies.empty());
}

TEST_F(ProjectFiles, ASavedFileIsOneCompressedStreamWithATwelveByteTail) {
    FillWindow();
    const std::string file = dir.File("p.qlm");
    core.SaveProject(file);
    const std::string bytes = TTestFolder::Read(file);
    ASSERT_GT(bytes.size(), 12u);
    const std::string text = InflatedStreams(bytes).at(0);
    const std::string stored = bytes.substr(0, bytes.size() - 12);
    EXPECT_EQ(bytes.substr(bytes.size() - 12),
              Int32(static_cast<std::int32_t>(text.size())) + Int32(static_cast<std::int32_t>(stored.size())) + Int32(1));
    EXPECT_EQ(stored, Deflated(text)) << "one zlib stream at level 9";

    const std::vector<std::string> lines = SplitLines(text);
    ASSERT_EQ(lines.size(), 17u + 3u + 3u);
    EXPECT_EQ(lines[0], "Deep Sea");
    EXPECT_EQ(lines[1], core.LogoPath);
    EXPECT_EQ(lines[6], "3");
    EXPECT_EQ(lines[7], movies[0]);
    EXPECT_EQ(lines[20], dir.File("package.exe"));
    EXPECT_EQ(lines[21], "") << "a project file carries no build identifier";
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"installar.dat", "logo.jpg", "movie0.swf", "movie1.swf",
                                                     "movie2.swf", "p.qlm", "screensaver.dat"}));
}

TEST_F(ProjectFiles, SavingReplacesAnExistingFileWithoutAsking) {
    const std::string file = dir.Write("p.qlm", std::string(100000, 'x'));
    view.State.Title = "short";
    core.SaveProject(file);
    EXPECT_EQ(InflatedStreams(TTestFolder::Read(file)).size(), 1u);
    EXPECT_TRUE(view.Boxes.empty());
}

TEST_F(ProjectFiles, SavingWhereNoFileCanBeMadeRaisesTheCreateError) {
    const std::string file = dir.File("no such folder") + "/p.qlm";
    try {
        core.SaveProject(file);
        FAIL() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file " + file);
    }
}

TEST_F(ProjectFiles, OpeningAppendsAndShowsOneBoxPerMovieAlreadyListed) {
    for (const std::string& m : movies) AddMovie(m);
    const std::string file = dir.File("all three.qlm");
    core.SaveProject(file);

    TRecordingView other;
    TBuilderCore window(other, Services());
    const std::string extra = dir.Write("extra.swf", MovieLike(99, 500));
    for (const std::string& m : {movies[2], extra, movies[0]}) {
        other.SetActivePage(pgFlashMovies);
        other.SetMovieEdit(m);
        window.AddMovie();
    }
    window.LoadProject(file);
    EXPECT_EQ(other.Boxes, (std::vector<std::pair<std::string, std::string>>(2, {"Message", "This Movie Is Already In The List"})));
    std::vector<std::string> captions;
    for (const TMovieItem& item : other.State.Movies) captions.push_back(item.Caption);
    EXPECT_EQ(captions, (std::vector<std::string>{movies[2], extra, movies[0], movies[1]}));
}

TEST_F(ProjectFiles, AMovieWhoseFileIsGoneIsLeftOutSilently) {
    for (const std::string& m : movies) AddMovie(m);
    const std::string file = dir.File("p.qlm");
    core.SaveProject(file);
    std::filesystem::remove(movies[1]);

    TRecordingView fresh;
    TBuilderCore reopened(fresh, Services());
    reopened.LoadProject(file);
    EXPECT_EQ(fresh.State.Movies, (std::vector<TMovieItem>{{movies[0], 0}, {movies[2], 1}}));
    EXPECT_TRUE(fresh.Boxes.empty());
}

TEST_F(ProjectFiles, AMissingFileDoesNothing) {
    FillWindow();
    const TWindowState before = view.State;
    core.LoadProject(dir.File("nothing here.qlm"));
    core.LoadProject(dir.Folder());
    EXPECT_EQ(view.State, before);
    EXPECT_TRUE(view.Boxes.empty() && view.Errors.empty() && view.Pages.empty());
}

// A project whose logo is gone (moved to another computer) still comes in
// whole; the window keeps the logo it shows, which the next build uses, and
// the user is told which file is missing once everything else is loaded.
TEST_F(ProjectFiles, AMissingLogoIsReportedAndEverythingElseLoads) {
    FillWindow();
    core.LogoPath = dir.File("gone.jpg");
    const std::string file = dir.File("p.qlm");
    core.SaveProject(file);
    const TWindowState saved = view.State;

    TRecordingView fresh;
    TBuilderCore reopened(fresh, Services());
    reopened.BuilderFolder = dir.Folder();
    reopened.LogoPath = dir.File("logo.jpg");
    fresh.LoadLogo(reopened.LogoPath);
    reopened.LoadProject(file);

    EXPECT_EQ(fresh.Boxes, (Boxes{{"Message", "The Logo File Of The Project Is Missing:\r\n" + dir.File("gone.jpg") +
                                                  "\r\nThe Current Logo Is Kept"}}));
    EXPECT_TRUE(fresh.Errors.empty());
    EXPECT_EQ(reopened.LogoPath, dir.File("logo.jpg"));
    EXPECT_EQ(fresh.State.Logo, dir.File("logo.jpg"));
    EXPECT_EQ(fresh.State.Title, saved.Title);
    EXPECT_EQ(fresh.State.Publisher, saved.Publisher);
    EXPECT_EQ(fresh.State.Copyright, saved.Copyright);
    EXPECT_EQ(fresh.State.Movies, saved.Movies);
    EXPECT_EQ(fresh.State.RandomPlay, saved.RandomPlay);
    EXPECT_EQ(fresh.State.LicenseLines, saved.LicenseLines);
    EXPECT_EQ(fresh.State.OutputFile, saved.OutputFile);
    EXPECT_EQ(fresh.State.Page, pgInformation);
    fresh.State.OutputFile = dir.File("out.exe");
    EXPECT_TRUE(reopened.Build()) << "the build uses the window's logo";
}

// Of the movies a project lists, one that is gone is left out without a
// word; one the system cannot look for (here a name longer than the file
// system takes) is left out too, and named in one box after the opening.
TEST_F(ProjectFiles, MoviesTheSystemCannotReachAreNamedMissingOnesAreNot) {
    const std::string unreachable = dir.File(std::string(300, 'x') + ".swf");
    const std::string gone = dir.File("gone.swf");
    TProject project;
    project.Title = "Listed";
    project.LogoFile = core.LogoPath;
    for (const std::string& m : {movies[0], unreachable, gone, movies[1]}) project.FlashList->Add(m);
    project.SaveToStream();
    TCompileStream writer;
    writer.AddStream(project.ProjectStream.get(), true);
    const std::string file = dir.File("listed.qlm");
    writer.Compile()->SaveToFile(file);

    core.LoadProject(file);
    EXPECT_EQ(view.State.Movies.size(), 2u);
    EXPECT_EQ(view.Boxes, (Boxes{{"Message", "These Movies Of The Project Cannot Be Reached And Were Left Out:\r\n" +
                                                 unreachable}}));
    EXPECT_EQ(view.State.Title, "Listed");
}

struct Malformed {
    const char* name;
    std::string bytes;
    std::string message;
};

void PrintTo(const Malformed& c, std::ostream* os) { *os << c.name; }

class MalformedProjects : public BuilderTest, public ::testing::WithParamInterface<Malformed> {};

TEST_P(MalformedProjects, RaiseTheirErrorAndLeaveTheWindowAsItWas) {
    const Malformed& c = GetParam();
    FillWindow();
    view.State.Selected = 2;
    core.LogoPath = dir.File("logo.jpg");
    const TWindowState before = view.State;
    const std::string file = dir.Write("bad.qlm", c.bytes);
    try {
        core.LoadProject(file);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_EQ(view.State, before);
    EXPECT_EQ(core.LogoPath, dir.File("logo.jpg"));
    EXPECT_TRUE(view.Boxes.empty() && view.Pages.empty());
}

const std::string SixLines = "T\r\nL\r\nP\r\nH\r\nE\r\nC\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, MalformedProjects,
    ::testing::Values(
        Malformed{"TooShortForAContainer", "ab", "Stream read error"},
        Malformed{"CountLargerThanTheFile", Int32(1000), "Stream read error"},
        Malformed{"NoStreams", Int32(0), "List index out of bounds (0)"},
        Malformed{"StreamNotZlib", OneStream("plain text, not deflated", 24), "error"},
        Malformed{"ZlibShorterThanRecorded", OneStream(Deflated(SixLines), 500), "Stream read error"},
        Malformed{"MovieCountNotANumber", ProjectFileOf(SixLines + "two\r\n"),
                  "'two' is not a valid integer value"},
        Malformed{"LicenseCountNotANumber",
                  ProjectFileOf(SixLines + "0\r\nNO\r\nNO\r\nNO\r\n1.5\r\n"),
                  "'1.5' is not a valid integer value"},
        Malformed{"FewerLinesThanTheCounts", ProjectFileOf(SixLines + "2\r\nm.swf\r\n"),
                  "List index out of bounds (8)"},
        Malformed{"NoOutputLine",
                  ProjectFileOf(SixLines + "0\r\nNO\r\nNO\r\nNO\r\n0\r\n0\r\n\r\n\r\n"),
                  "List index out of bounds (14)"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
