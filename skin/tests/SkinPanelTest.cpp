// The skinned picture panel and the flat panel on a shown form: the three
// ways of drawing a picture, transparency, fitting to the picture by Align,
// the caption's placement; the flat panel's frame read from the screen in
// every case of its table.
#include "FlatPanel.h"
#include "SkinControlFixture.h"
#include "SkinEdit.h"
#include "SkinGroupBox.h"
#include "SkinImagePanel.h"

#include "Exceptions.h"
#include "TypInfo.h"

#include <windows.h>

#include <memory>
#include <ostream>
#include <string>

namespace {

// Four quadrants in four colours: which part of a picture lands where.
constexpr std::uint32_t QuadrantPixels[4] = {0x00C00000, 0x0000C000, 0x000000C0, 0x00C0C000};  // TL TR BL BR

void Quadrants(TBitmap& Picture, int Width, int Height) {
    Picture.SetSize(Width, Height);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            Picture.ScanLine(y)[x] = QuadrantPixels[(y >= Height / 2 ? 2 : 0) + (x >= Width / 2 ? 1 : 0)];
}

std::uint32_t QuadrantAt(int X, int Y, int Width, int Height) {
    return QuadrantPixels[(Y >= Height / 2 ? 2 : 0) + (X >= Width / 2 ? 1 : 0)];
}

constexpr TColor InkColor = 0x00008000;
constexpr std::uint32_t InkPixel = 0x00008000;

class SkinImagePanels : public SkinControlsTest {
protected:
    TskImagePanel* Panel(int Width, int Height) {
        auto* p = Add<TskImagePanel>(20, 20, Width, Height);
        p->SetColor(clWhite);
        return p;
    }
};

TEST_F(SkinImagePanels, DrawsThePictureUnscaledStretchedOrTiled) {
    TskImagePanel* panel = Panel(128, 128);
    TBitmap big;
    Quadrants(big, 200, 200);
    panel->Picture()->Assign(&big);

    // The builder's logo: 200 x 200 scaled down to fill 128 x 128.
    panel->SetDrawStyle(TskDrawStyle::skStretch);
    TBitmap shot;
    Painted(panel, shot);
    for (const TPoint p : {TPoint{2, 2}, TPoint{70, 2}, TPoint{2, 70}, TPoint{125, 125}, TPoint{60, 60}, TPoint{66, 66}})
        EXPECT_EQ(Px(shot, p.X, p.Y), QuadrantAt(p.X, p.Y, 128, 128)) << "stretched at " << p.X << "," << p.Y;

    // Unscaled from the top-left corner: only the picture's first 128 columns and rows.
    panel->SetDrawStyle(TskDrawStyle::skNormal);
    Painted(panel, shot);
    for (int y = 0; y < 128; y += 3)
        for (int x = 0; x < 128; x += 3) ASSERT_EQ(Px(shot, x, y), QuadrantAt(x, y, 200, 200)) << "normal at " << x << "," << y;

    // A small picture repeated from the corner over the whole panel.
    TBitmap small;
    Quadrants(small, 20, 14);
    panel->Picture()->Assign(&small);
    panel->SetDrawStyle(TskDrawStyle::skTile);
    Painted(panel, shot);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) ASSERT_EQ(Px(shot, x, y), QuadrantAt(x % 20, y % 14, 20, 14)) << "tiled at " << x << "," << y;

    // Unscaled, a small picture leaves the rest of the panel in its colour.
    panel->SetDrawStyle(TskDrawStyle::skNormal);
    Painted(panel, shot);
    EXPECT_EQ(Px(shot, 5, 5), QuadrantAt(5, 5, 20, 14));
    EXPECT_EQ(Px(shot, 100, 100), 0xFFFFFFu);
    EXPECT_EQ(Px(shot, 20, 0), 0xFFFFFFu);
    EXPECT_EQ(Px(shot, 0, 14), 0xFFFFFFu);
}

TEST_F(SkinImagePanels, WithoutPictureTransparencyShowsTheParentAndNoFill) {
    TskImagePanel* panel = Panel(60, 40);
    panel->SetColor(clRed);
    TBitmap shot;
    Painted(panel, shot);
    EXPECT_EQ(CountOf(shot, PixelOf(clRed)), 60 * 40);
    panel->SetTransparent(true);
    Painted(panel, shot);
    EXPECT_EQ(CountOf(shot, PixelOf(clRed)), 0);
    EXPECT_EQ(CountOf(shot, FormPixel), 60 * 40);
}

