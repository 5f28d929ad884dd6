#include "SwfScene.h"

#include <algorithm>
#include <functional>
#include <utility>

// One object on a display list. A movie clip brings its own timeline.
struct TSwfSceneInstance {
    uint16_t CharacterId = 0;
    TSwfMatrix Matrix;
    TSwfColorTransform ColorTransform;
    uint16_t ClipDepth = 0;
    uint16_t Ratio = 0;
    std::unique_ptr<TSwfScene::TTimelineState> Clip;
};

struct TSwfScene::TTimelineState {
    const std::vector<TSwfFrameDef>* Frames = nullptr;
    int Frame = -1;
    bool Playing = true;        // a movie clip's own scripts stop and start it
    int Nesting = 0;
    std::map<uint16_t, TSwfSceneInstance> Items;

    // Instances held here and below, so a removal gives back its share of the budget.
    size_t Count() const {
        size_t n = Items.size();
        for (const auto& [depth, item] : Items)
            if (item.Clip) n += item.Clip->Count();
        return n;
    }
};

TSwfScene::TSwfScene(const TSwfMovie& Movie) : movie_(Movie) { Reset(); }

TSwfScene::~TSwfScene() = default;

void TSwfScene::Reset() {
    root_ = std::make_unique<TTimelineState>();
    root_->Frames = &movie_.Frames;
    instances_ = 0;
    frame_ = -1;
    jumps_ = 0;
}

void TSwfScene::GotoFrame(int Frame) {
    Frame = std::clamp(Frame, 0, movie_.TotalFrames() - 1);
    if (Frame < frame_) Reset();
    if (frame_ < 0) {
        ApplyFrame(*root_, 0);
        frame_ = 0;
    }
    while (frame_ < Frame) {
        StepClips();
        ApplyFrame(*root_, ++frame_);
    }
}

void TSwfScene::StepClips() {
    jumps_ = 0;
    for (auto& [depth, item] : root_->Items)
        if (item.Clip) Step(*item.Clip);
}

bool TSwfScene::ClipsPlaying() const {
    auto moving = [](auto& self, const TTimelineState& T) -> bool {
        for (const auto& [depth, item] : T.Items)
            if (item.Clip && ((item.Clip->Playing && item.Clip->Frames->size() > 1) || self(self, *item.Clip))) return true;
        return false;
    };
    return moving(moving, *root_);
}

// A movie clip plays on by one frame and starts over after its last; one its
// scripts stopped stays, while the clips on it play on.
void TSwfScene::Step(TTimelineState& T) {
    for (auto& [depth, item] : T.Items)
        if (item.Clip) Step(*item.Clip);
    int count = static_cast<int>(T.Frames->size());
    if (count <= 1 || !T.Playing) return;
    int next = T.Frame + 1;
    if (next >= count) {
        instances_ -= T.Count();
        T.Items.clear();
        next = 0;
    }
    ApplyFrame(T, next);
}

void TSwfScene::ApplyFrame(TTimelineState& T, int Frame, bool RunScript) {
    T.Frame = Frame;
    for (const TSwfPlacement& p : (*T.Frames)[Frame].Changes) {
        auto it = T.Items.find(p.Depth);
        if (p.Kind == TSwfPlacement::Remove) {
            if (it != T.Items.end()) {
                instances_ -= 1 + (it->second.Clip ? it->second.Clip->Count() : 0);
                T.Items.erase(it);
            }
            continue;
        }
        bool exists = it != T.Items.end();
        if (p.Move && !exists) continue;  // nothing there to modify
        if (!p.Move && !p.HasCharacter) continue;
        TSwfSceneInstance* inst;
        if (p.Move) {
            inst = &it->second;
        } else {
            if (exists) {
                instances_ -= 1 + (it->second.Clip ? it->second.Clip->Count() : 0);
                T.Items.erase(it);
            }
            if (instances_ >= MaxInstances) continue;
            inst = &T.Items[p.Depth];
            ++instances_;
        }
        if (p.HasCharacter) {
            // Moving with a new character swaps what is shown but keeps its place.
            bool replace = !p.Move || inst->CharacterId != p.CharacterId;
            inst->CharacterId = p.CharacterId;
            if (replace) {
                if (inst->Clip) instances_ -= inst->Clip->Count();
                inst->Clip.reset();
                const TSwfCharacter* c = movie_.Find(p.CharacterId);
                const bool timeline = c && (c->Kind == TSwfCharacter::Sprite || c->Kind == TSwfCharacter::Button);
                if (timeline && T.Nesting + 1 < MaxNesting) {
                    inst->Clip = std::make_unique<TTimelineState>();
                    inst->Clip->Frames = c->Kind == TSwfCharacter::Sprite ? &c->SpriteDef.Frames : &c->ButtonDef.UpState;
                    inst->Clip->Nesting = T.Nesting + 1;
                    ApplyFrame(*inst->Clip, 0);
                }
            }
        }
        if (p.HasMatrix) inst->Matrix = p.Matrix;
        if (p.HasColorTransform) inst->ColorTransform = p.ColorTransform;
        if (!p.Move || p.ClipDepth) inst->ClipDepth = p.ClipDepth;
        if (!p.Move || p.HasRatio) inst->Ratio = p.Ratio;
    }
    // The main timeline's scripts are the player's to run; a clip's act on the clip.
    if (RunScript && &T != root_.get()) {
        const TSwfFrameDef& def = (*T.Frames)[Frame];
        if (sounds_.size() < 256) sounds_.insert(sounds_.end(), def.Sounds.begin(), def.Sounds.end());
        if (!def.Actions.empty()) RunClipScript(T, Frame);
    }
}

