// The slider arithmetic of the track bars and the scroll bar, including
// ranges that span all of int and controls of no length at all.
#include "SliderGeometry.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr int kMin = std::numeric_limits<int>::min();
constexpr int kMax = std::numeric_limits<int>::max();

TEST(SliderGeometry, SliderOffsetTable) {
    struct TCase {
        int position, min, max, length, slider, offset;
    };
    const TCase cases[] = {
        {5, 0, 10, 110, 10, 50},                // the slider half-way on a 110-pixel control
        {10, 0, 10, 110, 10, 100},              // at Max the slider ends at the control's end
        {3, 3, 3, 110, 10, 0},                  // Min = Max: at the start
        {7, 0, 10, 13, 10, 2},                  // 21 / 10 truncates
        {-7, -10, 0, 13, 10, 0},                // 9 / 10 truncates toward zero
        {kMax, kMin, kMax, kMax, 0, kMax},      // full range, full length: no overflow
        {0, kMin, kMax, kMax, 0, 1073741823},   // 2^31 x (2^31 - 1) div (2^32 - 1)
        {kMin, kMin, kMax, kMax, 0, 0},
        {kMax, kMin, kMax, 0, 0, 0},            // a control of no length
        {kMax, kMin, kMax, 1, 0, 1},            // one pixel: the end of the range reaches it
        {kMax - 1, kMin, kMax, 1, 0, 0},
        {10, 0, 10, 0, 1, -1},                  // a slider longer than the control goes before it
        {kMax, kMin, kMax, 0, kMax, -kMax},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(SliderOffset(c.position, c.min, c.max, c.length, c.slider), c.offset)
            << c.position << " in " << c.min << ".." << c.max << " on " << c.length << "/" << c.slider;
}

TEST(SliderGeometry, CrossOffsetCentresAndNeverGoesNegative) {
    EXPECT_EQ(SliderCrossOffset(21, 10), 5);
    EXPECT_EQ(SliderCrossOffset(10, 21), 0);
    EXPECT_EQ(SliderCrossOffset(kMax, kMin), kMax);  // a difference beyond int, halved
    EXPECT_EQ(SliderCrossOffset(0, 0), 0);
}

TEST(SliderGeometry, PositionFromCoordinateTable) {
    struct TCase {
        int coordinate, min, max, length, slider, position;
    };
    const TCase cases[] = {
        {100, 0, 10, 110, 10, 10},  // 9.5 goes to the even 10
        {55, 0, 10, 110, 10, 5},    // the pointer becomes the slider's centre
        {10, 0, 10, 110, 10, 0},    // 0.5 goes to 0
        {20, 0, 10, 110, 10, 2},    // 1.5 goes to 2
        {30, 0, 10, 110, 10, 2},    // 2.5 goes to 2
        {0, 0, 10, 110, 10, 0},     // -0.5 goes to 0
        {-10, 0, 10, 110, 10, -2},  // -1.5 goes to -2, not clamped
        {200, 0, 10, 110, 10, 20},  // beyond the end, not clamped
        {15, 0, 10, 110, 10, 1},
        {40, 7, 100, 10, 10, 0},    // slider as long as the control: 0, not Min
        {5, 0, 10, 10, 20, 5},      // longer slider: the span turns negative
        {1000, kMin, kMax, 2000, 0, 0},      // half of 2^32 - 1 rounds to the even 2^31
        {1, kMin, kMax, 2, 0, 0},
        {1, kMin, kMax, 1, 0, kMax},         // size 1, full range
        {0, kMin, kMax, 1, 0, kMin},
        {kMax, kMin, kMax, 1, 0, kMax},      // far beyond int: saturated
        {kMin, kMin, kMax, 1, 0, kMin},
        {kMax, kMin, kMax, kMax, 0, kMax},
        {kMax, kMin, kMax, 0, kMax, kMin},   // negative span of full size
    };
    for (const TCase& c : cases)
        EXPECT_EQ(PositionFromCoordinate(c.coordinate, c.min, c.max, c.length, c.slider), c.position)
            << c.coordinate << " in " << c.min << ".." << c.max << " on " << c.length << "/" << c.slider;
}

TEST(SliderGeometry, PositionFromCoordinateInvertsSliderOffsetOnWideRanges) {
    // Every slider place maps back to a position whose place it is.
    const int length = 1000, slider = 17;
    for (int x = slider / 2; x <= length - slider + slider / 2; ++x) {
        const int position = PositionFromCoordinate(x, kMin, kMax, length, slider);
        const int back = SliderOffset(position, kMin, kMax, length, slider) + slider / 2;
        EXPECT_LE(std::abs(back - x), 1) << x;
    }
}

TEST(SliderGeometry, TicksAtFrequencyAndAlwaysAtMax) {
    struct TCase {
        int min, max, frequency, length, slider;
        std::vector<int> ticks;
    };
    const TCase cases[] = {
        {0, 10, 3, 110, 10, {5, 35, 65, 95, 105}},  // positions 0, 3, 6, 9, 10
        {0, 10, 0, 110, 10, {5, 105}},              // no frequency: only the ends
        {0, 10, -4, 110, 10, {5, 105}},
        {0, 10, 20, 110, 10, {5, 105}},
        {4, 4, 1, 110, 10, {}},                     // Min = Max: none
        {0, 2, 1, 10, 10, {5}},                     // no room: one pixel, given once
        {0, 2, 1, 0, 0, {0}},
        {0, 4, 1, 1, 0, {0, 1}},
        {-6, 0, 2, 6, 0, {0, 2, 4, 6}},
        {0, 10, 5, 0, 10, {5, 0, -5}},              // a longer slider runs backwards
    };
    for (const TCase& c : cases)
        EXPECT_EQ(TickOffsets(c.min, c.max, c.frequency, c.length, c.slider), c.ticks)
            << c.min << ".." << c.max << " every " << c.frequency << " on " << c.length << "/" << c.slider;
}

// The ticks one by one, as painting each would place them.
std::vector<int> TicksByPosition(int min, int max, int frequency, int length, int slider) {
    std::vector<int> out;
    auto add = [&](int position) {
        const int pixel = SliderOffset(position, min, max, length, slider) + slider / 2;
        if (out.empty() || out.back() != pixel) out.push_back(pixel);
    };
    if (frequency > 0)
        for (long long p = min; p < max; p += frequency) add(static_cast<int>(p));
    else
        add(min);
    add(max);
    return out;
}

TEST(SliderGeometry, SkippedTicksWouldHaveLandedOnDrawnPixels) {
    struct TCase {
        int min, max, frequency, length, slider;
    };
    const TCase cases[] = {
        {0, 10000, 7, 300, 11}, {-5000, 4999, 1, 137, 0}, {3, 100003, 333, 1000, 20},
        {0, 999, 1, 2, 1},      {0, 1000, 3, 0, 40},      {-100, 100, 1, 1000, 10},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(TickOffsets(c.min, c.max, c.frequency, c.length, c.slider),
                  TicksByPosition(c.min, c.max, c.frequency, c.length, c.slider))
            << c.min << ".." << c.max << " every " << c.frequency << " on " << c.length << "/" << c.slider;
}

TEST(SliderGeometry, FullRangeTicksCostPixelsNotPositions) {
    const std::vector<int> ticks = TickOffsets(kMin, kMax, 1, 1000, 10);
    ASSERT_EQ(ticks.size(), 991u);  // one per pixel 5..995
    EXPECT_EQ(ticks.front(), 5);
    EXPECT_EQ(ticks.back(), 995);
    EXPECT_TRUE(std::is_sorted(ticks.begin(), ticks.end()));
    // Positions 0, 2^31 - 1, 2^32 - 2 and 2^32 - 1 from Min: no step overflows.
    EXPECT_EQ(TickOffsets(kMin, kMax, kMax, 1000, 10), (std::vector<int>{5, 499, 994, 995}));
}

TEST(SliderGeometry, ThumbLengthTable) {
    struct TCase {
        int track, page, lineButton, length;
    };
    const TCase cases[] = {
        {200, 50, 0, 100}, {200, 2, 0, 20},    {200, 100, 0, 200}, {200, 101, 0, 20},
        {200, 10, 0, 20},  {200, 9, 0, 20},    {200, -1, 0, 20},   {200, 50, 5, 18},
        {200, 50, 30, 30}, {0, 50, 0, 0},      {1, 100, 0, 1},     {-40, 50, 0, 0},
        {kMax, 100, 0, kMax}, {kMax, 50, 0, kMax / 2},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(ThumbLength(c.track, c.page, c.lineButton), c.length)
            << c.track << " page " << c.page << " line " << c.lineButton;
}

}  // namespace

#include "NativeScrollBarState.h"

namespace {

TEST(NativeScrollBarState, UnusableByTheInvisibleOrUnavailableBit) {
    struct TCase {
        std::uint32_t state;
        bool usable;
    };
    const TCase cases[] = {
        {0, true},                                  // a plain, working bar
        {0x0010, true},                             // pressed
        {0x0008, true},                             // pushed arrow or hot part
        {kScrollStateUnavailable, false},           // exactly unavailable
        {kScrollStateInvisible, false},             // exactly invisible
        {kScrollStateInvisible | kScrollStateOffscreen, false},   // absent and off-screen
        {kScrollStateUnavailable | 0x0010, false},  // unavailable with another bit
        {kScrollStateOffscreen, true},              // off-screen alone: still there
        {0xFFFFFFFFu, false},
    };
    for (const TCase& c : cases) EXPECT_EQ(NativeScrollBarUsable(c.state), c.usable) << std::hex << c.state;
}

}  // namespace
