#include "Font.h"

#include <cstring>

int ScreenPixelsPerInch() {
    static const int ppi = [] {
        TWindowDC dc(nullptr);
        const int v = dc.Get() ? GetDeviceCaps(dc.Get(), LOGPIXELSY) : 0;
        return v > 0 ? v : 96;
    }();
    return ppi;
}

TFont::TFont() : ppi_(ScreenPixelsPerInch()) {}

void TFont::Assign(TPersistent* Source) {
    if (auto* f = dynamic_cast<TFont*>(Source)) {
        if (f == this) return;
        name_ = f->name_;
        height_ = f->height_;
        style_ = f->style_;
        color_ = f->color_;
        charset_ = f->charset_;
        ppi_ = f->ppi_;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

void TFont::SetName(const std::string& Value) {
    if (Value.empty() || Value == name_) return;
    name_ = Value;
    Changed();
}

void TFont::SetHeight(int Value) {
    if (Value == height_) return;
    height_ = Value;
    Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, ppi_); }

void TFont::SetSize(int Value) { SetHeight(-MulDiv(Value, ppi_, 72)); }

void TFont::SetStyle(TFontStyles Value) {
    if (Value == style_) return;
    style_ = Value;
    Changed();
}

void TFont::SetColor(TColor Value) {
    if (Value == color_) return;
    color_ = Value;
    // The colour is not part of the font object: keep the handle.
    OnChange(this);
}

void TFont::SetCharset(TFontCharset Value) {
    if (Value == charset_) return;
    charset_ = Value;
    Changed();
}

HFONT TFont::Handle() {
    if (!handle_) {
        LOGFONTA lf{};
        lf.lfHeight = height_;
        lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = style_.Contains(fsItalic);
        lf.lfUnderline = style_.Contains(fsUnderline);
        lf.lfStrikeOut = style_.Contains(fsStrikeOut);
        lf.lfCharSet = charset_;
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = DEFAULT_PITCH;
        std::strncpy(lf.lfFaceName, name_.c_str(), LF_FACESIZE - 1);
        handle_.Reset(CreateFontIndirectA(&lf));
    }
    return static_cast<HFONT>(handle_.Get());
}

void TFont::SetHandle(HFONT Value) {
    LOGFONTA lf{};
    if (!Value || GetObjectA(Value, sizeof lf, &lf) != sizeof lf) return;
    name_ = lf.lfFaceName;
    height_ = lf.lfHeight;
    style_ = {};
    if (lf.lfWeight >= FW_BOLD) style_.Include(fsBold);
    if (lf.lfItalic) style_.Include(fsItalic);
    if (lf.lfUnderline) style_.Include(fsUnderline);
    if (lf.lfStrikeOut) style_.Include(fsStrikeOut);
    charset_ = lf.lfCharSet;
    // The old font dies only after the listeners have let go of it.
    TGdiObject<HGDIOBJ> retired = std::move(handle_);
    handle_.Reset(Value);
    OnChange(this);
}
