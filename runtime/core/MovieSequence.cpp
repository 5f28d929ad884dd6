#include "MovieSequence.h"

#include "SysUtils.h"

#include <utility>

namespace {
// A generator that keeps returning the current index must not hang the
// window; after this many draws the next movie in order is taken.
constexpr int kMaxDraws = 1000;
}  // namespace

TMovieSequence::TMovieSequence(int Count, bool RandomPlay, TDraw Draw)
    : count_(Count < 0 ? 0 : Count), randomPlay_(RandomPlay), draw_(std::move(Draw)) {}

std::optional<int> TMovieSequence::Poll(int TotalFrames, int CurrentFrame, bool Playing) {
    if (!NeedsTimer()) return std::nullopt;
    // The player does not loop a movie here, so a frame before the one seen
    // last time can only come from the movie's own script going back.
    const bool atEnd = TotalFrames - 1 == CurrentFrame;
    const bool wentBack = Playing && lastFrame_ >= 0 && CurrentFrame < lastFrame_;
    stoppedPolls_ = Playing ? 0 : stoppedPolls_ + 1;
    lastFrame_ = CurrentFrame;
    if (!atEnd && !wentBack && stoppedPolls_ < StoppedHoldPolls) return std::nullopt;
    current_ = NextIndex();
    lastFrame_ = -1;
    stoppedPolls_ = 0;
    return current_;
}

int TMovieSequence::NextIndex() {
    const int inOrder = current_ + 1 < count_ ? current_ + 1 : 0;
    if (!randomPlay_) return inOrder;
    if (count_ < 2) return 0;
    for (int i = 0; i < kMaxDraws; ++i) {
        const int drawn = draw_ ? draw_(count_) : inOrder;
        if (drawn >= 0 && drawn < count_ && drawn != current_) return drawn;
    }
    return inOrder;
}

TMovieSequence::TDraw ClockSeededDraw() {
    return [seeded = false](int Range) mutable {
        if (!seeded) {
            Randomize();
            seeded = true;
        }
        return Random(Range);
    };
}
