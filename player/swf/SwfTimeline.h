#pragma once
// Which frame of a movie is on screen, driven by a clock at the movie's frame
// rate. At the last frame playback starts over when Loop is set and otherwise
// stops there, so a caller polling CurrentFrame sees the last frame.

#include <Object.h>

#include <algorithm>
#include <cstdint>

class TSwfClock {
public:
    virtual ~TSwfClock() = default;
    virtual double NowMs() const = 0;
};

// Monotonic wall time.
class TSwfSteadyClock : public TSwfClock {
public:
    double NowMs() const override;
};

class TSwfTimeline : public TObject {
public:
    explicit TSwfTimeline(const TSwfClock& Clock) : clock_(Clock) {}
    std::string ClassName() const override { return "TSwfTimeline"; }

    // A newly loaded movie: frame 0, playing.
    void Start(int TotalFrames, double FramesPerSecond);
    // No movie: one empty frame, stopped.
    void Clear();

    bool Playing() const { return playing_; }
    bool Loop = true;
    int TotalFrames() const { return total_; }
    int CurrentFrame() const { return frame_; }
    double FrameInterval() const { return intervalMs_; }

    // Play after a stop at the end of a movie that does not loop starts it over.
    void Play();
    void Stop();
    // Shows frame Frame (clamped to the movie) and keeps playing or not as before.
    void GotoFrame(int Frame);
    // Advances by the time passed since the last call; returns whether the
    // frame or the playing state changed.
    bool Update();
    // Milliseconds until the next frame is due, for the caller's timer.
    double MsUntilNextFrame() const;

    // For a player that moves frame by frame itself (frame scripts): the
    // number of frame intervals passed since the last call, counted also
    // while stopped (movie clips play on), and the frame it has moved to.
    int TakeDueTicks();
    void SetFrame(int Frame) { frame_ = std::clamp(Frame, 0, total_ - 1); }
    // Plays on from the frame on screen, wherever it is; the script's play.
    void Resume();
    double MsUntilNextTick() const;

private:
    const TSwfClock& clock_;
    bool playing_ = false;
    int total_ = 1;
    int frame_ = 0;
    double intervalMs_ = 1000.0 / 12;
    double frameStart_ = 0;  // when the current frame came on screen
};
