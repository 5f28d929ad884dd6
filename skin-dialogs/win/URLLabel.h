#pragma once
// TskURLLabel: an underlined link that takes its hover colour under the
// pointer and opens its address when clicked. Only web and mail addresses
// are opened (LinkToOpen): the address often comes from a file.

#include "Label.h"

#include <functional>
#include <string>

class TskURLLabel : public TCustomLabel {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    const std::string& URL() const { return url_; }
    void SetURL(const std::string& Value);
    TColor FontLinkColor() const { return fontLinkColor_; }
    // Colours the font at once, also while the pointer is over the label.
    void SetFontLinkColor(TColor Value);
    TColor FontHoverColor() const { return fontHoverColor_; }
    void SetFontHoverColor(TColor Value) { fontHoverColor_ = Value; }

    // Hands an allowed address to the shell; the owner may replace it (tests
    // record the calls instead of starting a browser).
    std::function<void(const std::string& Address)> OpenAddress;

    // The shell's "open" with no owner window, shown normally.
    static void ShellOpen(const std::string& Address);

    void Click() override;

protected:
    void Init() override;
    void Dispatch(TMessage& Message) override;

private:
    std::string url_;
    TColor fontLinkColor_ = clBlue;
    TColor fontHoverColor_ = clRed;
};

// A new label's caption: neutral, replaced by whoever shows the label.
inline constexpr const char* kURLLabelCaption = "Welcome! Click here to visit us.";
