// The skinned group box on a shown form: its frame with the caption gap,
// where the children go, the enabled state and the style handed to them.
#include "SkinCheckBox.h"
#include "SkinControlFixture.h"
#include "SkinEdit.h"
#include "SkinGroupBox.h"

#include "DrawnText.h"
#include "TestFolder.h"
#include "ThemeFileWriter.h"
#include "TypInfo.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr std::uint32_t XPBorderPixel = 0x00686868;

class SkinGroupBoxes : public SkinControlsTest {
protected:
    TskGroupBox* Box(const std::string& Caption) {
        auto* b = Add<TskGroupBox>(20, 20, 185, 105);
        b->SetUIStyle(TskUIStyle::WinXP);
        b->SetColor(clWhite);
        b->SetCaption(Caption);
        return b;
    }
    static int TopEdge(TskGroupBox* Box) { return std::abs(Box->Font()->Height()) / 2 + 1; }
};

TEST_F(SkinGroupBoxes, AnEmptyCaptionGivesAClosedFrameAtHalfTheFontHeightPlusOne) {
    TskGroupBox* box = Box("");
    TBitmap shot;
    Painted(box, shot);
    const int y = TopEdge(box);
    EXPECT_EQ(BoxOf(shot, XPBorderPixel), Rect(0, y, 185, 105));
    for (int x = 0; x < 185; ++x) ASSERT_EQ(Px(shot, x, y), XPBorderPixel) << "top edge at " << x;
    for (int x = 0; x < 185; ++x) ASSERT_EQ(Px(shot, x, 104), XPBorderPixel) << "bottom edge at " << x;
    for (int v = y; v < 105; ++v) {
        ASSERT_EQ(Px(shot, 0, v), XPBorderPixel) << "left edge at " << v;
        ASSERT_EQ(Px(shot, 184, v), XPBorderPixel) << "right edge at " << v;
    }
    // Inside and above the frame: the box's colour.
    EXPECT_EQ(CountOf(shot, 0xFFFFFFu) + CountOf(shot, XPBorderPixel), 185 * 105);
}

TEST_F(SkinGroupBoxes, TheCaptionSitsInAGapOfTheTopEdge) {
    TskGroupBox* box = Box("Settings");
    TBitmap shot;
    Painted(box, shot);
    const int y = TopEdge(box);
    // The caption's ink: anything neither frame nor background.
    TRect ink{185, 105, 0, 0};
    for (int v = 0; v < 105; ++v)
        for (int x = 0; x < 185; ++x) {
            const std::uint32_t p = Px(shot, x, v);
            if (p == 0xFFFFFF || p == XPBorderPixel) continue;
            ink = Rect(std::min(ink.Left, x), std::min(ink.Top, v), std::max(ink.Right, x + 1), std::max(ink.Bottom, v + 1));
        }
    ASSERT_LT(ink.Left, ink.Right) << "no caption painted";
    EXPECT_GE(ink.Left, 5);
    EXPECT_LE(ink.Left, 7);
    EXPECT_EQ(ink.Top >= 0 && ink.Top <= 3, true) << ink.Top;
    // The edge: pixels 0..2, then the gap, then the edge again to the right end.
    for (int x = 0; x <= 2; ++x) EXPECT_EQ(Px(shot, x, y), XPBorderPixel) << x;
    int gapEnd = 3;
    while (gapEnd < 185 && Px(shot, gapEnd, y) != XPBorderPixel) ++gapEnd;
    EXPECT_GE(gapEnd, ink.Right) << "the edge runs through the caption";
    EXPECT_LE(gapEnd, ink.Right + 4) << "the gap is wider than the caption";
    for (int x = gapEnd; x < 185; ++x) ASSERT_EQ(Px(shot, x, y), XPBorderPixel) << "top edge at " << x;
    // The caption is drawn in the style's font colour.
    EXPECT_GT(CountOf(shot, PixelOf(0x00CF4602)), 5);
}

TEST_F(SkinGroupBoxes, AClientAlignedChildFillsTheInsideOfTheFrame) {
    TskGroupBox* box = Box("Settings");
    auto* child = Add<TPanel>(0, 0, 10, 10, box);
    child->SetAlign(alClient);
    const int h = std::abs(box->Font()->Height());
    EXPECT_EQ(child->BoundsRect(), Rect(3, h + 5, 185 - 3, 105 - 3));
    // A larger font moves the top down.
    box->Font()->SetHeight(-20);
    EXPECT_EQ(child->BoundsRect(), Rect(3, 25, 182, 102));
}

TEST_F(SkinGroupBoxes, EnabledReachesEveryChildAndTheCaptionGreys) {
    TskGroupBox* box = Box("Licence");
    auto* memo = Add<TskEdit>(10, 20, 100, 21, box);
    auto* own = Add<TskEdit>(10, 50, 100, 21, box);
    own->SetEnabled(false);
    TBitmap enabled;
    Painted(box, enabled);
    box->SetEnabled(false);
    EXPECT_FALSE(memo->Enabled());
    EXPECT_FALSE(own->Enabled());
    TBitmap disabled;
    Painted(box, disabled);
    EXPECT_GT(CountOf(enabled, PixelOf(0x00CF4602)), 5);
    EXPECT_EQ(CountOf(disabled, PixelOf(0x00CF4602)), 0);
    EXPECT_GT(CountOf(disabled, 0x00808080), 5);
    // Enabling the box enables also the child that was disabled on its own.
    box->SetEnabled(true);
    EXPECT_TRUE(memo->Enabled());
    EXPECT_TRUE(own->Enabled());
}

