#include "Panel.h"

namespace {
const std::vector<std::string> kAlignmentNames{"taLeftJustify", "taRightJustify", "taCenter"};
const std::vector<std::string> kBevelNames{"bvNone", "bvLowered", "bvRaised", "bvSpace"};

void FillSolid(HDC DC, const RECT& R, TColor Color) {
    HBRUSH b = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color)));
    FillRect(DC, &R, b);
    DeleteObject(b);
}
}  // namespace

void Frame3D(HDC DC, TRect& R, TColor TopColor, TColor BottomColor, int Width) {
    for (int i = 0; i < Width && R.Width() > 0 && R.Height() > 0; ++i) {
        FillSolid(DC, RECT{R.Left, R.Top, R.Right, R.Top + 1}, TopColor);
        FillSolid(DC, RECT{R.Left, R.Top, R.Left + 1, R.Bottom}, TopColor);
        FillSolid(DC, RECT{R.Left, R.Bottom - 1, R.Right, R.Bottom}, BottomColor);
        FillSolid(DC, RECT{R.Right - 1, R.Top, R.Right, R.Bottom}, BottomColor);
        R = Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
    }
}

void DrawControlText(HDC DC, TFont* Font, const std::string& Text, TRect& R, UINT Flags, TColor Color) {
    HGDIOBJ old = SelectObject(DC, Font->Handle());
    const int oldMode = SetBkMode(DC, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(Color)));
    DrawTextA(DC, Text.c_str(), static_cast<int>(Text.size()), reinterpret_cast<RECT*>(&R), Flags);
    SetTextColor(DC, oldColor);
    SetBkMode(DC, oldMode);
    SelectObject(DC, old);
}

const TClassInfo& TCustomPanel::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TCustomPanel, TCustomControl>("TCustomPanel", [](auto& c) {
        c.template Enum<TAlignment>("Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment, kAlignmentNames);
        c.template Enum<TBevelCut>("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner, kBevelNames);
        c.template Enum<TBevelCut>("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter, kBevelNames);
        c.Int("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth);
        c.template Enum<TBorderStyle>("BorderStyle", &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle, {"bsNone", "bsSingle"});
        c.Field("FullRepaint", &TCustomPanel::FullRepaint);
        c.Field("Locked", &TCustomPanel::Locked);
    });
    return info;
}

const TClassInfo& TPanel::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TPanel, TCustomPanel>("TPanel", [](auto&) {});
    return info;
}

void TCustomPanel::Init() {
    TCustomControl::Init();
    ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks, csReplicatable};
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TCustomPanel::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    if (borderStyle_ == bsSingle) Params.Style |= WS_BORDER;
    Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
    Params.WindowClass.style |= CS_HREDRAW | CS_VREDRAW;
}

void TCustomPanel::AdjustClientRect(TRect& R) {
    int inset = 0;
    if (bevelOuter_ != bvNone) inset += bevelWidth_;
    if (bevelInner_ != bvNone) inset += bevelWidth_;
    R = Rect(R.Left + inset, R.Top + inset, R.Right - inset, R.Bottom - inset);
}

void TCustomPanel::Paint() {
    HDC dc = Canvas()->Handle();
    TRect r = ClientRect();
    auto bevel = [&](TBevelCut cut) {
        if (cut == bvNone) return;
        const bool raised = cut == bvRaised;
        if (cut == bvSpace)
            Frame3D(dc, r, Color(), Color(), bevelWidth_);
        else
            Frame3D(dc, r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, bevelWidth_);
    };
    bevel(bevelOuter_);
    bevel(bevelInner_);
    FillSolid(dc, RECT{r.Left, r.Top, r.Right, r.Bottom}, Color());
    const std::string text = Caption();
    if (text.empty()) return;
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    flags |= alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT;
    DrawControlText(dc, Font(), text, r, flags, Enabled() ? Font()->Color() : clGrayText);
}

void TCustomPanel::SetAlignment(TAlignment Value) {
    alignment_ = Value;
    Invalidate();
}
void TCustomPanel::SetBevelInner(TBevelCut Value) {
    bevelInner_ = Value;
    Realign();
    Invalidate();
}
void TCustomPanel::SetBevelOuter(TBevelCut Value) {
    bevelOuter_ = Value;
    Realign();
    Invalidate();
}
void TCustomPanel::SetBevelWidth(int Value) {
    bevelWidth_ = Value < 1 ? 1 : Value;
    Realign();
    Invalidate();
}
void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
    if (Value == borderStyle_) return;
    borderStyle_ = Value;
    RecreateWnd();
}
