#pragma once
// What the skin art must satisfy, checked both on the generated files and on
// the resources linked into a Windows program: every name present, the sizes
// the controls rely on, and frame strips that divide evenly.

#include "ThemeKeys.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

struct ArtSize {
    int Width = 0, Height = 0, BitCount = 0;
};

using ArtLoader = std::function<std::optional<ArtSize>(const std::string& name)>;

inline std::vector<std::string> ExtraArtNames() {
    return {"MENU_CHECKED",          "MACOS_MENU_BAR",     "MACOS_MENU_SELECT", "MACOS_FORM_BACKGROUND",
            "PROTEIN_FORM_BACKGROUND", "MDI_CONTROL_BUTTON", "DBNAV_BUTTON"};
}

inline std::vector<std::string> StyleArtNames() {
    std::set<std::string> names;
    for (TskUIStyle s : BuiltInUIStyles())
        for (int k = 1; k <= ThemeKeyCount; ++k)
            if (const char* n = BuiltInThemeImageName(s, static_cast<TskThemeKey>(k))) names.insert(n);
    return {names.begin(), names.end()};
}

inline void CheckArt(const ArtLoader& load) {
    const std::vector<std::string> styleNames = StyleArtNames();
    ASSERT_EQ(styleNames.size(), 93u);
    for (const std::string& name : styleNames) EXPECT_TRUE(load(name).has_value()) << name << " missing";
    for (const std::string& name : ExtraArtNames()) EXPECT_TRUE(load(name).has_value()) << name << " missing";

    const struct {
        const char* name;
        int w, h;
    } fixed[] = {
        {"WINXP_BUTTON", 54, 21},          {"WINXP_CHECKBOX", 52, 13},         {"WINXP_RADIOBUTTON", 52, 13},
        {"WINXP_TITLEBTN", 378, 21},       {"WINXP_TITLE_LEFT", 35, 29},       {"WINXP_TITLE_RIGHT", 35, 29},
        {"WINXP_TITLE_CLIENT", 37, 29},    {"WINXP_PROGRESSBAR", 6, 10},       {"WINXP_TRACKBAR_BAR", 45, 8},
        {"WINXP_TRACKBAR_SLIDER", 11, 21}, {"WINXP_TRACKBAR_SLIDER_V", 22, 11}, {"WINXP_SCROLLBAR_BUTTON", 96, 17},
        {"WINXP_SCROLLBAR_TRACK", 21, 16}, {"WINXP_CHECKLIST", 44, 11},        {"WINXP_SCROLLBUTTON", 72, 18},
        {"WINXP_TAB", 18, 18},             {"WINXP_TAB_LINE", 8, 1},           {"WINXP_SIDECHENNEL_HANDLE", 8, 86},
        {"WINXP_SIDECHENNEL_BAR", 1, 21},  {"MORE_SCROLLBUTTON", 72, 17},
        {"MACOS_TITLEBTN", 306, 17},       {"DEEPBLUE_TITLEBTN", 342, 19},     {"PROTEIN_TITLEBTN", 342, 19},
        {"BLUEGLASS_TITLEBTN", 342, 19},   {"DEEPBLUE_BUTTON", 222, 21},       {"MACOS_CHECKBOX", 60, 17},
        {"DEEPBLUE_CHECKBOX", 52, 13},     {"PROTEIN_CHECKBOX", 52, 13},       {"BLUEGLASS_CHECKBOX", 52, 13},
        {"MENU_CHECKED", 16, 16},          {"MACOS_MENU_BAR", 1, 22},          {"MACOS_MENU_SELECT", 1, 21},
        {"MACOS_FORM_BACKGROUND", 8, 8},   {"PROTEIN_FORM_BACKGROUND", 8, 8},  {"MDI_CONTROL_BUTTON", 48, 16},
        {"DBNAV_BUTTON", 160, 16},
    };
    for (const auto& f : fixed) {
        const auto size = load(f.name);
        if (!size) continue;
        EXPECT_EQ(size->Width, f.w) << f.name;
        EXPECT_EQ(size->Height, f.h) << f.name;
    }
    if (const auto nav = load("DBNAV_BUTTON")) {
        EXPECT_EQ(nav->BitCount, 8);
    }

    // The title bar's height comes from its left picture; the caption and the
    // tab strip heights below are what the forms are laid out for.
    const struct {
        TskUIStyle style;
        int title, tabStrip;
    } heights[] = {{TskUIStyle::MacOS, 23, 34}, {TskUIStyle::WinXP, 29, 19}, {TskUIStyle::DeepBlue, 32, 22},
                   {TskUIStyle::Protein, 23, 22}, {TskUIStyle::BlueGlass, 33, 22}};
    for (const auto& h : heights) {
        auto get = [&](TskThemeKey key) { return load(BuiltInThemeImageName(h.style, key)); };
        const auto left = get(TskThemeKey::TitleBarLeftImage), client = get(TskThemeKey::TitleBarClientImage),
                   right = get(TskThemeKey::TitleBarRightImage), tab = get(TskThemeKey::TabControlTabImage),
                   line = get(TskThemeKey::TabControlBarImage), buttons = get(TskThemeKey::ScrollBarButtonImage),
                   thumb = get(TskThemeKey::ScrollBarSliderImage), push = get(TskThemeKey::ButtonImage);
        if (!left || !client || !right || !tab || !line || !buttons || !thumb || !push) continue;
        EXPECT_EQ(left->Height, h.title) << UIStyleName(h.style);
        EXPECT_EQ(client->Height, h.title) << UIStyleName(h.style);
        EXPECT_EQ(right->Height, h.title) << UIStyleName(h.style);
        EXPECT_EQ(tab->Height + line->Height, h.tabStrip) << UIStyleName(h.style);
        EXPECT_EQ(tab->Width % 6, 0) << UIStyleName(h.style) << ": two tabs of three equal parts";
        EXPECT_EQ(thumb->Height, buttons->Width / 6) << UIStyleName(h.style) << ": thumb as thick as the bar";
        EXPECT_EQ(push->Height % 2, 1) << UIStyleName(h.style) << ": button art of odd height";
    }

    const struct {
        TskThemeKey key;
        int frames;
    } strips[] = {{TskThemeKey::TitleBarButtonImage, 18}, {TskThemeKey::ScrollBarButtonImage, 6},
                  {TskThemeKey::ScrollButtonImage, 4},    {TskThemeKey::ScrollBarSliderImage, 3},
                  {TskThemeKey::TabControlTabImage, 2},   {TskThemeKey::ButtonImage, 3},
                  {TskThemeKey::CheckBoxImage, 4},        {TskThemeKey::RadioButtonImage, 4},
                  {TskThemeKey::TrackBarBarImage, 3},     {TskThemeKey::CheckListBoxImage, 4}};
    for (TskUIStyle s : BuiltInUIStyles())
        for (const auto& strip : strips) {
            const char* name = BuiltInThemeImageName(s, strip.key);
            if (const auto size = load(name)) {
                EXPECT_EQ(size->Width % strip.frames, 0) << name;
            }
        }
}