TEST_F(SkinImagePanels, TransparencyIsPassedToThePicture) {
    TskImagePanel* panel = Panel(60, 40);
    TBitmap picture;
    Quadrants(picture, 10, 10);
    panel->Picture()->Assign(&picture);
    EXPECT_FALSE(panel->Picture()->Graphic()->Transparent());
    panel->SetTransparent(true);
    EXPECT_TRUE(panel->Picture()->Graphic()->Transparent());
    // A picture set later takes the panel's setting.
    panel->Picture()->Assign(&picture);
    EXPECT_TRUE(panel->Picture()->Graphic()->Transparent());
    panel->SetTransparent(false);
    EXPECT_FALSE(panel->Picture()->Graphic()->Transparent());
}

TEST_F(SkinImagePanels, AutoSizeFitsThePictureWhereAlignLeavesTheSizeFree) {
    struct TCase {
        TAlign align;
        bool width, height;  // which of the two follow the 64 x 32 picture
    };
    for (const TCase& c : {TCase{alNone, true, true}, TCase{alTop, false, true}, TCase{alBottom, false, true},
                           TCase{alLeft, true, false}, TCase{alRight, true, false}, TCase{alClient, false, false}}) {
        TskImagePanel* panel = Panel(100, 90);
        panel->SetAlign(c.align);
        const int w = panel->Width(), h = panel->Height();
        panel->SetAutoSize(true);
        TBitmap picture;
        Quadrants(picture, 64, 32);
        panel->Picture()->Assign(&picture);
        EXPECT_EQ(panel->Width(), c.width ? 64 : w) << "align " << c.align;
        EXPECT_EQ(panel->Height(), c.height ? 32 : h) << "align " << c.align;
        panel->Free();
    }
    // Switching auto size on fits a picture already there; off, nothing follows.
    TskImagePanel* panel = Panel(100, 90);
    TBitmap picture;
    Quadrants(picture, 64, 32);
    panel->Picture()->Assign(&picture);
    EXPECT_EQ(panel->Width(), 100);
    panel->SetAutoSize(true);
    EXPECT_EQ(panel->Width(), 64);
    EXPECT_EQ(panel->Height(), 32);
}

TEST_F(SkinImagePanels, CaptionPlacedByAlignmentAndVerticallyCentred) {
    TskImagePanel* panel = Panel(200, 40);
    panel->Font()->SetColor(InkColor);
    panel->SetCaption("Wide caption");
    TBitmap shot;
    panel->SetAlignment(taLeftJustify);
    Painted(panel, shot);
    const TRect left = BoxOf(shot, InkPixel);
    panel->SetAlignment(taRightJustify);
    Painted(panel, shot);
    const TRect right = BoxOf(shot, InkPixel);
    panel->SetAlignment(taCenter);
    Painted(panel, shot);
    const TRect centre = BoxOf(shot, InkPixel);
    ASSERT_FALSE(left.IsEmpty());
    EXPECT_LE(left.Left, 2);
    EXPECT_GE(right.Right, 197);
    EXPECT_LE(std::abs(centre.Left - (200 - centre.Right)), 3) << centre.Left << ".." << centre.Right;
    EXPECT_LE(std::abs(left.Top - (40 - left.Bottom)), 4) << left.Top << ".." << left.Bottom;
    EXPECT_EQ(left.Width(), right.Width());
    EXPECT_EQ(left.Top, right.Top);
}

TEST_F(SkinImagePanels, BlankCaptionIsNotDrawnAndACaptionIsDrawnUntrimmed) {
    TskImagePanel* panel = Panel(200, 40);
    panel->Font()->SetColor(clBlack);
    panel->SetAlignment(taLeftJustify);
    TBitmap shot;
    panel->SetCaption("    ");
    Painted(panel, shot);
    EXPECT_EQ(CountOf(shot, 0xFFFFFFu), 200 * 40);
    // The brush would show a blank drawn opaquely: the caption's blanks keep their place instead.
    panel->SetCaption("x");
    Painted(panel, shot);
    const int plain = BoxOf(shot, 0).Left;
    panel->SetCaption("    x");
    Painted(panel, shot);
    EXPECT_GT(BoxOf(shot, 0).Left, plain + 4);
}

