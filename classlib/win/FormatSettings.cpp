#include "FormatSettings.h"

#include "FloatFormat.h"

#include <windows.h>

namespace {
// The first character of a locale text, or Fallback when the system has
// none (an empty thousands separator means no grouping character).
char LocaleChar(LCTYPE Type, char Fallback) {
    char buf[8]{};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, Type, buf, sizeof buf) > 1) return buf[0];
    return Fallback;
}
}  // namespace

void ReadFormatSettings() {
    DecimalSeparator = LocaleChar(LOCALE_SDECIMAL, '.');
    ThousandSeparator = LocaleChar(LOCALE_STHOUSAND, ',');
}
