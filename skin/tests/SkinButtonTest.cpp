// The skinned buttons on a shown form, driven by real mouse and key messages:
// their states and the frame each state shows, the repeat event while held,
// the keys, modal results, focus looks, glyphs, auto-size, transparency read
// from a stored form, pictures that are no bitmaps, the speed button's hover
// and the image an action gives an empty glyph.
#include "SkinButtons.h"
#include "SkinControlFixture.h"
#include "ScratchThemeFile.h"
#include "SkinPublic.h"
#include "SkinThemes.h"

#include "Action.h"
#include "Edit.h"
#include "GraphicsHandles.h"
#include "FormReader.h"
#include "Icon.h"
#include "ImageList.h"
#include "Panel.h"
#include "StdControls.h"
#include "SysUtils.h"
#include "TestBitmaps.h"
#include "ThemeFileWriter.h"
#include "TypInfo.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t Red = 0x00FF0000, Blue = 0x000000FF, Fuchsia = 0x00FF00FF;
// A caption colour found nowhere in the skin art.
constexpr TColor InkColor = 0x0000A000;
constexpr std::uint32_t InkPixel = 0x0000A000;

// Frame K of the style's button picture stretched over a W x H button of the form's colour.
void ExpectedFrame(TskUIStyle Style, int K, int W, int H, bool Transparent, TBitmap& Out) {
    TBitmap frame;
    LoadBuiltInThemeBitmapFrame(Style, TskThemeKey::ButtonImage, &frame, 3, K);
    Out.SetSize(W, H);
    for (int y = 0; y < H; ++y) std::fill_n(Out.ScanLine(y), W, SkinControlsTest::FormPixel);
    DrawNineGridBitmap(&frame, Out.Canvas(), {0, 0, W, H}, Transparent);
    Out.FreeContext();
}

// Which of the three frames a caption-less button shows now (0: none of them).
int ShownFrame(TskButton* Button) {
    TBitmap shot;
    Painted(Button, shot);
    for (int k = 1; k <= 3; ++k) {
        TBitmap expected;
        ExpectedFrame(Button->UIStyle(), k, Button->Width(), Button->Height(), Button->Transparent(), expected);
        if (SamePixels(shot, expected)) return k;
    }
    return 0;
}

// A W x H glyph: fuchsia border (the mask colour, from the top-left pixel)
// round Colour; a second image of Second beside it when Second is given.
void MakeGlyph(TBitmap& Glyph, int W, int H, std::uint32_t Colour, std::uint32_t Second = 0) {
    const int images = Second ? 2 : 1;
    Glyph.SetSize(W * images, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W * images; ++x) {
            const int lx = x % W;
            const bool border = lx == 0 || y == 0 || lx == W - 1 || y == H - 1;
            Glyph.ScanLine(y)[x] = border ? Fuchsia : (x < W ? Colour : Second);
        }
}

class SkinButtons : public SkinControlsTest {
protected:
    TskButton* Button(const std::string& Name, int Left, int Top, TskUIStyle Style = TskUIStyle::WinXP) {
        auto* b = Add<TskButton>(Left, Top, 80, 27);
        b->SetName(Name);
        b->SetUIStyle(Style);
        b->OnClick = TNotifyEvent::Bind<&TEventLog::Named>(&clicks);
        return b;
    }
    TEventLog clicks;
};

TEST_F(SkinButtons, StatesFollowThePointerAndTheLeftButtonAndShowTheirFrames) {
    TskButton* b = Button("Go", 20, 20);
    b->SetTabStop(false);  // a press takes no focus: no focus rectangle over the frames
    ASSERT_FALSE(b->Transparent());
    TEventLog events;
    b->OnMouseEnter = TNotifyEvent::Bind<&TEventLog::Named>(&events);
    b->OnMouseExit = TNotifyEvent::Bind<&TEventLog::Named>(&events);

    struct TStep {
        const char* what;
        std::function<void()> act;
        bool over, pressed, repeating;
        int frame;
        size_t clicks;
    };
    const TStep steps[] = {
        {"rest", [] {}, false, false, false, 1, 0},
        {"enter", [&] { PointerTo(b, 10, 10); }, true, false, false, 2, 0},
        {"press", [&] { LeftDown(b, 10, 10); }, true, true, true, 3, 0},
        {"release inside", [&] { LeftUp(b, 10, 10); }, true, false, false, 2, 1},
        {"press again", [&] { LeftDown(b, 12, 12); }, true, true, true, 3, 1},
        // Held, the pointer leaves the button: it counts as left, the timer goes.
        {"move outside held", [&] { PointerTo(b, 120, 12); }, false, false, false, 1, 1},
        {"release outside", [&] { LeftUp(b, 120, 12); }, false, false, false, 1, 1},
        {"enter again", [&] { PointerTo(b, 15, 15); }, true, false, false, 2, 1},
        {"leave", [&] { PointerTo(form.get(), 300, 300); }, false, false, false, 1, 1},
    };
    for (const TStep& s : steps) {
        s.act();
        EXPECT_EQ(b->MouseOver(), s.over) << s.what;
        EXPECT_EQ(b->Pressed(), s.pressed) << s.what;
        EXPECT_EQ(b->Repeating(), s.repeating) << s.what;
        EXPECT_EQ(ShownFrame(b), s.frame) << s.what;
        EXPECT_EQ(clicks.Log.size(), s.clicks) << s.what;
    }
    EXPECT_EQ(events.Log, (std::vector<std::string>{"Go", "Go", "Go", "Go"}));  // enter, exit, enter, exit
    // A disabled button shows frame 1 whatever the pointer does.
    b->SetEnabled(false);
    PointerTo(b, 10, 10);
    EXPECT_EQ(ShownFrame(b), 1);
}

