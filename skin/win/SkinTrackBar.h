#pragma once
// The skinned track bar: a bar picture across the control, a slider picture
// panel whose place shows Position between Min and Max, tick marks, paging by
// a held press beside the slider, dragging the slider, and the keyboard.
// TskScrollTrackBar is the same control inside the skinned scroll bar: it
// loads no theme pictures and its slider is the scroll bar's thumb.

#include "Bitmap.h"
#include "Component.h"
#include "FileTheme.h"
#include "Panel.h"
#include "Picture.h"
#include "SkinImagePanel.h"
#include "Timer.h"
#include "UIStyle.h"


enum TskProgressBarOrientation : std::uint8_t { skHorizontal, skVertical };

class TskTrackBar : public TCustomPanel {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
    ~TskTrackBar() override;

    TskProgressBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TskProgressBarOrientation Value);
    TskFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TskFileTheme* Value);
    TskUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TskUIStyle Value);
    TPicture* BarImage() { return &barImage_; }
    void SetBarImage(TPicture* Value);
    TPicture* SliderImage() { return slider_->Picture(); }
    virtual void SetSliderImage(TPicture* Value);

    int Max() const { return max_; }
    void SetMax(int Value);
    int Min() const { return min_; }
    void SetMin(int Value);
    int Position() const { return position_; }
    void SetPosition(int Value);
    int PageSize() const { return pageSize_; }
    void SetPageSize(int Value);
    int LineSize() const { return lineSize_; }
    void SetLineSize(int Value);
    bool ShowTick() const { return showTick_; }
    void SetShowTick(bool Value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool Value);
    int Frequency() const { return frequency_; }
    void SetFrequency(int Value);

    // Fired when Position differs from the position last reported; LastChange
    // holds the difference while it runs and after.
    TNotifyEvent OnChange;
    int LastChange() const { return lastChange_; }

    // The slider's top-left corner for the current Position.
    TPoint GetSliderPos() const;
    // The position whose slider centre lies under the point (not clamped).
    int PositionFromPoint(int X, int Y) const;
    TskImagePanel* Slider() const { return slider_; }
    bool Dragging() const { return dragging_; }
    bool Paging() const { return static_cast<bool>(pagingTimer_); }

    virtual void UpdateThemeImages();
    void UpdateSlider();
    void Reload();

protected:
    void Init() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    void Paint() override;
    void Resize() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;

    virtual bool KeepImages() { return false; }
    virtual bool SliderTransparent() { return orientation_ == skHorizontal; }

private:
    void SliderMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void SliderMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void PagingTimerTick(TObject* Sender);
    // One paging step of Steps page sizes towards the point, never past it.
    void PageTowards(TPoint Point, int Steps);
    void Notify();
    bool Horizontal() const { return orientation_ == skHorizontal; }

    TPicture barImage_;
    TOwned<TTimer> pagingTimer_;
    TskImagePanel* slider_ = nullptr;
    int min_ = 0, max_ = 10, position_ = 0;
    int lastNotified_ = 0;
    TskProgressBarOrientation orientation_ = skHorizontal;
    TskFileTheme* fileTheme_ = nullptr;
    TskUIStyle uiStyle_ = TskUIStyle::DeepBlue;
    bool showTick_ = true;
    bool transparent_ = false;
    int lastChange_ = 0;
    bool dragging_ = false;
    int frequency_ = 1;
    int pageSize_ = 2;
    int lineSize_ = 1;
    TBitmap barBitmap_;
};

class TskScrollTrackBar : public TskTrackBar {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    bool GetSliderVisible() const;
    void SetSliderVisible(bool Value);
    // The slider takes its picture's size.
    void FitSlider();

protected:
    bool KeepImages() override { return true; }
    bool SliderTransparent() override { return false; }
};
