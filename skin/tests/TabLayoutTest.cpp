#include "TabLayout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Tabs whose captions measure TextWidth each (width TextWidth + 20).
TskTabLayoutInput Strip(int Count, int TextWidth, int StripWidth, int ButtonWidth = 16) {
    TskTabLayoutInput in;
    in.Tabs.assign(static_cast<size_t>(Count), TskTabSpec{false, TextWidth, true});
    in.TabIndex = Count > 0 ? 0 : -1;
    in.StripWidth = StripWidth;
    in.ScrollButtonWidth = ButtonWidth;
    in.TabPictureHeight = 18;
    return in;
}

TPoint Centre(const TskTabPlace& p) { return {(p.Rect.Left + p.Rect.Left + p.Width) / 2, 9}; }

}  // namespace

TEST(TabLayout, TabWidthsFromTheCaption) {
    const struct {
        bool empty;
        int text, width;
    } cases[] = {{true, 0, 80}, {true, 55, 80}, {false, 0, 20}, {false, 3, 23}, {false, 41, 61}, {false, -9, 15}};
    for (const auto& c : cases) EXPECT_EQ(TabWidthForCaption(c.empty, c.text), c.width) << c.empty << " " << c.text;
}

TEST(TabLayout, TabsThatFitSitSideBySideWithTheActiveOnePixelLower) {
    TskTabLayoutInput in = Strip(3, 30, 400);
    in.Tabs[1].EmptyCaption = true;
    in.TabIndex = 1;
    const TskTabLayout l = LayoutTabs(in);
    ASSERT_EQ(l.Places.size(), 3u);
    EXPECT_EQ(l.Places[0].Rect, Rect(10, 0, 60, 18));
    EXPECT_EQ(l.Places[1].Rect, Rect(60, 1, 140, 19));
    EXPECT_EQ(l.Places[2].Rect, Rect(140, 0, 190, 18));
    for (const auto& p : l.Places) EXPECT_TRUE(p.Drawn && !p.Clipped);
    EXPECT_EQ(l.LastWhole, 2);
    EXPECT_FALSE(l.ShowScrollButtons);
}

TEST(TabLayout, OverflowCutsTheCrossingTabAtTheScrollLimitAndDrawsNoFurtherTab) {
    // W 200, buttons 16: scroll limit 166, the last tab may reach 190.
    const struct {
        int count, tabIndex;
        bool cut;
    } cases[] = {{4, 0, true}, {4, 2, true}, {3, 0, false}, {3, 2, false}};
    for (const auto& c : cases) {
        TskTabLayoutInput in = Strip(c.count, 40, 200);
        in.TabIndex = c.tabIndex;
        const TskTabLayout l = LayoutTabs(in);
        const TskTabPlace& third = l.Places[2];
        SCOPED_TRACE(std::to_string(c.count) + " tabs, active " + std::to_string(c.tabIndex));
        EXPECT_EQ(third.Clipped, c.cut);
        EXPECT_EQ(third.Rect.Right, c.cut ? 166 : 190);
        EXPECT_EQ(third.Width, c.cut ? 36 : 60);
        EXPECT_EQ(third.Rect.Top, c.tabIndex == 2 ? 1 : 0);
        EXPECT_EQ(l.LastWhole, c.cut ? 1 : 2);
        EXPECT_EQ(l.ShowScrollButtons, c.cut);
        if (c.count == 4) {
            EXPECT_FALSE(l.Places[3].Drawn);
            EXPECT_EQ(l.Places[3].Width, -1);
            EXPECT_EQ(HitTestTabs(l, 18, 180, 9), -1);
        }
    }
}

TEST(TabLayout, HiddenTabsTakeNoRoomAndNoClicks) {
    TskTabLayoutInput in = Strip(4, 30, 400);
    in.Tabs[1].Visible = false;
    const TskTabLayout l = LayoutTabs(in);
    EXPECT_EQ(l.Places[1].Width, 0);
    EXPECT_FALSE(l.Places[1].Drawn);
    EXPECT_EQ(l.Places[2].Rect.Left, 60);
    for (int x = 11; x < 150; ++x) EXPECT_NE(HitTestTabs(l, 18, x, 9), 1) << x;
    EXPECT_EQ(HitTestTabs(l, 18, 61, 9), 2);
}

