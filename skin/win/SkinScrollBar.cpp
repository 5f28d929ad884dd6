#include "SkinScrollBar.h"

#include "SkinPublic.h"
#include "SkinThemes.h"
#include "SliderGeometry.h"
#include "ThemeKeys.h"

#include <windows.h>

#include <algorithm>

namespace {

constexpr int kArrowRepeat = 100;
constexpr int kSmallChangeLimit = 32767;

}  // namespace

const TClassInfo& TskScrollBar::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskScrollBar, TCustomPanel>("TskScrollBar", [](auto& c) {
        c.template Reference<TskFileTheme>("FileTheme", &TskScrollBar::FileTheme, &TskScrollBar::SetFileTheme);
        c.Int("LineButton", &TskScrollBar::LineButton, &TskScrollBar::SetLineButton);
        c.template Enum<TskProgressBarOrientation>("Orientation", &TskScrollBar::Orientation,
                                                   &TskScrollBar::SetOrientation, {"skHorizontal", "skVertical"});
        c.template Enum<TskUIStyle>("UIStyle", &TskScrollBar::UIStyle, &TskScrollBar::SetUIStyle, UIStyleNames());
        c.Int("Max", &TskScrollBar::Max, &TskScrollBar::SetMax);
        c.Int("Min", &TskScrollBar::Min, &TskScrollBar::SetMin);
        c.Int("Position", &TskScrollBar::Position, &TskScrollBar::SetPosition);
        c.Int("SmallChange", &TskScrollBar::SmallChange, &TskScrollBar::SetSmallChange);
        c.Int("LargeChange", &TskScrollBar::LargeChange, &TskScrollBar::SetLargeChange);
        c.Int("PageSize", &TskScrollBar::PageSize, &TskScrollBar::SetPageSize);
        c.template EventAt<TNotifyEvent>("OnChange", [](TskScrollBar* b) -> TNotifyEvent& { return b->Track()->OnChange; });
    });
    return info;
}

void TskScrollBar::Init() {
    TCustomPanel::Init();
    ControlStyle.Exclude(csAcceptsControls);
    track_ = Create<TskScrollTrackBar>(this);
    track_->SetParent(this);
    track_->SetShowTick(false);
    track_->SetTabStop(false);
    track_->SetTransparent(false);
    track_->SetMax(100);
    forward_ = Create<TskImageButton>(this);
    forward_->SetParent(this);
    forward_->OnMouseContinuouslyDown = TNotifyEvent::Bind<&TskScrollBar::StepForward>(this);
    forward_->MouseContinuouslyDownInterval = kArrowRepeat;
    forward_->SetTabStop(false);
    back_ = Create<TskImageButton>(this);
    back_->SetParent(this);
    back_->OnMouseContinuouslyDown = TNotifyEvent::Bind<&TskScrollBar::StepBack>(this);
    back_->MouseContinuouslyDownInterval = kArrowRepeat;
    back_->SetTabStop(false);
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    smallChange_ = 1;
    lineButton_ = 0;
    SetHeight(185);
    SetUIStyle(GetOwnerFormUIStyle(Owner()));
    PlaceParts();
}

void TskScrollBar::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomPanel::Notification(AComponent, Operation);
    if (Operation != opRemove || !AComponent) return;
    if (FileThemeRemoved(fileTheme_, AComponent, Operation)) SetUIStyle(TskUIStyle::DeepBlue);
    if (AComponent == track_) track_ = nullptr;
    if (AComponent == forward_) forward_ = nullptr;
    if (AComponent == back_) back_ = nullptr;
}

void TskScrollBar::SetUIStyle(TskUIStyle Value) {
    uiStyle_ = Value;
    if (!Ready()) return;
    track_->SetColor(Color());
    UpdateThemeImages();
    PlaceParts();
}

void TskScrollBar::SetFileTheme(TskFileTheme* Value) {
    LinkFileTheme(this, fileTheme_, Value);
    SetUIStyle(uiStyle_);
}

void TskScrollBar::SetOrientation(TskProgressBarOrientation Value) {
    if (Value == orientation_) return;
    orientation_ = Value;
    UpdateThemeImages();
    PlaceParts();
}

void TskScrollBar::SetLineButton(int Value) {
    if (Value == lineButton_ || !Ready()) return;
    const int room = orientation_ == skVertical ? Height() - back_->Height() - forward_->Height()
                                                : Width() - back_->Width() - forward_->Width();
    if (Value > room) return;
    lineButton_ = Value;
    BuildSlider();
}

void TskScrollBar::SetPosition(int Value) {
    if (Value != track_->Position()) track_->SetPosition(Value);
}

void TskScrollBar::SetSmallChange(int Value) { smallChange_ = std::clamp(Value, 1, kSmallChangeLimit); }

void TskScrollBar::SetPageSize(int Value) {
    track_->SetPageSize(Value);
    BuildSlider();
}

void TskScrollBar::StepBack(TObject*) {
    if (track_) track_->SetPosition(track_->Position() - smallChange_);
}

void TskScrollBar::StepForward(TObject*) {
    if (track_) track_->SetPosition(track_->Position() + smallChange_);
}

