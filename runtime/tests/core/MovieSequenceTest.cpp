#include "MovieSequence.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

// Draws from a fixed list, recording each range asked for.
struct Script {
    std::vector<int> values;
    std::size_t next = 0;
    int calls = 0;
    TMovieSequence::TDraw Draw() {
        return [this](int) {
            ++calls;
            return values[next++ % values.size()];
        };
    }
};

TEST(MovieSequence, OneMovieLoopsWithoutTimer) {
    TMovieSequence s(1, false, nullptr);
    EXPECT_TRUE(s.Loops());
    EXPECT_FALSE(s.NeedsTimer());
    EXPECT_EQ(s.Poll(1, 0), std::nullopt);
}

TEST(MovieSequence, NoMoviesIsHarmless) {
    TMovieSequence s(0, true, nullptr);
    EXPECT_FALSE(s.Loops());
    EXPECT_FALSE(s.NeedsTimer());
    EXPECT_EQ(s.Poll(1, 0), std::nullopt);
    EXPECT_EQ(s.CurrentIndex(), 0);
}

TEST(MovieSequence, AdvancesOnlyAtTheLastFrameAndWraps) {
    TMovieSequence s(3, false, nullptr);
    EXPECT_TRUE(s.NeedsTimer());
    EXPECT_FALSE(s.Loops());
    EXPECT_EQ(s.Poll(10, 8), std::nullopt);
    EXPECT_EQ(s.Poll(10, 10), std::nullopt);
    EXPECT_EQ(s.Poll(10, 9), 1);
    EXPECT_EQ(s.Poll(1, 0), 2);  // a movie of one frame goes at the first poll
    EXPECT_EQ(s.Poll(5, 4), 0);
    EXPECT_EQ(s.CurrentIndex(), 0);
}

TEST(MovieSequence, RandomDrawsUntilTheIndexDiffers) {
    Script script{{0, 0, 0, 2, 2, 1}};
    TMovieSequence s(3, true, script.Draw());
    EXPECT_EQ(s.Poll(2, 1), 2);
    EXPECT_EQ(script.calls, 4);
    EXPECT_EQ(s.Poll(2, 1), 1);
    EXPECT_EQ(script.calls, 6);
}

TEST(MovieSequence, RandomWithTwoMoviesAlternates) {
    TMovieSequence s(2, true, ClockSeededDraw());
    int expected = 1;
    for (int i = 0; i < 50; ++i, expected = 1 - expected) EXPECT_EQ(s.Poll(3, 2), expected);
}

TEST(MovieSequence, AStuckGeneratorDoesNotHangTheWindow) {
    Script script{{0}};
    TMovieSequence s(4, true, script.Draw());
    EXPECT_EQ(s.Poll(2, 1), 1);
    EXPECT_GT(script.calls, 1);
}

TEST(MovieSequence, RandomDrawCoversEveryOtherMovie) {
    TMovieSequence s(4, true, ClockSeededDraw());
    std::vector<int> seen(4);
    int previous = 0;
    for (int i = 0; i < 400; ++i) {
        const int next = *s.Poll(1, 0);
        ASSERT_NE(next, previous);
        ++seen[next];
        previous = next;
    }
    for (int n : seen) EXPECT_GT(n, 40);
}

}  // namespace

// Movies whose frame scripts stop or loop them: (total, frame, playing) as
// the polls find them, and the poll at which the next movie starts.
TEST(MovieSequence, MoviesThatStopOrLoopThemselvesStillEnd) {
    struct TCase {
        const char* Name;
        std::vector<std::tuple<int, int, bool>> Polls;
        int EndsAt;  // index into Polls, -1: never
    };
    const int hold = TMovieSequence::StoppedHoldPolls;
    std::vector<std::tuple<int, int, bool>> stopped(hold + 1, {10, 3, false});
    std::vector<std::tuple<int, int, bool>> stoppedThenPlays(hold - 1, {10, 3, false});
    stoppedThenPlays.push_back({10, 4, true});
    stoppedThenPlays.insert(stoppedThenPlays.end(), hold - 1, {10, 4, false});
    const std::vector<TCase> cases = {
        {"script loop found back at an earlier frame", {{10, 2, true}, {10, 5, true}, {10, 7, true}, {10, 3, true}}, 3},
        {"standing on one frame while playing is not an end", {{10, 5, true}, {10, 5, true}, {10, 6, true}}, -1},
        {"stopped before the last frame: held, then ended", stopped, hold - 1},
        {"a stop that plays on again starts the hold over", stoppedThenPlays, -1},
        {"a stopped movie that goes back is still held", {{10, 6, true}, {10, 2, false}, {10, 2, false}}, -1},
        {"stopped on its last frame ends at once", {{10, 9, false}}, 0},
    };
    for (const TCase& c : cases) {
        TMovieSequence s(2, false, nullptr);
        int ended = -1;
        for (size_t i = 0; i < c.Polls.size() && ended < 0; ++i) {
            const auto [total, frame, playing] = c.Polls[i];
            if (s.Poll(total, frame, playing)) ended = static_cast<int>(i);
        }
        EXPECT_EQ(ended, c.EndsAt) << c.Name;
    }
}

TEST(MovieSequence, TheNextMovieStartsWithNoMemoryOfTheLast) {
    TMovieSequence s(2, false, nullptr);
    EXPECT_EQ(s.Poll(10, 8, true), std::nullopt);
    EXPECT_EQ(s.Poll(10, 9, true), 1);
    // The new movie's first frames are lower than the old one's last.
    EXPECT_EQ(s.Poll(30, 2, true), std::nullopt);
    EXPECT_EQ(s.Poll(30, 12, true), std::nullopt);
}
