// The skinned popup menu as a component: its published properties and their
// values, styles from the form's frame and from a theme file, and the hooking
// of items as they join the form.
#include "TestSkinControls.h"

#include "PopupMenu.h"

#include "Bitmap.h"
#include "FileStream.h"
#include "Form.h"
#include "FormReader.h"
#include "Menus.h"
#include "SkinThemes.h"
#include "SysUtils.h"
#include "ThemeFileWriter.h"
#include "TypInfo.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string TempFolder() {
    char path[MAX_PATH + 1] = {};
    return IncludeTrailingPathDelimiter(std::string(path, GetTempPathA(MAX_PATH, path)));
}

// A path as a quoted string of a description, where "\\" escapes.
std::string Escaped(const std::string& Text) {
    std::string out;
    for (char c : Text) {
        if (c == '\\') out += '\\';
        out += c;
    }
    return out;
}

TEST(SkinPopupMenu, PublishesItsPropertiesInOrder) {
    std::vector<std::string> names;
    for (const TPropInfo* p : TskPopupMenu::StaticClassInfo().Properties()) names.push_back(p->Name);
    const std::vector<std::string> own = {"OwnerDraw",   "FileTheme",       "UIStyle",       "MenuItemHeight",
                                          "SeparatorHeight", "BarWidth",    "BarColor",      "Color",
                                          "SeparatorColor",  "SelectedBorderColor", "SelectedColor", "SelectedFontColor",
                                          "FontColor",   "BorderColor",     "FlatMenu",      "FontName",
                                          "FontSize",    "FontCharset",     "UseSystemFont"};
    ASSERT_GE(names.size(), own.size());
    EXPECT_EQ(std::vector<std::string>(names.end() - static_cast<std::ptrdiff_t>(own.size()), names.end()), own);
}

TEST(SkinPopupMenu, ValuesAfterConstructionOnAFormWithoutFrame) {
    TOwned<TForm> form = CreateOwned<TForm>();
    auto* menu = Create<TskPopupMenu>(form.get());
    EXPECT_EQ(menu->UIStyle(), TskUIStyle::DeepBlue);
    EXPECT_TRUE(menu->OwnerDraw());
    menu->SetOwnerDraw(false);
    EXPECT_TRUE(menu->OwnerDraw());
    EXPECT_EQ(GetOrdProp(menu, "OwnerDraw"), 1);
    EXPECT_EQ(menu->FileTheme(), nullptr);
    EXPECT_EQ(menu->MenuItemHeight(), 21);
    EXPECT_EQ(menu->SeparatorHeight(), 5);
    EXPECT_EQ(menu->BarWidth(), 26);
    EXPECT_EQ(menu->BarColor(), 0x00CED3D6);
    EXPECT_EQ(menu->Color(), 0x00FFFFFF);
    EXPECT_EQ(menu->SeparatorColor(), 0x00848284);
    EXPECT_EQ(menu->SelectedBorderColor(), 0x00A04A44);
    EXPECT_EQ(menu->SelectedColor(), 0x00A04A44);
    EXPECT_EQ(menu->SelectedFontColor(), 0x00FFFFFF);
    EXPECT_EQ(menu->FontColor(), 0x00000000);
    EXPECT_EQ(menu->BorderColor(), 0);
    EXPECT_FALSE(menu->FlatMenu());
    EXPECT_EQ(menu->FontName(), "MS Sans Serif");
    EXPECT_EQ(menu->FontSize(), 8);
    EXPECT_EQ(menu->FontCharset(), 1);
    EXPECT_TRUE(menu->UseSystemFont());
}

TEST(SkinPopupMenu, TakesTheStyleOfTheFormsFrame) {
    RegisterSkinFormFrame(TskTestFormFrame::StaticClassInfo());
    TOwned<TForm> form = CreateOwned<TForm>();
    auto* frame = Create<TskTestFormFrame>(form.get());
    frame->SetParent(form.get());
    frame->SetUIStyle(TskUIStyle::MacOS);
    auto* menu = Create<TskPopupMenu>(form.get());
    EXPECT_EQ(menu->UIStyle(), TskUIStyle::MacOS);
    EXPECT_EQ(menu->MenuItemHeight(), 20);
    EXPECT_EQ(menu->SeparatorHeight(), 12);
    EXPECT_EQ(menu->SeparatorColor(), 0);
    EXPECT_EQ(menu->BarColor(), 0);
    EXPECT_EQ(menu->SelectedColor(), 0x00C47339);
}

