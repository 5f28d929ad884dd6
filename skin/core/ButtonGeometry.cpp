#include "ButtonGeometry.h"

#include <algorithm>

TskGlyphPlacement PlaceGlyph(TButtonLayout Layout, int Width, int Height, int TextW, int TextH, int GlyphW, int GlyphH,
                             int Spacing) {
    TskGlyphPlacement p;
    switch (Layout) {
        case blGlyphLeft:
            p.Glyph = {(Width - (TextW + GlyphW + Spacing)) / 2, (Height - GlyphH) / 2};
            p.Caption = {p.Glyph.X + GlyphW + Spacing, (Height - TextH) / 2};
            break;
        case blGlyphRight:
            p.Glyph = {(Width + TextW + Spacing - GlyphW) / 2, (Height - GlyphH) / 2};
            p.Caption = {p.Glyph.X - TextW - Spacing, (Height - TextH) / 2};
            break;
        case blGlyphTop:
            p.Glyph = {(Width - GlyphW) / 2, (Height - (TextH + GlyphH + Spacing)) / 2};
            p.Caption = {(Width - TextW) / 2, p.Glyph.Y + GlyphH + Spacing};
            break;
        case blGlyphBottom:
            p.Glyph = {(Width - GlyphW) / 2, (Height + TextH + Spacing - GlyphH) / 2};
            p.Caption = {(Width - TextW) / 2, p.Glyph.Y - TextH - Spacing};
            break;
    }
    return p;
}

int GlyphImageWidth(int GlyphW, int GlyphH) { return GlyphW == 2 * GlyphH ? GlyphH : GlyphW; }

TSize ButtonAutoSize(int PictureW, int PictureH) {
    const int w = PictureW == 0 ? 74 : PictureW;
    const int h = PictureH == 0 ? 21 : PictureH;
    return {w / 3, h};
}

TSize CheckBoxAutoSize(int BoxW, int BoxH, int TextH, int CaptionW) {
    return {BoxW + CaptionW + 8, std::max(TextH + 2, BoxH) + 4};
}

std::string RemoveAmpersands(const std::string& Caption) {
    std::string out;
    std::copy_if(Caption.begin(), Caption.end(), std::back_inserter(out), [](char c) { return c != '&'; });
    return out;
}
