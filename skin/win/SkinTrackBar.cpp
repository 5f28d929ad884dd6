#include "SkinTrackBar.h"

#include "SkinPublic.h"
#include "SkinThemes.h"
#include "SliderGeometry.h"
#include "Timer.h"

#include <windows.h>

#include <algorithm>

namespace {

constexpr unsigned kPagingInterval = 100;
constexpr TColor kFuchsia = 0x00FF00FF;

void TakeFocus(TWinControl* Control) {
    try {
        Control->SetFocus();
    } catch (...) {
        // A track bar that cannot take the focus still pages and drags.
    }
}

}  // namespace

const TClassInfo& TskTrackBar::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskTrackBar, TCustomPanel>("TskTrackBar", [](auto& c) {
        c.template Enum<TskProgressBarOrientation>("Orientation", &TskTrackBar::Orientation,
                                                   &TskTrackBar::SetOrientation, {"skHorizontal", "skVertical"});
        c.template Reference<TskFileTheme>("FileTheme", &TskTrackBar::FileTheme, &TskTrackBar::SetFileTheme);
        c.template Enum<TskUIStyle>("UIStyle", &TskTrackBar::UIStyle, &TskTrackBar::SetUIStyle, UIStyleNames());
        c.Object("BarImage", &TskTrackBar::BarImage);
        c.Object("SliderImage", &TskTrackBar::SliderImage);
        c.Int("Max", &TskTrackBar::Max, &TskTrackBar::SetMax);
        c.Int("Min", &TskTrackBar::Min, &TskTrackBar::SetMin);
        c.Int("Position", &TskTrackBar::Position, &TskTrackBar::SetPosition);
        c.Int("PageSize", &TskTrackBar::PageSize, &TskTrackBar::SetPageSize);
        c.Int("LineSize", &TskTrackBar::LineSize, &TskTrackBar::SetLineSize);
        c.Bool("ShowTick", &TskTrackBar::ShowTick, &TskTrackBar::SetShowTick);
        c.Bool("Transparent", &TskTrackBar::Transparent, &TskTrackBar::SetTransparent);
        c.Int("Frequency", &TskTrackBar::Frequency, &TskTrackBar::SetFrequency);
        c.Event("OnChange", &TskTrackBar::OnChange);
    });
    return info;
}

const TClassInfo& TskScrollTrackBar::StaticClassInfo() {
    static const TClassInfo info =
        DescribeClass<TskScrollTrackBar, TskTrackBar>("TskScrollTrackBar", [](auto&) {});
    return info;
}

void TskTrackBar::Init() {
    TCustomPanel::Init();
    ControlStyle.Exclude(csAcceptsControls);
    slider_ = Create<TskImagePanel>(this);
    slider_->SetParent(this);
    slider_->OnMouseDown = TMouseEvent::Bind<&TskTrackBar::SliderMouseDown>(this);
    slider_->OnMouseUp = TMouseEvent::Bind<&TskTrackBar::SliderMouseUp>(this);
    SetParentColor(true);
    SetTabStop(true);
    // Through the setter so the most derived class's pictures and slider
    // transparency apply (this runs after construction has finished).
    SetUIStyle(GetOwnerFormUIStyle(Owner()));
    UpdateSlider();
}

// The paging timer is a member: it dies with the track bar, so a press held
// while the control goes away never ticks into it.
TskTrackBar::~TskTrackBar() = default;

void TskTrackBar::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomPanel::Notification(AComponent, Operation);
    if (FileThemeRemoved(fileTheme_, AComponent, Operation)) SetUIStyle(TskUIStyle::DeepBlue);
    if (Operation == opRemove && AComponent == slider_) slider_ = nullptr;
}

void TskTrackBar::SetSliderImage(TPicture* Value) {
    slider_->Picture()->Assign(Value);
    Repaint();
}

void TskTrackBar::SetMax(int Value) {
    if (Value == max_) return;
    max_ = std::max(Value, min_);
    if (max_ < position_) position_ = max_;
    UpdateSlider();
}

void TskTrackBar::SetMin(int Value) {
    if (Value == min_) return;
    min_ = std::min(Value, max_);
    if (position_ < min_) position_ = min_;
    UpdateSlider();
}

void TskTrackBar::SetPosition(int Value) {
    position_ = std::clamp(Value, min_, max_);
    UpdateSlider();
}

void TskTrackBar::SetPageSize(int Value) {
    if (0 <= Value && Value <= max_) pageSize_ = Value;
}

