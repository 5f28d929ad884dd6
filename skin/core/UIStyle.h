#pragma once
// The visual styles of the skinned controls. Form descriptions store a style
// by its name, so the names below are part of the stored format.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class TskUIStyle : std::uint8_t {
    FromThemeFile = 0,
    MacOS = 1,
    WinXP = 2,
    DeepBlue = 3,
    Protein = 4,
    BlueGlass = 5,
};

inline constexpr TskUIStyle DefaultUIStyle = TskUIStyle::DeepBlue;

// "WinXP" for TskUIStyle::WinXP; an empty view for a value outside the enumeration.
std::string_view UIStyleName(TskUIStyle Style);

// The style stored under Name (exact spelling, as the form writer puts it).
std::optional<TskUIStyle> UIStyleFromName(std::string_view Name);

// The names in value order, as the run-time property tables list an enumeration.
const std::vector<std::string>& UIStyleNames();
