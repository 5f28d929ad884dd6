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
    // has come to its end (CurrentFrame counts from 0). A movie ends at its
    // last frame; one whose frame script loops it never gets there and ends
    // when a poll finds it back at an earlier frame (one round played); one
    // that has stopped itself before its last frame ends after it has stood
    // still for StoppedHoldPolls polls, so its clips and its last picture get
    // their time without holding the screensaver on it for ever.
    std::optional<int> Poll(int TotalFrames, int CurrentFrame, bool Playing = true);

    // About ten seconds at the playback window's 300 ms poll.
    static constexpr int StoppedHoldPolls = 34;

private:
    int NextIndex();

    int count_;
    bool randomPlay_;
    TDraw draw_;
    int current_ = 0;
    int lastFrame_ = -1;     // at the previous poll of this movie
    int stoppedPolls_ = 0;   // polls in a row that found it stopped
};

// The draw used by the program: the library's generator, seeded from the
// clock on the first draw only.
TMovieSequence::TDraw ClockSeededDraw();
