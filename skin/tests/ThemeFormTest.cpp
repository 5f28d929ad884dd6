// Theme components read from a stored form description: the embedded theme
// ("SkinData") and a theme manager whose file theme and list arrive by name.
#include "FormTextHex.h"
#include "TestBitmaps.h"
#include "TestSkinControls.h"
#include "ThemeFileWriter.h"
#include "ThemeManager.h"

#include "Form.h"
#include "FormReader.h"
#include "SysUtils.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> ThemeBytes(std::int32_t RoundCorner) {
    TskThemeFileWriter writer;
    writer.AddBitmap("ButtonImage", MakeBitmap(9, 3));
    writer.AddInteger("FormRoundCornerInt", RoundCorner);
    return writer.Bytes();
}

std::string TempFolder() {
    char path[MAX_PATH + 1] = {};
    return IncludeTrailingPathDelimiter(std::string(path, GetTempPathA(MAX_PATH, path)));
}

bool Exists(const std::string& Name) { return GetFileAttributesA(Name.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Description(const std::vector<std::uint8_t>& Skin) {
    return "Form1: TForm\n"
           "  First: TskTestControl\n"
           "    UIStyle = Protein\n"
           "  end\n"
           "  Second: TskTestControl\n"
           "  end\n"
           "  Manager: TskThemeManager\n"
           "    UIStyle = FromThemeFile\n"
           "    FileTheme = Theme1\n"
           "    CompList.Strings = (\n"
           "      \"First\"\n"
           "      \"Second\")\n"
           "  end\n"
           "  Theme1: TskBuiltInFileTheme\n"
           "    ThemeFile = \"mine.skn\"\n"
           "    SkinData = {\n      " +
           FormTextHex(Skin, "      ") +
           "}\n"
           "  end\n"
           "end\n";
}

void Register() {
    RegisterClass<TForm>();
    RegisterClass<TskTestControl>();
    RegisterClass<TskThemeManager>();
    RegisterClass<TskBuiltInFileTheme>();
}

// One test: the temporary copies share one folder and one name.
TEST(ThemeForm, EmbeddedThemeLoadsThroughANumberedTemporaryCopyAndReachesTheListedControls) {
    Register();
    const std::string folder = TempFolder();
    const std::string plainName = folder + "RAZIRAV.skn", one = folder + "RAZIRAV1.skn", two = folder + "RAZIRAV2.skn";
    for (const std::string& n : {plainName, one, two}) DeleteFileA(n.c_str());
    for (const std::string& n : {plainName, one}) {
        HANDLE h = CreateFileA(n.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        CloseHandle(h);
    }

    TOwned<TForm> form = CreateOwned<TForm>();
    ReadFormDescriptionText(form.get(), Description(ThemeBytes(17)), "Form1");
    auto* theme = dynamic_cast<TskBuiltInFileTheme*>(form->FindComponent("Theme1"));
    ASSERT_NE(theme, nullptr);
    EXPECT_TRUE(theme->IsLoaded());
    EXPECT_EQ(theme->ThemeFile(), "mine.skn");
    EXPECT_TRUE(SameText(theme->TskFileTheme::ThemeFile(), two)) << theme->TskFileTheme::ThemeFile();
    EXPECT_FALSE(Exists(two));
    EXPECT_TRUE(Exists(plainName));
    EXPECT_TRUE(Exists(one));

    auto* first = dynamic_cast<TskTestControl*>(form->FindComponent("First"));
    auto* second = dynamic_cast<TskTestControl*>(form->FindComponent("Second"));
    ASSERT_TRUE(first && second);
    for (TskTestControl* c : {first, second}) {
        EXPECT_EQ(c->UIStyle(), TskUIStyle::FromThemeFile);
        EXPECT_EQ(c->FileTheme(), theme);
        EXPECT_TRUE(c->FromFile);
        EXPECT_EQ(c->RoundCorner, 17);
    }
    for (const std::string& n : {plainName, one}) DeleteFileA(n.c_str());
}

TEST(ThemeForm, EmbeddedDataThatIsNoThemeFailsTheFormAndLeavesNoCopy) {
    Register();
    const std::string plainName = TempFolder() + "RAZIRAV.skn";
    std::vector<std::uint8_t> notTheme(40, 0x41);
    TOwned<TForm> form = CreateOwned<TForm>();
    try {
        ReadFormDescriptionText(form.get(), Description(notTheme), "Form1");
        ADD_FAILURE() << "no exception";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Invalid skin file for VIVIvuz!");
    }
    EXPECT_FALSE(Exists(plainName));
}

}  // namespace
