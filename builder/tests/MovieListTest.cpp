#include "BuilderFixture.h"

namespace {

using MovieList = BuilderTest;

const std::pair<std::string, std::string> AlreadyInList{"Message", "This Movie Is Already In The List"};

TEST_F(MovieList, AddAppendsThePathWithACopyOfTheThumbnail) {
    AddMovie(movies[0]);
    AddMovie(movies[1]);
    EXPECT_EQ(view.State.Movies, (std::vector<TMovieItem>{{movies[0], 0}, {movies[1], 1}}));
    EXPECT_EQ(view.State.Images, (std::vector<std::string>{movies[0], movies[1]}));
    EXPECT_TRUE(view.Boxes.empty());
}

TEST_F(MovieList, AddIgnoresAPathThatNamesNoFile) {
    for (const std::string& path : {dir.File("missing.swf"), std::string(), dir.Folder()}) {
        view.State.MovieEdit = path;
        core.AddMovie();
    }
    EXPECT_TRUE(view.State.Movies.empty());
    EXPECT_TRUE(view.State.Images.empty());
    EXPECT_TRUE(view.Boxes.empty());
}

TEST_F(MovieList, TheSamePathTwiceIsRefusedWithOneBox) {
    AddMovie(movies[0]);
    AddMovie(movies[1]);
    AddMovie(movies[0]);
    EXPECT_EQ(view.Boxes, (std::vector<std::pair<std::string, std::string>>{AlreadyInList}));
    EXPECT_EQ(view.State.Movies.size(), 2u);
    EXPECT_EQ(view.State.Images.size(), 2u) << "a refused movie takes no thumbnail";
}

TEST_F(MovieList, TheDuplicateTestIsCaseSensitive) {
    const std::string upper = dir.File("MOVIE0.swf");
    if (!TBuilderFiles::Exists(upper)) dir.Write("MOVIE0.swf", "FWS");  // case-sensitive file systems
    AddMovie(movies[0]);
    AddMovie(upper);
    EXPECT_EQ(view.State.Movies, (std::vector<TMovieItem>{{movies[0], 0}, {upper, 1}}));
    EXPECT_TRUE(view.Boxes.empty());
}

TEST_F(MovieList, RemoveKeepsEveryThumbnailAndTheOtherIndexes) {
    for (const std::string& m : movies) AddMovie(m);
    view.State.Selected = -1;
    core.RemoveMovie();
    EXPECT_EQ(view.State.Movies.size(), 3u);

    view.State.Selected = 1;
    core.RemoveMovie();
    EXPECT_EQ(view.State.Movies, (std::vector<TMovieItem>{{movies[0], 0}, {movies[2], 2}}));
    while (!view.State.Movies.empty()) {
        view.State.Selected = 0;
        core.RemoveMovie();
    }
    EXPECT_EQ(view.State.Images.size(), 3u);
    AddMovie(movies[1]);
    EXPECT_EQ(view.State.Movies, (std::vector<TMovieItem>{{movies[1], 3}}));
}

struct MoveCase {
    const char* name;
    int selected;
    bool up;
    std::vector<int> order;  // which movie each position shows afterwards
};

void PrintTo(const MoveCase& c, std::ostream* os) { *os << c.name; }

class MovieMoves : public BuilderTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(MovieMoves, SwapCaptionAndImageAndKeepTheSelection) {
    const MoveCase& c = GetParam();
    for (const std::string& m : movies) AddMovie(m);
    view.State.Selected = c.selected;
    if (c.up) core.MoveMovieUp();
    else core.MoveMovieDown();
    std::vector<TMovieItem> expected;
    for (int i : c.order) expected.push_back({movies[static_cast<std::size_t>(i)], i});
    EXPECT_EQ(view.State.Movies, expected);
    EXPECT_EQ(view.State.Selected, c.selected);
}

INSTANTIATE_TEST_SUITE_P(Cases, MovieMoves,
                         ::testing::Values(MoveCase{"UpOnFirst", 0, true, {0, 1, 2}},
                                           MoveCase{"DownOnLast", 2, false, {0, 1, 2}},
                                           MoveCase{"UpInTheMiddle", 1, true, {1, 0, 2}},
                                           MoveCase{"UpOnLast", 2, true, {0, 2, 1}},
                                           MoveCase{"DownInTheMiddle", 1, false, {0, 2, 1}},
                                           MoveCase{"DownOnFirst", 0, false, {1, 0, 2}},
                                           MoveCase{"UpWithoutSelection", -1, true, {0, 1, 2}},
                                           MoveCase{"DownWithoutSelection", -1, false, {0, 1, 2}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MovieList, PopupOffersAddAlwaysAndTheRestOnlyWithASelection) {
    const TMoviePopupState none = core.PopupState();
    EXPECT_TRUE(none.Add);
    EXPECT_FALSE(none.Remove || none.MoveUp || none.MoveDown || none.Play);

    AddMovie(movies[0]);
    view.State.Selected = 0;
    const TMoviePopupState one = core.PopupState();
    EXPECT_TRUE(one.Add && one.Remove && one.MoveUp && one.MoveDown && one.Play);
}

TEST_F(MovieList, PlayPreviewsTheSelectedMovie) {
    AddMovie(movies[0]);
    AddMovie(movies[1]);
    view.Previews.clear();
    core.PlayMovie();
    EXPECT_TRUE(view.Previews.empty());
    view.State.Selected = 0;
    core.PlayMovie();
    EXPECT_EQ(view.Previews, std::vector<std::string>{movies[0]});
    EXPECT_EQ(view.State.MovieEdit, movies[0]);
}

}  // namespace