TEST_F(SkinImagePanels, PublishedPropertiesByName) {
    TskImagePanel* panel = Panel(40, 40);
    for (const char* name : {"skNormal", "skStretch", "skTile"}) {
        SetEnumProp(panel, "DrawStyle", name);
        EXPECT_EQ(GetEnumProp(panel, "DrawStyle"), name);
    }
    EXPECT_EQ(panel->DrawStyle(), TskDrawStyle::skTile);
    SetOrdProp(panel, "Transparent", 1);
    EXPECT_TRUE(panel->Transparent());
    SetOrdProp(panel, "AutoSize", 1);
    EXPECT_TRUE(panel->AutoSize());
    EXPECT_TRUE(IsPublishedProp(panel, "Picture"));
    EXPECT_EQ(GetEnumProp(panel, "Alignment"), "taCenter");
    EXPECT_EQ(panel->BevelInner(), bvNone);
    EXPECT_EQ(panel->BevelOuter(), bvNone);
}

// --- The flat panel: its two-pixel band read back from the screen. ---

class FlatPanels : public SkinControlsTest {
public:
    static constexpr TColor PanelColor = 0x00C0F0F0;
    TFlatPanel* Flat() {
        auto* p = Add<TFlatPanel>(40, 40, 120, 60);
        p->SetColor(PanelColor);
        PumpFor(80);
        return p;
    }
    // Pixel X, Y of the window (border band included), as on the screen.
    static TColor Screen(TFlatPanel* Panel, int X, int Y) {
        RECT r;
        GetWindowRect(Panel->Handle(), &r);
        HDC dc = GetDC(nullptr);
        const COLORREF c = GetPixel(dc, r.left + X, r.top + Y);
        ReleaseDC(nullptr, dc);
        return static_cast<TColor>(c);
    }
    // The outer ring's top-left and bottom-right corners and the inner ring's.
    struct TBand {
        TColor outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
        bool operator==(const TBand&) const = default;
    };
    static TBand Band(TFlatPanel* Panel) {
        const int w = Panel->Width(), h = Panel->Height();
        return {Screen(Panel, 5, 0), Screen(Panel, w - 1, h - 5), Screen(Panel, 5, 1), Screen(Panel, w - 2, h - 5)};
    }
};

void PrintTo(const FlatPanels::TBand& B, std::ostream* Out) {
    *Out << std::hex << "{" << B.outerTopLeft << ", " << B.outerBottomRight << ", " << B.innerTopLeft << ", "
         << B.innerBottomRight << "}" << std::dec;
}

TEST_F(FlatPanels, TheBandShowsTheCaseOfTheTable) {
    const TColor shadow = ColorToRGB(clBtnShadow), light = ColorToRGB(clBtnHighlight), face = ColorToRGB(clBtnFace);
    const TColor dark = ColorToRGB(cl3DDkShadow), light3d = ColorToRGB(cl3DLight), own = PanelColor;
    const TColor border = 0x000000C0;
    struct TCase {
        const char* name;
        bool flat, hot, showBorder;
        TBand band;
    };
    const TCase cases[] = {
        {"sunken edge when not flat", false, false, true, {shadow, light, dark, light3d}},
        {"not flat, hot: the same edge", false, true, true, {shadow, light, dark, light3d}},
        {"hot: a thin sunken frame, the face inside", true, true, true, {shadow, light, face, face}},
        {"hot without border: the same", true, true, false, {shadow, light, face, face}},
        {"border in its colour", true, false, true, {border, border, own, own}},
        {"no frame at all", true, false, false, {own, own, own, own}},
    };
    for (const TCase& c : cases) {
        TFlatPanel* panel = Flat();
        panel->SetBorderColor(border);
        panel->SetFlat(c.flat);
        panel->SetShowBorder(c.showBorder);
        PointerTo(c.hot ? static_cast<TControl*>(panel) : form.get(), 10, 10);
        PumpFor(80);
        EXPECT_EQ(Band(panel), c.band) << c.name;
        panel->Free();
        PumpFor(20);
    }
}

TEST_F(FlatPanels, FocusSinksTheFrameAndLeavingRaisesItAgain) {
    TFlatPanel* panel = Flat();
    panel->SetTabStop(true);
    auto* other = Add<TFlatPanel>(200, 40, 60, 60);
    other->SetTabStop(true);
    const TColor border = ColorToRGB(clBtnShadow);
    EXPECT_EQ(Screen(panel, panel->Width() - 1, 10), border);
    panel->SetFocus();
    PumpFor(80);
    EXPECT_EQ(Screen(panel, panel->Width() - 1, 10), ColorToRGB(clBtnHighlight)) << "sunken while focused";
    EXPECT_EQ(Screen(panel, 10, 1), ColorToRGB(clBtnFace));
    other->SetFocus();
    PumpFor(80);
    EXPECT_EQ(Screen(panel, panel->Width() - 1, 10), border);
    EXPECT_EQ(Screen(panel, 10, 1), PanelColor);
}

