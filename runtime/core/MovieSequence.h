#pragma once
// Which movie plays next. One movie loops in the player and needs no timer;
// with more, the window polls the player and moves on once the last frame of
// the current movie is on screen.

#include <functional>
#include <optional>

class TMovieSequence {
public:
    // A uniform draw in 0 .. Range - 1 from a generator seeded once.
    using TDraw = std::function<int(int Range)>;

    TMovieSequence(int Count, bool RandomPlay, TDraw Draw);

    int Count() const { return count_; }
    int CurrentIndex() const { return current_; }
    // The player repeats the movie itself.
    bool Loops() const { return count_ == 1; }
    bool NeedsTimer() const { return count_ >= 2; }

    // One poll of the player; the index now to play when the current movie
    // has reached its last frame (CurrentFrame counts from 0).
    std::optional<int> Poll(int TotalFrames, int CurrentFrame);

private:
    int NextIndex();

    int count_;
    bool randomPlay_;
    TDraw draw_;
    int current_ = 0;
};

// The draw used by the program: the library's generator, seeded from the
// clock on the first draw only.
TMovieSequence::TDraw ClockSeededDraw();
