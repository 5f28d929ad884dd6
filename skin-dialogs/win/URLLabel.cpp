#include "URLLabel.h"

#include "LinkAddress.h"

#include <windows.h>
#include <shellapi.h>

const TClassInfo& TskURLLabel::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskURLLabel, TCustomLabel>("TskURLLabel", [](auto& c) {
        c.String("URL", &TskURLLabel::URL, &TskURLLabel::SetURL);
        c.template Color<TColor>("FontLinkColor", &TskURLLabel::FontLinkColor, &TskURLLabel::SetFontLinkColor);
        c.template Color<TColor>("FontHoverColor", &TskURLLabel::FontHoverColor, &TskURLLabel::SetFontHoverColor);
    });
    return info;
}

void TskURLLabel::ShellOpen(const std::string& Address) {
    ShellExecuteA(nullptr, "open", Address.c_str(), nullptr, nullptr, SW_SHOW);
}

void TskURLLabel::Init() {
    TCustomLabel::Init();
    Font()->SetStyle(TFontStyles{fsUnderline});
    Font()->SetColor(clBlue);
    SetCursor(crHandPoint);
    SetAutoSize(true);
    SetFontHoverColor(clRed);
    SetFontLinkColor(clBlue);
    SetCaption(kURLLabelCaption);
    if (!OpenAddress) OpenAddress = ShellOpen;
}

void TskURLLabel::SetURL(const std::string& Value) {
    if (Value != url_) url_ = Value;
}

void TskURLLabel::SetFontLinkColor(TColor Value) {
    fontLinkColor_ = Value;
    Font()->SetColor(Value);
}

void TskURLLabel::Click() {
    if (const auto address = LinkToOpen(url_); address && OpenAddress) OpenAddress(*address);
    TCustomLabel::Click();
}

void TskURLLabel::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CM_MOUSEENTER:
            TCustomLabel::Dispatch(Message);
            Font()->SetColor(ComponentState().Contains(csDesigning) ? clBlue : fontHoverColor_);
            return;
        case CM_MOUSELEAVE:
            TCustomLabel::Dispatch(Message);
            Font()->SetColor(fontLinkColor_);
            return;
        default: TCustomLabel::Dispatch(Message);
    }
}