TEST_F(SkinButtons, DisabledCaptionIsDrawnTwiceWhiteBelowRightAndGreyOnTop) {
    // The caption painted over the caption-less button as the two layers
    // say; the fonts smooth their edges, so whole pictures are compared.
    auto layered = [](TskButton* Button, TBitmap& Base, bool WhiteFirst) {
        const UINT flags = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
        HDC dc = Base.Canvas()->Handle();
        if (WhiteFirst) {
            TRect r{1, 1, Button->Width() + 1, Button->Height() + 1};
            DrawControlText(dc, Button->Font(), "Mute", r, flags, clWhite);
        }
        TRect r{0, 0, Button->Width(), Button->Height()};
        DrawControlText(dc, Button->Font(), "Mute", r, flags, static_cast<TColor>(0x00808080));
        Base.FreeContext();
    };
    for (TskUIStyle style : {TskUIStyle::WinXP, TskUIStyle::DeepBlue}) {
        TskButton* plain = Button("Plain", 20, 20, style);
        TskButton* captioned = Button("Captioned", 20, 60, style);
        captioned->SetCaption("Mute");
        plain->SetEnabled(false);
        captioned->SetEnabled(false);
        TBitmap shot, twice, once;
        Painted(captioned, shot);
        Painted(plain, twice);
        Painted(plain, once);
        layered(captioned, twice, true);
        layered(captioned, once, false);
        EXPECT_TRUE(SamePixels(shot, twice)) << UIStyleName(style);
        EXPECT_FALSE(SamePixels(shot, once)) << UIStyleName(style);
        EXPECT_GT(CountOf(shot, 0x808080), 5);
        plain->Free();
        captioned->Free();
    }
}

TEST_F(SkinButtons, RepeatEventComesEveryIntervalWhileHeldUntilThePointerLeaves) {
    auto* b = Add<TskImageButton>(20, 20, 60, 24);
    std::vector<LONGLONG> ticks;
    LONGLONG pressedAt = 0;
    struct TTimes : TObject {
        std::vector<LONGLONG>* ticks;
        LONGLONG* pressedAt;
        static LONGLONG Now() {
            LARGE_INTEGER c, f;
            QueryPerformanceCounter(&c);
            QueryPerformanceFrequency(&f);
            return c.QuadPart * 1000 / f.QuadPart;
        }
        void Tick(TObject*) { ticks->push_back(Now()); }
        void Down(TObject*, TMouseButton, TShiftState, int, int) { *pressedAt = Now(); }
    } times;
    times.ticks = &ticks;
    times.pressedAt = &pressedAt;
    b->OnMouseContinuouslyDown = TNotifyEvent::Bind<&TTimes::Tick>(&times);
    b->OnMouseDown = TMouseEvent::Bind<&TTimes::Down>(&times);

    LeftDown(b, 10, 10);
    ASSERT_TRUE(PumpUntil([&] { return ticks.size() >= 6; }, 3000)) << ticks.size();
    // Margin: Wine's window timers come late by up to a frame of the
    // scheduler, never early; the first tick one interval after the press,
    // then one per interval.
    EXPECT_GE(ticks[0] - pressedAt, 90);
    EXPECT_LE(ticks[0] - pressedAt, 200);
    for (size_t i = 1; i < ticks.size(); ++i) {
        EXPECT_GE(ticks[i] - ticks[i - 1], 60) << i;
        EXPECT_LE(ticks[i] - ticks[i - 1], 200) << i;
    }
    EXPECT_LE((ticks.back() - ticks.front()) / static_cast<LONGLONG>(ticks.size() - 1), 140);

    PointerTo(form.get(), 300, 300);
    const size_t afterLeaving = ticks.size();
    EXPECT_FALSE(b->Repeating());
    PumpFor(350);
    EXPECT_LE(ticks.size(), afterLeaving);
    LeftUp(b, 300, 300);

    // A negative interval counts as 0: the timer exists but never ticks.
    ticks.clear();
    b->MouseContinuouslyDownInterval = -50;
    LeftDown(b, 10, 10);
    EXPECT_TRUE(b->Repeating());
    PumpFor(350);
    EXPECT_TRUE(ticks.empty());
    LeftUp(b, 10, 10);
    EXPECT_FALSE(b->Repeating());
}

