#include "Label.h"

#include "DrawnText.h"
#include "Panel.h"
#include "WinControl.h"

#include <cctype>

bool IsAccel(char Ch, const std::string& Text) {
    for (size_t i = 0; i + 1 < Text.size(); ++i) {
        if (Text[i] != '&') continue;
        if (Text[i + 1] == '&') {
            ++i;
            continue;
        }
        return std::toupper(static_cast<unsigned char>(Text[i + 1])) == std::toupper(static_cast<unsigned char>(Ch));
    }
    return false;
}

const TClassInfo& TCustomLabel::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TCustomLabel, TGraphicControl>("TCustomLabel", [](auto& c) {
        c.template Enum<TAlignment>("Alignment", &TCustomLabel::Alignment, &TCustomLabel::SetAlignment,
                                    {"taLeftJustify", "taRightJustify", "taCenter"});
        c.template Reference<TWinControl>("FocusControl", &TCustomLabel::FocusControl, &TCustomLabel::SetFocusControl);
        c.Bool("ShowAccelChar", &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar);
        c.Bool("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent);
        c.Bool("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap);
    });
    return info;
}

const TClassInfo& TLabel::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TLabel, TCustomLabel>("TLabel", [](auto&) {});
    return info;
}

void TCustomLabel::Init() {
    TGraphicControl::Init();
    ControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csReplicatable, csDoubleClicks};
    SetBounds(0, 0, 65, 17);
    SetAutoSize(true);
}

UINT TCustomLabel::TextFlags() const {
    UINT flags = DT_EXPANDTABS;
    if (wordWrap_) flags |= DT_WORDBREAK;
    flags |= alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT;
    if (!showAccelChar_) flags |= DT_NOPREFIX;
    return flags;
}

bool TCustomLabel::CanAutoSize(int& NewWidth, int& NewHeight) {
    // An empty label keeps the height of a line.
    const std::string text = Caption().empty() ? std::string(" ") : Caption();
    // Sized by what the text paints, not only by DrawTextA's measure of it,
    // so that no letter is cut off at the edge.
    const TDrawnTextExtent extent = MeasureDrawnText(Font(), text, Rect(0, 0, wordWrap_ ? Width() : 0, 0), TextFlags());
    TRect painted = extent.Painted;
    if (!Enabled()) {
        // Disabled text has a raised copy one pixel down and to the right.
        ++painted.Right;
        ++painted.Bottom;
    }
    textRect_ = Rect(extent.Layout.Left - painted.Left, extent.Layout.Top - painted.Top,
                     extent.Layout.Right - painted.Left, extent.Layout.Bottom - painted.Top);
    NewWidth = painted.Width();
    NewHeight = painted.Height();
    sizedTo_ = TSize{NewWidth, NewHeight};
    sizing_ = true;  // the SetBounds that follows comes from here
    return true;
}

TRect TCustomLabel::TextRect() const {
    if (AutoSize() && Width() == sizedTo_.cx && Height() == sizedTo_.cy) return textRect_;
    return ClientRect();
}

void TCustomLabel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    // A right-aligned label that sizes itself keeps its right edge.
    if (sizing_ && alignment_ == taRightJustify && !wordWrap_) ALeft = Left() + Width() - AWidth;
    sizing_ = false;
    TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TCustomLabel::Paint() {
    HDC dc = Canvas()->Handle();
    const TRect client = ClientRect();
    if (!Transparent()) {
        HBRUSH b = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color())));
        FillRect(dc, reinterpret_cast<const RECT*>(&client), b);
        DeleteObject(b);
    }
    // The text may reach out of the rectangle it is laid out in; the control's
    // own clipping keeps it inside the label.
    TRect r = TextRect();
    const UINT flags = TextFlags() | DT_NOCLIP;
    const std::string text = Caption();
    if (Enabled()) {
        DrawControlText(dc, Font(), text, r, flags, Font()->Color());
        return;
    }
    TRect shifted = Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
    DrawControlText(dc, Font(), text, shifted, flags, clBtnHighlight);
    DrawControlText(dc, Font(), text, r, flags, clBtnShadow);
}

void TCustomLabel::Dispatch(TMessage& Message) {
    if (Message.Msg == CM_ENABLEDCHANGED) AdjustSize();  // disabled text paints one pixel more
    if (Message.Msg == CM_DIALOGCHAR && focusControl_ && Enabled() && showAccelChar_ &&
        IsAccel(static_cast<char>(Message.WParam), Caption())) {
        if (focusControl_->CanFocus()) {
            focusControl_->SetFocus();
            Message.Result = 1;
        }
        return;
    }
    TGraphicControl::Dispatch(Message);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == focusControl_) focusControl_ = nullptr;
}

void TCustomLabel::SetAlignment(TAlignment Value) {
    alignment_ = Value;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
    wordWrap_ = Value;
    AdjustSize();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
    if (Value)
        ControlStyle.Exclude(csOpaque);
    else
        ControlStyle.Include(csOpaque);
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
    showAccelChar_ = Value;
    AdjustSize();
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
    focusControl_ = Value;
    if (Value) Value->FreeNotification(this);
}