TEST_F(FlatPanels, WithActivateOffThePointerChangesNothing) {
    TFlatPanel* panel = Flat();
    panel->Activate = false;
    PointerTo(panel, 10, 10);
    PumpFor(80);
    EXPECT_EQ(Screen(panel, 10, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Screen(panel, 10, 1), PanelColor);
    // Switched on again, the next entry sinks the frame.
    panel->Activate = true;
    PointerTo(form.get(), 2, 2);
    PointerTo(panel, 12, 12);
    PumpFor(80);
    EXPECT_EQ(Screen(panel, 10, 1), ColorToRGB(clBtnFace));
}

TEST_F(FlatPanels, VersionReadsOneTwentyOneWhateverIsWritten) {
    TFlatPanel* panel = Flat();
    EXPECT_EQ(panel->Version(), "1.21");
    SetStrProp(panel, "Version", "9.99");
    EXPECT_EQ(GetStrProp(panel, "Version"), "1.21");
}

TEST_F(FlatPanels, TheBandIsTwoPixelsOutsideTheClientArea) {
    TFlatPanel* panel = Flat();
    EXPECT_EQ(panel->BorderWidth(), 2);
    EXPECT_EQ(panel->ClientRect(), Rect(0, 0, 116, 56));
    EXPECT_EQ(panel->BevelInner(), bvNone);
    EXPECT_EQ(panel->BevelOuter(), bvNone);
}

// --- Painting gives back every GDI object it makes, also when it fails. ---

// A picture that fails while it is drawn.
class TFailingGraphic : public TGraphic {
public:
    std::unique_ptr<TGraphic> CreateNew() const override { return std::make_unique<TFailingGraphic>(); }
    int Width() const override { return 40; }
    int Height() const override { return 40; }
    bool Empty() const override { return false; }
    void LoadFromStream(TStream*) override {}
    void Assign(TPersistent* Source) override {
        if (!dynamic_cast<TFailingGraphic*>(Source)) TGraphic::Assign(Source);
    }

protected:
    void Draw(TCanvas*, const TRect&) override { throw EInvalidGraphic("drawing failed"); }
};

using PaintingResources = SkinControlsTest;

TEST_F(PaintingResources, RepaintsLeaveTheGdiObjectsAsTheyWere) {
    auto* panel = Add<TskImagePanel>(10, 10, 128, 128);
    TBitmap picture;
    Quadrants(picture, 200, 200);
    panel->Picture()->Assign(&picture);
    panel->SetCaption("Logo");
    auto* box = Add<TskGroupBox>(150, 10, 185, 105);
    box->SetCaption("Settings");
    auto* flat = Add<TFlatPanel>(150, 130, 100, 40);
    auto* edit = Add<TskNumberEdit>(10, 150, 100, 21);
    std::vector<TWinControl*> controls{panel, box, flat, edit};
    TBitmap target;
    target.SetSize(200, 200);
    auto paintAll = [&](int Times) {
        for (int i = 0; i < Times; ++i)
            for (TWinControl* c : controls) {
                c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(target.Canvas()->Handle()), 0);
                c->Perform(WM_NCPAINT, 1, 0);
            }
    };
    for (TskDrawStyle style : {TskDrawStyle::skNormal, TskDrawStyle::skStretch, TskDrawStyle::skTile}) {
        panel->SetDrawStyle(style);
        panel->SetTransparent(style == TskDrawStyle::skTile);
        paintAll(3);  // caches (fonts, brushes of the canvases) made once
        const long live = LiveGdiObjects();
        const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
        paintAll(300);
        EXPECT_EQ(LiveGdiObjects(), live);
        EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi + 2);
    }
}

TEST_F(PaintingResources, APaintThatFailsGivesBackItsOffScreenBitmap) {
    auto* panel = Add<TskImagePanel>(10, 10, 64, 64);
    TFailingGraphic failing;
    panel->Picture()->SetGraphic(&failing);
    TBitmap target;
    target.SetSize(64, 64);
    const HDC dc = target.Canvas()->Handle();
    EXPECT_THROW(panel->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0), EInvalidGraphic);
    const long live = LiveGdiObjects();
    for (int i = 0; i < 50; ++i) EXPECT_THROW(panel->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0), EInvalidGraphic);
    EXPECT_EQ(LiveGdiObjects(), live);
    // The panel paints normally again once the picture is gone.
    panel->Picture()->SetGraphic(nullptr);
    panel->SetColor(clWhite);
    TBitmap shot;
    Painted(panel, shot);
    EXPECT_EQ(CountOf(shot, 0xFFFFFFu), 64 * 64);
}

}  // namespace
