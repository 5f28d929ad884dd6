#include "UIStyle.h"

std::string_view UIStyleName(TskUIStyle Style) {
    switch (Style) {
    case TskUIStyle::FromThemeFile: return "FromThemeFile";
    case TskUIStyle::MacOS: return "MacOS";
    case TskUIStyle::WinXP: return "WinXP";
    case TskUIStyle::DeepBlue: return "DeepBlue";
    case TskUIStyle::Protein: return "Protein";
    case TskUIStyle::BlueGlass: return "BlueGlass";
    }
    return {};
}

std::optional<TskUIStyle> UIStyleFromName(std::string_view Name) {
    for (int i = 0; i <= 5; ++i) {
        const auto style = static_cast<TskUIStyle>(i);
        if (UIStyleName(style) == Name) return style;
    }
    return std::nullopt;
}

const std::vector<std::string>& UIStyleNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> v;
        for (int i = 0; i <= 5; ++i) v.emplace_back(UIStyleName(static_cast<TskUIStyle>(i)));
        return v;
    }();
    return names;
}
