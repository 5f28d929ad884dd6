#include "BuilderFixture.h"

namespace {

using Startup = BuilderTest;

TEST_F(Startup, ShowsTheDefaultLogoFromTheBuilderFolder) {
    core.LogoPath.clear();
    core.ShowDefaultLogo();
    EXPECT_EQ(core.LogoPath, dir.File("logo.jpg"));
    EXPECT_EQ(view.State.Logo, dir.File("logo.jpg"));
    EXPECT_TRUE(view.Errors.empty());
}

TEST_F(Startup, AMissingDefaultLogoIsReportedAndStartUpGoesOn) {
    std::filesystem::remove(dir.File("logo.jpg"));
    const std::string movie = movies[0];
    core.ShowDefaultLogo();
    EXPECT_EQ(view.Errors, std::vector<std::string>{"Cannot open file " + dir.File("logo.jpg")});
    EXPECT_EQ(core.LogoPath, dir.File("logo.jpg"));
    core.OpenStartupFile({movie});
    EXPECT_EQ(view.Previews, std::vector<std::string>{movie}) << "the file named on the command line still opens";
}

struct StartupCase {
    const char* name;
    std::string file;  // created in the folder and passed as the first argument
    bool preview;
    bool project;
};

void PrintTo(const StartupCase& c, std::ostream* os) { *os << c.name; }

class StartupFiles : public BuilderTest, public ::testing::WithParamInterface<StartupCase> {};

TEST_P(StartupFiles, AreOpenedByTheirExtensionInAnyCase) {
    const StartupCase& c = GetParam();
    {  // a project to open, saved by another window
        TRecordingView other;
        TBuilderCore saver(other, Services());
        saver.LogoPath = dir.File("logo.jpg");
        other.State.Title = "From the command line";
        saver.SaveProject(dir.File("saved.qlm"));
    }
    std::filesystem::copy_file(c.project ? dir.File("saved.qlm") : movies[0], dir.File(c.file),
                               std::filesystem::copy_options::overwrite_existing);
    const std::string arg = dir.File(c.file);
    core.OpenStartupFile({arg, movies[1]});

    EXPECT_EQ(view.Previews, c.preview ? std::vector<std::string>{arg} : std::vector<std::string>{});
    EXPECT_EQ(view.State.Title, c.project ? "From the command line" : "");
    if (c.preview) {
        EXPECT_EQ(view.Pages, std::vector<int>{pgFlashMovies});
    } else if (!c.project) {
        EXPECT_TRUE(view.Pages.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, StartupFiles,
                         ::testing::Values(StartupCase{"LowerSwf", "a.swf", true, false},
                                           StartupCase{"UpperSwf", "B.SWF", true, false},
                                           StartupCase{"MixedSwf", "c.Swf", true, false},
                                           StartupCase{"LowerQlm", "p.qlm", false, true},
                                           StartupCase{"UpperQlm", "P2.QLM", false, true},
                                           StartupCase{"OtherExtension", "movie.swf.txt", false, false},
                                           StartupCase{"NoExtension", "qlm", false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Startup, NoArgumentDoesNothing) {
    core.OpenStartupFile({});
    EXPECT_TRUE(view.Pages.empty() && view.Previews.empty() && view.Boxes.empty());
}

// A dialog gives "?" for every character of a name that the system code page
// cannot hold: such a pick is refused, saying why; any other name is taken
// without a word, whether or not the file exists.
TEST_F(Startup, PickedFilesWhoseNameTheCodePageCannotHoldAreRefused) {
    struct Case {
        std::string name;
        bool accepted;
    };
    for (const Case& c : {Case{dir.File("movie0.swf"), true}, Case{dir.File("not there yet.exe"), true},
                          Case{"C:\\Users\\??????\\movie.swf", false}, Case{dir.File("??.qlm"), false}}) {
        view.Boxes.clear();
        EXPECT_EQ(core.AcceptPickedFile(c.name), c.accepted) << c.name;
        if (c.accepted) {
            EXPECT_TRUE(view.Boxes.empty()) << c.name;
        } else {
            EXPECT_EQ(view.Boxes, (std::vector<std::pair<std::string, std::string>>{
                                      {"Message", "The Name Of The Chosen File Holds Characters That The System Code "
                                                  "Page Cannot Show:\r\n" +
                                                      c.name + "\r\nPlease Rename The File Or Its Folder"}}));
        }
    }
}

}  // namespace