void TskScrollBar::SetSliderVisible(bool Value) {
    if (track_ && track_->GetSliderVisible() != Value) track_->SetSliderVisible(Value);
}

void TskScrollBar::UpdateThemeImages() {
    if (!Ready()) return;
    TPicture none;
    track_->SetBarImage(&none);
    const TskResolvedTheme theme(fileTheme_, uiStyle_);
    SetColor(static_cast<TColor>(theme.Color(TskThemeKey::ScrollBarBackgroundColor)));
    theme.Bitmap(TskThemeKey::ScrollBarSliderImage, &sliderHead_, 3, 1);
    theme.Bitmap(TskThemeKey::ScrollBarSliderImage, &sliderMiddle_, 3, 2);
    theme.Bitmap(TskThemeKey::ScrollBarSliderImage, &sliderTail_, 3, 3);
    // The art draws arrows for a vertical bar and the thumb for a horizontal one.
    for (int k = 1; k <= 6; ++k) {
        TBitmap arrow;
        theme.Bitmap(TskThemeKey::ScrollBarButtonImage, &arrow, 6, k);
        if (orientation_ == skHorizontal) RotateBitmapCCW(&arrow);
        TPicture picture;
        picture.Assign(&arrow);
        switch (k) {
            case 1: back_->SetPicNormal(&picture); break;
            case 2: back_->SetPicMouseOn(&picture); break;
            case 3: back_->SetPicMouseDown(&picture); break;
            case 4: forward_->SetPicNormal(&picture); break;
            case 5: forward_->SetPicMouseOn(&picture); break;
            default: forward_->SetPicMouseDown(&picture); break;
        }
    }
    if (orientation_ == skVertical) {
        RotateBitmapCW(&sliderHead_);
        RotateBitmapCW(&sliderMiddle_);
        RotateBitmapCW(&sliderTail_);
    }
    back_->SetAutoSize(true);
    forward_->SetAutoSize(true);
    Repaint();
}

void TskScrollBar::PlaceParts() {
    if (!Ready()) return;
    track_->SetOrientation(orientation_);
    if (Height() == 0 || Width() == 0) {
        SetVisible(false);
        return;
    }
    const int none = 0;
    back_->SetBounds(0, 0, back_->Width(), back_->Height());
    if (orientation_ == skVertical) {
        track_->SetTop(back_->Height());
        // One pixel short of the room between the buttons.
        track_->SetHeight(std::max(none, Height() - forward_->Height() - back_->Height() - 1));
        track_->SetLeft(0);
        forward_->SetTop(Height() - forward_->Height());
        forward_->SetLeft(0);
        SetWidth(back_->Width());
    } else {
        track_->SetLeft(back_->Width());
        track_->SetWidth(std::max(none, Width() - forward_->Width() - back_->Width()));
        track_->SetTop(0);
        forward_->SetLeft(Width() - forward_->Width());
        forward_->SetTop(0);
        SetHeight(back_->Height());
    }
    BuildSlider();
}

void TskScrollBar::BuildSlider() {
    if (!Ready()) return;
    const bool vertical = orientation_ == skVertical;
    if (lineButton_ > 0 && lineButton_ < 18) lineButton_ = 18;
    const int trackLength = vertical ? track_->Height() : track_->Width();
    const int length = trackLength > 0 || lineButton_ > 0 ? ThumbLength(trackLength, track_->PageSize(), lineButton_) : 0;
    TBitmap thumb;
    if (vertical)
        thumb.SetSize(sliderHead_.Width(), length);
    else
        thumb.SetSize(length, sliderHead_.Height());
    TCanvas* canvas = thumb.Canvas();
    canvas->Draw(0, 0, &sliderHead_);
    TRect middle = vertical ? TRect{0, sliderHead_.Height(), thumb.Width(), thumb.Height() - sliderTail_.Height()}
                            : TRect{sliderHead_.Width(), 0, thumb.Width() - sliderTail_.Width(), thumb.Height()};
    if (vertical)
        canvas->Draw(0, middle.Bottom, &sliderTail_);
    else
        canvas->Draw(middle.Right, 0, &sliderTail_);
    if (!middle.IsEmpty()) canvas->StretchDraw(middle, &sliderMiddle_);
    track_->SliderImage()->Assign(&thumb);
    track_->FitSlider();
    track_->UpdateSlider();
}

void TskScrollBar::Resize() {
    TCustomPanel::Resize();
    PlaceParts();
}

void TskScrollBar::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_ERASEBKGND: Message.Result = 1; return;
        case WM_SIZE:
            TCustomPanel::Dispatch(Message);
            PlaceParts();
            return;
        case CM_COLORCHANGED:
            // The track always shows the bar's background colour.
            if (track_) track_->SetColor(Color());
            return;
        case CM_VISIBLECHANGED:
            TCustomPanel::Dispatch(Message);
            if (track_) track_->SetVisible(Visible());
            if (back_) back_->SetVisible(Visible());
            if (forward_) forward_->SetVisible(Visible());
            return;
        default: TCustomPanel::Dispatch(Message);
    }
}
