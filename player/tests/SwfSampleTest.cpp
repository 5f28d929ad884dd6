// The generated sample movies read cleanly and animate.
#include "SwfMovie.h"
#include "SwfScene.h"

#include "SwfPlayer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>

namespace {

struct TSample {
    const char* Name;
    const char* Signature;
    int Width, Height;
    double Rate;
    int Frames;
};

const TSample Samples[] = {
    {"orbits", "FWS", 800, 600, 30, 90},
    {"equalizer", "FWS", 640, 480, 24, 48},
    {"blossom", "FWS", 1024, 768, 20, 60},
    {"tide", "CWS", 320, 240, 12, 24},
    {"daybreak", "CWS", 800, 600, 20, 60},
    {"lantern", "FWS", 480, 360, 24, 33},
};

void PrintTo(const TSample& s, std::ostream* os) { *os << s.Name; }

class SwfSampleTest : public ::testing::TestWithParam<TSample> {};

TEST_P(SwfSampleTest, ReadsCleanlyAndEveryFrameShowsSomething) {
    const TSample& s = GetParam();
    auto m = TSwfMovie::FromFile(std::string("../samples/") + s.Name + ".swf");
    ASSERT_EQ(m->Status, TSwfStatus::Ok) << m->Problem;
    EXPECT_EQ(m->Header.Signature, s.Signature);
    EXPECT_EQ(m->Stage().Width(), s.Width * TwipsPerPixel);
    EXPECT_EQ(m->Stage().Height(), s.Height * TwipsPerPixel);
    EXPECT_DOUBLE_EQ(m->Header.FrameRate(), s.Rate);
    EXPECT_EQ(m->TotalFrames(), s.Frames);
    EXPECT_EQ(m->Header.FrameCount, s.Frames);
    TSwfScene scene(*m);
    TSwfFrameImage first, image;
    scene.GotoFrame(0);
    scene.Compose(first);
    EXPECT_GE(first.Items.size(), 3u);
    bool moved = false;
    for (int f = 1; f < m->TotalFrames(); ++f) {
        scene.GotoFrame(f);
        scene.Compose(image);
        EXPECT_FALSE(image.Items.empty());
        for (size_t i = 0; i < image.Items.size() && i < first.Items.size(); ++i) {
            const auto &a = image.Items[i].Segments, &b = first.Items[i].Segments;
            for (size_t k = 0; k < a.size() && k < b.size(); ++k) moved |= a[k].To != b[k].To;
        }
    }
    EXPECT_TRUE(moved) << "the movie animates";
}

INSTANTIATE_TEST_SUITE_P(Movies, SwfSampleTest, ::testing::ValuesIn(Samples),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace

namespace {
class TStepClock : public TSwfClock {
public:
    double NowMs() const override { return now; }
    double now = 0;
};
}  // namespace

// The script-looped sample rises once, then swings between its label and its
// script's frame, never showing its last frame.
TEST(SwfSampleScript, LanternLoopsByItsScript) {
    TStepClock clock;
    TSwfPlayer p(clock);
    p.LoadFromFile("../samples/lantern.swf");
    ASSERT_EQ(p.Movie()->Status, TSwfStatus::Ok);
    p.Timeline().Loop = false;  // as the screensaver plays a movie among others
    const double interval = 1000.0 / 24;
    ASSERT_EQ(p.Movie()->Sounds.size(), 1u);
    std::vector<int> seen;
    int chimes = 0;
    for (int i = 0; i < 80; ++i) {
        clock.now += interval * 1.001;  // clear of rounding at the frame's edge
        const bool before = p.Sound().Active();
        p.Update();
        seen.push_back(p.Timeline().CurrentFrame());
        if (!before && p.Sound().Active()) {
            ++chimes;
            EXPECT_EQ(seen.back(), 8) << "the chime starts as a swing begins";
        }
        // About a frame's worth of sound is heard per frame.
        std::vector<int16_t> mix(2 * 1838);
        p.Sound().Mix(mix);
    }
    EXPECT_EQ(chimes, 4) << "once per swing: rising, then swings from ticks 7, 30, 53 and 76";
    EXPECT_TRUE(p.Timeline().Playing());
    EXPECT_EQ(*std::max_element(seen.begin(), seen.end()), 30) << "the script's frame jumps as it is entered";
    EXPECT_EQ(seen[6], 7);
    EXPECT_EQ(seen[29], 30);
    EXPECT_EQ(seen[30], 8) << "back at the label";
    EXPECT_EQ(seen[31], 9);
    EXPECT_EQ(seen[53], 8);
}
