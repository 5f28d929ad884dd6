// The skinned tab strip on the screen: tab widths from the measured
// captions, the active tab one pixel lower, overflow and the scroll buttons,
// and tabs chosen with real clicks (scrolling to them first).
#include "PageEvents.h"
#include "TabStrip.h"

#include "Bitmap.h"
#include "Form.h"
#include "Pump.h"
#include "UserInput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// The smallest tab control: the plain strip.
class TTestTab : public TskTab {
public:
    TskTabControlTopPanel* CreateTopPanel() override { return Create<TskTabControlTopPanel>(this, this); }
};

class Strip : public ::testing::Test {
public:
    void SetUp() override {
        form = CreateOwned<TForm>();
        form->SetBounds(40, 40, 560, 200);
        tab = Create<TTestTab>(form.get());
        tab->SetName("Tab");
        tab->SetParent(form.get());
        tab->SetBounds(10, 10, 400, 120);
        strip = tab->TopPanel();
        form->Show();
    }
    void TearDown() override { form->Hide(); }

    void SetTabs(const std::vector<std::string>& Captions) {
        strip->Tabs()->Clear();
        for (const auto& c : Captions) strip->Tabs()->Add(c);
        strip->Repaint();
    }
    int Measured(const std::string& Caption) {
        TBitmap b;
        b.SetSize(1, 1);
        b.Canvas()->SetFont(tab->TabFont());
        return b.Canvas()->TextWidth(Caption);
    }
    // A user's click: the pointer moves there first (the scroll buttons
    // light up under it).
    void Click(int X, int Y) {
        POINT p{X, Y};
        ClientToScreen(strip->Handle(), &p);
        SetCursorPos(p.x, p.y);
        ClickAt(strip->Handle(), X, Y);
    }
    TPoint RightButton() const {
        const int w = strip->Width(), bw = strip->ScrollButtonWidth();
        return {w - 2 - bw / 2, Middle()};
    }
    TPoint LeftButton() const {
        const int w = strip->Width(), bw = strip->ScrollButtonWidth();
        return {w - 2 - bw - bw / 2, Middle()};
    }
    int Middle() const { return strip->TabHeight() / 2; }
    bool Whole(int Index) const {
        const TRect r = strip->TabRect(Index);
        return r.Right > r.Left && strip->TabWidth(Index) == r.Right - r.Left &&
               r.Right - r.Left == Measured(Index) + 20;
    }
    int Measured(int Index) const {
        TBitmap b;
        b.SetSize(1, 1);
        b.Canvas()->SetFont(tab->TabFont());
        return b.Canvas()->TextWidth(strip->Tabs()->Strings(Index));
    }
    COLORREF Pixel(int X, int Y) const {
        HDC dc = GetDC(strip->Handle());
        const COLORREF c = GetPixel(dc, X, Y);
        ReleaseDC(strip->Handle(), dc);
        return c;
    }

    TOwned<TForm> form;
    TTestTab* tab = nullptr;
    TskTabControlTopPanel* strip = nullptr;
};

std::vector<std::string> Numbered(int Count) {
    std::vector<std::string> out;
    for (int i = 0; i < Count; ++i) out.push_back("Tab " + std::to_string(i));
    return out;
}

TEST_F(Strip, WidthsComeFromTheMeasuredCaptionsAndTheActiveTabSitsOnePixelLower) {
    SetTabs({"", "i", "Flash Movies", "Settings"});
    strip->SetTabIndex(2);
    strip->Repaint();
    const int h = strip->TabHeight();
    ASSERT_GT(h, 0);
    const int expected[] = {80, std::max(Measured("i") + 20, 15), Measured("Flash Movies") + 20,
                            Measured("Settings") + 20};
    int x = 10;
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(strip->TabWidth(i), expected[i]) << i;
        const bool active = i == 2;
        EXPECT_EQ(strip->TabRect(i), Rect(x, active ? 1 : 0, x + expected[i], active ? h + 1 : h))
            << i;
        x += expected[i];
    }
    EXPECT_FALSE(strip->ShowScrollButtons());
    // On the screen: the active tab's top row shows what lies behind the
    // strip, an inactive tab's top row shows its picture.
    const COLORREF behind = Pixel(strip->Width() - 20, 0);
    const TRect active = strip->TabRect(2), other = strip->TabRect(3);
    EXPECT_EQ(Pixel((active.Left + active.Right) / 2, 0), behind);
    EXPECT_NE(Pixel((active.Left + active.Right) / 2, 1), behind);
    EXPECT_NE(Pixel((other.Left + other.Right) / 2, 0), behind);
}

