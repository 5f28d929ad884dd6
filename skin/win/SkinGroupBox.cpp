#include "SkinGroupBox.h"

#include "Bitmap.h"
#include "DrawnText.h"
#include "SkinPublic.h"
#include "SkinThemes.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {
constexpr TColor DisabledCaptionColor = 0x00808080;

// How wide the caption paints: the gap in the frame must not cut into a
// caption that Wine paints wider than it reports.
int CaptionWidth(TCanvas* Canvas, const std::string& Caption) {
    if (Caption.empty()) return 0;
    const int reported = Canvas->TextWidth(Caption);
    const TRect painted = MeasureDrawnText(Canvas->Font(), Caption, Rect(0, 0, 0, 0), DT_SINGLELINE).Painted;
    return std::max(reported, static_cast<int>(painted.Right));
}
}  // namespace

const TClassInfo& TskCustomGroupBox::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskCustomGroupBox, TskCustomPanel>("TskCustomGroupBox", [](auto& c) {
        c.String("Caption", &TskCustomGroupBox::Caption, &TskCustomGroupBox::SetCaption);
        c.template Enum<TskUIStyle>("UIStyle", &TskCustomGroupBox::UIStyle, &TskCustomGroupBox::SetUIStyle, UIStyleNames());
        c.template Reference<TskFileTheme>("FileTheme", &TskCustomGroupBox::FileTheme, &TskCustomGroupBox::SetFileTheme);
        c.Bool("Transparent", &TskCustomGroupBox::Transparent, &TskCustomGroupBox::SetTransparent);
        c.Bool("Enabled", &TskCustomGroupBox::Enabled, &TskCustomGroupBox::SetEnabled);
    });
    return info;
}

const TClassInfo& TskGroupBox::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskGroupBox, TskCustomGroupBox>("TskGroupBox", [](auto& c) {
        c.template Color<TColor>("BorderColor", &TskGroupBox::BorderColor, &TskGroupBox::SetBorderColor);
    });
    return info;
}

void TskCustomGroupBox::Init() {
    TskCustomPanel::Init();
    TControl::SetCaption(" ");
    SetBounds(Left(), Top(), 185, 105);
    SetParentColor(true);
    SetTransparent(false);
    SetUIStyle(GetOwnerFormUIStyle(Owner()));
}

void TskCustomGroupBox::Notification(TComponent* AComponent, TOperation Operation) {
    TskCustomPanel::Notification(AComponent, Operation);
    if (FileThemeRemoved(fileTheme_, AComponent, Operation)) {
        ApplyStyleToChildren(this, TskUIStyle::DeepBlue, nullptr);
        SetUIStyle(TskUIStyle::DeepBlue);
    }
}

void TskCustomGroupBox::SetCaption(const std::string& Value) {
    caption_ = Value;
    Invalidate();
}

void TskCustomGroupBox::SetBorderColor(TColor Value) {
    borderColor_ = Value;
    Invalidate();
}

void TskCustomGroupBox::SetUIStyle(TskUIStyle Value) {
    uiStyle_ = Value;
    UpdateUIStyle(uiStyle_, fileTheme_);
}

void TskCustomGroupBox::SetFileTheme(TskFileTheme* Value) {
    LinkFileTheme(this, fileTheme_, Value);
    SetUIStyle(uiStyle_);
}

void TskCustomGroupBox::UpdateUIStyle(TskUIStyle Style, TskFileTheme* Theme) {
    ApplyStyleToChildren(this, Style, Theme);
    const TskResolvedTheme theme(fileTheme_, uiStyle_);
    Font()->SetColor(static_cast<TColor>(theme.Color(TskThemeKey::ControlFontColor)));
    SetBorderColor(static_cast<TColor>(theme.Color(TskThemeKey::ControlBorderColor)));
}

void TskCustomGroupBox::SetEnabled(bool Value) {
    TskCustomPanel::SetEnabled(Value);
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetEnabled(Value);
    Invalidate();
}

void TskCustomGroupBox::AlignControls(TControl* AControl, TRect& R) {
    R.Left += 3;
    R.Right -= 3;
    R.Bottom -= 3;
    R.Top += std::abs(Font()->Height()) + 5;
    TskCustomPanel::AlignControls(AControl, R);
}

void TskCustomGroupBox::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CM_FONTCHANGED:
            TskCustomPanel::Dispatch(Message);
            Realign();
            Invalidate();
            return;
        case CM_TEXTCHANGED: Invalidate(); return;
        default: TskCustomPanel::Dispatch(Message);
    }
}

void TskCustomGroupBox::Paint() {
    TBitmap buffer;
    buffer.SetSize(Width(), Height());
    TCanvas* canvas = buffer.Canvas();
    PaintBackground(canvas);

    const TRect r = ClientRect();
    const int h = std::abs(Font()->Height());
    canvas->Font()->Assign(Font());
    const int y = h / 2 + r.Top + 1;
    const int gapEnd = caption_.empty() ? r.Left : r.Left + CaptionWidth(canvas, caption_) + 6;
    const std::array<TPoint, 6> frame{TPoint{r.Left + 2, y},          TPoint{r.Left, y},
                                      TPoint{r.Left, r.Bottom - 1},   TPoint{r.Right - 1, r.Bottom - 1},
                                      TPoint{r.Right - 1, y},         TPoint{gapEnd, y}};
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetColor(borderColor_);
    canvas->Polyline(frame);

    canvas->Font()->Assign(Font());
    if (!Enabled()) canvas->Font()->SetColor(DisabledCaptionColor);
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextOut(5, 0, caption_);
    Canvas()->Draw(0, 0, &buffer);
}
