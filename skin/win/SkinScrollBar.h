#pragma once
// The skinned scroll bar: a back and a forward arrow button around a scroll
// track whose slider is the thumb. It keeps no range of its own: Min, Max,
// Position, the page size and OnChange live in the track and are forwarded.
// The memo and the list view attach such bars and keep them in step with
// their native ones, copying the native thumb's length into LineButton.

#include "FileTheme.h"
#include "Panel.h"
#include "SkinButtons.h"
#include "SkinTrackBar.h"
#include "UIStyle.h"

class TskScrollBar : public TCustomPanel {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    TskFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TskFileTheme* Value);
    TskUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TskUIStyle Value);
    TskProgressBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TskProgressBarOrientation Value);
    // The thumb's length in pixels; 0 sizes it from the page size.
    int LineButton() const { return lineButton_; }
    void SetLineButton(int Value);

    int Max() const { return track_->Max(); }
    void SetMax(int Value) { track_->SetMax(Value); }
    int Min() const { return track_->Min(); }
    void SetMin(int Value) { track_->SetMin(Value); }
    int Position() const { return track_->Position(); }
    void SetPosition(int Value);
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int Value);
    // The low 16 bits of the track's page size; writing it leaves the thumb.
    int LargeChange() const { return track_->PageSize() & 0xFFFF; }
    void SetLargeChange(int Value) { track_->SetPageSize(Value); }
    int PageSize() const { return track_->PageSize(); }
    void SetPageSize(int Value);
    // The track's event: its sender is the track.
    const TNotifyEvent& OnChange() const { return track_->OnChange; }
    void SetOnChange(const TNotifyEvent& Value) { track_->OnChange = Value; }

    // The last position change the track reported (valid inside OnChange).
    int LastScrollDelta() const { return track_->LastChange(); }
    void StepBack(TObject* Sender = nullptr);
    void StepForward(TObject* Sender = nullptr);
    void SetSliderVisible(bool Value);

    TskScrollTrackBar* Track() const { return track_; }
    TskImageButton* BackButton() const { return back_; }
    TskImageButton* ForwardButton() const { return forward_; }

    void UpdateThemeImages();
    void PlaceParts();
    void BuildSlider();

protected:
    void Init() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    void Resize() override;

private:
    bool Ready() const { return track_ && back_ && forward_; }

    TskScrollTrackBar* track_ = nullptr;
    TskImageButton* forward_ = nullptr;
    TskImageButton* back_ = nullptr;
    TBitmap sliderHead_, sliderMiddle_, sliderTail_;
    TskUIStyle uiStyle_ = TskUIStyle::DeepBlue;
    TskFileTheme* fileTheme_ = nullptr;
    TskProgressBarOrientation orientation_ = skHorizontal;
    int smallChange_ = 1;
    int lineButton_ = 0;
};