namespace {

class TClipScriptTarget : public TSwfScriptTarget {
public:
    TClipScriptTarget(TSwfScene::TTimelineState& T, std::function<bool(int)> Jump) : t_(T), jump_(std::move(Jump)) {}
    int CurrentFrame() const override;
    int FrameCount() const override;
    int LabelFrame(std::string_view Label) const override;
    void SetPlaying(bool Playing) override;
    bool Jump(int Frame) override { return jump_(Frame); }

private:
    TSwfScene::TTimelineState& t_;
    std::function<bool(int)> jump_;
};

}  // namespace

int TClipScriptTarget::CurrentFrame() const { return t_.Frame; }
int TClipScriptTarget::FrameCount() const { return static_cast<int>(t_.Frames->size()); }
int TClipScriptTarget::LabelFrame(std::string_view Label) const { return FindLabel(*t_.Frames, Label); }
void TClipScriptTarget::SetPlaying(bool Playing) { t_.Playing = Playing; }

void TSwfScene::RunClipScript(TTimelineState& T, int Frame) {
    // The script is held by the movie, not by the timeline, so a jump that
    // rebuilds the clip's display list leaves it in place.
    const std::vector<TSwfAction>& actions = (*T.Frames)[Frame].Actions;
    TClipScriptTarget target(T, [this, &T](int To) { return JumpClip(T, To); });
    RunActions(actions, target);
}

// A clip's go-to: the display list as the target frame has it (built again
// from the first frame when going back), then the target's own script.
bool TSwfScene::JumpClip(TTimelineState& T, int To) {
    if (++jumps_ > MaxJumpsPerFrame) {
        // Scripts that keep jumping without a frame being shown: the clip stops.
        T.Playing = false;
        return false;
    }
    if (To < T.Frame) {
        instances_ -= T.Count();
        T.Items.clear();
        T.Frame = -1;
    }
    while (T.Frame + 1 < To) ApplyFrame(T, T.Frame + 1, false);
    ApplyFrame(T, To, true);
    return true;
}

namespace {

struct TComposer {
    const TSwfMovie& Movie;
    TSwfFrameImage& Image;
    size_t Segments = 0;

