#include "TitleBarLayout.h"

#include <gtest/gtest.h>

namespace {

constexpr int BarWidth = 300;

// The default buttons of a bar (control box, close, maximise, minimise) with
// the WinXP pictures and offsets.
TskTitleBarLayoutInput WinXPBar() {
    TskTitleBarLayoutInput in;
    in.BarWidth = BarWidth;
    in.ButtonTop = 2;
    in.LeftBtnXOffset = 2;
    in.RightBtnXOffset = -2;
    in.Mouse = {-100, -100};
    in.Buttons = {{true, true, 21, 21}, {true, false, 21, 21}, {true, false, 21, 21}, {true, false, 21, 21}};
    return in;
}

int LeftOf(const TskTitleBarLayout& layout, int index) {
    for (const auto& b : layout.RowButtons)
        if (b.Index == index) return b.Rect.Left;
    return -1;
}

// Every character 7 pixels wide.
int FixedWidth(std::string_view text) { return static_cast<int>(text.size()) * 7; }

}  // namespace

TEST(TitleBarLayout, WinXPRowRunsCloseMaximiseMinimiseFromTheRight) {
    const auto layout = LayOutTitleBar(WinXPBar());
    ASSERT_EQ(layout.RowButtons.size(), 3u);
    EXPECT_EQ(layout.RowButtons[0], (TskTitleBarButtonPlace{1, {BarWidth - 23, 2, BarWidth - 2, 23}}));
    EXPECT_EQ(layout.RowButtons[1], (TskTitleBarButtonPlace{2, {BarWidth - 45, 2, BarWidth - 24, 23}}));
    EXPECT_EQ(layout.RowButtons[2], (TskTitleBarButtonPlace{3, {BarWidth - 67, 2, BarWidth - 46, 23}}));
    EXPECT_EQ(layout.ControlBox, (TskTitleBarButtonPlace{0, {2, 2, 23, 23}}));
    EXPECT_EQ(layout.CaptionRight, BarWidth - 67);
}

TEST(TitleBarLayout, CaptionStartsAfterWhatIsOnTheLeft) {
    const struct {
        const char* name;
        bool drawAppIcon;
        bool controlBoxVisible;
        int leftOffset;
        int captionLeft;
        bool icon;
    } cases[] = {
        {"icon", true, true, 2, 23, true},
        {"control-box picture", false, true, 2, 28, false},
        {"hidden control box", false, false, 0, 6, false},
        {"hidden control box keeps an offset", false, false, 4, 4, false},
        {"no icon without a control box", true, false, 0, 6, false},
        {"control box at 0", false, true, 0, 26, false},
    };
    for (const auto& c : cases) {
        auto in = WinXPBar();
        in.DrawAppIcon = c.drawAppIcon;
        in.Buttons[0].Visible = c.controlBoxVisible;
        in.LeftBtnXOffset = c.leftOffset;
        const auto layout = LayOutTitleBar(in);
        EXPECT_EQ(layout.CaptionLeft, c.captionLeft) << c.name;
        EXPECT_EQ(layout.DrawIcon, c.icon) << c.name;
        if (c.icon) {
            EXPECT_EQ(layout.IconAt, (TPoint{5, 2})) << c.name;
        }
        if (!c.controlBoxVisible) {
            EXPECT_EQ(layout.ControlBox.Index, -1) << c.name;
        }
    }
}

TEST(TitleBarLayout, HiddenButtonsTakeNoRoomAndIntervalSpacesTheRow) {
    auto in = WinXPBar();
    in.Buttons[2].Visible = false;  // maximise
    auto layout = LayOutTitleBar(in);
    EXPECT_EQ(LeftOf(layout, 1), BarWidth - 23);
    EXPECT_EQ(LeftOf(layout, 2), -1);
    EXPECT_EQ(LeftOf(layout, 3), BarWidth - 45);

    in = WinXPBar();
    in.ButtonInterval = 3;
    layout = LayOutTitleBar(in);
    EXPECT_EQ(LeftOf(layout, 1), BarWidth + 1 - 2 - 25);
    EXPECT_EQ(LeftOf(layout, 2), BarWidth + 1 - 2 - 50);
}

TEST(TitleBarLayout, TheLastVisibleControlBoxWins) {
    auto in = WinXPBar();
    in.Buttons.push_back({true, true, 17, 17});
    auto layout = LayOutTitleBar(in);
    EXPECT_EQ(layout.ControlBox, (TskTitleBarButtonPlace{4, {2, 2, 19, 19}}));
    EXPECT_EQ(layout.CaptionLeft, 2 + 17 + 5);
    in.Buttons.back().Visible = false;
    EXPECT_EQ(LayOutTitleBar(in).ControlBox.Index, 0);
}