TEST(SkinPopupMenu, AStyleFromADescriptionReplacesTheStoredColourWhenTheThemeArrives) {
    RegisterClass<TForm>();
    RegisterClass<TskPopupMenu>();
    RegisterClass<TMenuItem>();
    RegisterClass<TskFileTheme>();
    // A theme file giving the six menu colours.
    TskThemeFileWriter writer;
    writer.AddInteger("MenuSelectedBorderColor", 0x00010203);
    writer.AddInteger("MenuSelectedBackgroundColor", 0x00040506);
    writer.AddInteger("MenuSelectedFontColor", 0x00070809);
    writer.AddInteger("MenuBackgroundColor", 0x000A0B0C);
    writer.AddInteger("MenuFontColor", 0x000D0E0F);
    writer.AddInteger("MenuBarColor", 0x00996733);
    const std::string file = TempFolder() + "menu_colours_" + std::to_string(GetCurrentProcessId()) + ".skn";
    {
        const std::vector<std::uint8_t> bytes = writer.Bytes();
        TFileStream f(file, fmCreate);
        f.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    }
    const std::string text = "Form1: TForm\n"
                             "  Menu1: TskPopupMenu\n"
                             "    FileTheme = Theme1\n"
                             "    UIStyle = FromThemeFile\n"
                             "    Color = 255\n"
                             "    BarWidth = 40\n"
                             "    Item1: TMenuItem\n"
                             "      Caption = \"One\"\n"
                             "    end\n"
                             "  end\n"
                             "  Theme1: TskFileTheme\n"
                             "    ThemeFile = \"" +
                             Escaped(file) + "\"\n"
                             "  end\n"
                             "end\n";
    TOwned<TForm> form = CreateOwned<TForm>();
    ReadFormDescriptionText(form.get(), text, "Form1");
    DeleteFileA(file.c_str());
    auto* menu = dynamic_cast<TskPopupMenu*>(form->FindComponent("Menu1"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->Color(), 0x000A0B0C);
    EXPECT_EQ(menu->BarWidth(), 26);
    EXPECT_EQ(menu->BarColor(), 0x00996733);
    EXPECT_EQ(menu->FontColor(), 0x000D0E0F);
    EXPECT_EQ(menu->SelectedBorderColor(), 0x00010203);
    EXPECT_EQ(menu->SelectedColor(), 0x00040506);
    EXPECT_EQ(menu->SelectedFontColor(), 0x00070809);
    // Loading hooked the stored item.
    auto* item = dynamic_cast<TMenuItem*>(form->FindComponent("Item1"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->OnDrawItem.Target(), static_cast<TskMenuSkin*>(menu));

    // The theme going away leaves DeepBlue.
    menu->FileTheme()->Free();
    EXPECT_EQ(menu->FileTheme(), nullptr);
    EXPECT_EQ(menu->UIStyle(), TskUIStyle::DeepBlue);
    EXPECT_EQ(menu->Color(), 0x00FFFFFF);
    EXPECT_EQ(menu->SelectedColor(), 0x00A04A44);
}

TEST(SkinPopupMenu, ItemsJoiningTheOwnerAreHookedToTheLastMenuAndLetGoWhenItGoes) {
    TOwned<TForm> form = CreateOwned<TForm>();
    auto* plain = Create<TPopupMenu>(form.get());
    auto* first = Create<TskPopupMenu>(form.get());
    auto* second = Create<TskPopupMenu>(form.get());
    // An item of another menu of the same owner, with a sub-item made before it joins.
    auto* item = Create<TMenuItem>(form.get());
    plain->Items()->Add(item);
    EXPECT_EQ(item->OnDrawItem.Target(), static_cast<TskMenuSkin*>(second));
    EXPECT_EQ(item->OnMeasureItem.Target(), static_cast<TskMenuSkin*>(second));

    // HookItems reaches sub-items at any depth.
    auto* top = Create<TMenuItem>(nullptr);
    auto* sub = Create<TMenuItem>(nullptr);
    auto* subsub = Create<TMenuItem>(nullptr);
    sub->Add(subsub);
    top->Add(sub);
    first->Items()->Add(top);
    EXPECT_FALSE(subsub->OnDrawItem);
    first->HookItems();
    EXPECT_EQ(subsub->OnDrawItem.Target(), static_cast<TskMenuSkin*>(first));
    EXPECT_EQ(top->OnMeasureItem.Target(), static_cast<TskMenuSkin*>(first));

    second->Free();
    EXPECT_FALSE(item->OnDrawItem);
    EXPECT_FALSE(item->OnMeasureItem);
    // Painting falls back to the class library's own drawing.
    TBitmap b;
    b.SetSize(100, 30);
    item->SetCaption("x");
    item->DrawItem(b.Canvas(), Rect(0, 0, 100, 21), false);
}

}  // namespace
