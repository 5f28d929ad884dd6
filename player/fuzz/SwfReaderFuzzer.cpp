// Any bytes given as a movie: reading, playing through the frames and
// composing each picture must stay within the data and within bounds.
#include "SwfMovie.h"
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
    for (int f = 0; f < frames; ++f) {
        scene.GotoFrame(f);
        scene.Compose(image);
    }
    // Back to the start, as a looping movie does.
    scene.GotoFrame(0);
    scene.Compose(image);
    return 0;
}
