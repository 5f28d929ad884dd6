#include "GroupBox.h"

#include "Panel.h"

#include <cstdlib>

const TClassInfo& TCustomGroupBox::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TCustomGroupBox, TCustomControl>("TCustomGroupBox", [](auto&) {});
    return info;
}

const TClassInfo& TGroupBox::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TGroupBox, TCustomGroupBox>("TGroupBox", [](auto&) {});
    return info;
}

void TCustomGroupBox::Init() {
    TCustomControl::Init();
    ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks, csReplicatable};
    SetBounds(0, 0, 185, 105);
}

int TCustomGroupBox::CaptionHeight() {
    const int h = std::abs(Font()->Height());
    return h ? h : 13;
}

void TCustomGroupBox::SetEnabled(bool Value) {
    TCustomControl::SetEnabled(Value);
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetEnabled(Value);
    Invalidate();
}

void TCustomGroupBox::AdjustClientRect(TRect& R) {
    R = Rect(R.Left + 3, R.Top + CaptionHeight() + 5, R.Right - 3, R.Bottom - 3);
}

void TCustomGroupBox::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CM_FONTCHANGED:
            TCustomControl::Dispatch(Message);
            Realign();
            Invalidate();
            return;
        case CM_TEXTCHANGED: Invalidate(); return;
        case WM_ERASEBKGND: Message.Result = 1; return;  // Paint covers everything
        default: TCustomControl::Dispatch(Message);
    }
}

void TCustomGroupBox::Paint() {
    HDC dc = Canvas()->Handle();
    const TRect client = ClientRect();
    HBRUSH back = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color())));
    const RECT all{client.Left, client.Top, client.Right, client.Bottom};
    FillRect(dc, &all, back);
    DeleteObject(back);

    const std::string text = Caption();
    TRect textRect = Rect(0, 0, 0, 0);
    DrawControlText(dc, Font(), text.empty() ? " " : text, textRect, DT_CALCRECT | DT_SINGLELINE, Font()->Color());
    RECT frame{client.Left, client.Top + textRect.Height() / 2, client.Right, client.Bottom};
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (text.empty()) return;
    // The caption interrupts the top edge.
    TRect r = Rect(8, 0, 8 + textRect.Width() + 4, textRect.Height());
    HBRUSH gap = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color())));
    const RECT gapRect{r.Left, r.Top, r.Right, r.Bottom};
    FillRect(dc, &gapRect, gap);
    DeleteObject(gap);
    r.Left += 2;
    DrawControlText(dc, Font(), text, r, DT_SINGLELINE | DT_LEFT, Enabled() ? Font()->Color() : clGrayText);
}
