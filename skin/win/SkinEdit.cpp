#include "SkinEdit.h"

#include "Exceptions.h"
#include "FloatFormat.h"
#include "SkinPublic.h"
#include "SkinThemes.h"
#include "SysUtils.h"

#include <windows.h>

#include <algorithm>

namespace {
const std::vector<std::string> kBorderStyleNames{"bsNone", "bsSingle"};

std::string WithoutThousandSeparators(std::string Text) {
    std::erase(Text, ThousandSeparator);
    return Text;
}

bool ContainsText(const std::string& Text, const std::string& Part) {
    return UpperCase(Text).find(UpperCase(Part)) != std::string::npos;
}

// Sets a flag for the length of a scope.
class TFlagScope {
public:
    explicit TFlagScope(bool& Flag) : flag_(Flag), old_(Flag) { flag_ = true; }
    ~TFlagScope() { flag_ = old_; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& flag_;
    bool old_;
};
}  // namespace

const TClassInfo& TskEdit::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskEdit, TCustomEdit>("TskEdit", [](auto& c) {
        c.template Color<TColor>("BorderColor", &TskEdit::BorderColor, &TskEdit::SetBorderColor);
        c.template Enum<TskUIStyle>("UIStyle", &TskEdit::UIStyle, &TskEdit::SetUIStyle, UIStyleNames());
        c.template Reference<TskFileTheme>("FileTheme", &TskEdit::FileTheme, &TskEdit::SetFileTheme);
        c.Field("AutoSelect", &TskEdit::AutoSelect);
        c.template Enum<TEditCharCase>("CharCase", &TskEdit::CharCase, &TskEdit::SetCharCase,
                                       {"ecNormal", "ecUpperCase", "ecLowerCase"});
        c.Bool("HideSelection", &TskEdit::HideSelection, &TskEdit::SetHideSelection);
        c.Int("MaxLength", &TskEdit::MaxLength, &TskEdit::SetMaxLength);
        c.Char("PasswordChar", &TskEdit::PasswordChar, &TskEdit::SetPasswordChar);
        c.Bool("ReadOnly", &TskEdit::ReadOnly, &TskEdit::SetReadOnly);
        c.String("Text", &TskEdit::Text, &TskEdit::SetText);
        c.Event("OnChange", &TskEdit::OnChange);
    });
    return info;
}

const TClassInfo& TskNumberEdit::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskNumberEdit, TskEdit>("TskNumberEdit", [](auto& c) {
        c.String("Mask", &TskNumberEdit::Mask, &TskNumberEdit::SetMask);
        c.Float("Value", &TskNumberEdit::Value, &TskNumberEdit::SetValue);
        c.Field("AutoSelectSigns", &TskNumberEdit::AutoSelectSigns);
        c.template Enum<TBorderStyle>("BorderStyle", &TskNumberEdit::BorderStyle, &TskNumberEdit::SetBorderStyle,
                                      kBorderStyleNames);
    });
    return info;
}

void TskEdit::Init() {
    TCustomEdit::Init();
    ControlStyle.Include(csOpaque);
    SetBorderStyle(bsNone);
    SetBorderWidth(2);
    SetUIStyle(GetOwnerFormUIStyle(Owner()));
}

void TskEdit::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomEdit::Notification(AComponent, Operation);
    if (FileThemeRemoved(fileTheme_, AComponent, Operation)) SetUIStyle(TskUIStyle::DeepBlue);
}

void TskEdit::SetBorderColor(TColor Value) {
    borderColor_ = Value;
    Invalidate();
}

void TskEdit::SetUIStyle(TskUIStyle Value) {
    uiStyle_ = Value;
    borderColor_ = static_cast<TColor>(TskResolvedTheme(fileTheme_, uiStyle_).Color(TskThemeKey::ControlBorderColor));
    UIStyleChanged();
    Invalidate();
}

void TskEdit::SetFileTheme(TskFileTheme* Value) {
    LinkFileTheme(this, fileTheme_, Value);
    SetUIStyle(uiStyle_);
}

void TskEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_PAINT:
        case WM_ERASEBKGND:
        // The class library fills the border band on non-client painting
        // (activation, resizing): the frame goes back on top of it.
        case WM_NCPAINT:
            TCustomEdit::Dispatch(Message);
            PaintWindowBorder(this, borderColor_, Color(), true);
            return;
        default: TCustomEdit::Dispatch(Message);
    }
}

void TskNumberEdit::Init() {
    TskEdit::Init();
    mask_ = "0.00";
    SetValue(0);
    AutoSelectSigns = 2;
}

void TskNumberEdit::CreateParams(TCreateParams& Params) {
    TskEdit::CreateParams(Params);
    Params.Style |= ES_RIGHT;
}

void TskNumberEdit::SetValue(double Value) {
    value_ = Value;
    SetText(FormatFloat(mask_, Value));
}

void TskNumberEdit::Dispatch(TMessage& Message) {
    if (Message.Msg == CM_TEXTCHANGED) {
        TskEdit::Dispatch(Message);
        // With a window every change already arrives through the edit's
        // change notification; without one, text set by code comes here only.
        if (!inChange_ && !HandleAllocated()) Change();
        return;
    }
    TskEdit::Dispatch(Message);
}

void TskNumberEdit::Change() {
    // Putting the last good value back is no change for the user.
    if (restoring_) return;
    TFlagScope scope(inChange_);
    const std::string text = Text();
    if (!text.empty() && text != "-") {
        try {
            value_ = StrToFloat(WithoutThousandSeparators(text));
        } catch (const EConvertError&) {
            {
                TFlagScope restoring(restoring_);
                SetValue(value_);
            }
            throw;
        }
    }
    TskEdit::Change();
}

void TskNumberEdit::SelectTrailingSigns() {
    if (AutoSelectSigns <= 0 || !AutoSelect || !HandleAllocated()) return;
    const int length = static_cast<int>(Text().size());
    const int start = std::max(length - AutoSelectSigns, 0);
    SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(start), start + std::min(AutoSelectSigns, length));
}

void TskNumberEdit::DoEnter() {
    TskEdit::DoEnter();
    SelectTrailingSigns();
}

void TskNumberEdit::DoExit() {
    TskEdit::DoExit();
    const std::string text = Text();
    if (text.empty() || text == "-") SetText("0");
    SetValue(StrToFloat(WithoutThousandSeparators(Text())));
}

void TskNumberEdit::Click() {
    TskEdit::Click();
    SelectTrailingSigns();
}

void TskNumberEdit::KeyPress(char& Key) {
    TskEdit::KeyPress(Key);
    if (Key == 0) return;  // already dropped by a handler
    const std::string text = Text();
    bool accepted = false;
    if ((Key >= '0' && Key <= '9') || Key == '\b')
        accepted = true;
    else if (Key == DecimalSeparator)
        accepted = ContainsText(mask_, ".") && text.find(DecimalSeparator) == std::string::npos;
    else if (Key == '-')
        accepted = ContainsText(mask_, "-") && SelStart() == 0 && text.find('-') == std::string::npos;
    if (!accepted) {
        MessageBeep(0);
        throw EAbort();
    }
}
