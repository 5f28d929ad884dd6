#include "SwfPlayer.h"

#include "SwfActions.h"

#include <optional>

void TSwfPlayer::LoadFromFile(const std::string& Path) { Take(TSwfMovie::FromFile(Path)); }

void TSwfPlayer::LoadFromBytes(std::span<const uint8_t> Data) { Take(TSwfMovie::FromBytes(Data)); }

void TSwfPlayer::Take(std::unique_ptr<TSwfMovie> Movie) {
    scene_.reset();
    movie_ = std::move(Movie);
    scene_ = std::make_unique<TSwfScene>(*movie_);
    sound_.SetSounds(&movie_->Sounds, &movie_->Stream);
    imageFrame_ = -1;
    timeline_.Start(movie_->TotalFrames(), movie_->PlaybackRate());
    jumps_ = 0;
    Enter(0);
}

void TSwfPlayer::Unload() {
    sound_.SetSounds(nullptr, nullptr);
    scene_.reset();
    movie_.reset();
    image_ = {};
    imageFrame_ = -1;
    timeline_.Clear();
}

void TSwfPlayer::Play() {
    const int before = timeline_.CurrentFrame();
    const bool wasPlaying = timeline_.Playing();
    timeline_.Play();
    if (scene_ && !wasPlaying && before != 0 && timeline_.CurrentFrame() == 0) {
        jumps_ = 0;
        Enter(0);
    }
}

bool TSwfPlayer::NeedsTicks() const {
    return timeline_.Playing() || (scene_ && scene_->ClipsPlaying());
}

double TSwfPlayer::MsUntilNextTick() const { return timeline_.MsUntilNextTick(); }

bool TSwfPlayer::Update() {
    if (!scene_ || !NeedsTicks()) return false;
    int due = timeline_.TakeDueTicks();
    const int total = timeline_.TotalFrames();
    // After a long stall the movie goes on where the clock says, without
    // stepping through every missed round: one round and the rest.
    if (due > total) due = total + due % total;
    bool moved = false;
    for (int i = 0; i < due && NeedsTicks(); ++i) {
        Tick();
        moved = true;
    }
    if (moved) dirty_ = true;
    return moved;
}

// One frame interval: the main timeline moves on by a frame (at its end it
// starts over or stops), or, stopped, only the clips on it do.
void TSwfPlayer::Tick() {
    jumps_ = 0;
    if (!timeline_.Playing()) {
        scene_->StepClips();
        for (const TSwfSoundEvent& e : scene_->TakeSounds()) sound_.Event(e);
        return;
    }
    int next = timeline_.CurrentFrame() + 1;
    if (next >= timeline_.TotalFrames()) {
        if (!timeline_.Loop) {
            // The last frame has had its interval on screen.
            timeline_.Stop();
            return;
        }
        next = 0;
    }
    Enter(next);
}

void TSwfPlayer::Enter(int Frame) {
    timeline_.SetFrame(Frame);
    scene_->GotoFrame(Frame);
    dirty_ = true;
    FrameSounds(Frame);
    RunScripts(Frame);
}

// The frame's own event sounds, then those of the clips' frames entered with
// it, then its block of the stream.
void TSwfPlayer::FrameSounds(int Frame) {
    const TSwfFrameDef& def = movie_->Frames[Frame];
    for (const TSwfSoundEvent& e : def.Sounds) sound_.Event(e);
    for (const TSwfSoundEvent& e : scene_->TakeSounds()) sound_.Event(e);
    sound_.StreamBlock(def.StreamBlock);
}

namespace {

class TMainScriptTarget : public TSwfScriptTarget {
public:
    TMainScriptTarget(const TSwfMovie& Movie, TSwfTimeline& Timeline, int& Jumps, int MaxJumps, std::optional<int>& Next)
        : movie_(Movie), timeline_(Timeline), jumps_(Jumps), maxJumps_(MaxJumps), next_(Next) {}
    int CurrentFrame() const override { return timeline_.CurrentFrame(); }
    int FrameCount() const override { return timeline_.TotalFrames(); }
    int LabelFrame(std::string_view Label) const override { return FindLabel(movie_.Frames, Label); }
    void SetPlaying(bool Playing) override {
        if (Playing)
            timeline_.Resume();
        else
            timeline_.Stop();
    }
    bool Jump(int Frame) override {
        if (++jumps_ > maxJumps_) {
            timeline_.Stop();
            next_.reset();
            return false;
        }
        // The rest of this script still runs; the target's script after it.
        timeline_.SetFrame(Frame);
        next_ = Frame;
        return true;
    }

private:
    const TSwfMovie& movie_;
    TSwfTimeline& timeline_;
    int& jumps_;
    int maxJumps_;
    std::optional<int>& next_;
};

}  // namespace

void TSwfPlayer::RunScripts(int Frame) {
    std::optional<int> next;
    TMainScriptTarget target(*movie_, timeline_, jumps_, MaxJumpsPerFrame, next);
    RunActions(movie_->Frames[Frame].Actions, target);
    while (next) {
        const int to = *next;
        next.reset();
        scene_->GotoFrame(to);
        // Clip frames stepped through on the way sound nothing; the stream
        // goes on from the frame jumped to.
        scene_->TakeSounds();
        sound_.ResetStream();
        FrameSounds(to);
        RunActions(movie_->Frames[to].Actions, target);
    }
}

const TSwfFrameImage& TSwfPlayer::Image() {
    if (!scene_) return image_;
    int frame = timeline_.CurrentFrame();
    // A go-to from outside brings the display list there (without the
    // target's script, as a host's go-to is not a frame being played).
    if (frame != scene_->Frame()) {
        scene_->GotoFrame(frame);
        scene_->TakeSounds();
        dirty_ = true;
    }
    if (frame != imageFrame_ || dirty_) {
        scene_->Compose(image_);
        imageFrame_ = frame;
        dirty_ = false;
    }
    return image_;
}
