// The skinned track bar on a shown form: its range rules, where the slider
// and the ticks go, paging by a held press with the real timer, dragging the
// slider, the keys and its change notices. A scroll track (which keeps the
// pictures it is given) carries a 10 x 10 slider so places are exact.
#include "ScratchThemeFile.h"
#include "SkinControlFixture.h"
#include "SkinTrackBar.h"
#include "TestBitmaps.h"
#include "ThemeFileWriter.h"

#include <windows.h>

#include <vector>

namespace {

class SkinTrackBars : public SkinControlsTest {
protected:
    // A scroll track Length long with a 10 x 10 slider, on the form.
    TskScrollTrackBar* Track(TskProgressBarOrientation Orientation, int Length) {
        auto* t = Orientation == skHorizontal ? Add<TskScrollTrackBar>(20, 20, Length, 21)
                                              : Add<TskScrollTrackBar>(300, 20, 21, Length);
        t->SetOrientation(Orientation);
        TBitmap thumb;
        thumb.SetSize(10, 10);
        thumb.Canvas()->Brush()->SetColor(clRed);
        thumb.Canvas()->FillRect(TRect{0, 0, 10, 10});
        t->SliderImage()->Assign(&thumb);
        t->FitSlider();
        if (Orientation == skHorizontal)
            t->SetBounds(20, 20, Length, 21);
        else
            t->SetBounds(300, 20, 21, Length);
        t->UpdateSlider();
        PumpFor(20);
        return t;
    }
};

struct TChanges {
    TskTrackBar* Bar = nullptr;
    std::vector<std::pair<int, int>> Seen;  // position, last change
    void Changed(TObject*) { Seen.emplace_back(Bar->Position(), Bar->LastChange()); }
};

TEST_F(SkinTrackBars, RangeSettersClampOrIgnore) {
    auto* t = Add<TskTrackBar>(20, 20, 110, 21);
    EXPECT_EQ(t->Min(), 0);
    EXPECT_EQ(t->Max(), 10);
    EXPECT_EQ(t->PageSize(), 2);
    EXPECT_EQ(t->LineSize(), 1);
    EXPECT_TRUE(t->ShowTick());
    EXPECT_TRUE(t->TabStop());
    EXPECT_TRUE(t->ParentColor());
    t->SetMax(-5);  // below Min: Max becomes Min
    EXPECT_EQ(t->Max(), 0);
    EXPECT_EQ(t->Position(), 0);
    t->SetMax(10);
    t->SetPageSize(20);  // beyond Max: ignored
    EXPECT_EQ(t->PageSize(), 2);
    t->SetPageSize(10);
    EXPECT_EQ(t->PageSize(), 10);
    t->SetLineSize(-1);
    EXPECT_EQ(t->LineSize(), 1);
    t->SetPosition(8);
    t->SetMax(6);  // the position follows a lower Max
    EXPECT_EQ(t->Position(), 6);
    t->SetMin(9);  // Min above Max becomes Max, the position follows
    EXPECT_EQ(t->Min(), 6);
    EXPECT_EQ(t->Position(), 6);
    t->SetPosition(100);
    EXPECT_EQ(t->Position(), 6);
}

TEST_F(SkinTrackBars, SliderPlaceAndPointMappingBothWays) {
    for (TskProgressBarOrientation o : {skHorizontal, skVertical}) {
        auto* t = Track(o, 110);
        t->SetPosition(5);
        const TPoint place = t->GetSliderPos();
        // Along the axis 50. Without a bar picture the cross size follows
        // the slider alone, whatever the bounds asked for.
        EXPECT_EQ(o == skHorizontal ? place.X : place.Y, 50) << o;
        EXPECT_EQ(o == skHorizontal ? t->Height() : t->Width(), 10) << o;
        EXPECT_EQ(o == skHorizontal ? place.Y : place.X, 0) << o;
        EXPECT_EQ(t->Slider()->Left(), place.X) << o;
        EXPECT_EQ(t->Slider()->Top(), place.Y) << o;
        // 9.5 goes to 10; 55 is the centre of position 5.
        EXPECT_EQ(o == skHorizontal ? t->PositionFromPoint(100, 0) : t->PositionFromPoint(0, 100), 10) << o;
        EXPECT_EQ(o == skHorizontal ? t->PositionFromPoint(55, 0) : t->PositionFromPoint(0, 55), 5) << o;
        t->SetMin(10);  // Min = Max: the slider at the start
        EXPECT_EQ(o == skHorizontal ? t->GetSliderPos().X : t->GetSliderPos().Y, 0) << o;
    }
}

TEST_F(SkinTrackBars, TicksByPixels) {
    for (TskProgressBarOrientation o : {skHorizontal, skVertical}) {
        auto* t = Track(o, 110);
        t->SetFrequency(3);
        TBitmap shot;
        Painted(t, shot);
        const std::uint32_t black = PixelOf(clBlack);
        std::vector<int> found;
        for (int i = 0; i < 110; ++i) {
            // Three pixels at the bottom edge, or at both side edges.
            const bool tick = o == skHorizontal ? Px(shot, i, 9) == black && Px(shot, i, 7) == black
                                                : Px(shot, 0, i) == black && Px(shot, 2, i) == black &&
                                                      Px(shot, 7, i) == black && Px(shot, 9, i) == black;
            if (tick) found.push_back(i);
        }
        // Positions 0, 3, 6, 9 and 10 at place + 5.
        EXPECT_EQ(found, (std::vector<int>{5, 35, 65, 95, 105})) << o;
        // Nothing above the tick marks (horizontal) or inside them (vertical).
        if (o == skHorizontal)
            EXPECT_EQ(Px(shot, 35, 6), FormPixel);
        else
            EXPECT_EQ(Px(shot, 4, 35), FormPixel);
        t->SetMax(0);  // Min = Max: no ticks
        Painted(t, shot);
        EXPECT_EQ(CountOf(shot, black), 0) << o;
    }
}

TEST_F(SkinTrackBars, HeldPressPagesTowardsThePointerNeverPast) {
    struct TCase {
        TskProgressBarOrientation orientation;
        int press;
        int afterPress, afterFirstTick;
    };
    // From 5 with page size 2: the press gives 7 (the point maps to 10); the
    // first tick steps 3 page sizes horizontally (to 10), 1 vertically (to 9).
    const TCase cases[] = {{skHorizontal, 100, 7, 10}, {skVertical, 100, 7, 9}, {skHorizontal, 2, 3, 0}};
    for (const TCase& c : cases) {
        auto* t = Track(c.orientation, 110);
        t->SetPosition(5);
        const int x = c.orientation == skHorizontal ? c.press : 10;
        const int y = c.orientation == skHorizontal ? 10 : c.press;
        const DWORD start = GetTickCount();
        LeftDown(t, x, y);
        // The first tick comes 100 ms after the press; the press helper
        // waits 100 ms, so the first tick may be there already (margin).
        const DWORD pressed = GetTickCount() - start;
        if (pressed < 90) {
            EXPECT_EQ(t->Position(), c.afterPress) << c.orientation << " at " << c.press;
        }
        EXPECT_TRUE(t->Paging());
        PumpFor(130);
        EXPECT_EQ(t->Position(), c.afterFirstTick) << c.orientation << " at " << c.press;
        PumpFor(350);  // later ticks step to the pointer at most
        const int held = t->Position();
        if (c.orientation == skVertical) EXPECT_EQ(held, 10);
        else EXPECT_EQ(held, c.afterFirstTick);
        LeftUp(t, x, y);
        EXPECT_FALSE(t->Paging());
        PumpFor(250);
        EXPECT_EQ(t->Position(), held) << "no ticks after the release";
        t->Free();
    }
}

TEST_F(SkinTrackBars, DraggingTheSliderFollowsThePointerAndReportsEachChange) {
    auto* t = Track(skHorizontal, 110);
    TChanges changes{t, {}};
    t->OnChange = TNotifyEvent::Bind<&TChanges::Changed>(&changes);
    TskImagePanel* slider = t->Slider();
    LeftDown(slider, 5, 5);  // on the slider at position 0
    EXPECT_TRUE(t->Dragging());
    EXPECT_EQ(t->Position(), 0) << "the press alone moves nothing";
    EXPECT_EQ(GetCapture(), t->Handle());
    PointerTo(t, 55, 10);
    EXPECT_EQ(t->Position(), 5);
    EXPECT_EQ(t->Slider()->Left(), 50);
    PointerTo(t, 500, 10);  // beyond the end: clamped
    EXPECT_EQ(t->Position(), 10);
    PointerTo(t, 500, 60);  // no new position, no notice
    LeftUp(t, 500, 60);
    EXPECT_FALSE(t->Dragging());
    EXPECT_NE(GetCapture(), t->Handle());
    EXPECT_EQ(changes.Seen, (std::vector<std::pair<int, int>>{{5, 5}, {10, 5}}));
}

TEST_F(SkinTrackBars, KeysMoveByPageAndLineAndJumpToTheEnds) {
    auto* t = Add<TskTrackBar>(20, 20, 110, 21);
    t->SetMax(100);
    t->SetPageSize(10);
    t->SetLineSize(3);
    t->SetFocus();
    PumpFor(20);
    EXPECT_EQ(SendMessageA(t->Handle(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
    struct TCase {
        WORD key;
        int position;
    };
    const TCase cases[] = {{VK_NEXT, 10}, {VK_RIGHT, 13}, {VK_DOWN, 16}, {VK_PRIOR, 6}, {VK_LEFT, 3},
                           {VK_UP, 0},    {VK_UP, 0},     {VK_END, 100}, {VK_RIGHT, 100}, {VK_HOME, 0},
                           {'A', 0}};
    for (const TCase& c : cases) {
        PressKey(t->Handle(), c.key);
        EXPECT_EQ(t->Position(), c.position) << "key " << c.key;
    }
}

TEST_F(SkinTrackBars, OnChangeOncePerRealChangeWithTheChangeReadable) {
    auto* t = Add<TskTrackBar>(20, 20, 110, 21);
    TChanges changes{t, {}};
    t->OnChange = TNotifyEvent::Bind<&TChanges::Changed>(&changes);
    t->SetPosition(4);
    t->SetPosition(4);   // no change, no notice
    t->SetPosition(50);  // clamped to 10
    t->SetMax(3);        // the position follows
    t->SetMin(-2);
    t->SetPosition(-9);
    EXPECT_EQ(changes.Seen, (std::vector<std::pair<int, int>>{{4, 4}, {10, 6}, {3, -7}, {-2, -5}}));
}

TEST_F(SkinTrackBars, DestroyedWhilePagingNeverTicks) {
    auto* t = Track(skHorizontal, 110);
    int ticksAfter = 0;
    struct TCounter {
        int* N;
        void Changed(TObject*) { ++*N; }
    } counter{&ticksAfter};
    t->OnChange = TNotifyEvent::Bind<&TCounter::Changed>(&counter);
    LeftDown(t, 2, 10);  // beside the slider: no change at 0, but the timer runs
    ASSERT_TRUE(t->Paging());
    t->SetPosition(5);
    ticksAfter = 0;
    t->Free();
    PumpFor(350);
    EXPECT_EQ(ticksAfter, 0);
}

TEST_F(SkinTrackBars, StylesMacOSMakesItTransparentAndNoStyleClearsIt) {
    auto* t = Add<TskTrackBar>(20, 20, 110, 21);
    EXPECT_FALSE(t->Transparent());
    t->SetUIStyle(TskUIStyle::MacOS);
    EXPECT_TRUE(t->Transparent());
    t->SetUIStyle(TskUIStyle::WinXP);
    EXPECT_TRUE(t->Transparent());
    // The theme's bar fixes the height; the horizontal slider is transparent,
    // the vertical one not.
    EXPECT_EQ(t->Height(), std::max(t->BarImage()->Height(), t->Slider()->Height()));
    EXPECT_GT(t->Slider()->Width(), 0);
    EXPECT_TRUE(t->Slider()->Transparent());
    t->SetOrientation(skVertical);
    EXPECT_FALSE(t->Slider()->Transparent());
    EXPECT_EQ(t->Width(), std::max(t->BarImage()->Height(), t->Slider()->Width()));
}

// A theme file's bar and slider pictures, in both orientations, and the
// theme's removal bringing back DeepBlue's.
TEST_F(SkinTrackBars, AFileThemeGivesItsPicturesAndItsRemovalFallsBackToDeepBlue) {
    TskThemeFileWriter writer;
    writer.AddBitmap("TrackBarBarImage", MakeBitmap(40, 7));
    writer.AddBitmap("TrackBarSliderImage", MakeBitmap(9, 23));
    writer.AddBitmap("TrackBarSliderVImage", MakeBitmap(25, 11));
    const std::string name = ScratchThemeName("trackbars");
    ASSERT_TRUE(WriteThemeFile(name, writer));
    auto* theme = Create<TskFileTheme>(form.get());
    theme->SetThemeFile(name);
    DeleteFileA(name.c_str());
    ASSERT_TRUE(theme->IsLoaded());

    auto* blue = Add<TskTrackBar>(20, 80, 110, 21);
    blue->SetUIStyle(TskUIStyle::DeepBlue);
    const TSize blueBar{blue->BarImage()->Width(), blue->BarImage()->Height()};
    const TSize blueSlider{blue->Slider()->Width(), blue->Slider()->Height()};
    ASSERT_NE(blueBar.cy, 7);
    ASSERT_NE(blueSlider.cx, 9);

    auto* t = Add<TskTrackBar>(20, 20, 110, 21);
    t->SetUIStyle(TskUIStyle::FromThemeFile);
    t->SetFileTheme(theme);
    EXPECT_EQ(t->FileTheme(), theme);
    EXPECT_EQ(t->BarImage()->Width(), 40);
    EXPECT_EQ(t->BarImage()->Height(), 7);
    EXPECT_EQ(t->Slider()->Width(), 9);
    EXPECT_EQ(t->Slider()->Height(), 23);
    EXPECT_EQ(t->Height(), 23) << "the taller of bar and slider";
    t->SetOrientation(skVertical);
    EXPECT_EQ(t->Slider()->Width(), 25) << "the vertical slider's own picture";
    EXPECT_EQ(t->Slider()->Height(), 11);
    EXPECT_EQ(t->Width(), 25);
    t->SetOrientation(skHorizontal);

    theme->Free();
    EXPECT_EQ(t->FileTheme(), nullptr);
    EXPECT_EQ(t->UIStyle(), TskUIStyle::DeepBlue);
    EXPECT_EQ(t->BarImage()->Width(), blueBar.cx);
    EXPECT_EQ(t->BarImage()->Height(), blueBar.cy);
    EXPECT_EQ(t->Slider()->Width(), blueSlider.cx);
    EXPECT_EQ(t->Slider()->Height(), blueSlider.cy);
}

}  // namespace

