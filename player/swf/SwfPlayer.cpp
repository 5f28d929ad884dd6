#include "SwfPlayer.h"

void TSwfPlayer::LoadFromFile(const std::string& Path) { Take(TSwfMovie::FromFile(Path)); }

void TSwfPlayer::LoadFromBytes(std::span<const uint8_t> Data) { Take(TSwfMovie::FromBytes(Data)); }

void TSwfPlayer::Take(std::unique_ptr<TSwfMovie> Movie) {
    scene_.reset();
    movie_ = std::move(Movie);
    scene_ = std::make_unique<TSwfScene>(*movie_);
    imageFrame_ = -1;
    timeline_.Start(movie_->TotalFrames(), movie_->PlaybackRate());
}

void TSwfPlayer::Unload() {
    scene_.reset();
    movie_.reset();
    image_ = {};
    imageFrame_ = -1;
    timeline_.Clear();
}

bool TSwfPlayer::Update() {
    int before = timeline_.CurrentFrame();
    timeline_.Update();
    return timeline_.CurrentFrame() != before;
}

const TSwfFrameImage& TSwfPlayer::Image() {
    if (!scene_) return image_;
    int frame = timeline_.CurrentFrame();
    // A loop back to the start rebuilds the display list, as a freshly
    // started movie has it.
    if (frame != imageFrame_) {
        scene_->GotoFrame(frame);
        scene_->Compose(image_);
        imageFrame_ = frame;
    }
    return image_;
}
