#include "SwfPlayer.h"
#include "SwfTestMovies.h"
#include "SwfTimeline.h"

#include <gtest/gtest.h>

namespace {

class TFakeClock : public TSwfClock {
public:
    double NowMs() const override { return now; }
    double now = 1000;
};

// 4 frames at 10 per second: one frame every 100 ms.
class SwfTimelineTest : public ::testing::Test {
protected:
    TFakeClock clock;
    TSwfTimeline t{clock};
    void SetUp() override { t.Start(4, 10); }
    void Pass(double ms) {
        clock.now += ms;
        t.Update();
    }
};

TEST_F(SwfTimelineTest, StartsPlayingAtFrameZeroAndAdvancesWithTime) {
    EXPECT_TRUE(t.Playing());
    EXPECT_TRUE(t.Loop);
    EXPECT_EQ(t.TotalFrames(), 4);
    EXPECT_EQ(t.CurrentFrame(), 0);
    Pass(99);
    EXPECT_EQ(t.CurrentFrame(), 0);
    Pass(1);
    EXPECT_EQ(t.CurrentFrame(), 1);
    Pass(250);  // two more frames due, half of the next one gone by
    EXPECT_EQ(t.CurrentFrame(), 3);
    Pass(50);
    EXPECT_EQ(t.CurrentFrame(), 0) << "the half frame was not lost";
}

TEST_F(SwfTimelineTest, LoopWrapsAfterTheLastFrame) {
    Pass(300);
    EXPECT_EQ(t.CurrentFrame(), 3);
    Pass(100);
    EXPECT_EQ(t.CurrentFrame(), 0);
    EXPECT_TRUE(t.Playing());
    Pass(100 * 4 * 1000 + 200);  // a long stall: goes on where the clock says
    EXPECT_EQ(t.CurrentFrame(), 2);
}

TEST_F(SwfTimelineTest, WithoutLoopStopsOnTheLastFrame) {
    t.Loop = false;
    Pass(300);
    EXPECT_EQ(t.CurrentFrame(), 3);
    EXPECT_TRUE(t.Playing()) << "the last frame stays up for its own interval";
    Pass(100);
    EXPECT_EQ(t.CurrentFrame(), 3);
    EXPECT_FALSE(t.Playing());
    Pass(1000);
    EXPECT_EQ(t.CurrentFrame(), 3);

    t.Loop = false;
    t.Start(4, 10);
    Pass(5000);  // a stall past the end
    EXPECT_EQ(t.CurrentFrame(), 3);
    EXPECT_FALSE(t.Playing());
}

TEST_F(SwfTimelineTest, PlayAfterTheEndStartsOver) {
    t.Loop = false;
    Pass(400);
    ASSERT_FALSE(t.Playing());
    t.Play();
    EXPECT_TRUE(t.Playing());
    EXPECT_EQ(t.CurrentFrame(), 0);
    Pass(100);
    EXPECT_EQ(t.CurrentFrame(), 1);
}

TEST_F(SwfTimelineTest, StopHoldsTheFrameAndPlayResumesThere) {
    Pass(150);
    t.Stop();
    EXPECT_FALSE(t.Playing());
    Pass(1000);
    EXPECT_EQ(t.CurrentFrame(), 1);
    t.Play();
    Pass(99);
    EXPECT_EQ(t.CurrentFrame(), 1) << "time spent stopped does not count";
    Pass(1);
    EXPECT_EQ(t.CurrentFrame(), 2);
}

TEST_F(SwfTimelineTest, GotoFrameClampsAndKeepsThePlayingState) {
    t.GotoFrame(2);
    EXPECT_EQ(t.CurrentFrame(), 2);
    EXPECT_TRUE(t.Playing());
    Pass(100);
    EXPECT_EQ(t.CurrentFrame(), 3);
    t.Stop();
    t.GotoFrame(99);
    EXPECT_EQ(t.CurrentFrame(), 3);
    t.GotoFrame(-5);
    EXPECT_EQ(t.CurrentFrame(), 0);
    EXPECT_FALSE(t.Playing());
    Pass(500);
    EXPECT_EQ(t.CurrentFrame(), 0);
}

// The builder's thumbnail: GotoFrame(0), Stop, Loop off, then Play again.
TEST_F(SwfTimelineTest, ThumbnailSequenceThenPlayRunsFromTheStart) {
    Pass(200);
    t.GotoFrame(0);
    t.Stop();
    t.Loop = false;
    Pass(300);
    EXPECT_EQ(t.CurrentFrame(), 0);
    t.Play();
    Pass(300);
    EXPECT_EQ(t.CurrentFrame(), 3);
    Pass(100);
    EXPECT_FALSE(t.Playing());
}

TEST(SwfTimeline, OneFrameMovieShowsItsLastFrameAtOnce) {
    TFakeClock clock;
    TSwfTimeline t(clock);
    t.Loop = false;
    t.Start(0, 0);  // no frames, no rate: still one frame at one per second
    EXPECT_EQ(t.TotalFrames(), 1);
    EXPECT_EQ(t.CurrentFrame(), t.TotalFrames() - 1);
    EXPECT_DOUBLE_EQ(t.FrameInterval(), 1000);
    clock.now += 1000;
    t.Update();
    EXPECT_FALSE(t.Playing());
    t.Play();
    EXPECT_TRUE(t.Playing());
    EXPECT_EQ(t.CurrentFrame(), 0);
}

TEST(SwfTimeline, NextFrameDue) {
    TFakeClock clock;
    TSwfTimeline t(clock);
    t.Start(10, 25);
    clock.now += 15;
    EXPECT_DOUBLE_EQ(t.MsUntilNextFrame(), 25);
}

TEST(SwfPlayer, PictureFollowsTheTimeline) {
    TFakeClock clock;
    TSwfPlayer p(clock);
    EXPECT_FALSE(p.Loaded());
    p.LoadFromBytes(ThreeFrameMovie());
    ASSERT_TRUE(p.Loaded());
    EXPECT_EQ(p.Timeline().TotalFrames(), 3);
    EXPECT_TRUE(p.Timeline().Playing());
    ASSERT_EQ(p.Image().Items.size(), 1u);
    double x0 = p.Image().Items[0].Segments[0].To.X;
    clock.now += 1000.0 / 24;
    EXPECT_TRUE(p.Update());
    EXPECT_EQ(p.Timeline().CurrentFrame(), 1);
    ASSERT_EQ(p.Image().Items.size(), 1u);
    EXPECT_NE(p.Image().Items[0].Segments[0].To.X, x0);
    clock.now += 1000.0 / 24;
    p.Update();
    EXPECT_TRUE(p.Image().Items.empty());
    clock.now += 1000.0 / 24;
    p.Update();
    EXPECT_EQ(p.Timeline().CurrentFrame(), 0);
    EXPECT_EQ(p.Image().Items.size(), 1u);
}

TEST(SwfPlayer, BadFileGivesAnEmptyStageOfOneFrame) {
    TFakeClock clock;
    TSwfPlayer p(clock);
    p.LoadFromFile("missing.swf");
    ASSERT_TRUE(p.Loaded());
    EXPECT_EQ(p.Movie()->Status, TSwfStatus::NotSwf);
    EXPECT_EQ(p.Timeline().TotalFrames(), 1);
    EXPECT_TRUE(p.Image().Items.empty());
    p.Unload();
    EXPECT_FALSE(p.Loaded());
    EXPECT_FALSE(p.Timeline().Playing());
}

}  // namespace
