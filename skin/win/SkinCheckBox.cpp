#include "SkinCheckBox.h"

#include "Bitmap.h"
#include "ButtonGeometry.h"
#include "DrawnText.h"
#include "Label.h"
#include "PageControl.h"
#include "Panel.h"
#include "SkinPublic.h"
#include "SkinThemes.h"

#include <windows.h>

#include <algorithm>

namespace {

void TakeFocus(TWinControl* Control) {
    try {
        Control->SetFocus();
    } catch (...) {
        // Not being able to take the focus never stops a toggle.
    }
}

// How wide the caption paints: Wine can paint small text past the width it
// reports, and an auto-sized check box must not cut its caption off.
int CaptionWidth(TCanvas* Canvas, const std::string& Caption) {
    if (Caption.empty()) return 0;
    const int reported = Canvas->TextWidth(Caption);
    const TRect painted = MeasureDrawnText(Canvas->Font(), Caption, Rect(0, 0, 0, 0), DT_SINGLELINE).Painted;
    return std::max(reported, static_cast<int>(painted.Right));
}

}  // namespace

const TClassInfo& TskCheckBox::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskCheckBox, TCustomControl>("TskCheckBox", [](auto& c) {
        c.template Enum<TskUIStyle>("UIStyle", &TskCheckBox::UIStyle, &TskCheckBox::SetUIStyle, UIStyleNames());
        c.template Reference<TskFileTheme>("FileTheme", &TskCheckBox::FileTheme, &TskCheckBox::SetFileTheme);
        c.Field("ShowHint", &TskCheckBox::ShowHint);
        c.Bool("Visible", &TskCheckBox::Visible, &TskCheckBox::SetVisible);
        c.Field("ParentShowHint", &TskCheckBox::ParentShowHint);
        c.Bool("ParentFont", &TskCheckBox::ParentFont, &TskCheckBox::SetParentFont);
        c.Bool("AutoSize", &TskCheckBox::AutoSize, &TskCheckBox::SetAutoSize);
        c.Bool("Checked", &TskCheckBox::Checked, &TskCheckBox::SetChecked);
        c.String("Caption", &TskCheckBox::Caption, &TskCheckBox::SetCaption);
        c.Bool("Enabled", &TskCheckBox::Enabled, &TskCheckBox::SetEnabled);
        c.Object("Font", &TskCheckBox::Font);
        c.template Color<TColor>("Color", &TskCheckBox::Color, &TskCheckBox::SetColor);
        c.Int("TabOrder", &TskCheckBox::TabOrder, &TskCheckBox::SetTabOrder);
        c.Bool("TabStop", &TskCheckBox::TabStop, &TskCheckBox::SetTabStop);
        c.Bool("ParentColor", &TskCheckBox::ParentColor, &TskCheckBox::SetParentColor);
        c.template Enum<TCheckBoxState>("State", &TskCheckBox::State, &TskCheckBox::SetState,
                                        {"cbUnchecked", "cbChecked", "cbGrayed"});
        c.Bool("Transparent", &TskCheckBox::Transparent, &TskCheckBox::SetTransparent);
        c.Event("OnClick", &TskCheckBox::OnClick);
        c.Event("OnDblClick", &TskCheckBox::OnDblClick);
        c.Event("OnMouseMove", &TskCheckBox::OnMouseMove);
        c.Event("OnMouseDown", &TskCheckBox::OnMouseDown);
        c.Event("OnMouseUp", &TskCheckBox::OnMouseUp);
        c.Event("OnKeyDown", &TskCheckBox::OnKeyDown);
        c.Event("OnKeyUp", &TskCheckBox::OnKeyUp);
        c.Event("OnKeyPress", &TskCheckBox::OnKeyPress);
        c.Event("OnEnter", &TskCheckBox::OnEnter);
        c.Event("OnExit", &TskCheckBox::OnExit);
    });
    return info;
}

void TskCheckBox::Init() {
    TCustomControl::Init();
    SetChecked(false);
    transparent_ = false;
    SetAutoSize(true);
    SetBounds(Left(), Top(), 93, 17);
    // A fast second click arrives as a plain click and toggles again.
    ControlStyle.Exclude(csDoubleClicks);
    SetTabStop(true);
    SetUIStyle(GetOwnerFormUIStyle(Owner()));
}

