#pragma once
// TFont: a font description (name, height in pixels or size in points at the
// screen's pixels per inch, style, colour, character set) and its HFONT.

#include "Colors.h"
#include "GraphicsObject.h"

#include <cstdint>
#include <initializer_list>

enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };

// A set of font styles.
class TFontStyles {
public:
    constexpr TFontStyles() = default;
    constexpr TFontStyles(std::initializer_list<TFontStyle> Styles) {
        for (TFontStyle s : Styles) bits_ |= Bit(s);
    }
    constexpr bool Contains(TFontStyle S) const { return (bits_ & Bit(S)) != 0; }
    constexpr void Include(TFontStyle S) { bits_ |= Bit(S); }
    constexpr void Exclude(TFontStyle S) { bits_ &= static_cast<uint8_t>(~Bit(S)); }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr uint8_t Bits() const { return bits_; }
    static constexpr TFontStyles FromBits(uint8_t Bits) {
        TFontStyles s;
        s.bits_ = Bits & 0x0F;
        return s;
    }
    constexpr TFontStyles operator+(TFontStyles o) const { return FromBits(bits_ | o.bits_); }
    constexpr TFontStyles operator-(TFontStyles o) const { return FromBits(bits_ & ~o.bits_); }
    constexpr bool operator==(const TFontStyles&) const = default;

private:
    static constexpr uint8_t Bit(TFontStyle S) { return static_cast<uint8_t>(1u << S); }
    uint8_t bits_ = 0;
};

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