TEST_F(Strip, OverflowCutsTheCrossingTabAndTheLastTabMayReachTenFromTheEdge) {
    SetTabs(Numbered(12));
    const int w = strip->Width(), limit = w - 2 * strip->ScrollButtonWidth() - 2;
    int crossing = -1, x = 10;
    for (int i = 0; i < 12 && crossing < 0; ++i) {
        if (x + Measured(i) + 20 > limit) crossing = i;
        else x += Measured(i) + 20;
    }
    ASSERT_GT(crossing, 0);
    EXPECT_EQ(strip->TabRect(crossing), Rect(x, 0, limit, strip->TabHeight()));
    EXPECT_EQ(strip->TabWidth(crossing), limit - x);
    EXPECT_EQ(strip->TabRect(crossing + 1), TRect{});
    EXPECT_EQ(strip->TabWidth(crossing + 1), -1);
    EXPECT_TRUE(strip->ShowScrollButtons());

    // Three tabs whose last one ends exactly 10 pixels from the edge.
    SetTabs({"Information", "Flash Movies", "Output"});
    int sum = 0;
    for (int i = 0; i < 3; ++i) sum += Measured(i) + 20;
    tab->SetWidth(10 + sum + 10);
    strip->Repaint();
    EXPECT_EQ(strip->Width(), 10 + sum + 10);
    EXPECT_TRUE(Whole(2));
    EXPECT_EQ(strip->TabRect(2).Right, strip->Width() - 10);
    EXPECT_FALSE(strip->ShowScrollButtons());
}

TEST_F(Strip, ScrollButtonsMoveByOneAndOnlyWhileTheyShow) {
    SetTabs({"One", "Two"});
    Click(RightButton().X, RightButton().Y);
    EXPECT_EQ(strip->FirstTab(), 0);
    EXPECT_EQ(strip->TabIndex(), 0);

    SetTabs(Numbered(20));
    Click(LeftButton().X, LeftButton().Y);
    EXPECT_EQ(strip->FirstTab(), 0);
    Click(RightButton().X, RightButton().Y);
    Click(RightButton().X, RightButton().Y);
    EXPECT_EQ(strip->FirstTab(), 2);
    EXPECT_EQ(strip->HotScrollButton(), 1);
    EXPECT_TRUE(Whole(2));
    EXPECT_EQ(strip->TabRect(2).Left, 10);
    Click(LeftButton().X, LeftButton().Y);
    EXPECT_EQ(strip->FirstTab(), 1);
    EXPECT_EQ(strip->HotScrollButton(), -1);
    EXPECT_EQ(strip->TabIndex(), 0);  // the buttons choose no tab
}

TEST_F(Strip, AHundredTabsEachChosenByScrollingAndClicking) {
    SetTabs(Numbered(100));
    TPageEventLog log;
    log.Watch(tab);
    for (int i = 0; i < 100; ++i) {
        for (int guard = 0; strip->TabRect(i).Right <= strip->TabRect(i).Left && guard < 110; ++guard) {
            Click(RightButton().X, RightButton().Y);
        }
        const TRect r = strip->TabRect(i);
        ASSERT_GT(r.Right, r.Left) << i;
        log.Lines.clear();
        Click((r.Left + r.Right) / 2, Middle());
        if (i == 0) continue;  // already active
        ASSERT_EQ(strip->TabIndex(), i);
        // A tab chosen while cut at the edge is scrolled into view.
        EXPECT_TRUE(Whole(i)) << i;
        EXPECT_EQ(log.Lines, (Lines{"changing", "tab active " + std::to_string(i), "change"})) << i;
    }
}

TEST_F(Strip, HiddenTabsTakeNoRoomAndNoClicksAlsoBeforeTheScrollPosition) {
    SetTabs(Numbered(20));
    strip->SetTabVisible(1, false);
    strip->SetTabVisible(3, false);
    strip->Repaint();
    EXPECT_EQ(strip->TabWidth(1), 0);
    EXPECT_EQ(strip->TabRect(2).Left, strip->TabRect(0).Right);
    Click(strip->TabRect(2).Left + 2, Middle());
    EXPECT_EQ(strip->TabIndex(), 2);

    // Two visible tabs (0 and 2) scrolled off: tab 4 is the first one drawn.
    Click(RightButton().X, RightButton().Y);
    Click(RightButton().X, RightButton().Y);
    ASSERT_EQ(strip->FirstTab(), 2);
    EXPECT_EQ(strip->TabRect(4).Left, 10);
    Click(15, Middle());
    EXPECT_EQ(strip->TabIndex(), 4);
}

TEST_F(Strip, AVetoedClickChangesNothingAndCodeNeverAsks) {
    SetTabs({"One", "Two", "Three"});
    TPageEventLog log;
    log.Watch(tab);
    log.AllowChange = false;
    const TRect r = strip->TabRect(1);
    Click((r.Left + r.Right) / 2, Middle());
    EXPECT_EQ(log.Lines, (Lines{"changing"}));
    EXPECT_EQ(strip->TabIndex(), 0);

    log.Lines.clear();
    strip->SetTabIndex(2);
    EXPECT_EQ(log.Lines, (Lines{"tab active 2", "change"}));
    EXPECT_EQ(strip->TabIndex(), 2);
    // Out of range only repaints; -1 is taken.
    log.Lines.clear();
    strip->SetTabIndex(3);
    strip->SetTabIndex(-2);
    EXPECT_EQ(strip->TabIndex(), 2);
    EXPECT_TRUE(log.Lines.empty());
    strip->SetTabIndex(-1);
    EXPECT_EQ(log.Lines, (Lines{"tab active -1", "change"}));
    // No tabs: the index becomes -1 without events.
    log.Lines.clear();
    strip->Tabs()->Clear();
    strip->SetTabIndex(0);
    EXPECT_EQ(strip->TabIndex(), -1);
    EXPECT_TRUE(log.Lines.empty());
}

}  // namespace
