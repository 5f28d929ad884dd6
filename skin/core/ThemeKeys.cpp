#include "ThemeKeys.h"

#include <array>

namespace {

struct Cell {
    std::int32_t Value;
    const char* Image;
};

constexpr Cell Val(std::int32_t v) { return {v, nullptr}; }
constexpr Cell Img(const char* name) { return {0, name}; }

struct KeyRow {
    const char* Name;
    TskThemeKeyKind Kind;
    std::array<Cell, 5> Cells;  // MacOS, WinXP, DeepBlue, Protein, BlueGlass
};

// Key order; the cells of each row follow the style numbers 1..5.
constexpr std::array<KeyRow, ThemeKeyCount> Keys{{
    {"ButtonImage", TskThemeKeyKind::Image, {Img("MACOS_BUTTON"), Img("WINXP_BUTTON"), Img("DEEPBLUE_BUTTON"), Img("PROTEIN_BUTTON"), Img("BLUEGLASS_BUTTON")}},
    {"ButtonTransparentBool", TskThemeKeyKind::Bool, {Val(1), Val(0), Val(0), Val(0), Val(1)}},
    {"CheckBoxImage", TskThemeKeyKind::Image, {Img("MACOS_CHECKBOX"), Img("WINXP_CHECKBOX"), Img("DEEPBLUE_CHECKBOX"), Img("PROTEIN_CHECKBOX"), Img("BLUEGLASS_CHECKBOX")}},
    {"RadioButtonImage", TskThemeKeyKind::Image, {Img("MACOS_RADIOBUTTON"), Img("WINXP_RADIOBUTTON"), Img("DEEPBLUE_RADIOBUTTON"), Img("PROTEIN_RADIOBUTTON"), Img("BLUEGLASS_RADIOBUTTON")}},
    {"TitleBarButtonImage", TskThemeKeyKind::Image, {Img("MACOS_TITLEBTN"), Img("WINXP_TITLEBTN"), Img("DEEPBLUE_TITLEBTN"), Img("PROTEIN_TITLEBTN"), Img("BLUEGLASS_TITLEBTN")}},
    {"TitleBarButtonTransparentBool", TskThemeKeyKind::Bool, {Val(0), Val(0), Val(0), Val(1), Val(1)}},
    {"TitleBarButtonLeftOffsetInt", TskThemeKeyKind::Int, {Val(3), Val(2), Val(0), Val(0), Val(4)}},
    {"TitleBarButtonRightOffsetInt", TskThemeKeyKind::Int, {Val(-2), Val(-2), Val(0), Val(0), Val(-3)}},
    {"TitleBarButtonTopInt", TskThemeKeyKind::Int, {Val(4), Val(5), Val(2), Val(2), Val(6)}},
    {"TitleBarLeftImage", TskThemeKeyKind::Image, {Img("MACOS_TITLE_LEFT"), Img("WINXP_TITLE_LEFT"), Img("DEEPBLUE_TITLE_LEFT"), Img("PROTEIN_TITLE_LEFT"), Img("BLUEGLASS_TITLE_LEFT")}},
    {"TitleBarClientImage", TskThemeKeyKind::Image, {Img("MACOS_TITLE_CLIENT"), Img("WINXP_TITLE_CLIENT"), Img("DEEPBLUE_TITLE_CLIENT"), Img("PROTEIN_TITLE_CLIENT"), Img("BLUEGLASS_TITLE_CLIENT")}},
    {"TitleBarRightImage", TskThemeKeyKind::Image, {Img("MACOS_TITLE_RIGHT"), Img("WINXP_TITLE_RIGHT"), Img("DEEPBLUE_TITLE_RIGHT"), Img("PROTEIN_TITLE_RIGHT"), Img("BLUEGLASS_TITLE_RIGHT")}},
    {"FormMinWidthInt", TskThemeKeyKind::Int, {Val(130), Val(150), Val(130), Val(130), Val(270)}},
    {"FormRoundCornerInt", TskThemeKeyKind::Int, {Val(0), Val(13), Val(0), Val(0), Val(11)}},
    {"FormBackgroundColor", TskThemeKeyKind::Color, {Val(0x00E7E7E7), Val(0x00DEEBEF), Val(0x00E8E8E8), Val(0x00FBFBFB), Val(0x00E7E7E7)}},
    {"FormBorderColor", TskThemeKeyKind::Color, {Val(0x007F7F7F), Val(0x00C82C00), Val(0x00000000), Val(0x00000000), Val(0x00000000)}},
    {"FormBorderWidthInt", TskThemeKeyKind::Int, {Val(1), Val(3), Val(1), Val(1), Val(1)}},
    {"MenuSelectedBorderColor", TskThemeKeyKind::Color, {Val(0x00C47339), Val(0x00C66931), Val(0x00A04A44), Val(0x00C4302D), Val(0x00EC5E5E)}},
    {"MenuSelectedBackgroundColor", TskThemeKeyKind::Color, {Val(0x00C47339), Val(0x00EFD3C6), Val(0x00A04A44), Val(0x00C4302D), Val(0x00EC5E5E)}},
    {"MenuSelectedFontColor", TskThemeKeyKind::Color, {Val(0x00FFFFFF), Val(0x00000000), Val(0x00FFFFFF), Val(0x00FFFFFF), Val(0x00FFFFFF)}},
    {"MenuBackgroundColor", TskThemeKeyKind::Color, {Val(0x00000000), Val(0x00FFFFFF), Val(0x00FFFFFF), Val(0x00FFFFFF), Val(0x00E7E7E7)}},
    {"MenuFontColor", TskThemeKeyKind::Color, {Val(0x00000000), Val(0x00000000), Val(0x00000000), Val(0x00000000), Val(0x00000000)}},
    {"MenuBarColor", TskThemeKeyKind::Color, {Val(0x00000000), Val(0x00CED3D6), Val(0x00CED3D6), Val(0x00CED3D6), Val(0x00CED3D6)}},
    {"ProgressBarImage", TskThemeKeyKind::Image, {Img("MACOS_PROGRESSBAR"), Img("WINXP_PROGRESSBAR"), Img("DEEPBLUE_PROGRESSBAR"), Img("PROTEIN_PROGRESSBAR"), Img("BLUEGLASS_PROGRESSBAR")}},
    {"ControlBorderColor", TskThemeKeyKind::Color, {Val(0x007F7F7F), Val(0x00686868), Val(0x00000000), Val(0x00000000), Val(0x00000000)}},
    {"ControlBackgroundColor", TskThemeKeyKind::Color, {Val(0x00E7E7E7), Val(0x00DEEBEF), Val(0x00E8E8E8), Val(0x00FBFBFB), Val(0x00E7E7E7)}},
    {"ControlFontColor", TskThemeKeyKind::Color, {Val(0x00000000), Val(0x00CF4602), Val(0x00000000), Val(0x00000000), Val(0x00000000)}},
    {"TrackBarBarImage", TskThemeKeyKind::Image, {Img("MACOS_TRACKBAR_BAR"), Img("WINXP_TRACKBAR_BAR"), Img("DEEPBLUE_TRACKBAR_BAR"), Img("PROTEIN_TRACKBAR_BAR"), Img("BLUEGLASS_TRACKBAR_BAR")}},
    {"TrackBarSliderImage", TskThemeKeyKind::Image, {Img("MACOS_TRACKBAR_SLIDER"), Img("WINXP_TRACKBAR_SLIDER"), Img("DEEPBLUE_TRACKBAR_SLIDER"), Img("PROTEIN_TRACKBAR_SLIDER"), Img("BLUEGLASS_TRACKBAR_SLIDER")}},
    {"TrackBarSliderVImage", TskThemeKeyKind::Image, {Img("MACOS_TRACKBAR_SLIDER_V"), Img("WINXP_TRACKBAR_SLIDER_V"), Img("DEEPBLUE_TRACKBAR_SLIDER_V"), Img("PROTEIN_TRACKBAR_SLIDER_V"), Img("BLUEGLASS_TRACKBAR_SLIDER_V")}},
    {"ScrollBarBackgroundColor", TskThemeKeyKind::Color, {Val(0x00C9C9C9), Val(0x00F9F9F9), Val(0x00F5F5F5), Val(0x00F5F5F5), Val(0x00F4F4F4)}},
    {"ScrollBarButtonImage", TskThemeKeyKind::Image, {Img("MACOS_SCROLLBAR_BUTTON"), Img("WINXP_SCROLLBAR_BUTTON"), Img("DEEPBLUE_SCROLLBAR_BUTTON"), Img("PROTEIN_SCROLLBAR_BUTTON"), Img("BLUEGLASS_SCROLLBAR_BUTTON")}},
    {"ScrollBarSliderImage", TskThemeKeyKind::Image, {Img("MACOS_SCROLLBAR_TRACK"), Img("WINXP_SCROLLBAR_TRACK"), Img("DEEPBLUE_SCROLLBAR_TRACK"), Img("PROTEIN_SCROLLBAR_TRACK"), Img("BLUEGLASS_SCROLLBAR_TRACK")}},
    {"CheckListBoxImage", TskThemeKeyKind::Image, {Img("MACOS_CHECKLIST"), Img("WINXP_CHECKLIST"), Img("DEEPBLUE_CHECKLIST"), Img("PROTEIN_CHECKLIST"), Img("BLUEGLASS_CHECKLIST")}},
    {"ToolBarButtonBorderColor", TskThemeKeyKind::Color, {Val(0x00474747), Val(0x00C66931), Val(0x00474747), Val(0x00474747), Val(0x00474747)}},
    {"ToolBarButtonBackgroundColor", TskThemeKeyKind::Color, {Val(0x00EFEFEF), Val(0x00EFD3C6), Val(0x00EFEFEF), Val(0x00EFEFEF), Val(0x00EFEFEF)}},
    {"ToolBarButtonDownBackgroundColor", TskThemeKeyKind::Color, {Val(0x00D8D8D8), Val(0x00E1AC93), Val(0x00D8D8D8), Val(0x00D8D8D8), Val(0x00D8D8D8)}},
    {"ScrollButtonImage", TskThemeKeyKind::Image, {Img("MACOS_SCROLLBUTTON"), Img("WINXP_SCROLLBUTTON"), Img("MORE_SCROLLBUTTON"), Img("MORE_SCROLLBUTTON"), Img("MORE_SCROLLBUTTON")}},
    {"TabControlTabImage", TskThemeKeyKind::Image, {Img("MACOS_TAB"), Img("WINXP_TAB"), Img("DEEPBLUE_TAB"), Img("PROTEIN_TAB"), Img("BLUEGLASS_TAB")}},
    {"TabControlBarImage", TskThemeKeyKind::Image, {Img("MACOS_TAB_LINE"), Img("WINXP_TAB_LINE"), Img("DEEPBLUE_TAB_LINE"), Img("PROTEIN_TAB_LINE"), Img("BLUEGLASS_TAB_LINE")}},
    {"SideChannelHandleImage", TskThemeKeyKind::Image, {Img("MACOS_SIDECHENNEL_HANDLE"), Img("WINXP_SIDECHENNEL_HANDLE"), Img("DEEPBLUE_SIDECHENNEL_HANDLE"), Img("PROTEIN_SIDECHENNEL_HANDLE"), Img("BLUEGLASS_SIDECHENNEL_HANDLE")}},
    {"SideChannelBarImage", TskThemeKeyKind::Image, {Img("MACOS_SIDECHENNEL_BAR"), Img("WINXP_SIDECHENNEL_BAR"), Img("DEEPBLUE_SIDECHENNEL_BAR"), Img("PROTEIN_SIDECHENNEL_BAR"), Img("BLUEGLASS_SIDECHENNEL_BAR")}},
}};

constexpr std::array<TskUIStyle, 5> Styles{TskUIStyle::MacOS, TskUIStyle::WinXP, TskUIStyle::DeepBlue,
                                           TskUIStyle::Protein, TskUIStyle::BlueGlass};

const KeyRow* Row(TskThemeKey Key) {
    const int k = static_cast<int>(Key);
    if (k < 1 || k > ThemeKeyCount) return nullptr;
    return &Keys[k - 1];
}

}  // namespace

