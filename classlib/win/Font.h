#pragma once
// TFont: a font description (name, height in pixels or size in points at the
// screen's pixels per inch, style, colour, character set) and its HFONT.

#include "Colors.h"
#include "GraphicsObject.h"
#include "Set.h"

#include <cstdint>

enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };

using TFontStyles = TSet<TFontStyle>;

using TFontCharset = uint8_t;

// Vertical pixels per logical inch of the screen, read once.
int ScreenPixelsPerInch();

class TFont : public TGraphicsObject {
public:
    TFont();
    std::string ClassName() const override { return "TFont"; }
    void Assign(TPersistent* Source) override;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& Value);
    // Negative: character height; positive: cell height (as LOGFONT).
    int Height() const { return height_; }
    void SetHeight(int Value);
    // Points, converted through PixelsPerInch (8 pt is height -11 at 96).
    int Size() const;
    void SetSize(int Value);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles Value);
    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    TFontCharset Charset() const { return charset_; }
    void SetCharset(TFontCharset Value);
    int PixelsPerInch() const { return ppi_; }
    void SetPixelsPerInch(int Value) { ppi_ = Value > 0 ? Value : ppi_; }

    // The font object, made on first use. The font keeps ownership.
    HFONT Handle();
    // Takes over a font made elsewhere (CreateFontIndirectA) and its description.
    void SetHandle(HFONT Value);

private:
    void Changed() { TGraphicsObject::Changed(handle_); }

    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    TFontStyles style_;
    TColor color_ = clWindowText;
    TFontCharset charset_ = DEFAULT_CHARSET;
    int ppi_;
    TGdiObject<HGDIOBJ> handle_;
};
