// The movie list's buttons: the glyph each one paints (the art generator's
// picture, placed by the button's layout, its second image when disabled),
// Add's caption beside its glyph, and the hint each one shows when the
// pointer rests on it.

#include "WindowFixture.h"

#include "ButtonGeometry.h"
#include "DrawnText.h"
#include "Hints.h"
#include "SkinButtons.h"

#include <algorithm>

namespace {

using MovieButtons = MainWindow;

constexpr std::uint32_t Fuchsia = 0x00FF00FF;

// A picture written by the art generator at build time.
void LoadGeneratedGlyph(const std::string& Name, TBitmap& Out) {
    Out.LoadFromFile(WinePath(TESSALOOM_GLYPH_DIR) + "\\" + Name + ".bmp");
}

// The button as its WM_PAINT draws it, into a bitmap.
void Painted(TWinControl* Control, TBitmap& Out) {
    Out.SetSize(Control->Width(), Control->Height());
    for (int y = 0; y < Out.Height(); ++y) std::fill_n(Out.ScanLine(y), Out.Width(), 0x00010203u);
    Control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(Out.Canvas()->Handle()), 0);
    Out.FreeContext();
}

std::uint32_t Px(TBitmap& Bitmap, int X, int Y) { return Bitmap.ScanLine(Y)[X] & 0xFFFFFF; }

enum class THue { Red, Green, Blue };

// Whether a colour is clearly of the hue: its channel leads the other two.
bool OfHue(std::uint32_t Pixel, THue Hue) {
    const int r = (Pixel >> 16) & 0xFF, g = (Pixel >> 8) & 0xFF, b = Pixel & 0xFF;
    switch (Hue) {
    case THue::Red: return r > g + 60 && r > b + 60;
    case THue::Green: return g > r + 60 && g > b + 60;
    case THue::Blue: return b > r + 60 && b > g + 60;
    }
    return false;
}

struct TGlyphCase {
    const char* button;
    const char* picture;
    const char* caption;
    // Points of a 16 x 16 image (the same in both): two on the symbol, one
    // where the button shows through; and the symbol's colour when enabled.
    TPoint ink[2];
    TPoint clear;
    THue hue;
};

const TGlyphCase GlyphCases[] = {
    // A plus: its top and left arms, the corner between them clear.
    {"AddBtn", "Add", "Add", {{7, 3}, {3, 8}}, {3, 3}, THue::Green},
    // A minus: both ends of the bar, above it clear.
    {"RemoveBtn", "Remove", "", {{3, 8}, {12, 8}}, {8, 3}, THue::Red},
    // Arrows: the wide end of the head and the shaft, beside the shaft clear.
    {"UpBtn", "Up", "", {{3, 7}, {8, 12}}, {3, 10}, THue::Blue},
    {"DownBtn", "Down", "", {{3, 8}, {8, 3}}, {3, 5}, THue::Blue},
};

