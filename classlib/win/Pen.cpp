#include "Pen.h"

void TPen::Assign(TPersistent* Source) {
    if (auto* p = dynamic_cast<TPen*>(Source)) {
        if (p == this) return;
        color_ = p->color_;
        width_ = p->width_;
        style_ = p->style_;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

void TPen::SetColor(TColor Value) {
    if (Value == color_) return;
    color_ = Value;
    Changed();
}

void TPen::SetWidth(int Value) {
    if (Value < 0 || Value == width_) return;
    width_ = Value;
    Changed();
}

void TPen::SetStyle(TPenStyle Value) {
    if (Value == style_) return;
    style_ = Value;
    Changed();
}

HPEN TPen::Handle() {
    if (!handle_) {
        static constexpr int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        handle_.Reset(CreatePen(kStyles[style_], width_, static_cast<COLORREF>(ColorToRGB(color_))));
    }
    return static_cast<HPEN>(handle_.Get());
}