TEST_F(SkinGroupBoxes, StyleGivesTheColoursAndReachesTheChildren) {
    TskGroupBox* box = Box("Settings");
    auto* edit = Add<TskEdit>(10, 20, 100, 21, box);
    auto* check = Add<TskCheckBox>(10, 50, 100, 17, box);
    Add<TPanel>(10, 70, 30, 10, box);  // takes no style: passed over
    struct TCase {
        TskUIStyle style;
        TColor border, font;
    };
    for (const TCase& c : {TCase{TskUIStyle::WinXP, 0x00686868, 0x00CF4602}, TCase{TskUIStyle::MacOS, 0x007F7F7F, 0},
                           TCase{TskUIStyle::DeepBlue, 0, 0}, TCase{TskUIStyle::FromThemeFile, 0, 0}}) {
        box->SetUIStyle(c.style);
        EXPECT_EQ(box->BorderColor(), c.border) << UIStyleName(c.style);
        EXPECT_EQ(box->Font()->Color(), c.font) << UIStyleName(c.style);
        EXPECT_EQ(edit->UIStyle(), c.style);
        EXPECT_EQ(check->UIStyle(), c.style);
        EXPECT_EQ(edit->BorderColor(), c.border) << "the edit applied the style it was given";
        TBitmap shot;
        Painted(box, shot);
        EXPECT_EQ(Px(shot, 0, 104), PixelOf(c.border)) << UIStyleName(c.style);
    }
}

TEST_F(SkinGroupBoxes, DefaultsAndTheWindowTextApartFromTheCaption) {
    auto* box = Add<TskGroupBox>(20, 20, 185, 105);
    box->SetCaption("Settings");
    EXPECT_EQ(box->Width(), 185);
    EXPECT_EQ(box->Height(), 105);
    EXPECT_TRUE(box->ParentColor());
    EXPECT_EQ(box->Color(), FormColor);
    EXPECT_FALSE(box->Transparent());
    EXPECT_FALSE(box->TabStop());
    EXPECT_EQ(box->UIStyle(), TskUIStyle::DeepBlue) << "a form without a skinned frame";
    char text[32]{};
    GetWindowTextA(box->Handle(), text, sizeof text);
    EXPECT_STREQ(text, " ");
    EXPECT_EQ(GetStrProp(box, "Caption"), "Settings");
}

TEST_F(SkinGroupBoxes, ThemeFileColoursAndTheFallBackWhenTheThemeGoes) {
    TskThemeFileWriter writer;
    writer.AddInteger("ControlBorderColor", 0x00123456);
    writer.AddInteger("ControlFontColor", 0x00654321);
    const std::vector<std::uint8_t> bytes = writer.Bytes();
    TTestFolder folder;
    const std::string file = folder.Write("colours.skn", std::string(bytes.begin(), bytes.end()));
    auto* theme = Create<TskFileTheme>(form.get());
    theme->SetThemeFile(file);
    ASSERT_TRUE(theme->IsLoaded());

    TskGroupBox* box = Box("Settings");
    auto* inside = Add<TskEdit>(10, 20, 100, 21, box);
    auto* alone = Add<TskEdit>(10, 150, 100, 21);
    box->SetFileTheme(theme);
    box->SetUIStyle(TskUIStyle::FromThemeFile);
    alone->SetFileTheme(theme);
    alone->SetUIStyle(TskUIStyle::FromThemeFile);
    EXPECT_EQ(box->BorderColor(), 0x00123456);
    EXPECT_EQ(box->Font()->Color(), 0x00654321);
    EXPECT_EQ(inside->FileTheme(), theme);
    EXPECT_EQ(inside->BorderColor(), 0x00123456);
    EXPECT_EQ(alone->BorderColor(), 0x00123456);
    // A theme given with another style is loaded but not shown.
    alone->SetUIStyle(TskUIStyle::WinXP);
    EXPECT_EQ(alone->BorderColor(), 0x00686868);
    alone->SetUIStyle(TskUIStyle::FromThemeFile);

    theme->Free();
    for (TskEdit* e : {inside, alone}) {
        EXPECT_EQ(e->FileTheme(), nullptr);
        EXPECT_EQ(e->UIStyle(), TskUIStyle::DeepBlue);
        EXPECT_EQ(e->BorderColor(), 0);
    }
    EXPECT_EQ(box->FileTheme(), nullptr);
    EXPECT_EQ(box->UIStyle(), TskUIStyle::DeepBlue);
    EXPECT_EQ(box->BorderColor(), 0);
    EXPECT_EQ(box->Font()->Color(), 0);
}

}  // namespace
