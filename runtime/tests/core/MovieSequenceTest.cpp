#include "MovieSequence.h"

#include <gtest/gtest.h>

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