    void Timeline(const TSwfScene::TTimelineState& T, const TSwfMatrix& m, const TSwfColorTransform& cx, bool asMask);
    void Character(const TSwfSceneInstance& item, const TSwfMatrix& m, const TSwfColorTransform& cx, bool asMask);
    void Shape(const TSwfShape& s, const TSwfMatrix& m, const TSwfColorTransform& cx, bool asMask,
               const TSwfRgba* color = nullptr);
    void Text(const TSwfText& t, const TSwfMatrix& m, const TSwfColorTransform& cx, bool asMask);
    void EditText(const TSwfEditText& e, const TSwfMatrix& m, const TSwfColorTransform& cx, bool asMask);
    void Glyph(const TSwfFont& f, size_t glyph, double x, double y, double height, const TSwfMatrix& m,
               const TSwfColorTransform& cx, bool asMask, TSwfRgba color);
    void Marker(TSwfDrawItem::TRole role) { Image.Items.emplace_back().Role = role; }
};

// Objects are drawn by depth. A mask layer is not drawn: its areas clip the
// objects above it up to its clip depth, and masks within that reach clip
// within it.
void TComposer::Timeline(const TSwfScene::TTimelineState& T, const TSwfMatrix& m, const TSwfColorTransform& cx,
                         bool asMask) {
    std::vector<uint16_t> open;  // clip depths of the masks in force, innermost last
    for (const auto& [depth, item] : T.Items) {
        while (!open.empty() && depth > open.back()) {
            Marker(TSwfDrawItem::MaskPop);
            open.pop_back();
        }
        TSwfMatrix im = Concat(m, item.Matrix);
        TSwfColorTransform icx = Concat(cx, item.ColorTransform);
        if (item.ClipDepth && !asMask) {
            // A mask reaching no higher than itself masks nothing.
            if (item.ClipDepth <= depth) continue;
            Marker(TSwfDrawItem::MaskStart);
            Character(item, im, icx, true);
            Marker(TSwfDrawItem::MaskEnd);
            open.push_back(item.ClipDepth);
            continue;
        }
        Character(item, im, icx, asMask);
    }
    for (; !open.empty(); open.pop_back()) Marker(TSwfDrawItem::MaskPop);
}

void TComposer::Character(const TSwfSceneInstance& item, const TSwfMatrix& m, const TSwfColorTransform& cx, bool asMask) {
    if (item.Clip) {
        Timeline(*item.Clip, m, cx, asMask);
        return;
    }
    const TSwfCharacter* c = Movie.Find(item.CharacterId);
    if (!c) return;
    if (c->Kind == TSwfCharacter::Shape) {
        Shape(c->ShapeDef, m, cx, asMask);
    } else if (c->Kind == TSwfCharacter::Morph) {
        Shape(MorphAt(c->MorphDef, item.Ratio / 65535.0), m, cx, asMask);
    } else if (c->Kind == TSwfCharacter::Text) {
        Text(c->TextDef, m, cx, asMask);
    } else if (c->Kind == TSwfCharacter::EditText) {
        EditText(c->EditTextDef, m, cx, asMask);
    }
}

void TComposer::Glyph(const TSwfFont& f, size_t glyph, double x, double y, double height, const TSwfMatrix& m,
                      const TSwfColorTransform& cx, bool asMask, TSwfRgba color) {
    if (glyph >= f.Glyphs.size()) return;  // an index past the font draws nothing
    const double k = height / f.EmSquare;
    Shape(f.Glyphs[glyph], Concat(m, TSwfMatrix{k, 0, 0, k, x, y}), cx, asMask, &color);
}

void TComposer::Text(const TSwfText& t, const TSwfMatrix& m, const TSwfColorTransform& cx, bool asMask) {
    const TSwfMatrix tm = Concat(m, t.Matrix);
    for (const TSwfTextRecord& rec : t.Records) {
        const TSwfFont* font = Movie.FindFont(rec.FontId);
        if (!font) continue;  // a record naming no font shows nothing
        double x = rec.X;
        for (const TSwfTextGlyph& g : rec.Glyphs) {
            Glyph(*font, g.Index, x, rec.Y, rec.Height, tm, cx, asMask, rec.Color);
            x += g.Advance;
        }
    }
}

// A text field shows within its bounds: what reaches past them is clipped.
void TComposer::EditText(const TSwfEditText& e, const TSwfMatrix& m, const TSwfColorTransform& cx, bool asMask) {
    if (e.Text.empty() || e.Bounds.IsEmpty()) return;
    const TSwfFont* font = e.HasFont ? Movie.FindFont(e.FontId) : nullptr;
    const bool outlines = font && e.UseOutlines && !font->Glyphs.empty() && !font->Codes.empty();
    std::string text = e.Text;
    if (e.Password) text.assign(DecodeUtf8(e.Text).size(), '*');
    if (!asMask) {
        Marker(TSwfDrawItem::MaskStart);
        TSwfDrawItem& box = Image.Items.emplace_back();
        box.Role = TSwfDrawItem::Mask;
        const TSwfRect& b = e.Bounds;
        box.Segments = {{TSwfPathSegment::Move, {}, m.Apply({double(b.XMin), double(b.YMin)})},
                        {TSwfPathSegment::Line, {}, m.Apply({double(b.XMax), double(b.YMin)})},
                        {TSwfPathSegment::Line, {}, m.Apply({double(b.XMax), double(b.YMax)})},
                        {TSwfPathSegment::Line, {}, m.Apply({double(b.XMin), double(b.YMax)})},
                        {TSwfPathSegment::Line, {}, m.Apply({double(b.XMin), double(b.YMin)})}};
        Marker(TSwfDrawItem::MaskEnd);
    }
    if (outlines) {
        TSwfEditText shown = e;
        shown.Text = text;
        for (const TSwfPlacedGlyph& g : LayOutEditText(shown, *font))
            Glyph(*font, size_t(g.Glyph), g.X, g.Y, e.Height, m, cx, asMask, e.Color);
    } else if (!asMask) {
        TSwfDrawItem d;
        d.IsDeviceText = true;
        d.Color = cx.Apply(e.Color);
        d.Fill.Color = d.Color;
        d.Text = text;
        d.FontName = DeviceFontName(font ? font->Name : "_sans");
        d.Bold = font && font->Bold;
        d.Italic = font && font->Italic;
        d.FontHeight = e.Height;
        d.WordWrap = e.WordWrap && e.Multiline;
        d.Align = e.Align;
        d.TextBox = {int32_t(e.Bounds.XMin + TextGutter + e.LeftMargin), int32_t(e.Bounds.XMax - TextGutter - e.RightMargin),
                     int32_t(e.Bounds.YMin + TextGutter), int32_t(e.Bounds.YMax)};
        d.TextMatrix = m;
        if (d.Color.A) Image.Items.push_back(std::move(d));
    }
    if (!asMask) Marker(TSwfDrawItem::MaskPop);
}

void TComposer::Shape(const TSwfShape& s, const TSwfMatrix& m, const TSwfColorTransform& cx, bool asMask,
                      const TSwfRgba* color) {
    for (const TSwfShapePath& p : s.Paths) {
        if (Segments + p.Segments.size() > TSwfScene::MaxSegmentsPerFrame) return;
        // A mask is made of areas; its colours and lines do not count.
        if (asMask && p.IsLine) continue;
        TSwfDrawItem d;
        d.Role = asMask ? TSwfDrawItem::Mask : TSwfDrawItem::Paint;
        d.IsLine = p.IsLine;
        d.Color = cx.Apply(color ? *color : p.Color);
        d.Fill = p.Fill;
        if (color) d.Fill.Kind = TSwfFill::Solid;
        d.Fill.Color = d.Color;
        d.Line = p.Line;
        if (!asMask) {
            if (p.Fill.IsGradient()) {
                d.Fill.Matrix = Concat(m, p.Fill.Matrix);
                bool visible = false;
                for (TSwfGradientStop& stop : d.Fill.Stops) {
                    stop.Color = cx.Apply(stop.Color);
                    visible |= stop.Color.A != 0;
                }
                if (!visible) continue;
            } else if (p.Fill.Kind == TSwfFill::Bitmap) {
                d.Fill.Matrix = Concat(m, p.Fill.Matrix);
                d.Bitmap = Movie.FindBitmap(p.Fill.BitmapId);
                d.BitmapTransform = cx;
                // A fill naming no picture is drawn as nothing.
                if (!d.Bitmap) continue;
            } else if (d.Color.A == 0) {
                continue;
            }
        }
        Segments += p.Segments.size();
        d.LineWidth = p.LineWidth * m.LengthScale();
        d.Segments.reserve(p.Segments.size());
        for (const TSwfPathSegment& seg : p.Segments)
            d.Segments.push_back({seg.Kind, seg.Kind == TSwfPathSegment::Curve ? m.Apply(seg.Control) : TSwfPoint{}, m.Apply(seg.To)});
        Image.Items.push_back(std::move(d));
    }
}

}  // namespace

void TSwfScene::Compose(TSwfFrameImage& Image) const {
    Image.Stage = movie_.Stage();
    Image.Background = movie_.Background;
    Image.Items.clear();
    TComposer c{movie_, Image};
    c.Timeline(*root_, TSwfMatrix{}, TSwfColorTransform{}, false);
}
