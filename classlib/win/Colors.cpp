#include "Colors.h"

#include <windows.h>

#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <strings.h>
#include <utility>

namespace {

const std::array<std::pair<TColor, const char*>, 42> kIdents = {{
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"}, {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"}, {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"}, {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"}, {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"}, {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"}, {clBtnFace, "clBtnFace"}, {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"}, {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"}, {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"}, {clNone, "clNone"},
}};

}  // namespace

TColor ColorToRGB(TColor Color) {
    if (Color < 0) return static_cast<TColor>(GetSysColor(Color & 0xFF));
    return Color;
}

bool ColorToIdent(TColor Color, std::string& Ident) {
    for (const auto& [value, name] : kIdents) {
        if (value == Color) {
            Ident = name;
            return true;
        }
    }
    return false;
}

bool IdentToColor(const std::string& Ident, TColor& Color) {
    for (const auto& [value, name] : kIdents) {
        if (strcasecmp(name, Ident.c_str()) == 0) {
            Color = value;
            return true;
        }
    }
    return false;
}

std::string ColorToString(TColor Color) {
    std::string ident;
    if (ColorToIdent(Color, ident)) return ident;
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%08X", static_cast<unsigned>(Color));
    return buf;
}

bool TryStringToColor(const std::string& Text, TColor& Color) {
    if (IdentToColor(Text, Color)) return true;
    if (Text.empty()) return false;
    const bool hex = Text[0] == '$';
    const char* begin = Text.c_str() + (hex ? 1 : 0);
    if (*begin == '\0' || (hex && !std::isxdigit(static_cast<unsigned char>(*begin)))) return false;
    char* end = nullptr;
    const long long v = std::strtoll(begin, &end, hex ? 16 : 10);
    if (*end != '\0' || v < INT32_MIN || v > UINT32_MAX) return false;
    Color = static_cast<TColor>(static_cast<uint32_t>(v));
    return true;
}
