#include "Colors.h"

#include "ClassInfo.h"
#include "TypInfo.h"

#include <windows.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>

TColor ColorToRGB(TColor Color) {
    if (Color < 0) return static_cast<TColor>(GetSysColor(Color & 0xFF));
    return Color;
}

// The identifiers are those the stored descriptions use.
bool ColorToIdent(TColor Color, std::string& Ident) { return IntToIdent(Color, Ident, ColorIdentTable()); }

bool IdentToColor(const std::string& Ident, TColor& Color) {
    std::int64_t v = 0;
    if (!IdentToInt(Ident, v, ColorIdentTable())) return false;
    Color = static_cast<TColor>(v);
    return true;
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
