// The skinned main menu: its image lists, its style colours, and how it
// leaves the form's own menu for the form's frame and keeps the frame told.
#include "SkinPixels.h"
#include "TestSkinControls.h"

#include "MainMenu.h"

#include "Bitmap.h"
#include "Form.h"
#include "FormReader.h"
#include "ImageList.h"
#include "Menus.h"
#include "SkinThemes.h"
#include "TypInfo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A form frame stand-in with a "Menu" property that links a skinned main menu
// the way the frame does, and records what the menu asks of it.
class TskTestMenuFrame : public TskTestFormFrame, public TskMenuBarHost {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info =
            DescribeClass<TskTestMenuFrame, TskTestFormFrame>("TskTestMenuFrame", [](auto& c) {
                c.template Reference<TMainMenu>("Menu", &TskTestMenuFrame::Menu, &TskTestMenuFrame::SetMenu);
            });
        return info;
    }
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* Value) {
        if (auto* old = dynamic_cast<TskMainMenu*>(menu_)) old->SetLinkedForm(nullptr);
        menu_ = Value;
        if (auto* now = dynamic_cast<TskMainMenu*>(Value)) now->SetLinkedForm(this);
    }
    void RebuildMenuBar() override { Calls.push_back("Rebuild"); }
    void RefreshMenuBarButtons() override { Calls.push_back("Refresh"); }
    void UpdateMenuBarFont() override { Calls.push_back("Font"); }
    std::vector<std::string> Calls;

private:
    TMainMenu* menu_ = nullptr;
};

namespace {

// Whether the check mark's dark pixels stand at (X, Y) of Canvas.
bool ShowsCheckMark(TBitmap& Canvas, int X, int Y) {
    TBitmap mark;
    mark.LoadFromResourceName(nullptr, "MENU_CHECKED");
    int dark = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const std::uint32_t p = PixelAt(mark, x, y);
            if (p == 0xFFFFFF) continue;
            ++dark;
            if (PixelAt(Canvas, X + x, Y + y) != p) return false;
        }
    return dark > 10;
}

TEST(SkinMainMenu, PublishesItsPropertiesInOrder) {
    std::vector<std::string> names;
    for (const TPropInfo* p : TskMainMenu::StaticClassInfo().Properties()) names.push_back(p->Name);
    const std::vector<std::string> own = {
        "Images",        "OwnerDraw",         "FileTheme",       "UIStyle",   "MenuItemHeight", "SeparatorHeight",
        "BarWidth",      "BarColor",          "Color",           "SeparatorColor", "SelectedBorderColor",
        "SelectedColor", "SelectedFontColor", "FontColor",       "BorderColor",    "FlatMenu",
        "FontName",      "FontSize",          "FontCharset",     "UseSystemFont"};
    ASSERT_GE(names.size(), own.size());
    EXPECT_EQ(std::vector<std::string>(names.end() - static_cast<std::ptrdiff_t>(own.size()), names.end()), own);
    // The class library's own stay published.
    EXPECT_NE(TskMainMenu::StaticClassInfo().FindProperty("AutoHotkeys"), nullptr);
    EXPECT_NE(TskMainMenu::StaticClassInfo().FindProperty("OnChange"), nullptr);
}

