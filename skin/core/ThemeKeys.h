#pragma once
// Theme keys and the built-in value tables of the five styles. A theme key has
// a fixed name (also its entry name in theme files) and a kind; the tables hold
// one 32-bit cell per style and key, or for pictures the name of the program's
// bitmap resource.

#include "UIStyle.h"

#include <cstdint>
#include <span>
#include <string_view>

enum class TskThemeKeyKind : std::uint8_t { Int = 0, Color = 1, Image = 2, Bool = 3 };

enum class TskThemeKey : int {
    ButtonImage = 1,
    ButtonTransparentBool = 2,
    CheckBoxImage = 3,
    RadioButtonImage = 4,
    TitleBarButtonImage = 5,
    TitleBarButtonTransparentBool = 6,
    TitleBarButtonLeftOffsetInt = 7,
    TitleBarButtonRightOffsetInt = 8,
    TitleBarButtonTopInt = 9,
    TitleBarLeftImage = 10,
    TitleBarClientImage = 11,
    TitleBarRightImage = 12,
    FormMinWidthInt = 13,
    FormRoundCornerInt = 14,
    FormBackgroundColor = 15,
    FormBorderColor = 16,
    FormBorderWidthInt = 17,
    MenuSelectedBorderColor = 18,
    MenuSelectedBackgroundColor = 19,
    MenuSelectedFontColor = 20,
    MenuBackgroundColor = 21,
    MenuFontColor = 22,
    MenuBarColor = 23,
    ProgressBarImage = 24,
    ControlBorderColor = 25,
    ControlBackgroundColor = 26,
    ControlFontColor = 27,
    TrackBarBarImage = 28,
    TrackBarSliderImage = 29,
    TrackBarSliderVImage = 30,
    ScrollBarBackgroundColor = 31,
    ScrollBarButtonImage = 32,
    ScrollBarSliderImage = 33,
    CheckListBoxImage = 34,
    ToolBarButtonBorderColor = 35,
    ToolBarButtonBackgroundColor = 36,
    ToolBarButtonDownBackgroundColor = 37,
    ScrollButtonImage = 38,
    TabControlTabImage = 39,
    TabControlBarImage = 40,
    SideChannelHandleImage = 41,
    SideChannelBarImage = 42,
};

inline constexpr int ThemeKeyCount = 42;

// Key 1..42 by number; callers pass constants, but a stray number must not
// read outside the tables, so it gets an empty name and kind Int.
std::string_view ThemeKeyName(TskThemeKey Key);
TskThemeKeyKind ThemeKeyKind(TskThemeKey Key);

// One cell of a built-in table. Image cells carry the resource name and Value 0.
struct TskThemeEntry {
    std::int32_t Value = -1;
    TskThemeKeyKind Kind = TskThemeKeyKind::Int;
    const char* Image = nullptr;
};

// Only the low seven bits of Style count. FromThemeFile and any value that is no
// built-in style answer Value -1, Kind Int.
TskThemeEntry BuiltInThemeEntry(TskUIStyle Style, TskThemeKey Key);

// The cell when the key is of the named kind, else the neutral value
// (-1 for Int, 0 for Color, false for Bool, nullptr for Image).
std::int32_t BuiltInThemeInt(TskUIStyle Style, TskThemeKey Key);
std::int32_t BuiltInThemeColor(TskUIStyle Style, TskThemeKey Key);
bool BuiltInThemeBool(TskUIStyle Style, TskThemeKey Key);
const char* BuiltInThemeImageName(TskUIStyle Style, TskThemeKey Key);

// Resource-name prefix of a built-in style ("WINXP"); empty for FromThemeFile.
std::string_view UIStyleResourcePrefix(TskUIStyle Style);

// The five built-in styles in table order.
std::span<const TskUIStyle> BuiltInUIStyles();