void TskTrackBar::SetLineSize(int Value) {
    if (0 <= Value && Value <= max_) lineSize_ = Value;
}

void TskTrackBar::SetOrientation(TskProgressBarOrientation Value) {
    if (Value == orientation_) return;
    orientation_ = Value;
    Reload();
}

void TskTrackBar::SetBarImage(TPicture* Value) {
    barImage_.Assign(Value);
    Reload();
}

void TskTrackBar::SetUIStyle(TskUIStyle Value) {
    uiStyle_ = Value;
    Reload();
    if (uiStyle_ == TskUIStyle::MacOS) transparent_ = true;
}

void TskTrackBar::SetFileTheme(TskFileTheme* Value) {
    LinkFileTheme(this, fileTheme_, Value);
    SetUIStyle(uiStyle_);
}

void TskTrackBar::SetShowTick(bool Value) {
    showTick_ = Value;
    Repaint();
}

void TskTrackBar::SetTransparent(bool Value) {
    transparent_ = Value;
    Repaint();
}

void TskTrackBar::SetFrequency(int Value) {
    frequency_ = Value;
    Repaint();
}

TPoint TskTrackBar::GetSliderPos() const {
    if (!slider_) return {0, 0};
    if (Horizontal())
        return {SliderOffset(position_, min_, max_, Width(), slider_->Width()),
                SliderCrossOffset(Height(), slider_->Height())};
    return {SliderCrossOffset(Width(), slider_->Width()),
            SliderOffset(position_, min_, max_, Height(), slider_->Height())};
}

int TskTrackBar::PositionFromPoint(int X, int Y) const {
    if (!slider_) return min_;
    return Horizontal() ? PositionFromCoordinate(X, min_, max_, Width(), slider_->Width())
                        : PositionFromCoordinate(Y, min_, max_, Height(), slider_->Height());
}

void TskTrackBar::Notify() {
    if (position_ == lastNotified_) return;
    lastChange_ = position_ - lastNotified_;
    lastNotified_ = position_;
    OnChange(this);
}

void TskTrackBar::UpdateSlider() {
    if (slider_) MoveControlTo(slider_, GetSliderPos());
    Repaint();
    Notify();
}

void TskTrackBar::Reload() {
    UpdateThemeImages();
    if (slider_) {
        if (Horizontal())
            SetHeight(std::max(barImage_.Height(), slider_->Height()));
        else
            SetWidth(std::max(barImage_.Height(), slider_->Width()));
    }
    Repaint();
    UpdateSlider();
    Repaint();
}

void TskTrackBar::UpdateThemeImages() {
    if (KeepImages() || !slider_) return;
    const TskResolvedTheme theme(fileTheme_, uiStyle_);
    TBitmap bar, slider;
    theme.Bitmap(TskThemeKey::TrackBarBarImage, &bar);
    theme.Bitmap(Horizontal() ? TskThemeKey::TrackBarSliderImage : TskThemeKey::TrackBarSliderVImage, &slider);
    barImage_.Assign(&bar);
    slider_->Picture()->Assign(&slider);

    const int thickness = bar.Height();
    const int length = std::max(0, Horizontal() ? Width() : Height());
    barBitmap_.SetSize(length, thickness);
    barBitmap_.Canvas()->Brush()->SetStyle(bsSolid);
    barBitmap_.Canvas()->Brush()->SetColor(Color());
    barBitmap_.Canvas()->FillRect(TRect{0, 0, length, thickness});
    if (!bar.Empty() && length > 0) DrawThreePartBitmap(&bar, barBitmap_.Canvas(), TRect{0, 0, length, thickness}, false);
    if (!Horizontal()) RotateBitmapCCW(&barBitmap_);

    slider_->SetTransparent(SliderTransparent());
    slider_->SetAutoSize(true);
}

void TskTrackBar::Resize() {
    TCustomPanel::Resize();
    Reload();
}

