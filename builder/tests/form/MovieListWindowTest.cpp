// The movie page: adding, the duplicate box, removing, moving, playing, the
// popup menu, the right-click filter, thumbnails and the preview loop.

#include "WindowFixture.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace {

using MovieListWindow = MainWindow;

std::string UpperFileName(const std::string& Path) {
    const size_t slash = Path.rfind('\\');
    std::string upper = Path;
    std::transform(upper.begin() + long(slash + 1), upper.end(), upper.begin() + long(slash + 1),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return upper;
}

TEST_F(MovieListWindow, AddRefusesExactDuplicatesAndRemoveKeepsThumbnails) {
    auto* images = Find<TImageList>("ScreenshotList");
    auto* list = Find<TCustomListView>("FlashListView");
    AddMovie(Movies[0]);
    EXPECT_EQ(Captions(), (std::vector<std::string>{Movies[0]}));
    EXPECT_EQ(list->Items()->Item(0)->ImageIndex(), 0);

    {
        TDialogAnswerer boxes;
        Click("AddBtn");
        ASSERT_TRUE(boxes.WaitFor(1, 5000));
        EXPECT_EQ(boxes.Seen()[0].Caption, "Message");
        EXPECT_EQ(boxes.Seen()[0].Text, "This Movie Is Already In The List");
    }
    EXPECT_EQ(Captions(), (std::vector<std::string>{Movies[0]}));

    // The same file spelled with other letter case is another entry.
    const std::string upper = UpperFileName(Movies[0]);
    AddMovie(upper);
    AddMovie(Movies[1]);
    // A path that names no file adds nothing and says nothing.
    AddMovie(dir.File("missing.swf"));
    EXPECT_EQ(Captions(), (std::vector<std::string>{Movies[0], upper, Movies[1]}));
    EXPECT_EQ(images->Count(), 3);

    ClickItem(1);
    Click("RemoveBtn");
    EXPECT_EQ(Captions(), (std::vector<std::string>{Movies[0], Movies[1]}));
    EXPECT_EQ(list->Items()->Item(1)->ImageIndex(), 2) << "the others keep their images";
    ClickItem(0);
    Click("RemoveBtn");
    ClickItem(0);
    Click("RemoveBtn");
    EXPECT_TRUE(Captions().empty());
    EXPECT_EQ(images->Count(), 3) << "thumbnails stay in the image list";
    AddMovie(Movies[2]);
    EXPECT_EQ(list->Items()->Item(0)->ImageIndex(), 3) << "a new item takes a new image";
}

TEST_F(MovieListWindow, UpAndDownMoveTheSelectedItemWithItsThumbnail) {
    for (const std::string& m : Movies) AddMovie(m);
    auto* list = Find<TCustomListView>("FlashListView");
    const std::string &a = Movies[0], &b = Movies[1], &c = Movies[2];
    struct Step {
        int select;
        const char* button;
        std::vector<std::string> order;
    };
    // Applied one after the other: the ends stay put, the middle moves.
    const std::vector<Step> steps{
        {0, "UpBtn", {a, b, c}},
        {2, "DownBtn", {a, b, c}},
        {1, "UpBtn", {b, a, c}},
        {1, "DownBtn", {b, c, a}},
        {2, "UpBtn", {b, a, c}},
        {0, "DownBtn", {a, b, c}},
    };
    for (const Step& s : steps) {
        ClickItem(s.select);
        Click(s.button);
        EXPECT_EQ(Captions(), s.order) << s.button << " on " << s.select;
        ASSERT_NE(list->Selected(), nullptr);
        EXPECT_EQ(list->Selected()->Index(), s.select) << "the selection stays on its position";
        for (int i = 0; i < 3; ++i) {
            const int image = list->Items()->Item(i)->ImageIndex();
            const auto at = std::find(Movies.begin(), Movies.end(), s.order[size_t(i)]) - Movies.begin();
            EXPECT_EQ(image, at) << "item " << i << " keeps its own thumbnail";
        }
    }
}

TEST_F(MovieListWindow, DoubleClickPlaysTheItemInThePreview) {
    for (const std::string& m : Movies) AddMovie(m);
    auto* flash = Find<TShockwaveFlash>("ShockwaveFlash");
    EXPECT_EQ(flash->Movie(), Movies[2]);
    ClickItem(0, true);
    EXPECT_TRUE(PumpUntil([&] { return Find<TCustomEdit>("FlashEdit")->Text() == Movies[0]; }, 3000));
    EXPECT_EQ(flash->Movie(), Movies[0]);
}

TEST_F(MovieListWindow, PopupItemsFollowTheSelectionAndRunTheirCommands) {
    AddMovie(Movies[0]);
    AddMovie(Movies[1]);
    auto* list = Find<TCustomListView>("FlashListView");
    auto* popup = Find<TPopupMenu>("ListPopupMenu");
    const std::vector<const char*> names{"PMAdd", "PMRemove", "PMMoveUp", "PMMoveDown", "PMPlay"};
    std::vector<UINT> commands;
    for (const char* n : names) commands.push_back(Find<TMenuItem>(n)->Command());
    auto command = [&](const char* Name) { return Find<TMenuItem>(Name)->Command(); };

    struct Case {
        int select;  // -1: a click on the empty part of the list
        const char* choose;
        std::vector<bool> enabled;
        std::vector<std::string> order;
        std::string edit;
    };
    const std::vector<Case> cases{
        {-1, nullptr, {true, false, false, false, false}, {Movies[0], Movies[1]}, Movies[1]},
        {1, "PMMoveUp", {true, true, true, true, true}, {Movies[1], Movies[0]}, Movies[1]},
        {0, "PMMoveDown", {true, true, true, true, true}, {Movies[0], Movies[1]}, Movies[1]},
        {0, "PMPlay", {true, true, true, true, true}, {Movies[0], Movies[1]}, Movies[0]},
        {0, "PMRemove", {true, true, true, true, true}, {Movies[1]}, Movies[0]},
        {-1, "PMAdd", {true, false, false, false, false}, {Movies[1], Movies[0]}, Movies[0]},
    };
    for (const Case& c : cases) {
        if (c.select >= 0) ClickItem(c.select);
        ASSERT_EQ(list->Selected() ? list->Selected()->Index() : -1, c.select);
        // A right click on the list, through the message loop as the mouse sends it.
        const POINT p = c.select >= 0 ? ItemPoint(c.select) : EmptyPoint();
        TPopupUser user(popup->Handle(), commands, c.choose ? command(c.choose) : 0);
        // The pointer stays where it is: an item under it would take the
        // highlight from the keys the user presses in the menu.
        PostMessageA(list->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(p.x, p.y));
        PostMessageA(list->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        PumpFor(300);
        user.Join();
        PumpFor(300);
        EXPECT_TRUE(user.Found()) << (c.choose ? c.choose : "no choice");
        EXPECT_EQ(user.Enabled, c.enabled) << (c.choose ? c.choose : "no choice");
        EXPECT_EQ(Captions(), c.order) << (c.choose ? c.choose : "no choice");
        EXPECT_EQ(Find<TCustomEdit>("FlashEdit")->Text(), c.edit);
    }
}

TEST_F(MovieListWindow, RightButtonPressesAreDroppedOnlyWhileTheMoviePageShows) {
    struct Case {
        const char* page;
        const char* control;
        bool reaches;
    };
    for (const Case& c : {Case{"Flash Movies", "FlashListView", false}, Case{"Flash Movies", "FlashEdit", false},
                          Case{"Information", "TitleEdit", true}, Case{"Settings", "RandomCheckBox", true},
                          Case{"Output", "LogMemo", true}}) {
        ChooseMenu("Edit", c.page);
        auto* control = Find<TWinControl>(c.control);
        TMessageCounter presses(control, WM_RBUTTONDOWN);
        TMessageCounter left(control, WM_LBUTTONUP);
        PostMessageA(control->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
        // A left button release behind it shows that the queue was served.
        PostMessageA(control->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        EXPECT_TRUE(PumpUntil([&] { return left.Count > 0; }, 3000));
        EXPECT_EQ(presses.Count, c.reaches ? 1 : 0) << c.page << " / " << c.control;
    }
}

TEST_F(MovieListWindow, ThumbnailIsTheMoviesFirstFrameTakenFromTheScreen) {
    for (size_t i = 0; i < Movies.size(); ++i) {
        AddMovie(Movies[i]);
        const auto [centre, corner] = ImagePixels(int(i));
        EXPECT_TRUE(Near(centre, FirstColours[i])) << Movies[i] << ": " << ColourText(centre) << " for "
                                                   << ColourText(FirstColours[i]);
        EXPECT_TRUE(Near(corner, FirstColours[i])) << Movies[i] << ": " << ColourText(corner);
    }
    // The preview plays on after the capture.
    EXPECT_TRUE(Find<TShockwaveFlash>("ShockwaveFlash")->Playing());
    EXPECT_TRUE(form->PreviewWasPlaying);
}

TEST_F(MovieListWindow, AWindowCoveringThePreviewDoesNotSpoilTheThumbnail) {
    ChooseMenu("Edit", "Flash Movies");
    // Another program's window lies over the builder when the movie is named.
    RECT r{};
    GetWindowRect(form->Handle(), &r);
    HWND cover = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE | SS_BLACKRECT, r.left, r.top, r.right - r.left,
                                 r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(cover, nullptr);
    SetForegroundWindow(cover);
    PumpFor(100);
    Find<TCustomEdit>("FlashEdit")->SetText(Movies[1]);
    ASSERT_NE(form->Thumbnail, nullptr);
    const TColor centre = form->Thumbnail->Canvas()->Pixels(64, 64);
    EXPECT_TRUE(Near(centre, FirstColours[1])) << ColourText(centre);
    DestroyWindow(cover);
}

TEST_F(MovieListWindow, PreviewStartsAgainWithinASecondOfItsEnd) {
    // Half a second of movie.
    const std::string shortMovie = dir.Write("short.swf", ColourMovie({{10, 10, 10}, {60, 60, 60}, {110, 110, 110},
                                                                      {160, 160, 160}, {210, 210, 210}},
                                                                     10));
    ChooseMenu("Edit", "Flash Movies");
    Type("FlashEdit", shortMovie);
    auto* flash = Find<TShockwaveFlash>("ShockwaveFlash");
    EXPECT_FALSE(flash->Loop());
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(PumpUntil([&] { return !flash->Playing(); }, 3000)) << "the movie ends";
        const DWORD stopped = GetTickCount();
        ASSERT_TRUE(PumpUntil([&] { return flash->Playing(); }, 3000)) << "and starts again";
        // A second of the loop's timer, and a little for a busy machine.
        EXPECT_LE(GetTickCount() - stopped, 1250u);
    }
}

TEST_F(MovieListWindow, ATextChangedDuringTheCaptureIsPreviewedAfterIt) {
    // The user types on while the first movie is being captured: the
    // characters after the first movie's name arrive during the capture.
    const std::string first = dir.Write("a.swf", ColourMovie({{200, 30, 30}, {30, 30, 200}}, 10));
    const std::string second = dir.Write("a.swf2.swf", ColourMovie({{30, 180, 60}, {200, 30, 30}}, 10));
    ChooseMenu("Edit", "Flash Movies");
    Type("FlashEdit", second);
    EXPECT_EQ(Find<TShockwaveFlash>("ShockwaveFlash")->Movie(), second);
    ASSERT_NE(form->Thumbnail, nullptr);
    const TColor centre = form->Thumbnail->Canvas()->Pixels(64, 64);
    EXPECT_TRUE(Near(centre, TColor(0x3CB41E))) << ColourText(centre) << ": the last name's movie";
    Click("AddBtn");
    EXPECT_EQ(Captions(), (std::vector<std::string>{second}));
    (void)first;
}

TEST_F(MovieListWindow, ClosingTheWindowDuringACaptureIsSafe) {
    ChooseMenu("Edit", "Flash Movies");
    // The close request waits in the queue and is served by the capture.
    PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
    Find<TCustomEdit>("FlashEdit")->SetText(Movies[0]);
    EXPECT_EQ(form->Thumbnail, nullptr) << "closing freed the thumbnail";
    EXPECT_FALSE(form->Showing());
    // Adding after the close makes an item without a thumbnail, nothing worse.
    // No one can click a hidden window; the handler itself must still hold.
    form->AddBtnClick(nullptr);
    EXPECT_EQ(Captions(), (std::vector<std::string>{Movies[0]}));
}

}  // namespace
