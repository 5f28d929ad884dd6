// Any bytes given as a movie: reading, playing through the frames and
// composing each picture must stay within the data and within bounds.
#include "SwfMovie.h"
#include "SwfPlayer.h"
#include "SwfPaint.h"
#include "SwfScene.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    auto movie = TSwfMovie::FromBytes({Data, Size});
    if (movie->TotalFrames() < 1) std::abort();
    TSwfScene scene(*movie);
    TSwfFrameImage image;
    int frames = movie->TotalFrames() < 64 ? movie->TotalFrames() : 64;
    uint32_t pixels[16 * 16];
    for (int f = 0; f < frames; ++f) {
        scene.GotoFrame(f);
        scene.Compose(image);
        // Gradient and picture colours at a twentieth of the stage's scale.
        for (const TSwfDrawItem& item : image.Items) {
            if (item.Role != TSwfDrawItem::Paint || item.Fill.Kind == TSwfFill::Solid) continue;
            const TSwfImage* picture = item.Bitmap ? item.Bitmap->Pixels(nullptr) : nullptr;
            PaintFill(item.Fill, picture, item.BitmapTransform, Concat(TSwfMatrix::Scale(0.05, 0.05), item.Fill.Matrix),
                      -4, -4, 16, 16, pixels);
        }
    }
    // Back to the start, as a looping movie does.
    scene.GotoFrame(0);
    scene.Compose(image);

    // Played as the control plays it: frame scripts jump, stop and play.
    struct TStepClock : TSwfClock {
        double now = 0;
        double NowMs() const override { return now; }
    } clock;
    TSwfPlayer player(clock);
    player.LoadFromBytes({Data, Size});
    for (int i = 0; i < 64 && player.NeedsTicks(); ++i) {
        clock.now += 1000;
        player.Update();
        player.Image();
        int16_t mix[2 * 512];
        player.Sound().Mix(mix);
    }
    // Every sound decoded whole, as the mixer would on its start.
    for (const auto& [id, sound] : movie->Sounds) {
        TSwfPcm pcm;
        DecodeSound(sound.Format, sound.Data, sound.SampleCount, pcm);
    }
    return 0;
}
