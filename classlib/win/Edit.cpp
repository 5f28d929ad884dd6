#include "Edit.h"

#include "NativeControl.h"

const TClassInfo& TCustomEdit::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TCustomEdit, TWinControl>("TCustomEdit", [](auto&) {});
    return info;
}

const TClassInfo& TEdit::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TEdit, TCustomEdit>("TEdit", [](auto& c) {
        c.Field("AutoSelect", &TEdit::AutoSelect);
        c.template Enum<TBorderStyle>("BorderStyle", &TEdit::BorderStyle, &TEdit::SetBorderStyle, {"bsNone", "bsSingle"});
        c.template Enum<TEditCharCase>("CharCase", &TEdit::CharCase, &TEdit::SetCharCase,
                                       {"ecNormal", "ecUpperCase", "ecLowerCase"});
        c.Bool("HideSelection", &TEdit::HideSelection, &TEdit::SetHideSelection);
        c.Int("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength);
        c.Char("PasswordChar", &TEdit::PasswordChar, &TEdit::SetPasswordChar);
        c.Bool("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly);
        c.String("Text", &TEdit::Text, &TEdit::SetText);
        c.Event("OnChange", &TEdit::OnChange);
    });
    return info;
}

void TCustomEdit::Init() {
    TWinControl::Init();
    ControlStyle = {csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "EDIT");
    Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_TABSTOP;
    if (borderStyle_ == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
    // The text goes in after creation (CreateWnd): the native edit refuses
    // to be created with a text longer than its default limit, which would
    // make a long memo's window impossible to make again.
    Params.Caption.clear();
    if (readOnly_) Params.Style |= ES_READONLY;
    if (!hideSelection_) Params.Style |= ES_NOHIDESEL;
    if (charCase_ == ecUpperCase) Params.Style |= ES_UPPERCASE;
    if (charCase_ == ecLowerCase) Params.Style |= ES_LOWERCASE;
}

void TCustomEdit::CreateWnd() {
    creating_ = true;
    try {
        TWinControl::CreateWnd();
    } catch (...) {
        creating_ = false;
        throw;
    }
    HWND h = Handle();
    SendMessageA(h, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    if (const std::string text = TControl::GetText(); !text.empty()) SetWindowTextA(h, text.c_str());
    creating_ = false;
    if (passwordChar_) SendMessageA(h, EM_SETPASSWORDCHAR, static_cast<unsigned char>(passwordChar_), 0);
    SendMessageA(h, EM_SETMODIFY, modified_, 0);
    SendNativeFont(this);
}

void TCustomEdit::DestroyWnd() {
    // The window holds the text; keep it for the next window.
    if (HandleAllocated()) {
        TControl::SetTextBuf(GetText());
        modified_ = SendMessageA(Handle(), EM_GETMODIFY, 0, 0) != 0;
    }
    TWinControl::DestroyWnd();
}

void TCustomEdit::Dispatch(TMessage& Message) {
    if (DispatchNativeMessage(this, Message, TNativeColors::Edit)) return;
    switch (Message.Msg) {
        case WM_GETDLGCODE:
            // Asked without the key message: the native edit would otherwise
            // act as if it sat in a dialog box (closing its parent on Escape).
            Message.LParam = 0;
            break;
        case CN_COMMAND:
            if (HIWORD(Message.WParam) == EN_CHANGE && !creating_) Change();
            return;
        default: break;
    }
    TWinControl::Dispatch(Message);
}

void TCustomEdit::DoEnter() {
    if (AutoSelect && !(GetWindowLongA(Handle(), GWL_STYLE) & ES_MULTILINE)) SelectAll();
    TWinControl::DoEnter();
}

void TCustomEdit::Change() {
    Perform(CM_TEXTCHANGED);
    OnChange(this);
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
    if (Value == borderStyle_) return;
    borderStyle_ = Value;
    RecreateWnd();
}

void TCustomEdit::SetReadOnly(bool Value) {
    readOnly_ = Value;
    if (HandleAllocated()) SendMessageA(Handle(), EM_SETREADONLY, Value, 0);
}

void TCustomEdit::SetMaxLength(int Value) {
    maxLength_ = Value < 0 ? 0 : Value;
    if (HandleAllocated()) SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TCustomEdit::SetPasswordChar(char Value) {
    if (Value == passwordChar_) return;
    passwordChar_ = Value;
    if (HandleAllocated()) {
        SendMessageA(Handle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(Value), 0);
        Invalidate();
    }
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
    if (Value == charCase_) return;
    charCase_ = Value;
    RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool Value) {
    if (Value == hideSelection_) return;
    hideSelection_ = Value;
    RecreateWnd();
}

int TCustomEdit::SelStart() {
    DWORD start = 0;
    SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

int TCustomEdit::SelLength() {
    DWORD start = 0, end = 0;
    SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomEdit::SetSelStart(int Value) { SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(Value), Value); }

void TCustomEdit::SetSelLength(int Value) {
    const int start = SelStart();
    SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(start), start + Value);
}

std::string TCustomEdit::SelText() {
    const int start = SelStart(), length = SelLength();
    const std::string text = GetText();
    if (start >= static_cast<int>(text.size())) return {};
    return text.substr(static_cast<size_t>(start), static_cast<size_t>(length));
}

void TCustomEdit::SetSelText(const std::string& Value) {
    SendMessageA(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Value.c_str()));
}

void TCustomEdit::SelectAll() {
    if (HandleAllocated()) SendMessageA(Handle(), EM_SETSEL, 0, -1);
}

bool TCustomEdit::Modified() const {
    return handle_ ? SendMessageA(handle_, EM_GETMODIFY, 0, 0) != 0 : modified_;
}

void TCustomEdit::SetModified(bool Value) {
    modified_ = Value;
    if (handle_) SendMessageA(handle_, EM_SETMODIFY, Value, 0);
}
