#include "SwfTimeline.h"

#include <algorithm>
#include <chrono>
#include <cmath>

double TSwfSteadyClock::NowMs() const {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

void TSwfTimeline::Start(int TotalFrames, double FramesPerSecond) {
    total_ = std::max(1, TotalFrames);
    intervalMs_ = 1000.0 / std::clamp(FramesPerSecond, 1.0, 120.0);
    frame_ = 0;
    playing_ = true;
    frameStart_ = clock_.NowMs();
}

void TSwfTimeline::Clear() {
    total_ = 1;
    frame_ = 0;
    playing_ = false;
}

void TSwfTimeline::Play() {
    if (playing_) return;
    if (!Loop && frame_ == total_ - 1 && total_ > 1) frame_ = 0;
    playing_ = true;
    frameStart_ = clock_.NowMs();
}

void TSwfTimeline::Stop() { playing_ = false; }

void TSwfTimeline::GotoFrame(int Frame) {
    frame_ = std::clamp(Frame, 0, total_ - 1);
    frameStart_ = clock_.NowMs();
}

bool TSwfTimeline::Update() {
    if (!playing_) return false;
    double now = clock_.NowMs();
    double steps = std::floor((now - frameStart_) / intervalMs_);
    if (!(steps >= 1)) return false;
    int last = total_ - 1;
    if (Loop) {
        // After a long stall the movie goes on where the clock says, without
        // stepping through every missed round.
        frame_ = static_cast<int>(std::fmod(frame_ + steps, double(total_)));
    } else if (frame_ + steps > last) {
        // The last frame stays up for its own interval before playback stops.
        frame_ = last;
        playing_ = false;
        return true;
    } else {
        frame_ += static_cast<int>(steps);
    }
    frameStart_ += steps * intervalMs_;
    return true;
}

double TSwfTimeline::MsUntilNextFrame() const {
    if (!playing_) return intervalMs_;
    return std::max(0.0, frameStart_ + intervalMs_ - clock_.NowMs());
}

int TSwfTimeline::TakeDueTicks() {
    double steps = std::floor((clock_.NowMs() - frameStart_) / intervalMs_);
    if (!(steps >= 1)) return 0;
    frameStart_ += steps * intervalMs_;
    return static_cast<int>(std::min(steps, 1e9));
}

void TSwfTimeline::Resume() {
    if (playing_) return;
    playing_ = true;
    frameStart_ = clock_.NowMs();
}

double TSwfTimeline::MsUntilNextTick() const {
    return std::max(0.0, frameStart_ + intervalMs_ - clock_.NowMs());
}