TEST_F(SkinButtons, AButtonFreedWhileHeldNeverTicksAgain) {
    struct TFreer : TObject {
        int ticks = 0;
        TskImageButton* freeOnTick = nullptr;
        void Tick(TObject*) {
            ++ticks;
            if (freeOnTick) {
                TskImageButton* b = freeOnTick;
                freeOnTick = nullptr;
                b->Free();  // its timer goes from inside its own tick
            }
        }
    } freer;

    auto* held = Add<TskImageButton>(20, 20, 60, 24);
    held->OnMouseContinuouslyDown = TNotifyEvent::Bind<&TFreer::Tick>(&freer);
    LeftDown(held, 10, 10);
    held->Free();
    PumpFor(350);
    EXPECT_EQ(freer.ticks, 0);

    auto* self = Add<TskImageButton>(20, 60, 60, 24);
    self->OnMouseContinuouslyDown = TNotifyEvent::Bind<&TFreer::Tick>(&freer);
    freer.freeOnTick = self;
    LeftDown(self, 10, 10);
    ASSERT_TRUE(PumpUntil([&] { return freer.ticks >= 1; }, 2000));
    PumpFor(350);
    EXPECT_EQ(freer.ticks, 1);
    EXPECT_EQ(form->ComponentCount(), 0);
}

