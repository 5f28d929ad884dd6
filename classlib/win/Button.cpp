#include "Button.h"

#include "Form.h"
#include "Label.h"
#include "NativeControl.h"

namespace {
const TIdentTable& ModalResultIdents() {
    static const TIdentTable table{{"mrNone", mrNone}, {"mrOk", mrOk},   {"mrCancel", mrCancel}, {"mrAbort", mrAbort},
                                   {"mrRetry", mrRetry}, {"mrIgnore", mrIgnore}, {"mrYes", mrYes}, {"mrNo", mrNo}};
    return table;
}
}  // namespace

const TClassInfo& TButton::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TButton, TWinControl>("TButton", [](auto& c) {
        c.Field("Cancel", &TButton::Cancel);
        c.Bool("Default", &TButton::Default, &TButton::SetDefault);
        c.template IdentInt<TModalResult>(
            "ModalResult", [](TButton* b) { return b->ModalResult; },
            [](TButton* b, TModalResult v) { b->ModalResult = v; }, ModalResultIdents());
    });
    return info;
}

void TButton::Init() {
    TWinControl::Init();
    ControlStyle = {csSetCaption, csDoubleClicks};
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clBtnFace);
}

void TButton::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "BUTTON");
    Params.Style |= WS_TABSTOP | (active_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void TButton::CreateWnd() {
    TWinControl::CreateWnd();
    SendNativeFont(this);
}

void TButton::SetDefault(bool Value) {
    if (Value == default_) return;
    default_ = Value;
    // Tell the form, so that the button that should answer Enter is marked again.
    if (TCustomForm* form = GetParentForm(this))
        form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
    else
        active_ = Value;
}

void TButton::Click() {
    // The form's ModalResult changes also when the button's is mrNone; only a
    // modal form ends by it.
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(ModalResult);
    TWinControl::Click();
}

void TButton::Dispatch(TMessage& Message) {
    if (DispatchNativeMessage(this, Message, TNativeColors::Button)) return;
    switch (Message.Msg) {
        case CN_COMMAND:
            if (HIWORD(Message.WParam) == BN_CLICKED) Click();
            return;
        case CM_DIALOGKEY:
            if (((Message.WParam == VK_RETURN && active_) || (Message.WParam == VK_ESCAPE && Cancel)) &&
                !KeyboardShiftState().Contains(ssAlt) && !KeyboardShiftState().Contains(ssCtrl) && CanFocus()) {
                Click();
                Message.Result = 1;
            }
            return;
        case CM_DIALOGCHAR:
            if (IsAccel(static_cast<char>(Message.WParam), Caption()) && CanFocus()) {
                Click();
                Message.Result = 1;
            }
            return;
        case CM_FOCUSCHANGED: {
            auto* focused = reinterpret_cast<TWinControl*>(Message.LParam);
            const bool active = dynamic_cast<TButton*>(focused) ? focused == this : default_;
            if (active != active_) {
                active_ = active;
                if (HandleAllocated()) SendMessageA(Handle(), BM_SETSTYLE, active ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
            }
            return;  // Result stays 0: every control hears of it
        }
        default: break;
    }
    TWinControl::Dispatch(Message);
}
