// The skinned check box on a shown form: its size from box and caption, the
// box frame per state, OnClick on every change but not while loading, the
// focus rectangle, and toggling by mouse, keys and accelerator.
#include "SkinCheckBox.h"
#include "SkinControlFixture.h"
#include "SkinThemes.h"

#include "DrawnText.h"
#include "FormReader.h"
#include "GraphicsHandles.h"

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

// A caption colour found nowhere in the skin art.
constexpr TColor InkColor = 0x0000A000;
constexpr std::uint32_t InkPixel = 0x0000A000;

// Where the caption inks a white check box: every pixel right of the box
// that is not white (smoothed edges included).
TRect CaptionInk(TBitmap& Shot, int BoxWidth) {
    TRect box{Shot.Width(), Shot.Height(), 0, 0};
    for (int y = 0; y < Shot.Height(); ++y)
        for (int x = BoxWidth + 1; x < Shot.Width(); ++x) {
            if (Px(Shot, x, y) == 0xFFFFFF) continue;
            box.Left = std::min(box.Left, x);
            box.Top = std::min(box.Top, y);
            box.Right = std::max(box.Right, x + 1);
            box.Bottom = std::max(box.Bottom, y + 1);
        }
    return box;
}

struct TClickCount : TObject {
    int clicks = 0;
    void Click(TObject*) { ++clicks; }
};

class SkinCheckBoxes : public SkinControlsTest {
protected:
    TskCheckBox* Box(const std::string& Caption, int Top, TskUIStyle Style = TskUIStyle::WinXP) {
        auto* c = Add<TskCheckBox>(20, Top, 93, 17);
        c->SetUIStyle(Style);
        c->SetCaption(Caption);
        c->Font()->SetColor(InkColor);
        c->OnClick = TNotifyEvent::Bind<&TClickCount::Click>(&count);
        return c;
    }
    TClickCount count;
};

TEST_F(SkinCheckBoxes, AutoSizeFitsTheBoxAndTheWholeCaption) {
    TBitmap measure;
    struct TCase {
        TskUIStyle style;
        int boxW, boxH;
    };
    for (const TCase& c : {TCase{TskUIStyle::WinXP, 13, 13}, TCase{TskUIStyle::DeepBlue, 13, 13},
                           TCase{TskUIStyle::Protein, 13, 13}, TCase{TskUIStyle::BlueGlass, 13, 13},
                           TCase{TskUIStyle::MacOS, 15, 17}}) {
        TskCheckBox* box = Box("Mute", 20, c.style);
        box->SetColor(clWhite);
        TBitmap shot;
        Painted(box, shot);  // auto-size runs in the paint
        measure.Canvas()->Font()->Assign(box->Font());
        const int textHeight = measure.Canvas()->TextHeight("W");
        const int reported = measure.Canvas()->TextWidth("Mute");
        const int painted = MeasureDrawnText(box->Font(), "Mute", Rect(0, 0, 0, 0), DT_SINGLELINE).Painted.Right;
        EXPECT_EQ(box->Height(), std::max(textHeight + 2, c.boxH) + 4) << UIStyleName(c.style);
        EXPECT_EQ(box->Width(), c.boxW + 8 + std::max(reported, painted)) << UIStyleName(c.style);
        if (textHeight == 13) {
            EXPECT_EQ(box->Height(), c.boxH == 17 ? 21 : 19) << UIStyleName(c.style);
        }
        // Nothing of the caption is cut off: it paints the same in a wide box.
        Painted(box, shot);
        const TRect ink = CaptionInk(shot, c.boxW);
        box->SetAutoSize(false);
        box->SetWidth(300);
        TBitmap wide;
        Painted(box, wide);
        EXPECT_EQ(CaptionInk(wide, c.boxW), ink) << UIStyleName(c.style);
        // The caption starts 4 pixels after the box (the letter's own bearing aside).
        EXPECT_GE(ink.Left, c.boxW + 4) << UIStyleName(c.style);
        EXPECT_LE(ink.Left, c.boxW + 4 + 2) << UIStyleName(c.style);
        box->Free();
    }
}

TEST_F(SkinCheckBoxes, TheBoxShowsFrameOneToFourByCheckedAndEnabled) {
    TskCheckBox* box = Box("", 20);
    box->SetColor(clWhite);
    struct TCase {
        bool checked, enabled;
        int frame;
    };
    for (const TCase& c : {TCase{true, true, 1}, TCase{false, true, 2}, TCase{true, false, 3}, TCase{false, false, 4}}) {
        box->SetChecked(c.checked);
        box->SetEnabled(c.enabled);
        TBitmap shot, frame;
        Painted(box, shot);
        LoadBuiltInThemeBitmapFrame(TskUIStyle::WinXP, TskThemeKey::CheckBoxImage, &frame, 4, c.frame);
        ASSERT_EQ(frame.Width(), 13);
        const int top = (box->Height() - 13) / 2;
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 13; ++x)
                ASSERT_EQ(Px(shot, 1 + x, top + y), Px(frame, x, y)) << "frame " << c.frame << " at " << x << "," << y;
        EXPECT_EQ(Px(shot, 0, 0), 0xFFFFFFu);
    }
}

TEST_F(SkinCheckBoxes, TheCaptionKeepsItsColourWhenDisabled) {
    TskCheckBox* box = Box("Ignore", 20);
    TBitmap enabled, disabled;
    Painted(box, enabled);
    box->SetEnabled(false);
    Painted(box, disabled);
    EXPECT_GT(CountOf(enabled, InkPixel), 10);
    EXPECT_EQ(CountOf(disabled, InkPixel), CountOf(enabled, InkPixel));
}