void TskCheckBox::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (FileThemeRemoved(fileTheme_, AComponent, Operation)) SetUIStyle(TskUIStyle::DeepBlue);
}

void TskCheckBox::SetChecked(bool Value) {
    if (Value == checked_) return;
    checked_ = Value;
    Invalidate();
    CheckedChanged();
}

void TskCheckBox::SetUIStyle(TskUIStyle Value) {
    uiStyle_ = Value;
    Invalidate();
}

void TskCheckBox::SetFileTheme(TskFileTheme* Value) {
    LinkFileTheme(this, fileTheme_, Value);
    SetUIStyle(uiStyle_);
}

void TskCheckBox::SetTransparent(bool Value) {
    transparent_ = Value;
    Invalidate();
}

void TskCheckBox::SetAutoSize(bool Value) {
    TCustomControl::SetAutoSize(Value);
    Invalidate();
}

void TskCheckBox::SetEnabled(bool Value) {
    TCustomControl::SetEnabled(Value);
    Invalidate();
}

bool TskCheckBox::ShowFocus() { return TabStop() && Focused(); }

void TskCheckBox::CheckedChanged() {
    if (!ComponentState().Contains(csLoading)) OnClick(this);
}

void TskCheckBox::Toggle() {
    BeforeToggle();
    SetChecked(!checked_);
}

void TskCheckBox::Click() {
    Toggle();
    TCustomControl::Click();
}

void TskCheckBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && CanFocus() && Enabled() && Visible()) TakeFocus(this);
}

void TskCheckBox::Paint() {
    TBitmap buffer;
    TBitmap box;
    box.SetTransparent(FrameIsTransparent());
    const int frame = Enabled() ? (checked_ ? 1 : 2) : (checked_ ? 3 : 4);
    TCanvas* canvas = buffer.Canvas();
    canvas->Font()->Assign(Font());
    TskResolvedTheme(fileTheme_, uiStyle_).Bitmap(ThemeImageKey(), &box, 4, frame);

    const int textHeight = canvas->TextHeight("W");
    if (AutoSize()) {
        const TSize size = CheckBoxAutoSize(box.Width(), box.Height(), textHeight, CaptionWidth(canvas, Caption()));
        if (size.cx != Width() || size.cy != Height()) SetBounds(Left(), Top(), size.cx, size.cy);
    }
    buffer.SetSize(Width(), Height());
    const TRect client = ClientRect();
    if (!transparent_) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(client);
    } else {
        TControl* source = dynamic_cast<TTabSheet*>(Parent()) ? static_cast<TControl*>(Parent()) : this;
        PaintParentBackground(canvas, source);
    }
    if (!box.Empty()) canvas->Draw(1, (client.Height() - box.Height()) / 2, &box);

    canvas->Brush()->SetStyle(bsClear);
    const int tx = box.Width() + 4;
    const int ty = (client.Height() - textHeight) / 2;
    TRect text{tx, ty, Width(), Height()};
    DrawControlText(canvas->Handle(), canvas->Font(), Caption(), text, DT_SINGLELINE, canvas->Font()->Color());
    if (ShowFocus()) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->DrawFocusRect({tx - 1, ty, Width(), ty + textHeight + 2});
    }
    Canvas()->Draw(0, 0, &buffer);
}

void TskCheckBox::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_KEYUP:
            TCustomControl::Dispatch(Message);
            if (KeyToggles() && (Message.WParam == VK_SPACE || Message.WParam == VK_RETURN) && Focused() && Enabled()) {
                Invalidate();
                Click();
            }
            return;
        case CM_DIALOGCHAR:
            TCustomControl::Dispatch(Message);
            if (IsAccel(static_cast<char>(Message.WParam), Caption()) && Enabled()) {
                if (CanFocus() && Enabled() && Visible()) TakeFocus(this);
                Click();
                Message.Result = 1;
            } else {
                Message.Result = 0;
            }
            return;
        case CM_FOCUSCHANGED:
            TCustomControl::Dispatch(Message);
            Invalidate();
            Message.Result = 0;
            return;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            TCustomControl::Dispatch(Message);
            Invalidate();
            return;
        case CM_FONTCHANGED:
        case CM_TEXTCHANGED: Invalidate(); return;
        case WM_ERASEBKGND: Message.Result = 1; return;
        default: TCustomControl::Dispatch(Message);
    }
}
