#pragma once
// Everything a movie player control needs short of a window: the loaded movie,
// its playback state and the picture of the frame on screen.
//
// Frames are entered one at a time: each frame's display-list changes, then
// its script (stop, play, go-tos), so a movie that stops itself reports
// Playing false and one that loops by script never reaches its last frame.
// A script's go-to shows the target frame and runs the target's script in
// turn; past MaxJumpsPerFrame go-tos while one frame is entered the movie is
// stopped where it is, so scripts jumping in a circle cannot hang playback.

#include "SwfMovie.h"
#include "SwfScene.h"
#include "SwfSoundMixer.h"
#include "SwfTimeline.h"

#include <Object.h>

#include <memory>
#include <span>
#include <string>

class TSwfPlayer : public TObject {
public:
    explicit TSwfPlayer(const TSwfClock& Clock) : timeline_(Clock) {}
    std::string ClassName() const override { return "TSwfPlayer"; }

    // Loads and starts playing from frame 0, whose script runs at once. A file
    // that is missing or not a movie gives an empty stage of one frame;
    // Movie().Status tells why.
    void LoadFromFile(const std::string& Path);
    void LoadFromBytes(std::span<const uint8_t> Data);
    void Unload();

    bool Loaded() const { return movie_ != nullptr; }
    const TSwfMovie* Movie() const { return movie_.get(); }
    TSwfTimeline& Timeline() { return timeline_; }
    const TSwfTimeline& Timeline() const { return timeline_; }

    // The timeline's Play; a movie started over from its end enters frame 0
    // as playback does, its script and sounds included.
    void Play();
    // Advances with the clock; returns whether the picture changed.
    bool Update();
    // Whether anything moves: the main timeline plays, or movie clips on a
    // stopped one do. A caller's timer can rest while nothing does.
    bool NeedsTicks() const;
    double MsUntilNextTick() const;
    // The movie's sound as its frames start it; the caller pulls the mix.
    TSwfSoundMixer& Sound() { return sound_; }
    // A host's stop or go-to: the sound stops, or the stream starts over.
    void StopSound() { sound_.StopAll(); }
    void ResetStream() { sound_.ResetStream(); }
    // The picture of the timeline's current frame.
    const TSwfFrameImage& Image();

    static constexpr int MaxJumpsPerFrame = 64;

private:
    std::unique_ptr<TSwfMovie> movie_;
    std::unique_ptr<TSwfScene> scene_;
    TSwfTimeline timeline_;
    TSwfSoundMixer sound_;
    TSwfFrameImage image_;
    int imageFrame_ = -1;
    bool dirty_ = true;
    int jumps_ = 0;

    void Take(std::unique_ptr<TSwfMovie> Movie);
    void Tick();
    void Enter(int Frame);
    void RunScripts(int Frame);
    void FrameSounds(int Frame);
};
