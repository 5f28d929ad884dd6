// The generated art files and the WinXP theme file made from them.
#include "ArtExpectations.h"
#include "BitmapFile.h"
#include "Streams.h"
#include "ThemeFile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::string ArtDir = SKIN_ART_DIR;

std::optional<std::vector<std::uint8_t>> ArtBytes(const std::string& name) {
    const std::string path = ArtDir + "/" + name + ".bmp";
    if (!std::filesystem::exists(path)) return std::nullopt;
    TMemoryStream file;
    file.LoadFromFile(path);
    const auto* p = static_cast<const std::uint8_t*>(file.Memory());
    return std::vector<std::uint8_t>(p, p + file.Size());
}

TBmpLayout Layout(const std::vector<std::uint8_t>& bmp) { return ParseBmp(bmp.data(), bmp.size(), true); }

std::optional<ArtSize> LoadArtFile(const std::string& name) {
    const auto bytes = ArtBytes(name);
    if (!bytes) return std::nullopt;
    const TBmpLayout info = Layout(*bytes);
    return ArtSize{info.Width, info.Height, info.BitCount};
}

// Colour of pixel (x, y), counted from the top, of a bottom-up 24-bit bitmap file.
std::uint32_t PixelAt(const std::vector<std::uint8_t>& bmp, int x, int y) {
    const TBmpLayout info = Layout(bmp);
    EXPECT_EQ(info.BitCount, 24);
    const std::size_t stride = (info.Width * 3 + 3) / 4 * 4;
    const std::size_t offBits = bmp[10] | (bmp[11] << 8);
    const std::size_t at = offBits + (info.Height - 1 - y) * stride + x * 3;
    return (bmp[at + 2] << 16) | (bmp[at + 1] << 8) | bmp[at];
}

constexpr std::uint32_t Fuchsia = 0xFF00FF;

}  // namespace

TEST(SkinArt, EveryPictureAtItsSize) { CheckArt(LoadArtFile); }

TEST(SkinArt, TransparentCornersAreFuchsia) {
    // The tab strip decides transparency from pixel (0, 0) of each tab frame;
    // bitmaps drawn transparent take their bottom-left pixel as the key.
    for (TskUIStyle s : BuiltInUIStyles()) {
        const char* tabName = BuiltInThemeImageName(s, TskThemeKey::TabControlTabImage);
        const auto tab = ArtBytes(tabName);
        ASSERT_TRUE(tab) << tabName;
        const TBmpLayout info = Layout(*tab);
        EXPECT_EQ(PixelAt(*tab, 0, 0), Fuchsia) << tabName;
        EXPECT_EQ(PixelAt(*tab, info.Width / 2, 0), Fuchsia) << tabName << " second frame";
    }
    for (const char* name : {"PROTEIN_TITLEBTN", "BLUEGLASS_TITLEBTN", "MDI_CONTROL_BUTTON", "MORE_SCROLLBUTTON"}) {
        const auto bmp = ArtBytes(name);
        ASSERT_TRUE(bmp) << name;
        const TBmpLayout info = Layout(*bmp);
        EXPECT_EQ(PixelAt(*bmp, 0, info.Height - 1), Fuchsia) << name;
    }
    // Opaque caption buttons show the caption behind them instead.
    const auto xp = ArtBytes("WINXP_TITLEBTN");
    ASSERT_TRUE(xp);
    EXPECT_NE(PixelAt(*xp, 0, 20), Fuchsia);
}

TEST(SkinArt, NavigatorPictureHasFuchsiaFirstInItsPalette) {
    const auto nav = ArtBytes("DBNAV_BUTTON");
    ASSERT_TRUE(nav);
    const std::size_t palette = 14 + 40;
    EXPECT_EQ((*nav)[palette + 0], 0xFF);  // blue
    EXPECT_EQ((*nav)[palette + 1], 0x00);  // green
    EXPECT_EQ((*nav)[palette + 2], 0xFF);  // red
}

TEST(SkinArt, ThemeFileCarriesTheWinXPValuesAndPictures) {
    TskThemeFileReader reader(std::string(SKIN_THEME_FILE));
    ASSERT_TRUE(IsValidThemeFile(SKIN_THEME_FILE));
    EXPECT_EQ(reader.Images().size(), 19u);
    EXPECT_EQ(reader.Integers().size(), 21u);
    EXPECT_EQ(reader.Booleans().size(), 2u);
    for (int k = 1; k <= ThemeKeyCount; ++k) {
        const auto key = static_cast<TskThemeKey>(k);
        const std::string name(ThemeKeyName(key));
        switch (ThemeKeyKind(key)) {
        case TskThemeKeyKind::Int: EXPECT_EQ(reader.ReadInt(name), BuiltInThemeInt(TskUIStyle::WinXP, key)) << name; break;
        case TskThemeKeyKind::Color: EXPECT_EQ(reader.ReadInt(name), BuiltInThemeColor(TskUIStyle::WinXP, key)) << name; break;
        case TskThemeKeyKind::Bool: EXPECT_EQ(reader.ReadBool(name), BuiltInThemeBool(TskUIStyle::WinXP, key)) << name; break;
        case TskThemeKeyKind::Image: {
            TMemoryStream* image = reader.ReadStream(name);
            ASSERT_NE(image, nullptr) << name;
            const auto* p = static_cast<const std::uint8_t*>(image->Memory());
            EXPECT_EQ(std::vector<std::uint8_t>(p, p + image->Size()),
                      ArtBytes(BuiltInThemeImageName(TskUIStyle::WinXP, key)).value()) << name;
            break;
        }
        }
    }
    // Pictures first, in key order, starting right after the header.
    EXPECT_EQ(reader.Images().front().Name, "ButtonImage");
    EXPECT_EQ(reader.Images().back().Name, "SideChannelBarImage");
    EXPECT_EQ(reader.Integers().front(), "TitleBarButtonLeftOffsetInt=2");
    EXPECT_EQ(reader.Booleans().front(), "ButtonTransparentBool=0");
}