TEST_F(SkinCheckBoxes, GrayedStateUnchecks) {
    TskCheckBox* box = Box("Mute", 20);
    box->SetState(cbChecked);
    EXPECT_TRUE(box->Checked());
    box->SetState(cbGrayed);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_EQ(count.clicks, 2);
}

// A form whose check box's OnClick is bound by name in its description.
class TClickForm : public TForm {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info = DescribeClass<TClickForm, TForm>("TClickForm", [](auto& c) {
            c.template Handler<&TClickForm::BoxClick>("BoxClick");
        });
        return info;
    }
    void BoxClick(TObject*) { ++Clicks; }
    int Clicks = 0;
};

TEST_F(SkinCheckBoxes, OnClickFiresOnEveryChangeButNotWhileLoading) {
    TskCheckBox* box = Box("Mute", 20);
    struct TCase {
        const char* what;
        std::function<void()> act;
        bool checked;
        int clicks;
    };
    const TCase cases[] = {
        {"checked from code", [&] { box->SetChecked(true); }, true, 1},
        {"the same value again", [&] { box->SetChecked(true); }, true, 1},
        {"unchecked by State", [&] { box->SetState(cbUnchecked); }, false, 2},
        {"a click", [&] { ClickAt(box->Handle(), 5, 5); }, true, 3},
        {"a double click toggles twice", [&] { ClickAt(box->Handle(), 5, 5, true); }, true, 5},
        {"a release outside", [&] {
             LeftDown(box, 5, 5);
             LeftUp(box, 300, 5);
         }, true, 5},
    };
    for (const TCase& c : cases) {
        c.act();
        EXPECT_EQ(box->Checked(), c.checked) << c.what;
        EXPECT_EQ(count.clicks, c.clicks) << c.what;
    }

    RegisterClass<TClickForm>();
    RegisterClass<TskCheckBox>();
    auto stored = CreateOwned<TClickForm>();
    ReadFormDescriptionText(stored.get(),
                            "Form1: TClickForm\n  Box: TskCheckBox\n    Checked = True\n    State = cbChecked\n"
                            "    OnClick = BoxClick\n  end\nend\n",
                            "Form1");
    auto* loaded = dynamic_cast<TskCheckBox*>(stored->FindComponent("Box"));
    ASSERT_NE(loaded, nullptr);
    EXPECT_TRUE(loaded->Checked());
    EXPECT_EQ(stored->Clicks, 0);
    loaded->SetChecked(false);
    EXPECT_EQ(stored->Clicks, 1);
}

TEST_F(SkinCheckBoxes, FocusRectangleOnlyWithFocusAndTabStop) {
    TskCheckBox* box = Box("Mute", 20);
    TskCheckBox* other = Box("Other", 60);
    other->SetFocus();
    PumpFor(30);
    TBitmap unfocused, focused;
    Painted(box, unfocused);
    box->SetFocus();
    PumpFor(30);
    Painted(box, focused);
    const std::vector<TPoint> diff = Differences(unfocused, focused);
    ASSERT_FALSE(diff.empty());
    // The rectangle reaches the right edge, whatever the caption's width.
    EXPECT_TRUE(std::any_of(diff.begin(), diff.end(), [&](TPoint p) { return p.X == box->Width() - 1; }));
    EXPECT_TRUE(std::none_of(diff.begin(), diff.end(), [](TPoint p) { return p.X < 13 + 3; }));

    box->SetTabStop(false);
    Painted(box, focused);
    EXPECT_TRUE(box->Focused());
    EXPECT_TRUE(SamePixels(unfocused, focused));
}

TEST_F(SkinCheckBoxes, AHeldKeyTogglesOnceAtItsRelease) {
    for (WORD key : {WORD(VK_SPACE), WORD(VK_RETURN)}) {
        TskCheckBox* box = Box("Mute", 20);
        box->SetFocus();
        PumpFor(30);
        const int before = count.clicks;
        for (int repeat = 0; repeat < 5; ++repeat)
            PostMessageA(box->Handle(), WM_KEYDOWN, key, repeat ? 0x40000001 : 1);
        PumpFor(60);
        EXPECT_FALSE(box->Checked()) << key;
        PostMessageA(box->Handle(), WM_KEYUP, key, 0xC0000001);
        PumpFor(60);
        EXPECT_TRUE(box->Checked()) << key;
        EXPECT_EQ(count.clicks, before + 1) << key;
        box->Free();
    }
}

TEST_F(SkinCheckBoxes, TheAcceleratorFocusesAndToggles) {
    TskCheckBox* mute = Box("&Mute", 20);
    TskCheckBox* other = Box("Other", 60);
    other->SetFocus();
    PumpFor(30);
    PressKeys({VK_MENU, 'M'});
    EXPECT_TRUE(mute->Checked());
    EXPECT_TRUE(mute->Focused());
    EXPECT_EQ(count.clicks, 1);
    mute->SetEnabled(false);
    other->SetFocus();
    PumpFor(30);
    PressKeys({VK_MENU, 'M'});
    EXPECT_TRUE(mute->Checked());
    EXPECT_EQ(count.clicks, 1);
}

}  // namespace

namespace {

// The bitmaps of a paint go with it (counted by the library's wrappers).
TEST_F(SkinCheckBoxes, PaintingKeepsNoGdiObjects) {
    TskCheckBox* box = Box("Mute", 20);
    TBitmap shot;
    Painted(box, shot);
    const long before = LiveGdiObjects();
    for (int round = 0; round < 200; ++round) {
        box->SetChecked(round % 2 == 0);
        box->SetEnabled(round % 3 != 0);
        box->Perform(WM_PAINT, reinterpret_cast<WPARAM>(shot.Canvas()->Handle()), 0);
    }
    EXPECT_EQ(LiveGdiObjects(), before);
}

}  // namespace
