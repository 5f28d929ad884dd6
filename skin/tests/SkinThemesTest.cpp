// Pictures of the built-in styles loaded from the program's resources, and the
// style a control takes from its form.
#include "SkinPixels.h"
#include "SkinThemes.h"
#include "TestSkinControls.h"

#include "Form.h"
#include "Panel.h"

#include <gtest/gtest.h>

namespace {

TEST(LoadBuiltInThemeBitmapFrame, FirstTitleButtonIsTheFirstTwentyOneColumns) {
    TBitmap whole, frame;
    LoadBuiltInThemeBitmap(TskUIStyle::WinXP, TskThemeKey::TitleBarButtonImage, &whole);
    ASSERT_EQ(whole.Width(), 378);
    ASSERT_EQ(whole.Height(), 21);
    LoadBuiltInThemeBitmapFrame(TskUIStyle::WinXP, TskThemeKey::TitleBarButtonImage, &frame, 18, 1);
    ASSERT_EQ(frame.Width(), 21);
    ASSERT_EQ(frame.Height(), 21);
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 21; ++x) ASSERT_EQ(PixelAt(frame, x, y), PixelAt(whole, x, y)) << x << "," << y;

    TBitmap last;
    LoadBuiltInThemeBitmapFrame(TskUIStyle::WinXP, TskThemeKey::TitleBarButtonImage, &last, 18, 18);
    ASSERT_EQ(last.Width(), 21);
    EXPECT_EQ(PixelAt(last, 20, 10), PixelAt(whole, 377, 10));
}

TEST(LoadBuiltInThemeBitmapFrame, SharedScrollButtonWhole) {
    TBitmap reference;
    reference.LoadFromResourceName(nullptr, "MORE_SCROLLBUTTON");
    ASSERT_EQ(reference.Width(), 72);
    ASSERT_EQ(reference.Height(), 17);
    for (TskUIStyle style : {TskUIStyle::DeepBlue, TskUIStyle::Protein, TskUIStyle::BlueGlass}) {
        TBitmap loaded;
        LoadBuiltInThemeBitmapFrame(style, TskThemeKey::ScrollButtonImage, &loaded, 0, 0);
        ASSERT_EQ(loaded.Width(), 72) << UIStyleName(style);
        ASSERT_EQ(loaded.Height(), 17) << UIStyleName(style);
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 72; ++x) ASSERT_EQ(PixelAt(loaded, x, y), PixelAt(reference, x, y)) << x << "," << y;
    }
    TBitmap own;
    LoadBuiltInThemeBitmapFrame(TskUIStyle::WinXP, TskThemeKey::ScrollButtonImage, &own, 0, 0);
    EXPECT_EQ(own.Height(), 18);
}

TEST(LoadBuiltInThemeBitmap, NothingForFromThemeFileOtherKindsOrNoBitmap) {
    TBitmap bitmap;
    FillWith(bitmap, 3, 2, 0x00123456);
    LoadBuiltInThemeBitmap(TskUIStyle::FromThemeFile, TskThemeKey::ButtonImage, &bitmap);
    LoadBuiltInThemeBitmap(TskUIStyle::WinXP, TskThemeKey::FormRoundCornerInt, &bitmap);
    LoadBuiltInThemeBitmap(static_cast<TskUIStyle>(9), TskThemeKey::ButtonImage, &bitmap);
    LoadBuiltInThemeBitmapFrame(TskUIStyle::FromThemeFile, TskThemeKey::TitleBarButtonImage, &bitmap, 18, 1);
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(PixelAt(bitmap, 0, 0), 0x00123456u);
    LoadBuiltInThemeBitmap(TskUIStyle::WinXP, TskThemeKey::ButtonImage, nullptr);
    LoadBuiltInThemeBitmapFrame(TskUIStyle::WinXP, TskThemeKey::ButtonImage, nullptr, 3, 1);
}

TEST(LoadBuiltInThemeBitmap, StyleBitsAboveTheSeventhAreIgnored) {
    TBitmap bitmap;
    LoadBuiltInThemeBitmap(static_cast<TskUIStyle>(0x80 | 2), TskThemeKey::ButtonImage, &bitmap);
    EXPECT_EQ(bitmap.Width(), 54);
    EXPECT_EQ(bitmap.Height(), 21);
}

TEST(GetOwnerFormUIStyle, FirstFrameAmongTheFormsDirectChildren) {
    TOwned<TForm> form = CreateOwned<TForm>();
    auto* panel = Create<TPanel>(form.get());
    panel->SetParent(form.get());
    EXPECT_EQ(GetOwnerFormUIStyle(form.get()), TskUIStyle::DeepBlue);  // no frame yet

    auto* frame = Create<TskTestFormFrame>(form.get());
    frame->SetParent(form.get());
    frame->SetUIStyle(TskUIStyle::WinXP);
    auto* second = Create<TskTestFormFrame>(form.get());
    second->SetParent(form.get());
    second->SetUIStyle(TskUIStyle::MacOS);
    EXPECT_EQ(GetOwnerFormUIStyle(form.get()), TskUIStyle::WinXP);  // the panel comes first, the frame still counts

    // A frame deeper down is no direct child.
    TOwned<TForm> other = CreateOwned<TForm>();
    auto* holder = Create<TPanel>(other.get());
    holder->SetParent(other.get());
    auto* nested = Create<TskTestFormFrame>(other.get());
    nested->SetParent(holder);
    nested->SetUIStyle(TskUIStyle::Protein);
    EXPECT_EQ(GetOwnerFormUIStyle(other.get()), TskUIStyle::DeepBlue);

    // Owners that are no form.
    EXPECT_EQ(GetOwnerFormUIStyle(nullptr), TskUIStyle::DeepBlue);
    EXPECT_EQ(GetOwnerFormUIStyle(panel), TskUIStyle::DeepBlue);
    EXPECT_EQ(GetOwnerFormUIStyle(frame), TskUIStyle::DeepBlue);
}

TEST(GetOwnerFormUIStyle, ControlsThatAreNoFrameDoNotCount) {
    TOwned<TForm> form = CreateOwned<TForm>();
    auto* skinned = Create<TskTestControl>(form.get());
    skinned->SetParent(form.get());
    skinned->SetUIStyle(TskUIStyle::BlueGlass);
    EXPECT_EQ(GetOwnerFormUIStyle(form.get()), TskUIStyle::DeepBlue);
}

}  // namespace
