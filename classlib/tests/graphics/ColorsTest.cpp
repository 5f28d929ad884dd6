#include "Colors.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(Colors, SystemColoursResolveThroughTheSystem) {
    EXPECT_EQ(ColorToRGB(clBtnFace), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(ColorToRGB(clHighlight), static_cast<TColor>(GetSysColor(COLOR_HIGHLIGHT)));
    EXPECT_EQ(ColorToRGB(clInfoText), static_cast<TColor>(GetSysColor(COLOR_INFOTEXT)));
    EXPECT_LT(clWindow, 0);
}

TEST(Colors, PlainColoursPassUnchanged) {
    EXPECT_EQ(ColorToRGB(clFuchsia), 0x00FF00FF);
    EXPECT_EQ(ColorToRGB(clRed), 0x000000FF);
    EXPECT_EQ(ColorToRGB(0x00CF4602), 0x00CF4602);
    EXPECT_EQ(static_cast<COLORREF>(clBlue), RGB(0, 0, 255));
    EXPECT_EQ(RGBToColor(1, 2, 3), static_cast<TColor>(RGB(1, 2, 3)));
}

TEST(Colors, IdentifiersAndTexts) {
    struct Case {
        const char* text;
        bool ok;
        TColor value;
    };
    const Case cases[] = {
        {"clBtnFace", true, clBtnFace},   {"CLFUCHSIA", true, clFuchsia}, {"clInfoText", true, clInfoText},
        {"$00CF4602", true, 0x00CF4602},  {"$FF00000F", true, clBtnFace}, {"255", true, 255},
        {"-16777201", true, clBtnFace},   {"", false, 0},                 {"$", false, 0},
        {"$-1", false, 0},                {"clNope", false, 0},           {"12abc", false, 0},
    };
    for (const Case& c : cases) {
        TColor v = 0;
        EXPECT_EQ(TryStringToColor(c.text, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
    EXPECT_EQ(ColorToString(clMenuText), "clMenuText");
    EXPECT_EQ(ColorToString(0x00DEEBEF), "$00DEEBEF");
}

}  // namespace