TEST_F(SkinButtons, KeysClickTheDefaultTheCancelTheFocusedAndTheAcceleratedButton) {
    RegisterStandardControls();
    auto* edit = Create<TEdit>(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(20, 20, 100, 21);
    edit->SetName("Edit");
    TskButton* ok = Button("Ok", 20, 60);
    TskButton* cancel = Button("Cancel", 110, 60);
    TskButton* other = Button("Other", 200, 60);
    auto* image = Add<TskImageButton>(290, 60, 60, 24);
    image->SetName("Image");
    image->OnClick = TNotifyEvent::Bind<&TEventLog::Named>(&clicks);
    ok->SetDefault(true);
    cancel->Cancel = true;
    other->SetCaption("&Apply");

    struct TCase {
        TWinControl* focused;
        std::vector<WORD> keys;  // through the system's keyboard, modifiers held
        const char* clicked;     // null: none
    };
    const TCase cases[] = {
        {edit, {VK_RETURN}, "Ok"},
        {edit, {VK_ESCAPE}, "Cancel"},
        {other, {VK_RETURN}, "Other"},
        {other, {VK_ESCAPE}, "Cancel"},
        {cancel, {VK_RETURN}, "Cancel"},
        // Another kind of control focused: the default answers again.
        {image, {VK_RETURN}, "Ok"},
        {edit, {VK_CONTROL, VK_RETURN}, nullptr},
        {edit, {VK_SHIFT, VK_ESCAPE}, nullptr},
        {edit, {VK_SHIFT, VK_RETURN}, nullptr},
        {other, {VK_SPACE}, "Other"},
        {ok, {VK_SPACE}, "Ok"},
        {edit, {VK_SPACE}, nullptr},
        // The accelerator: with Alt anywhere, alone where the focused control takes no characters.
        {edit, {VK_MENU, 'A'}, "Other"},
        {cancel, {'A'}, "Other"},
        {edit, {'A'}, nullptr},
    };
    for (const TCase& c : cases) {
        c.focused->SetFocus();
        PumpFor(30);
        ASSERT_EQ(GetFocus(), c.focused->Handle()) << c.focused->Name();
        clicks.Log.clear();
        PressKeys(c.keys);
        const std::string what = c.focused->Name() + " key " + std::to_string(c.keys.back()) +
                                 (c.keys.size() > 1 ? " with " + std::to_string(c.keys.front()) : "");
        if (c.clicked)
            EXPECT_EQ(clicks.Log, std::vector<std::string>{c.clicked}) << what;
        else
            EXPECT_TRUE(clicks.Log.empty()) << what << ": " << (clicks.Log.empty() ? "" : clicks.Log[0]);
    }
    // A disabled button answers neither its accelerator nor Enter.
    other->SetEnabled(false);
    ok->SetEnabled(false);
    cancel->SetFocus();
    PumpFor(30);
    clicks.Log.clear();
    PressKeys({VK_MENU, 'A'});
    edit->SetFocus();
    PumpFor(30);
    PressKeys({VK_RETURN});
    EXPECT_TRUE(clicks.Log.empty());
}

TEST_F(SkinButtons, SpaceHeldShowsThePressedFrameAndClicksOnceAtRelease) {
    TskButton* b = Button("Go", 20, 20);
    b->SetTabStop(false);  // no focus rectangle in the frame comparison
    b->SetFocus();
    PumpFor(30);
    for (int repeat = 0; repeat < 4; ++repeat)
        PostMessageA(b->Handle(), WM_KEYDOWN, VK_SPACE, repeat ? 0x40000001 : 1);
    PumpFor(60);
    EXPECT_TRUE(b->Pressed());
    EXPECT_FALSE(b->Repeating());
    EXPECT_EQ(ShownFrame(b), 3);
    EXPECT_TRUE(clicks.Log.empty());
    PostMessageA(b->Handle(), WM_KEYUP, VK_SPACE, 0xC0000001);
    PumpFor(60);
    EXPECT_FALSE(b->Pressed());
    EXPECT_EQ(clicks.Log, std::vector<std::string>{"Go"});
}

TEST_F(SkinButtons, EveryClickHandsTheButtonsModalResultToTheFormAlsoZero) {
    TskButton* plain = Button("Plain", 20, 20);
    form->SetModalResult(mrOk);
    ClickAt(plain->Handle(), 5, 5);
    EXPECT_EQ(clicks.Log, std::vector<std::string>{"Plain"});
    EXPECT_EQ(form->ModalResult(), mrNone);

    auto modal = CreateOwned<TForm>();
    modal->SetBounds(150, 150, 300, 200);
    auto* zero = Create<TskButton>(modal.get());
    zero->SetParent(modal.get());
    auto* cancel = Create<TskButton>(modal.get());
    cancel->SetParent(modal.get());
    cancel->SetTop(60);
    cancel->ModalResult = mrCancel;
    modal->HandleNeeded();
    PostMessageA(zero->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(zero->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PostMessageA(cancel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(cancel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    // The first click leaves the result at 0 and the form open; the second ends it.
    EXPECT_EQ(modal->ShowModal(), mrCancel);
}

TEST_F(SkinButtons, FocusShowsARectangleOrABoldCaptionByStyle) {
    struct TCase {
        TskUIStyle style;
        bool rectangle;
    };
    for (const TCase& c : {TCase{TskUIStyle::WinXP, true}, TCase{TskUIStyle::DeepBlue, true},
                           TCase{TskUIStyle::MacOS, false}, TCase{TskUIStyle::BlueGlass, false}}) {
        TskButton* b = Button("Focus", 20, 20, c.style);
        b->Font()->SetColor(InkColor);
        b->SetCaption("Build");
        TskButton* away = Button("Away", 20, 80, c.style);
        away->SetFocus();
        PumpFor(30);
        TBitmap unfocused, focused;
        Painted(b, unfocused);
        b->SetFocus();
        PumpFor(30);
        Painted(b, focused);
        const std::vector<TPoint> diff = Differences(unfocused, focused);
        ASSERT_FALSE(diff.empty()) << UIStyleName(c.style);
        // The focus rectangle runs along the margin (2); a bold caption changes only the middle.
        const bool onMargin = std::any_of(diff.begin(), diff.end(), [](TPoint p) { return p.X == 2 && p.Y > 2 && p.Y < 24; });
        const bool outsideMargin = std::any_of(diff.begin(), diff.end(), [](TPoint p) { return p.X < 2 || p.Y < 2; });
        EXPECT_EQ(onMargin, c.rectangle) << UIStyleName(c.style);
        EXPECT_FALSE(outsideMargin) << UIStyleName(c.style);
        if (!c.rectangle) {
            // The bold caption inks more pixels than the plain one.
            const TRect middle{10, 5, 70, 22};
            int plainInk = 0, boldInk = 0;
            for (int y = middle.Top; y < middle.Bottom; ++y)
                for (int x = middle.Left; x < middle.Right; ++x) {
                    plainInk += Px(unfocused, x, y) == InkPixel;
                    boldInk += Px(focused, x, y) == InkPixel;
                }
            EXPECT_GT(boldInk, plainInk) << UIStyleName(c.style);
        }
        // FocusedRectMargin moves the rectangle inwards.
        if (c.rectangle) {
            b->SetFocusedRectMargin(5);
            Painted(b, focused);
            const std::vector<TPoint> inner = Differences(unfocused, focused);
            EXPECT_TRUE(std::none_of(inner.begin(), inner.end(), [](TPoint p) { return p.X < 5 || p.Y < 5; }));
            EXPECT_TRUE(std::any_of(inner.begin(), inner.end(), [](TPoint p) { return p.X == 5; }));
        }
        b->Free();
        away->Free();
    }
}

TEST_F(SkinButtons, GlyphAndCaptionFollowTheLayoutTable) {
    TskButton* b = Button("Glyph", 20, 20);
    b->SetBounds(20, 20, 120, 60);
    b->SetTabStop(false);
    b->Font()->SetColor(InkColor);
    b->SetCaption("Add");
    TBitmap glyph;
    MakeGlyph(glyph, 16, 16, Red);
    b->SetGlyph(&glyph);
    b->SetSpacing(6);
    TBitmap measure;
    measure.Canvas()->Font()->Assign(b->Font());
    const TSize text = measure.Canvas()->TextExtent("Add");

    for (TButtonLayout layout : {blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom}) {
        b->SetLayout(layout);
        const TskGlyphPlacement at = PlaceGlyph(layout, 120, 60, text.cx, text.cy, 16, 16, 6);
        TBitmap shot;
        Painted(b, shot);
        // The red inside of the glyph sits one pixel in from its origin.
        EXPECT_EQ(BoxOf(shot, Red), (TRect{at.Glyph.X + 1, at.Glyph.Y + 1, at.Glyph.X + 15, at.Glyph.Y + 15})) << layout;
        EXPECT_EQ(b->CaptionPos(), at.Caption) << layout;
        // The caption's ink starts at its place.
        const TRect ink = BoxOf(shot, InkPixel);
        EXPECT_GE(ink.Left, at.Caption.X) << layout;
        EXPECT_GE(ink.Top, at.Caption.Y) << layout;
        EXPECT_LE(ink.Left, at.Caption.X + 2) << layout;
    }

    // Pressed: glyph and caption one pixel down and right.
    b->SetLayout(blGlyphLeft);
    const TskGlyphPlacement at = PlaceGlyph(blGlyphLeft, 120, 60, text.cx, text.cy, 16, 16, 6);
    LeftDown(b, 3, 3);
    TBitmap pressed;
    Painted(b, pressed);
    EXPECT_EQ(BoxOf(pressed, Red).TopLeft(), (TPoint{at.Glyph.X + 2, at.Glyph.Y + 2}));
    EXPECT_EQ(b->CaptionPos(), (TPoint{at.Caption.X + 1, at.Caption.Y + 1}));
    LeftUp(b, 3, 3);
}

TEST_F(SkinButtons, AGlyphTwiceAsWideAsHighHoldsTheDisabledImage) {
    TskButton* two = Button("Two", 20, 20);
    TskButton* one = Button("One", 120, 20);
    TBitmap glyphs, single;
    MakeGlyph(glyphs, 16, 16, Red, Blue);
    MakeGlyph(single, 16, 16, Red);
    two->SetGlyph(&glyphs);
    one->SetGlyph(&single);

    TBitmap shot;
    Painted(two, shot);
    EXPECT_EQ(CountOf(shot, Red), 14 * 14);
    EXPECT_EQ(CountOf(shot, Blue), 0);
    two->SetEnabled(false);
    Painted(two, shot);
    EXPECT_EQ(CountOf(shot, Red), 0);
    EXPECT_EQ(CountOf(shot, Blue), 14 * 14) << "the second image, not greyed";

    one->SetEnabled(false);
    Painted(one, shot);
    EXPECT_EQ(CountOf(shot, Red), 0) << "one image is greyed when disabled";
    const TskGlyphPlacement at = PlaceGlyph(blGlyphLeft, 80, 27, 0, 0, 16, 16, 4);
    const std::uint32_t middle = Px(shot, at.Glyph.X + 8, at.Glyph.Y + 8);
    const int r = (middle >> 16) & 0xFF, g = (middle >> 8) & 0xFF, bl = middle & 0xFF;
    EXPECT_LE(std::max({r, g, bl}) - std::min({r, g, bl}), 40) << std::hex << middle << " is no grey";
}

TEST_F(SkinButtons, AutoSizeTakesOneFrameOfTheBuiltInPicture) {
    struct TCase {
        TskUIStyle style;
        int width, height;
    };
    for (const TCase& c : {TCase{TskUIStyle::WinXP, 18, 21}, TCase{TskUIStyle::DeepBlue, 74, 21},
                           TCase{TskUIStyle::FromThemeFile, 24, 21}}) {
        TskButton* b = Button("Auto", 20, 20, c.style);
        b->SetAutoSize(true);
        EXPECT_EQ(b->Width(), c.width) << UIStyleName(c.style);
        EXPECT_EQ(b->Height(), c.height) << UIStyleName(c.style);
        b->Free();
    }
}

TEST_F(SkinButtons, StoredTransparentWrittenAfterTheStyleWinsOverTheTheme) {
    RegisterClass<TForm>();
    RegisterClass<TskButton>();
    struct TCase {
        const char* properties;
        bool transparent;
    };
    const TCase cases[] = {
        {"UIStyle = MacOS\n", true},
        {"UIStyle = MacOS\n    Transparent = False\n", false},
        {"UIStyle = WinXP\n", false},
        {"UIStyle = WinXP\n    Transparent = True\n", true},
        {"UIStyle = BlueGlass\n    ResHandle = 1234\n", true},
    };
    for (const TCase& c : cases) {
        TOwned<TForm> stored = CreateOwned<TForm>();
        ReadFormDescriptionText(stored.get(),
                                std::string("Form1: TForm\n  B: TskButton\n    ") + c.properties + "  end\nend\n", "Form1");
        auto* b = dynamic_cast<TskButton*>(stored->FindComponent("B"));
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->Transparent(), c.transparent) << c.properties;
        EXPECT_EQ(GetOrdProp(b, "ResHandle"), 0);
    }
}

TEST_F(SkinButtons, TransparentButtonShowsTheFormAndFrameMaskedByItsCorner) {
    form->OnPaint = TNotifyEvent();
    TskButton* b = Button("See", 20, 20, TskUIStyle::MacOS);
    ASSERT_TRUE(b->Transparent());
    TBitmap shot, expected;
    Painted(b, shot);
    ExpectedFrame(TskUIStyle::MacOS, 1, 80, 27, true, expected);
    EXPECT_TRUE(SamePixels(shot, expected));
}

TEST_F(SkinButtons, APictureThatIsNoBitmapPaintsThe74By21Fallback) {
    auto* b = Add<TskImageButton>(20, 20, 100, 30);
    b->SetColor(clWhite);
    TIcon icon;
    icon.SetHandle(CopyIcon(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION))));
    b->PicNormal()->SetGraphic(&icon);
    TBitmap shot;
    Painted(b, shot);
    EXPECT_EQ(BoxOf(shot, 0x000000), (TRect{0, 0, 74, 21}));
    EXPECT_EQ(Px(shot, 74, 10), 0xFFFFFFu);
    EXPECT_EQ(Px(shot, 10, 21), 0xFFFFFFu);

    // A bitmap picture draws itself; the other states fall back on it.
    TBitmap normal;
    MakeGlyph(normal, 30, 20, Red);
    b->PicNormal()->SetGraphic(&normal);
    PointerTo(b, 5, 5);
    Painted(b, shot);
    EXPECT_EQ(BoxOf(shot, Red), (TRect{1, 1, 29, 19}));
    EXPECT_EQ(GetOrdProp(b, "UIStyle"), static_cast<int>(TskUIStyle::FromThemeFile));
    b->SetStretch(true);
    Painted(b, shot);
    EXPECT_GT(CountOf(shot, Red), 28 * 18 * 3);
}

TEST_F(SkinButtons, ATinyButtonPaintsEveryPixel) {
    TskButton* tiny = Button("Tiny", 20, 20);
    tiny->SetBounds(20, 20, 3, 3);
    tiny->SetCaption("X");
    TBitmap shot;
    Painted(tiny, shot);
    // Too small for the corners: whatever pieces fit, and no failure.
    EXPECT_EQ(CountOf(shot, 0x010203), 0) << "every pixel painted";
}

// Every bitmap made for a paint goes with it, on the path where fetching the
// frame fails too. The count is of the objects the library's wrappers hold
// (Wine keeps no count of its own).
TEST_F(SkinButtons, PaintingKeepsNoGdiObjects) {
    TskButton* glyphed = Button("Glyphed", 20, 20);
    TBitmap glyph;
    MakeGlyph(glyph, 16, 16, Red);
    glyphed->SetGlyph(&glyph);
    glyphed->SetCaption("Add");
    TskButton* mac = Button("Mac", 120, 20, TskUIStyle::MacOS);
    mac->SetCaption("Build");
    auto* broken = Add<TskImageButton>(220, 20, 80, 24);
    TIcon icon;
    icon.SetHandle(CopyIcon(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION))));
    broken->PicNormal()->SetGraphic(&icon);
    TBitmap shot;
    shot.SetSize(100, 40);
    auto paintAll = [&](int Round) {
        glyphed->SetEnabled(Round % 2 == 0);
        for (TWinControl* c : std::initializer_list<TWinControl*>{glyphed, mac, broken})
            c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(shot.Canvas()->Handle()), 0);
    };
    paintAll(0);
    paintAll(1);
    const long before = LiveGdiObjects();
    for (int round = 0; round < 200; ++round) paintAll(round);
    EXPECT_EQ(LiveGdiObjects(), before);
}