TEST(TitleBarLayout, HotButtonIsTheOneUnderTheMouseEdgesIncluded) {
    const struct {
        TPoint mouse;
        int hot;
    } cases[] = {
        {{BarWidth - 23, 2}, 1},   // close, top-left corner
        {{BarWidth - 2, 23}, 1},   // close, bottom-right corner
        {{BarWidth - 1, 10}, -1},  // right of close
        {{BarWidth - 24, 10}, 2},  // maximise, right edge
        {{BarWidth - 67, 12}, 3},  // minimise, left edge
        {{BarWidth - 68, 12}, -1},
        {{BarWidth - 30, 1}, -1},  // above the row
        {{BarWidth - 30, 24}, -1}, // below it
        {{2, 2}, 0},               // control box
        {{23, 23}, 0},
        {{24, 10}, -1},
        {{150, 10}, -1},
    };
    for (const auto& c : cases) {
        auto in = WinXPBar();
        in.Mouse = c.mouse;
        EXPECT_EQ(LayOutTitleBar(in).HotIndex, c.hot) << c.mouse.X << "," << c.mouse.Y;
    }
    // A hidden button gets no hover, and its neighbour moves under the mouse.
    auto in = WinXPBar();
    in.Buttons[1].Visible = false;
    in.Mouse = {BarWidth - 10, 10};
    EXPECT_EQ(LayOutTitleBar(in).HotIndex, 2);
    // The icon counts as the control box.
    in = WinXPBar();
    in.DrawAppIcon = true;
    in.Mouse = {10, 10};
    EXPECT_EQ(LayOutTitleBar(in).HotIndex, 0);
}

TEST(TitleBarLayout, ButtonFaces) {
    EXPECT_EQ(TitleBarButtonFace(false, false), TskTitleBarButtonFace::Normal);
    EXPECT_EQ(TitleBarButtonFace(false, true), TskTitleBarButtonFace::Normal);
    EXPECT_EQ(TitleBarButtonFace(true, false), TskTitleBarButtonFace::MouseOn);
    EXPECT_EQ(TitleBarButtonFace(true, true), TskTitleBarButtonFace::MouseDown);
}

TEST(TitleBarLayout, CaptionShortening) {
    const struct {
        const char* caption;
        int space;
        TskTitleBarCaption drawn;
    } cases[] = {
        {"Hello", 35, {"Hello", false}},   // exactly fits
        {"Hello", 34, {"H...", false}},    // "He..." is 35
        {"Hello", 28, {"H...", false}},
        {"Hello", 27, {"...", false}},     // no character fits before the dots
        {"Hello", 21, {"...", false}},
        {"Hello", 20, {"...", true}},      // narrower than "...": clipped, never looping
        {"Hello", 1, {"...", true}},
        {"Hello", 0, {"", false}},         // no room: nothing
        {"Hello", -40, {"", false}},
        {"", 100, {"", false}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FitTitleBarCaption(c.caption, c.space, FixedWidth), c.drawn) << c.caption << " in " << c.space;
}

TEST(TitleBarLayout, CaptionShorteningEndsWhateverTheMeasure) {
    // A measure that never gets small enough (a huge font): the search still ends.
    int calls = 0;
    const auto wide = [&](std::string_view) {
        ++calls;
        return 1000;
    };
    EXPECT_EQ(FitTitleBarCaption("A long caption", 50, wide), (TskTitleBarCaption{"...", true}));
    EXPECT_LE(calls, 16);
}

TEST(TitleBarLayout, CaptionIsCentredOnTheButtonsRoundingTowardZero) {
    EXPECT_EQ(TitleBarCaptionTop(2, 21, 13), 6);
    EXPECT_EQ(TitleBarCaptionTop(2, 21, 14), 5);   // 7 / 2
    EXPECT_EQ(TitleBarCaptionTop(2, 10, 13), 1);   // -3 / 2 is -1, not -2
    EXPECT_EQ(TitleBarCaptionTop(5, 17, 13), 7);
}

TEST(TitleBarLayout, SectionsAndHeight) {
    EXPECT_EQ(TitleBarSectionOffset(false, false), (TPoint{0, 0}));
    EXPECT_EQ(TitleBarSectionOffset(true, false), (TPoint{-3, -3}));
    EXPECT_EQ(TitleBarSectionOffset(true, true), (TPoint{-4, -3}));

    auto p = PlaceTitleBarSections(200, {-3, -3}, true, 10, true, 12, 29);
    EXPECT_EQ(p.Left, (TPoint{-3, -3}));
    EXPECT_EQ(p.Right, (TPoint{191, -3}));
    EXPECT_EQ(p.Client, (TRect{7, -3, 191, 26}));
    p = PlaceTitleBarSections(200, {0, 0}, true, 10, true, 12, 29);
    EXPECT_EQ(p.Client, (TRect{10, 0, 188, 29}));
    // A missing end leaves the middle's edge at 0.
    p = PlaceTitleBarSections(200, {0, 0}, false, 10, false, 12, 29);
    EXPECT_EQ(p.Client, (TRect{0, 0, 0, 29}));

    EXPECT_EQ(TitleBarHeight(29, true), 26);
    EXPECT_EQ(TitleBarHeight(29, false), 29);
}
