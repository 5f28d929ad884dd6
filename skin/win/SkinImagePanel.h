#pragma once
// The skinned picture panel: a flicker-free panel that paints its picture
// unscaled, stretched or tiled, optionally over its parent's background,
// with a one-line caption placed by Alignment. It is also the base of the
// skinned group box.

#include "Panel.h"
#include "Picture.h"

enum class TskDrawStyle : std::uint8_t { skNormal, skStretch, skTile };

class TskCustomPanel : public TCustomPanel {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    TPicture* Picture() { return &picture_; }
    void SetPicture(TPicture* Value) { picture_.Assign(Value); }
    bool Transparent() const { return transparent_; }
    TskDrawStyle DrawStyle() const { return drawStyle_; }
    void SetDrawStyle(TskDrawStyle Value);
    // The panel's own "fit to the picture"; the class library's automatic
    // sizing stays off.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool Value) override;

    virtual void SetTransparent(bool Value);

protected:
    void Init() override;
    void Dispatch(TMessage& Message) override;
    void Resize() override;
    void Paint() override;

    virtual void ClearBackground();
    virtual void CaptionChanged() {}
    virtual void PictureChanged(TObject* Sender);

    // The parent's background when transparent, else Color, over the whole
    // of Canvas (Width x Height).
    void PaintBackground(TCanvas* Canvas);

private:
    void FitToPicture();
    void ApplyTransparency();
    bool HasGraphic() const { return picture_.Graphic() && !picture_.Graphic()->Empty(); }

    TPicture picture_;
    bool transparent_ = false;
    bool autoSize_ = false;
    TskDrawStyle drawStyle_ = TskDrawStyle::skNormal;
};

class TskImagePanel : public TskCustomPanel {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};