void TskTrackBar::Paint() {
    TBitmap buffer;
    buffer.SetSize(Width(), Height());
    TCanvas* canvas = buffer.Canvas();
    if (transparent_) {
        PaintParentBackground(canvas, this);
    } else {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(ClientRect());
    }
    const int thickness = barImage_.Height();
    if (!barBitmap_.Empty()) {
        if (Horizontal())
            canvas->Draw(0, (Height() - thickness) / 2, &barBitmap_);
        else
            canvas->Draw((Width() - thickness) / 2, 0, &barBitmap_);
    }
    if (Focused() && TabStop()) canvas->DrawFocusRect(TRect{0, 0, Width(), Height()});
    if (showTick_ && slider_) {
        const bool horizontal = Horizontal();
        const std::vector<int> ticks =
            horizontal ? TickOffsets(min_, max_, frequency_, Width(), slider_->Width())
                       : TickOffsets(min_, max_, frequency_, Height(), slider_->Height());
        for (int t : ticks) {
            if (horizontal) {
                canvas->MoveTo(t, Height() - 3);
                canvas->LineTo(t, Height());
            } else {
                canvas->MoveTo(0, t);
                canvas->LineTo(3, t);
                canvas->MoveTo(Width() - 3, t);
                canvas->LineTo(Width(), t);
            }
        }
    }
    Canvas()->Draw(0, 0, &buffer);
}

void TskTrackBar::PageTowards(TPoint Point, int Steps) {
    const TPoint p = GetSliderPos();
    const int along = Horizontal() ? Point.X : Point.Y;
    const int slider = Horizontal() ? p.X : p.Y;
    const long long step = static_cast<long long>(Steps) * pageSize_;
    const int target = PositionFromPoint(Point.X, Point.Y);
    if (along > slider)
        SetPosition(static_cast<int>(std::min<long long>(position_ + step, target)));
    else if (along < slider)
        SetPosition(static_cast<int>(std::max<long long>(position_ - step, target)));
}

void TskTrackBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomPanel::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    PageTowards({X, Y}, 1);
    if (!pagingTimer_) {
        pagingTimer_ = CreateOwned<TTimer>();
        pagingTimer_->SetInterval(kPagingInterval);
        pagingTimer_->OnTimer = TNotifyEvent::Bind<&TskTrackBar::PagingTimerTick>(this);
    }
    if (CanFocus() && Enabled()) TakeFocus(this);
}

void TskTrackBar::PagingTimerTick(TObject*) {
    POINT cursor{};
    GetCursorPos(&cursor);
    const TPoint point = ScreenToClient(TPoint{cursor.x, cursor.y});
    // Horizontal bars page three page sizes a tick, vertical ones one.
    PageTowards(point, Horizontal() ? 3 : 1);
}

void TskTrackBar::SliderMouseDown(TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
    dragging_ = true;
    if (CanFocus() && Enabled()) TakeFocus(this);
    SetMouseCapture(true);
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X + slider_->Left(), Y + slider_->Top());
}

void TskTrackBar::SliderMouseUp(TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X + slider_->Left(), Y + slider_->Top());
}

void TskTrackBar::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomPanel::MouseMove(Shift, X, Y);
    if (dragging_) {
        position_ = std::clamp(PositionFromPoint(X, Y), min_, max_);
        if (slider_) MoveControlTo(slider_, GetSliderPos());
        Notify();
    } else if (X < 0 || X > Width() || Y < 0 || Y > Height()) {
        pagingTimer_.reset();
    }
}

void TskTrackBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomPanel::MouseUp(Button, Shift, X, Y);
    pagingTimer_.reset();
    dragging_ = false;
    SetMouseCapture(false);
}

void TskTrackBar::KeyDown(WORD& Key, TShiftState Shift) {
    TCustomPanel::KeyDown(Key, Shift);
    switch (Key) {
        case VK_PRIOR: SetPosition(position_ - pageSize_); break;
        case VK_NEXT: SetPosition(position_ + pageSize_); break;
        case VK_END: SetPosition(max_); break;
        case VK_HOME: SetPosition(min_); break;
        case VK_LEFT:
        case VK_UP: SetPosition(position_ - lineSize_); break;
        case VK_RIGHT:
        case VK_DOWN: SetPosition(position_ + lineSize_); break;
        default: break;
    }
}

void TskTrackBar::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_ERASEBKGND: Message.Result = 1; return;
        case WM_GETDLGCODE:
            TCustomPanel::Dispatch(Message);
            Message.Result = DLGC_WANTARROWS;
            return;
        case CM_FOCUSCHANGED:
            TCustomPanel::Dispatch(Message);
            Repaint();
            return;
        default: TCustomPanel::Dispatch(Message);
    }
}

bool TskScrollTrackBar::GetSliderVisible() const { return Slider() && Slider()->Visible(); }

void TskScrollTrackBar::SetSliderVisible(bool Value) {
    if (Slider() && Slider()->Visible() != Value) Slider()->SetVisible(Value);
}

void TskScrollTrackBar::FitSlider() {
    if (Slider()) Slider()->SetAutoSize(true);
}
