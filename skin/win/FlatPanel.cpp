#include "FlatPanel.h"

#include "GraphicsHandles.h"
#include "SysUtils.h"

const TClassInfo& TFlatPanel::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TFlatPanel, TPanel>("TFlatPanel", [](auto& c) {
        c.Field("Activate", &TFlatPanel::Activate);
        c.template Color<TColor>("BorderColor", &TFlatPanel::BorderColor, &TFlatPanel::SetBorderColor);
        c.Bool("Flat", &TFlatPanel::Flat, &TFlatPanel::SetFlat);
        c.Bool("ShowBorder", &TFlatPanel::ShowBorder, &TFlatPanel::SetShowBorder);
        c.String("Version", &TFlatPanel::Version, &TFlatPanel::SetVersion);
    });
    return info;
}

void TFlatPanel::Init() {
    TPanel::Init();
    SetBevelInner(bvNone);
    SetBevelOuter(bvNone);
    SetBorderWidth(2);
}

std::string TFlatPanel::Version() const { return Format("%d.%d", version_ >> 8, version_ & 0xFF); }

void TFlatPanel::SetFlat(bool Value) {
    if (Value == flat_) return;
    flat_ = Value;
    if (!ComponentState().Contains(csLoading)) RedrawFrame();
}

void TFlatPanel::SetShowBorder(bool Value) {
    if (Value == showBorder_) return;
    showBorder_ = Value;
    if (!ComponentState().Contains(csLoading)) RedrawFrame();
}

void TFlatPanel::SetBorderColor(TColor Value) {
    if (Value == borderColor_) return;
    borderColor_ = Value;
    if (flat_) RedrawFrame();
}

void TFlatPanel::RedrawFrame() {
    if (!HandleAllocated()) return;
    const RECT r{0, 0, Width(), Height()};
    RedrawWindow(Handle(), &r, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TFlatPanel::DrawFrame() {
    if (!HandleAllocated()) return;
    TWindowDC dc(Handle(), true);
    if (!dc.Get()) return;
    const int w = Width(), h = Height();
    // Outlines only: a pen of the given colour and no fill.
    auto outline = [&](TColor Color, int L, int T, int R, int B) {
        TGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, static_cast<COLORREF>(ColorToRGB(Color))));
        const HGDIOBJ oldPen = SelectObject(dc.Get(), pen.Get());
        const HGDIOBJ oldBrush = SelectObject(dc.Get(), GetStockObject(NULL_BRUSH));
        Rectangle(dc.Get(), L, T, R, B);
        SelectObject(dc.Get(), oldBrush);
        SelectObject(dc.Get(), oldPen);
    };
    outline(Color(), 0, 0, w, h);
    outline(Color(), 1, 1, w - 1, h - 1);
    RECT all{0, 0, w, h};
    if (!flat_) {
        DrawEdge(dc.Get(), &all, EDGE_SUNKEN, BF_RECT);
    } else if ((Focused() || mouseInside_) && Activate) {
        DrawEdge(dc.Get(), &all, BDR_SUNKENOUTER, BF_RECT);
        outline(clBtnFace, 1, 1, w - 1, h - 1);
    } else if (showBorder_) {
        outline(borderColor_, 0, 0, w, h);
    } else {
        outline(Color(), 0, 0, w, h);
        outline(Color(), 1, 1, w - 1, h - 1);
    }
}

void TFlatPanel::Paint() {
    TPanel::Paint();
    DrawFrame();
}

void TFlatPanel::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_NCPAINT:
            TPanel::Dispatch(Message);
            DrawFrame();
            Message.Result = 0;
            return;
        case CM_MOUSEENTER:
        case CM_MOUSELEAVE:
            TPanel::Dispatch(Message);
            mouseInside_ = Message.Msg == CM_MOUSEENTER;
            if (flat_ && Activate) RedrawFrame();
            return;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            TPanel::Dispatch(Message);
            RedrawFrame();
            return;
        default: TPanel::Dispatch(Message);
    }
}
