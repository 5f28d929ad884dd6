#pragma once
// The display list of a movie at one frame of its main timeline, with the
// nested timelines of the movie clips on it, and the flat list of drawable
// items that frame shows. Any renderer draws the items in order.

#include "SwfMovie.h"

#include <Object.h>

#include <map>
#include <memory>
#include <utility>
#include <vector>

struct TSwfDrawItem {
    // Paint draws the item. Masks come as MaskStart, the mask's areas as Mask
    // items (their union is the mask), MaskEnd (what follows is clipped to the
    // mask, within any mask already in force) and, after the masked items,
    // MaskPop, which gives back the clip in force before MaskStart.
    enum TRole : uint8_t { Paint, MaskStart, Mask, MaskEnd, MaskPop };
    TRole Role = Paint;
    bool IsLine = false;
    TSwfRgba Color;              // colour transforms already applied
    // Gradient stops come with the colour transform applied and the matrix
    // in stage twips; a bitmap's pixels take BitmapTransform when drawn.
    TSwfFill Fill;
    const TSwfBitmap* Bitmap = nullptr;
    TSwfColorTransform BitmapTransform;
    double LineWidth = 0;        // twips on the stage; 0 is a hairline
    TSwfLineStyle Line;
    std::vector<TSwfPathSegment> Segments;  // stage twips

    // A text field in a font of the platform: its UTF-8 text set in TextBox
    // (text twips, mapped to the stage by TextMatrix) in Color.
    bool IsDeviceText = false;
    std::string Text, FontName;
    double FontHeight = 0;      // text twips per EM
    bool Bold = false, Italic = false, WordWrap = false;
    TSwfEditText::TAlign Align = TSwfEditText::Left;
    TSwfRect TextBox;
    TSwfMatrix TextMatrix;
};

struct TSwfFrameImage {
    TSwfRect Stage;
    TSwfRgba Background;
    std::vector<TSwfDrawItem> Items;
};

class TSwfScene : public TObject {
public:
    explicit TSwfScene(const TSwfMovie& Movie);
    ~TSwfScene() override;
    std::string ClassName() const override { return "TSwfScene"; }

    // Brings the main timeline to frame Frame (clamped to the movie). Going
    // forward steps through the frames between, so movie clips advance with
    // the movie; going back rebuilds from the first frame.
    void GotoFrame(int Frame);
    int Frame() const { return frame_; }
    // Moves the movie clips on by one frame, the main timeline staying where
    // it is (it has been stopped); ClipsPlaying tells whether any would move.
    void StepClips();
    bool ClipsPlaying() const;
    // Event sounds the movie clips' frames started or stopped since the last call.
    std::vector<TSwfSoundEvent> TakeSounds() { return std::exchange(sounds_, {}); }

    // Fills Image with what the current frame shows.
    void Compose(TSwfFrameImage& Image) const;

    // Bounds on what a hostile file can make the scene hold or draw.
    static constexpr int MaxNesting = 16;
    static constexpr size_t MaxInstances = 20000;
    static constexpr size_t MaxSegmentsPerFrame = 2000000;
    // Go-tos the clips' scripts may make while one frame is entered; past it
    // the clip jumping stops where it is.
    static constexpr int MaxJumpsPerFrame = 64;

    struct TTimelineState;

private:
    const TSwfMovie& movie_;
    std::unique_ptr<TTimelineState> root_;
    size_t instances_ = 0;
    int frame_ = -1;
    int jumps_ = 0;
    std::vector<TSwfSoundEvent> sounds_;

    void Reset();
    void Step(TTimelineState& T);
    void ApplyFrame(TTimelineState& T, int Frame, bool RunScript = true);
    void RunClipScript(TTimelineState& T, int Frame);
    bool JumpClip(TTimelineState& T, int To);
};