TEST_F(SkinButtons, SpeedButtonFramesItsGlyphWhileThePointerIsOver) {
    auto* b = Add<TskToolBarSpeedButton>(20, 20, 18, 18);
    EXPECT_EQ(b->Color(), clBtnFace);
    TEventLog clicked;
    b->OnClick = TNotifyEvent::Bind<&TEventLog::Named>(&clicked);
    b->SetName("Speed");
    TBitmap glyph;
    MakeGlyph(glyph, 16, 16, Red);
    b->SetGlyph(&glyph);
    TBitmap shot;
    Painted(b, shot);
    EXPECT_EQ(Px(shot, 0, 0), PixelOf(clBtnFace));
    EXPECT_EQ(BoxOf(shot, Red), (TRect{2, 2, 16, 16})) << "drawn at (1, 1), its border transparent";
    PointerTo(b, 8, 8);
    EXPECT_TRUE(b->MouseOver());
    Painted(b, shot);
    EXPECT_EQ(Px(shot, 0, 0), 0u);
    EXPECT_EQ(Px(shot, 17, 17), 0u);
    EXPECT_EQ(Px(shot, 1, 1), Px(shot, 1, 9)) << "inside the frame the face shows";
    LeftDown(b, 8, 8);
    Painted(b, shot);
    EXPECT_EQ(BoxOf(shot, Red), (TRect{2, 2, 16, 16})) << "no pressed look";
    LeftUp(b, 8, 8);
    EXPECT_EQ(clicked.Log, std::vector<std::string>{"Speed"});
    PointerTo(form.get(), 300, 300);
    EXPECT_FALSE(b->MouseOver());
    Painted(b, shot);
    EXPECT_NE(Px(shot, 0, 0), 0u);
}

