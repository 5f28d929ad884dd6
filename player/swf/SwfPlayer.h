#pragma once
// Everything a movie player control needs short of a window: the loaded movie,
// its playback state and the picture of the frame on screen.

#include "SwfMovie.h"
#include "SwfScene.h"
#include "SwfTimeline.h"

#include <Object.h>

#include <memory>
#include <span>
#include <string>

class TSwfPlayer : public TObject {
public:
    explicit TSwfPlayer(const TSwfClock& Clock) : timeline_(Clock) {}
    std::string ClassName() const override { return "TSwfPlayer"; }

    // Loads and starts playing from frame 0. A file that is missing or not a
    // movie gives an empty stage of one frame; Movie().Status tells why.
    void LoadFromFile(const std::string& Path);
    void LoadFromBytes(std::span<const uint8_t> Data);
    void Unload();

    bool Loaded() const { return movie_ != nullptr; }
    const TSwfMovie* Movie() const { return movie_.get(); }
    TSwfTimeline& Timeline() { return timeline_; }
    const TSwfTimeline& Timeline() const { return timeline_; }

    // Advances with the clock; returns whether the picture changed.
    bool Update();
    // The picture of the timeline's current frame.
    const TSwfFrameImage& Image();

private:
    std::unique_ptr<TSwfMovie> movie_;
    std::unique_ptr<TSwfScene> scene_;
    TSwfTimeline timeline_;
    TSwfFrameImage image_;
    int imageFrame_ = -1;

    void Take(std::unique_ptr<TSwfMovie> Movie);
};