TEST(TabLayout, HitTestIsStrictAndBoundedByTheTabHeight) {
    const TskTabLayout l = LayoutTabs(Strip(2, 30, 400));  // tabs 10-60, 60-110
    const struct {
        int x, y, hit;
    } cases[] = {{10, 9, -1}, {11, 9, 0}, {59, 9, 0}, {60, 9, -1}, {61, 9, 1}, {109, 9, 1}, {110, 9, -1},
                 {30, 0, -1}, {30, 1, 0},  {30, 17, 0}, {30, 18, -1}, {5, 9, -1},  {300, 9, -1}};
    for (const auto& c : cases) EXPECT_EQ(HitTestTabs(l, 18, c.x, c.y), c.hit) << c.x << "," << c.y;
}

TEST(TabLayout, HiddenTabsBeforeTheScrollPositionHitWhatIsDrawn) {
    // Tabs 0 and 2 hidden; FirstTab 2 skips the visible tabs 1 and 3.
    TskTabLayoutInput in = Strip(8, 30, 400);
    in.Tabs[0].Visible = false;
    in.Tabs[2].Visible = false;
    in.FirstTab = 2;
    const TskTabLayout l = LayoutTabs(in);
    EXPECT_FALSE(l.Places[1].Drawn);
    EXPECT_FALSE(l.Places[3].Drawn);
    ASSERT_TRUE(l.Places[4].Drawn);
    EXPECT_EQ(l.Places[4].Rect.Left, 10);
    EXPECT_EQ(HitTestTabs(l, 18, 30, 9), 4);
    EXPECT_EQ(HitTestTabs(l, 18, 80, 9), 5);
}

TEST(TabLayout, AnyNumberOfTabsAndAnyIndexStayInsideTheListAndEveryTabCanBeChosen) {
    for (int count : {0, 1, 63, 64, 65, 200}) {
        for (int index : {-1, 0, count - 1, count, count + 5}) {
            SCOPED_TRACE(std::to_string(count) + " tabs, index " + std::to_string(index));
            TskTabLayoutInput in = Strip(count, 40, 500);
            in.TabIndex = index;
            const TskTabLayout l = ScrollActiveIntoView(in);
            ASSERT_EQ(l.Places.size(), static_cast<size_t>(count));
            // Scrolled to the end, all that is left fits, but the buttons stay.
            EXPECT_EQ(l.ShowScrollButtons || in.FirstTab > 0, count > 7);
            if (index >= 0 && index < count) {
                ASSERT_TRUE(l.Places[static_cast<size_t>(index)].Drawn);
                EXPECT_FALSE(l.Places[static_cast<size_t>(index)].Clipped);
                EXPECT_EQ(HitTestTabs(l, 18, Centre(l.Places[static_cast<size_t>(index)]).X, 9), index);
            } else {
                EXPECT_EQ(in.FirstTab, 0);
            }
            for (size_t i = 0; i < l.Places.size(); ++i) {
                if (l.Places[i].Drawn) {
                    EXPECT_EQ(HitTestTabs(l, 18, Centre(l.Places[i]).X, 9), static_cast<int>(i));
                }
            }
        }
    }
}

TEST(TabLayout, ScrollingIntoViewStopsAtATabWiderThanTheStrip) {
    TskTabLayoutInput in = Strip(5, 40, 200);
    in.Tabs[3].TextWidth = 500;
    in.TabIndex = 3;
    const TskTabLayout l = ScrollActiveIntoView(in);
    EXPECT_EQ(in.FirstTab, 3);
    EXPECT_TRUE(l.Places[3].Drawn);
    EXPECT_TRUE(l.Places[3].Clipped);
    EXPECT_EQ(l.Places[3].Rect, Rect(10, 1, 166, 19));
}

TEST(TabLayout, ScrollButtonsAtTheRightEnd) {
    const TskScrollButtonRects b = ScrollButtonRects(200, 22, 16, 14);  // 22 > 14 + 4: y = 4 - 2
    EXPECT_EQ(b.Right, Rect(182, 2, 198, 16));
    EXPECT_EQ(b.Left, Rect(166, 2, 182, 16));
    EXPECT_EQ(ScrollButtonRects(200, 18, 16, 14).Right.Top, 0);
    const struct {
        TPoint p;
        int hot;
    } cases[] = {{{190, 9}, 1}, {{198, 16}, 1}, {{170, 9}, -1}, {{166, 2}, -1}, {{182, 9}, -1},
                 {{165, 9}, 0}, {{199, 9}, 0},  {{190, 1}, 0},  {{190, 17}, 0}};
    for (const auto& c : cases) EXPECT_EQ(ScrollButtonAt(b, c.p), c.hot) << c.p.X << "," << c.p.Y;
}
