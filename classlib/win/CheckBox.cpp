#include "CheckBox.h"

#include "DrawnText.h"
#include "Label.h"
#include "NativeControl.h"
#include "Panel.h"

#include <algorithm>

const TClassInfo& TCustomCheckBox::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TCustomCheckBox, TWinControl>("TCustomCheckBox", [](auto&) {});
    return info;
}

// Checked comes before State, as stored forms write them.
const TClassInfo& TCheckBox::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TCheckBox, TCustomCheckBox>("TCheckBox", [](auto& c) {
        c.template Enum<TAlignment>("Alignment", &TCheckBox::Alignment, &TCheckBox::SetAlignment,
                                    {"taLeftJustify", "taRightJustify", "taCenter"});
        c.Field("AllowGrayed", &TCheckBox::AllowGrayed);
        c.Bool("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked);
        c.template Enum<TCheckBoxState>("State", &TCheckBox::State, &TCheckBox::SetState,
                                        {"cbUnchecked", "cbChecked", "cbGrayed"});
    });
    return info;
}

void TCustomCheckBox::Init() {
    TWinControl::Init();
    ControlStyle = {csSetCaption, csDoubleClicks};
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
}

void TCustomCheckBox::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "BUTTON");
    Params.Style |= WS_TABSTOP | BS_3STATE;
    if (alignment_ == taLeftJustify) Params.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::CreateWnd() {
    TWinControl::CreateWnd();
    SendNativeFont(this);
    SendMessageA(Handle(), BM_SETCHECK, static_cast<WPARAM>(state_), 0);
}

bool TCustomCheckBox::CanAutoSize(int& NewWidth, int& NewHeight) {
    // The box, a gap and the caption, as wide as the caption really paints.
    const TRect r = MeasureDrawnText(Font(), Caption().empty() ? " " : Caption(), Rect(0, 0, 0, 0), DT_SINGLELINE).Painted;
    const int box = GetSystemMetrics(SM_CXMENUCHECK);
    NewWidth = box + 6 + r.Width();
    NewHeight = std::max(box, r.Height()) + 4;
    return true;
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
    if (Value == state_) return;
    state_ = Value;
    if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, static_cast<WPARAM>(Value), 0);
    if (!ComponentState().Contains(csLoading)) Click();
}

void TCustomCheckBox::SetAlignment(TAlignment Value) {
    if (Value == alignment_) return;
    alignment_ = Value;
    RecreateWnd();
}

void TCustomCheckBox::Toggle() {
    switch (state_) {
        case cbUnchecked: SetState(AllowGrayed ? cbGrayed : cbChecked); break;
        case cbChecked: SetState(cbUnchecked); break;
        case cbGrayed: SetState(cbChecked); break;
    }
}

void TCustomCheckBox::Dispatch(TMessage& Message) {
    if (DispatchNativeMessage(this, Message, TNativeColors::Button)) return;
    switch (Message.Msg) {
        case CN_COMMAND:
            if (HIWORD(Message.WParam) == BN_CLICKED) Toggle();
            return;
        case CM_DIALOGCHAR:
            if (IsAccel(static_cast<char>(Message.WParam), Caption()) && CanFocus()) {
                SetFocus();
                Toggle();
                Message.Result = 1;
            }
            return;
        default: break;
    }
    TWinControl::Dispatch(Message);
}