TEST(SkinMainMenu, ImagesReadNilUntilAUserListAndTheCheckMarkStaysAfterNil) {
    TOwned<TForm> form = CreateOwned<TForm>();
    auto* menu = Create<TskMainMenu>(form.get());
    EXPECT_EQ(menu->Images(), nullptr);
    EXPECT_EQ(GetObjectProp(menu, "Images"), nullptr);
    menu->SetOwnerDraw(false);
    EXPECT_TRUE(menu->OwnerDraw());
    EXPECT_EQ(GetOrdProp(menu, "OwnerDraw"), 1);

    auto* item = Create<TMenuItem>(form.get());
    item->SetCaption("Checked");
    item->SetChecked(true);
    menu->Items()->Add(item);
    menu->SetUIStyle(TskUIStyle::WinXP);
    TBitmap canvas;
    auto paint = [&] {
        FillWith(canvas, 220, 30, 0x00123456);
        item->DrawItem(canvas.Canvas(), Rect(0, 0, 200, 21), false);
    };
    paint();
    EXPECT_TRUE(ShowsCheckMark(canvas, 4, 3));

    // A user list with one red image: the item's image replaces the mark.
    auto* images = Create<TImageList>(form.get(), 16, 16);
    TBitmap red;
    FillWith(red, 16, 16, 0x00FF0000);
    images->Add(&red);
    SetObjectProp(menu, "Images", images);
    EXPECT_EQ(menu->Images(), images);
    item->SetImageIndex(0);
    paint();
    EXPECT_EQ(PixelAt(canvas, 10, 10), 0xFF0000u);
    EXPECT_EQ(PixelAt(canvas, 2, 1), 0u);

    menu->SetImages(nullptr);
    EXPECT_EQ(menu->Images(), nullptr);
    paint();
    EXPECT_TRUE(ShowsCheckMark(canvas, 4, 3));

    // A user list that goes away leaves the check mark in use.
    menu->SetImages(images);
    images->Free();
    EXPECT_EQ(menu->Images(), nullptr);
    paint();
    EXPECT_TRUE(ShowsCheckMark(canvas, 4, 3));
}

struct StyleColors {
    TskUIStyle Style;
    TColor Bar, Background, Font, SelectedBorder, Selected, SelectedFont;
    int ItemHeight, SeparatorHeight;
    TColor Separator;
};

TEST(SkinMainMenu, EachStyleSetsTheColourTableAndTheHeights) {
    const StyleColors table[] = {
        {TskUIStyle::MacOS, 0x00000000, 0x00000000, 0x00000000, 0x00C47339, 0x00C47339, 0x00FFFFFF, 20, 12, 0},
        // The values the builder's window stores for WinXP, in decimal.
        {TskUIStyle::WinXP, 13554646, 0x00FFFFFF, 0x00000000, 13003057, 15717318, 0x00000000, 21, 5, 8684164},
        {TskUIStyle::DeepBlue, 0x00CED3D6, 0x00FFFFFF, 0x00000000, 0x00A04A44, 0x00A04A44, 0x00FFFFFF, 21, 5, 0x00848284},
        {TskUIStyle::Protein, 0x00CED3D6, 0x00FFFFFF, 0x00000000, 0x00C4302D, 0x00C4302D, 0x00FFFFFF, 21, 5, 0x00848284},
        {TskUIStyle::BlueGlass, 0x00CED3D6, 0x00E7E7E7, 0x00000000, 0x00EC5E5E, 0x00EC5E5E, 0x00FFFFFF, 21, 5, 0x00848284},
    };
    TOwned<TForm> form = CreateOwned<TForm>();
    auto* menu = Create<TskMainMenu>(form.get());
    for (const StyleColors& s : table) {
        SCOPED_TRACE(std::string(UIStyleName(s.Style)));
        // Values set before the style are overwritten by it.
        menu->SetColor(0x00010101);
        menu->SetBarColor(0x00020202);
        menu->SetBarWidth(3);
        menu->SetUIStyle(s.Style);
        EXPECT_EQ(menu->BarColor(), s.Bar);
        EXPECT_EQ(menu->Color(), s.Background);
        EXPECT_EQ(menu->FontColor(), s.Font);
        EXPECT_EQ(menu->SelectedBorderColor(), s.SelectedBorder);
        EXPECT_EQ(menu->SelectedColor(), s.Selected);
        EXPECT_EQ(menu->SelectedFontColor(), s.SelectedFont);
        EXPECT_EQ(menu->BarWidth(), 26);
        EXPECT_EQ(menu->MenuItemHeight(), s.ItemHeight);
        EXPECT_EQ(menu->SeparatorHeight(), s.SeparatorHeight);
        EXPECT_EQ(menu->SeparatorColor(), s.Separator);
        menu->SetMenuItemHeight(33);
        menu->SetSeparatorHeight(7);
        EXPECT_EQ(menu->MenuItemHeight(), s.Style == TskUIStyle::MacOS ? 20 : 33);
        EXPECT_EQ(menu->SeparatorHeight(), s.Style == TskUIStyle::MacOS ? 12 : 7);
    }
}