TEST_F(SkinButtons, AnActionGivesItsCaptionAndItsImageToAnEmptyGlyph) {
    auto* images = Create<TImageList>(form.get());
    TBitmap red, blue;
    MakeGlyph(red, 16, 16, Red);
    MakeGlyph(blue, 16, 16, Blue);
    images->AddMasked(&red, clFuchsia);
    images->AddMasked(&blue, clFuchsia);
    auto* list = Create<TActionList>(form.get());
    list->SetImages(images);
    auto* action = Create<TAction>(form.get());
    action->SetCaption("Go");
    action->SetActionList(list);
    action->SetImageIndex(1);
    TEventLog executed;
    action->SetName("Act");
    action->OnExecute = TNotifyEvent::Bind<&TEventLog::Named>(&executed);

    TskButton* empty = Button("Empty", 20, 20);
    empty->OnClick = TNotifyEvent();
    empty->SetAction(action);
    EXPECT_EQ(empty->Caption(), "Go");
    ASSERT_FALSE(empty->Glyph()->Empty());
    EXPECT_EQ(Px(*empty->Glyph(), 8, 8), Blue);
    TBitmap shot;
    Painted(empty, shot);
    EXPECT_EQ(CountOf(shot, Blue), 14 * 14);

    TskButton* kept = Button("Kept", 120, 20);
    kept->SetGlyph(&red);
    kept->SetAction(action);
    EXPECT_EQ(Px(*kept->Glyph(), 8, 8), Red);

    TskButton* outOfRange = Button("Out", 220, 20);
    action->SetImageIndex(2);
    outOfRange->SetAction(action);
    EXPECT_TRUE(outOfRange->Glyph()->Empty());

    // The action's caption follows to its buttons; a click runs it.
    action->SetCaption("&Run");
    EXPECT_EQ(empty->Caption(), "&Run");
    EXPECT_EQ(empty->Text(), "&Run");
    ClickAt(empty->Handle(), 5, 5);
    EXPECT_EQ(executed.Log, std::vector<std::string>{"Act"});
}

}  // namespace