TEST_F(MovieButtons, EachPaintsItsGlyphWhereTheLayoutPutsItAndTheSecondImageWhenDisabled) {
    ChooseMenu("Edit", "Flash Movies");
    for (const TGlyphCase& c : GlyphCases) {
        SCOPED_TRACE(c.button);
        auto* button = Find<TskButton>(c.button);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->Caption(), c.caption);
        EXPECT_EQ(button->Hint, c.picture);

        // The picture is the generator's: two 16 x 16 images, each with the
        // symbol of its button, fuchsia where the face shows through.
        TBitmap art;
        LoadGeneratedGlyph(c.picture, art);
        ASSERT_EQ(art.Width(), 32);
        ASSERT_EQ(art.Height(), 16);
        EXPECT_EQ(Px(art, 0, 0), Fuchsia) << "the mask colour, from the top-left pixel";
        for (int image : {0, 1}) {
            for (TPoint p : c.ink) {
                const std::uint32_t ink = Px(art, image * 16 + p.X, p.Y);
                if (image == 0)
                    EXPECT_TRUE(OfHue(ink, c.hue)) << std::hex << ink << " at " << p.X << "," << p.Y;
                else
                    EXPECT_EQ(ink, 0x808080u) << "the disabled symbol is grey, at " << p.X << "," << p.Y;
            }
            EXPECT_EQ(Px(art, image * 16 + c.clear.X, c.clear.Y), Fuchsia) << "image " << image;
        }

        // The button holds that picture and paints it where its layout puts
        // a 16 x 16 glyph beside its caption.
        ASSERT_EQ(button->Glyph()->Width(), 32);
        ASSERT_EQ(button->Glyph()->Height(), 16);
        TBitmap measure;
        measure.SetSize(1, 1);
        measure.Canvas()->Font()->Assign(button->Font());
        const TSize text = measure.Canvas()->TextExtent(button->Caption());
        const TskGlyphPlacement at =
            PlaceGlyph(button->Layout(), button->Width(), button->Height(), text.cx, text.cy, 16, 16, button->Spacing());
        EXPECT_GE(at.Glyph.X, 2);
        EXPECT_LE(at.Glyph.X + 16, button->Width() - 2) << "the glyph lies inside the button's edge";

        for (bool enabled : {true, false}) {
            button->SetEnabled(enabled);
            TBitmap shot;
            Painted(button, shot);
            const int image = enabled ? 0 : 1;
            int wrong = 0;
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    const std::uint32_t want = Px(art, image * 16 + x, y);
                    const std::uint32_t got = Px(shot, at.Glyph.X + x, at.Glyph.Y + y);
                    const bool ok = want == Fuchsia ? got != Fuchsia : got == want;
                    if (!ok && ++wrong <= 3)
                        ADD_FAILURE() << (enabled ? "enabled" : "disabled") << " glyph pixel " << x << "," << y << " is "
                                      << std::hex << got << ", the picture has " << want;
                }
            EXPECT_EQ(wrong, 0) << (enabled ? "enabled" : "disabled");
        }
        button->SetEnabled(true);
    }
}

TEST_F(MovieButtons, AddsCaptionFitsBesideItsGlyph) {
    ChooseMenu("Edit", "Flash Movies");
    auto* add = Find<TskButton>("AddBtn");
    ASSERT_NE(add, nullptr);
    TBitmap shot;
    Painted(add, shot);  // the paint works out where the caption goes
    const TPoint at = add->CaptionPos();
    EXPECT_GE(at.X, 2 + 16) << "the caption starts after the glyph";
    const TDrawnTextExtent drawn =
        MeasureDrawnText(add->Font(), add->Caption(), {at.X, at.Y, add->Width(), add->Height()}, DT_SINGLELINE);
    EXPECT_LE(drawn.Painted.Right, add->Width() - 2) << "\"Add\" is painted inside the button's edge";
    EXPECT_LE(drawn.Painted.Bottom, add->Height() - 2);
}

TEST_F(MovieButtons, EachShowsItsHintWhenThePointerRestsOnIt) {
    const int pause = Application->HintPause;
    Application->HintPause = 200;
    ChooseMenu("Edit", "Flash Movies");
    RestOn(Find<TCustomEdit>("FlashEdit"), 5, 5);
    for (const TGlyphCase& c : GlyphCases) {
        auto* button = Find<TskButton>(c.button);
        ASSERT_NE(button, nullptr);
        RestOn(button, button->Width() / 2, button->Height() / 2);
        EXPECT_TRUE(PumpUntil([&] { return ShownHintWindow() && ShownHintText() == c.picture; }, 3000))
            << c.button << ": shown \"" << ShownHintText() << "\"";
        if (HWND hint = ShownHintWindow()) {
            EXPECT_TRUE(IsWindowVisible(hint)) << c.button;
            RECT r{};
            GetWindowRect(hint, &r);
            EXPECT_GT(r.top, button->ClientToScreen({0, button->Height() / 2}).Y) << c.button << ": below the pointer";
        }
    }
    Application->HintPause = pause;
    CancelHint();
}

}  // namespace
