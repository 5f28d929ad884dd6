#include "ThemeKeys.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using K = TskThemeKey;
using S = TskUIStyle;

TEST(ThemeKeys, NamesAndKindsFollowTheLastWordOfEachName) {
    std::set<std::string> names;
    for (int k = 1; k <= ThemeKeyCount; ++k) {
        const std::string name(ThemeKeyName(static_cast<K>(k)));
        ASSERT_FALSE(name.empty()) << k;
        names.insert(name);
        const char* expected = name.ends_with("Image") ? "Image" : name.ends_with("Color") ? "Color"
                             : name.ends_with("Bool") ? "Bool" : name.ends_with("Int") ? "Int" : "?";
        const char* kinds[] = {"Int", "Color", "Image", "Bool"};
        EXPECT_STREQ(kinds[static_cast<int>(ThemeKeyKind(static_cast<K>(k)))], expected) << name;
    }
    EXPECT_EQ(names.size(), 42u);
    EXPECT_EQ(ThemeKeyName(K::SideChannelHandleImage), "SideChannelHandleImage");
    EXPECT_EQ(static_cast<int>(K::ToolBarButtonDownBackgroundColor), 37);
}

TEST(ThemeKeys, KeyOutsideTheTablesIsNeutral) {
    EXPECT_EQ(ThemeKeyName(static_cast<K>(0)), "");
    EXPECT_EQ(ThemeKeyName(static_cast<K>(43)), "");
    EXPECT_EQ(BuiltInThemeInt(S::WinXP, static_cast<K>(43)), -1);
    EXPECT_EQ(BuiltInThemeEntry(S::WinXP, static_cast<K>(-5)).Kind, TskThemeKeyKind::Int);
}

TEST(ThemeKeys, TableCells) {
    struct Case {
        S style;
        K key;
        std::int32_t value;
    };
    const Case cases[] = {
        {S::WinXP, K::FormRoundCornerInt, 13},
        {S::BlueGlass, K::FormMinWidthInt, 270},
        {S::MacOS, K::TitleBarButtonRightOffsetInt, -2},
        {S::BlueGlass, K::TitleBarButtonRightOffsetInt, -3},
        {S::WinXP, K::FormBorderWidthInt, 3},
        {S::WinXP, K::FormBorderColor, 0x00C82C00},
        {S::WinXP, K::FormBackgroundColor, 0x00DEEBEF},
        {S::Protein, K::MenuSelectedBorderColor, 0x00C4302D},
        {S::MacOS, K::MenuBarColor, 0},
        {S::WinXP, K::ControlFontColor, 0x00CF4602},
        {S::WinXP, K::ToolBarButtonDownBackgroundColor, 0x00E1AC93},
        {S::DeepBlue, K::ScrollBarBackgroundColor, 0x00F5F5F5},
        {S::MacOS, K::ButtonTransparentBool, 1},
        {S::Protein, K::TitleBarButtonTransparentBool, 1},
        {S::WinXP, K::ButtonTransparentBool, 0},
    };
    for (const Case& c : cases) {
        const TskThemeEntry e = BuiltInThemeEntry(c.style, c.key);
        EXPECT_EQ(e.Value, c.value) << UIStyleName(c.style) << " " << ThemeKeyName(c.key);
        EXPECT_EQ(e.Kind, ThemeKeyKind(c.key));
        EXPECT_EQ(e.Image, nullptr);
    }
}

TEST(ThemeKeys, ImageCellsNameResourcesByStylePrefix) {
    EXPECT_STREQ(BuiltInThemeImageName(S::WinXP, K::TitleBarLeftImage), "WINXP_TITLE_LEFT");
    EXPECT_STREQ(BuiltInThemeImageName(S::MacOS, K::TrackBarSliderVImage), "MACOS_TRACKBAR_SLIDER_V");
    EXPECT_STREQ(BuiltInThemeImageName(S::Protein, K::ScrollBarSliderImage), "PROTEIN_SCROLLBAR_TRACK");
    EXPECT_STREQ(BuiltInThemeImageName(S::BlueGlass, K::SideChannelBarImage), "BLUEGLASS_SIDECHENNEL_BAR");
    EXPECT_STREQ(BuiltInThemeImageName(S::MacOS, K::ScrollButtonImage), "MACOS_SCROLLBUTTON");
    EXPECT_STREQ(BuiltInThemeImageName(S::WinXP, K::ScrollButtonImage), "WINXP_SCROLLBUTTON");
    for (S s : {S::DeepBlue, S::Protein, S::BlueGlass})
        EXPECT_STREQ(BuiltInThemeImageName(s, K::ScrollButtonImage), "MORE_SCROLLBUTTON");

    std::set<std::string> distinct;
    for (S s : BuiltInUIStyles())
        for (int k = 1; k <= ThemeKeyCount; ++k)
            if (const char* name = BuiltInThemeImageName(s, static_cast<K>(k))) distinct.insert(name);
    EXPECT_EQ(distinct.size(), 93u);
}

TEST(ThemeKeys, KindMismatchGivesNeutralValue) {
    EXPECT_EQ(BuiltInThemeInt(S::WinXP, K::FormRoundCornerInt), 13);
    EXPECT_EQ(BuiltInThemeInt(S::WinXP, K::FormBackgroundColor), -1);
    EXPECT_EQ(BuiltInThemeColor(S::WinXP, K::FormRoundCornerInt), 0);
    EXPECT_FALSE(BuiltInThemeBool(S::MacOS, K::FormRoundCornerInt));
    EXPECT_EQ(BuiltInThemeInt(S::WinXP, K::ButtonImage), -1);
    EXPECT_EQ(BuiltInThemeImageName(S::WinXP, K::FormMinWidthInt), nullptr);
    EXPECT_TRUE(BuiltInThemeBool(S::BlueGlass, K::TitleBarButtonTransparentBool));
}

TEST(ThemeKeys, FromThemeFileAndUnknownStylesAreNeutral) {
    // Only the low seven bits count: 0x82 is WinXP, 0x80 is FromThemeFile.
    const S styles[] = {S::FromThemeFile, static_cast<S>(6), static_cast<S>(0x7F), static_cast<S>(0x80)};
    for (S s : styles) {
        for (int k = 1; k <= ThemeKeyCount; ++k) {
            const K key = static_cast<K>(k);
            const TskThemeEntry e = BuiltInThemeEntry(s, key);
            EXPECT_EQ(e.Value, -1);
            EXPECT_EQ(e.Kind, TskThemeKeyKind::Int);
            EXPECT_EQ(BuiltInThemeInt(s, key), -1);
            EXPECT_EQ(BuiltInThemeColor(s, key), 0);
            EXPECT_FALSE(BuiltInThemeBool(s, key));
            EXPECT_EQ(BuiltInThemeImageName(s, key), nullptr);
        }
    }
    EXPECT_EQ(BuiltInThemeInt(static_cast<S>(0x82), K::FormRoundCornerInt), 13);
}

TEST(UIStyle, NamesRoundTrip) {
    for (int i = 0; i <= 5; ++i) {
        const auto s = static_cast<S>(i);
        EXPECT_EQ(UIStyleFromName(UIStyleName(s)), s);
    }
    EXPECT_EQ(UIStyleName(S::WinXP), "WinXP");
    EXPECT_EQ(UIStyleFromName("winxp"), std::nullopt);
    EXPECT_EQ(UIStyleFromName(""), std::nullopt);
    EXPECT_EQ(DefaultUIStyle, S::DeepBlue);
}