namespace {

TEST_F(SkinButtons, CaptionAndControlTextStayInStep) {
    TskButton* b = Button("Text", 20, 20);
    b->SetCaption("&Go");
    EXPECT_EQ(b->Text(), "&Go");
    static_cast<TControl*>(b)->SetText("Stop");
    EXPECT_EQ(b->Caption(), "Stop");
    SetOrdProp(b, "Default", 1);
    SetStrProp(b, "Caption", "Run");
    EXPECT_EQ(b->Text(), "Run");
}

TEST_F(SkinButtons, TheDefaultSetterLetsEveryButtonDecideAgain) {
    RegisterStandardControls();
    auto* edit = Create<TEdit>(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(20, 20, 100, 21);
    TskButton* first = Button("First", 20, 60);
    TskButton* second = Button("Second", 110, 60);
    edit->SetFocus();
    PumpFor(30);
    first->SetDefault(true);
    EXPECT_TRUE(first->ActiveDefault());
    EXPECT_FALSE(second->ActiveDefault());
    first->SetDefault(false);
    second->SetDefault(true);
    EXPECT_FALSE(first->ActiveDefault());
    EXPECT_TRUE(second->ActiveDefault());
    // A button focused answers Enter itself, whatever Default says.
    first->SetFocus();
    PumpFor(30);
    EXPECT_TRUE(first->ActiveDefault());
    EXPECT_FALSE(second->ActiveDefault());
}

TEST_F(SkinButtons, AFileThemeGivesTransparencyAndItsRemovalFallsBackToDeepBlue) {
    TskThemeFileWriter writer;
    writer.AddBitmap("ButtonImage", MakeBitmap(63, 21));
    writer.AddBoolean("ButtonTransparentBool", true);
    const std::string name = ScratchThemeName("buttons");
    ASSERT_TRUE(WriteThemeFile(name, writer));
    auto* theme = Create<TskFileTheme>(form.get());
    theme->SetThemeFile(name);
    DeleteFileA(name.c_str());
    ASSERT_TRUE(theme->IsLoaded());

    TskButton* b = Button("Themed", 20, 20, TskUIStyle::FromThemeFile);
    EXPECT_FALSE(b->Transparent()) << "no file yet: DeepBlue";
    b->SetFileTheme(theme);
    EXPECT_TRUE(b->Transparent());
    // The frame comes from the file: frame 2 of its three 21 pixel frames while the pointer is over.
    TBitmap picture, frame, expected, shot;
    theme->ReadBitmapFrame(TskThemeKey::ButtonImage, &frame, 3, 2);
    ASSERT_EQ(frame.Width(), 21);
    b->SetTabStop(false);
    PointerTo(b, 10, 10);
    Painted(b, shot);
    expected.SetSize(80, 27);
    for (int y = 0; y < 27; ++y) std::fill_n(expected.ScanLine(y), 80, FormPixel);
    DrawNineGridBitmap(&frame, expected.Canvas(), {0, 0, 80, 27}, true);
    expected.FreeContext();
    EXPECT_TRUE(SamePixels(shot, expected));

    theme->Free();
    EXPECT_EQ(b->FileTheme(), nullptr);
    EXPECT_EQ(b->UIStyle(), TskUIStyle::DeepBlue);
    EXPECT_FALSE(b->Transparent());
}

}  // namespace

namespace {

TEST_F(SkinButtons, AStoredGlyphIsReadFromTheFormDescription) {
    RegisterClass<TForm>();
    RegisterClass<TskButton>();
    std::vector<std::uint8_t> data = MakeBitmap(32, 16);
    const auto length = static_cast<std::uint32_t>(data.size());
    data.insert(data.begin(), {static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
                               static_cast<std::uint8_t>(length >> 16), static_cast<std::uint8_t>(length >> 24)});
    std::string hex;
    char pair[3];
    for (std::uint8_t b : data) {
        std::snprintf(pair, sizeof pair, "%02X", b);
        hex += pair;
    }
    TOwned<TForm> stored = CreateOwned<TForm>();
    ReadFormDescriptionText(stored.get(),
                            "Form1: TForm\n  Add: TskButton\n    Caption = \"Add\"\n    Glyph.Data = {" + hex +
                                "}\n    Layout = blGlyphTop\n  end\nend\n",
                            "Form1");
    auto* b = dynamic_cast<TskButton*>(stored->FindComponent("Add"));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->Glyph()->Width(), 32);
    EXPECT_EQ(b->Glyph()->Height(), 16);
    EXPECT_EQ(b->Layout(), blGlyphTop);

    // Data shorter than its length says is refused.
    data.resize(40);
    hex.resize(80);
    TOwned<TForm> broken = CreateOwned<TForm>();
    EXPECT_THROW(ReadFormDescriptionText(broken.get(), "Form1: TForm\n  Add: TskButton\n    Glyph.Data = {" + hex +
                                                            "}\n  end\nend\n",
                                         "Form1"),
                 std::exception);
}

}  // namespace
