#include "Brush.h"

#include "Bitmap.h"

void TBrush::Assign(TPersistent* Source) {
    if (auto* b = dynamic_cast<TBrush*>(Source)) {
        if (b == this) return;
        color_ = b->color_;
        style_ = b->style_;
        bitmap_ = b->bitmap_;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

void TBrush::SetColor(TColor Value) {
    if (Value == color_ && style_ != bsClear) return;
    color_ = Value;
    // A colour makes a cleared brush solid again.
    if (style_ == bsClear) style_ = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
    if (Value == style_) return;
    style_ = Value;
    Changed();
}

void TBrush::SetBitmap(TBitmap* Value) {
    bitmap_ = Value;
    Changed();
}

HBRUSH TBrush::Handle() {
    if (!handle_) {
        HBRUSH h = nullptr;
        if (bitmap_ && !bitmap_->Empty()) {
            h = CreatePatternBrush(bitmap_->Handle());
        } else if (style_ == bsClear) {
            LOGBRUSH lb{BS_NULL, 0, 0};
            h = CreateBrushIndirect(&lb);
        } else if (style_ == bsSolid) {
            h = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(color_)));
        } else {
            static constexpr int kHatches[] = {0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
            h = CreateHatchBrush(kHatches[style_], static_cast<COLORREF>(ColorToRGB(color_)));
        }
        handle_.Reset(h);
    }
    return static_cast<HBRUSH>(handle_.Get());
}
