#pragma once
// Colours: $00BBGGRR values, or a system colour (high byte $FF, low byte the
// COLOR_* index) that ColorToRGB resolves when drawing. Colour identifiers
// ("clBtnFace") are how form descriptions store the named colours.

#include <cstdint>
#include <string>

using TColor = int32_t;

namespace colors_detail {
constexpr TColor System(int Index) { return static_cast<TColor>(0xFF000000u | static_cast<uint32_t>(Index)); }
}  // namespace colors_detail

constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);

constexpr TColor clScrollBar = colors_detail::System(0);
constexpr TColor clBackground = colors_detail::System(1);
constexpr TColor clActiveCaption = colors_detail::System(2);
constexpr TColor clInactiveCaption = colors_detail::System(3);
constexpr TColor clMenu = colors_detail::System(4);
constexpr TColor clWindow = colors_detail::System(5);
constexpr TColor clWindowFrame = colors_detail::System(6);
constexpr TColor clMenuText = colors_detail::System(7);
constexpr TColor clWindowText = colors_detail::System(8);
constexpr TColor clCaptionText = colors_detail::System(9);
constexpr TColor clActiveBorder = colors_detail::System(10);
constexpr TColor clInactiveBorder = colors_detail::System(11);
constexpr TColor clAppWorkSpace = colors_detail::System(12);
constexpr TColor clHighlight = colors_detail::System(13);
constexpr TColor clHighlightText = colors_detail::System(14);
constexpr TColor clBtnFace = colors_detail::System(15);
constexpr TColor clBtnShadow = colors_detail::System(16);
constexpr TColor clGrayText = colors_detail::System(17);
constexpr TColor clBtnText = colors_detail::System(18);
constexpr TColor clInactiveCaptionText = colors_detail::System(19);
constexpr TColor clBtnHighlight = colors_detail::System(20);
constexpr TColor cl3DDkShadow = colors_detail::System(21);
constexpr TColor cl3DLight = colors_detail::System(22);
constexpr TColor clInfoText = colors_detail::System(23);
constexpr TColor clInfoBk = colors_detail::System(24);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
// "No colour" (e.g. no mask colour) and "the control's default"; never drawn.
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor RGBToColor(uint8_t R, uint8_t G, uint8_t B) {
    return static_cast<TColor>(R | (G << 8) | (B << 16));
}

// The $00BBGGRR value to draw with: system colours are looked up now.
TColor ColorToRGB(TColor Color);

// Colour identifiers, case-insensitive when read.
bool ColorToIdent(TColor Color, std::string& Ident);
bool IdentToColor(const std::string& Ident, TColor& Color);
// An identifier when the colour has one, else "$00BBGGRR".
std::string ColorToString(TColor Color);
// Accepts an identifier, "$" hexadecimal or a decimal number; false otherwise.
bool TryStringToColor(const std::string& Text, TColor& Color);
