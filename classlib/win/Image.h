#pragma once
// Images: a picture drawn by the parent, at the top left, centred, or
// stretched over the control. Transparent draws a bitmap with its
// transparent colour left out. AutoSize takes the picture's size.

#include "GraphicControl.h"
#include "Picture.h"

class TImage : public TGraphicControl {
public:
    TImage();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    TPicture* Picture() { return &picture_; }
    void SetPicture(TPicture* Value) { picture_.Assign(Value); }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool Value);
    bool Center() const { return center_; }
    void SetCenter(bool Value);
    bool Proportional() const { return proportional_; }
    void SetProportional(bool Value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool Value);

    // Where the picture goes inside the control.
    TRect DestRect();

protected:
    void Init() override;
    bool CanAutoSize(int& NewWidth, int& NewHeight) override;
    void Paint() override;

private:
    void PictureChanged(TObject* Sender);

    TPicture picture_;
    bool stretch_ = false;
    bool center_ = false;
    bool proportional_ = false;
    bool transparent_ = false;
};