std::string_view ThemeKeyName(TskThemeKey Key) {
    const KeyRow* row = Row(Key);
    return row ? row->Name : std::string_view{};
}

TskThemeKeyKind ThemeKeyKind(TskThemeKey Key) {
    const KeyRow* row = Row(Key);
    return row ? row->Kind : TskThemeKeyKind::Int;
}

TskThemeEntry BuiltInThemeEntry(TskUIStyle Style, TskThemeKey Key) {
    const int style = static_cast<std::uint8_t>(Style) & 0x7F;
    const KeyRow* row = Row(Key);
    if (style < 1 || style > 5 || !row) return {};
    const Cell& cell = row->Cells[style - 1];
    return {cell.Value, row->Kind, cell.Image};
}

std::int32_t BuiltInThemeInt(TskUIStyle Style, TskThemeKey Key) {
    const TskThemeEntry e = BuiltInThemeEntry(Style, Key);
    return e.Kind == TskThemeKeyKind::Int ? e.Value : -1;
}

std::int32_t BuiltInThemeColor(TskUIStyle Style, TskThemeKey Key) {
    const TskThemeEntry e = BuiltInThemeEntry(Style, Key);
    return e.Kind == TskThemeKeyKind::Color ? e.Value : 0;
}

bool BuiltInThemeBool(TskUIStyle Style, TskThemeKey Key) {
    const TskThemeEntry e = BuiltInThemeEntry(Style, Key);
    return e.Kind == TskThemeKeyKind::Bool && e.Value != 0;
}

const char* BuiltInThemeImageName(TskUIStyle Style, TskThemeKey Key) {
    const TskThemeEntry e = BuiltInThemeEntry(Style, Key);
    return e.Kind == TskThemeKeyKind::Image ? e.Image : nullptr;
}

std::string_view UIStyleResourcePrefix(TskUIStyle Style) {
    switch (Style) {
    case TskUIStyle::MacOS: return "MACOS";
    case TskUIStyle::WinXP: return "WINXP";
    case TskUIStyle::DeepBlue: return "DEEPBLUE";
    case TskUIStyle::Protein: return "PROTEIN";
    case TskUIStyle::BlueGlass: return "BLUEGLASS";
    default: return {};
    }
}

std::span<const TskUIStyle> BuiltInUIStyles() { return Styles; }