TEST(SkinMainMenu, AFormWithoutFrameStillLosesItsMenu) {
    TOwned<TForm> form = CreateOwned<TForm>();
    auto* plain = Create<TMainMenu>(form.get());
    form->SetMenu(plain);
    auto* menu = Create<TskMainMenu>(form.get());
    EXPECT_EQ(form->Menu(), nullptr);
    EXPECT_EQ(menu->LinkedForm(), nullptr);
    EXPECT_EQ(menu->UIStyle(), TskUIStyle::DeepBlue);
}

TEST(SkinMainMenu, GivesItselfToTheFormsFrameAndKeepsItTold) {
    RegisterSkinFormFrame(TskTestFormFrame::StaticClassInfo());
    TOwned<TForm> form = CreateOwned<TForm>();
    auto* other = Create<TskTestControl>(form.get());
    other->SetParent(form.get());
    auto* frame = Create<TskTestMenuFrame>(form.get());
    frame->SetParent(form.get());
    frame->SetUIStyle(TskUIStyle::Protein);
    auto* plain = Create<TMainMenu>(form.get());
    form->SetMenu(plain);

    auto* menu = Create<TskMainMenu>(form.get());
    EXPECT_EQ(form->Menu(), nullptr);
    EXPECT_EQ(frame->Menu(), menu);
    EXPECT_EQ(menu->LinkedForm(), static_cast<TskMenuBarHost*>(frame));
    EXPECT_EQ(menu->UIStyle(), TskUIStyle::Protein);

    // An item joining the form is hooked, and its change reaches the bar.
    frame->Calls.clear();
    auto* item = Create<TMenuItem>(form.get());
    EXPECT_EQ(item->OnDrawItem.Target(), static_cast<TskMenuSkin*>(menu));
    menu->Items()->Add(item);
    item->SetCaption("&File");
    EXPECT_EQ(frame->Calls, (std::vector<std::string>{"Refresh", "Refresh"}));

    frame->Calls.clear();
    menu->HookAllItems();
    menu->SetUseSystemFont(false);
    EXPECT_EQ(frame->Calls, (std::vector<std::string>{"Rebuild", "Font"}));

    // The frame going away leaves the menu unlinked.
    frame->Free();
    EXPECT_EQ(menu->LinkedForm(), nullptr);
    item->SetCaption("Other");
}

TEST(SkinMainMenu, LoadingHooksStoredItemsAtAnyDepthAndRebuildsTheBar) {
    RegisterSkinFormFrame(TskTestFormFrame::StaticClassInfo());
    RegisterClass<TForm>();
    RegisterClass<TskMainMenu>();
    RegisterClass<TMenuItem>();
    RegisterClass<TskTestMenuFrame>();
    const std::string text = "Form1: TForm\n"
                             "  Frame1: TskTestMenuFrame\n"
                             "    UIStyle = WinXP\n"
                             "  end\n"
                             "  Menu1: TskMainMenu\n"
                             "    UIStyle = WinXP\n"
                             "    Color = 255\n"
                             "    File1: TMenuItem\n"
                             "      Caption = \"&File\"\n"
                             "      Open1: TMenuItem\n"
                             "        Caption = \"&Open\"\n"
                             "      end\n"
                             "    end\n"
                             "  end\n"
                             "end\n";
    TOwned<TForm> form = CreateOwned<TForm>();
    ReadFormDescriptionText(form.get(), text, "Form1");
    auto* frame = dynamic_cast<TskTestMenuFrame*>(form->FindComponent("Frame1"));
    auto* menu = dynamic_cast<TskMainMenu*>(form->FindComponent("Menu1"));
    auto* open = dynamic_cast<TMenuItem*>(form->FindComponent("Open1"));
    ASSERT_TRUE(frame && menu && open);
    EXPECT_EQ(frame->Menu(), menu);
    EXPECT_EQ(menu->Color(), 255);
    EXPECT_EQ(open->OnMeasureItem.Target(), static_cast<TskMenuSkin*>(menu));
    ASSERT_FALSE(frame->Calls.empty());
    EXPECT_EQ(frame->Calls.back(), "Rebuild");
}

}  // namespace
