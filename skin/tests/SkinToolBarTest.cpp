// The themed tool bar on a shown form, its buttons driven by the pointer:
// the face per button state, transparency by style, colours following the
// style, captions centred without their ampersands, the drop-down arrow zone
// and the arrow of a button on a lower row.
#include "ScratchThemeFile.h"
#include "SkinControlFixture.h"
#include "SkinToolBar.h"
#include "ThemeFileWriter.h"

#include "SysUtils.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

// What the bar shows on the screen now.
void Shot(TWinControl* Bar, TBitmap& Out) {
    Bar->Invalidate();
    Bar->Update();
    PumpFor(30);
    Out.SetSize(Bar->Width(), Bar->Height());
    HDC screen = GetDC(Bar->Handle());
    BitBlt(Out.Canvas()->Handle(), 0, 0, Bar->Width(), Bar->Height(), screen, 0, 0, SRCCOPY);
    ReleaseDC(Bar->Handle(), screen);
    Out.FreeContext();
}

// The pixels inside R (border excluded) that are not of Face.
TRect InkInside(TBitmap& Shot, const TRect& R, std::uint32_t Face) {
    TRect box{R.Right, R.Bottom, R.Left, R.Top};
    for (int y = R.Top + 1; y < R.Bottom - 1; ++y)
        for (int x = R.Left + 1; x < R.Right - 1; ++x) {
            if (Px(Shot, x, y) == Face) continue;
            box.Left = std::min(box.Left, x);
            box.Top = std::min(box.Top, y);
            box.Right = std::max(box.Right, x + 1);
            box.Bottom = std::max(box.Bottom, y + 1);
        }
    return box;
}

// The bar with its button drawing reachable, to hand it every state.
class TOpenToolBar : public TskToolBar {
public:
    using TskToolBar::ToolBarCustomDrawButton;
};

class SkinToolBars : public SkinControlsTest {
protected:
    void SetUp() override {
        SkinControlsTest::SetUp();
        bar = Add<TOpenToolBar>(0, 0, 400, 40);
        bar->SetUIStyle(TskUIStyle::WinXP);
        bar->SetShowCaptions(true);
    }
    TToolButton* Button(const std::string& Caption, TToolButtonStyle Style = tbsButton) {
        auto* b = Create<TToolButton>(form.get());
        b->SetCaption(Caption);
        b->SetParent(bar);
        b->SetStyle(Style);
        return b;
    }
    void Hover(TToolButton* B) { PointerTo(bar, B->Left() + B->Width() / 2 - 6, B->Top() + B->Height() / 2); }
    TOpenToolBar* bar = nullptr;
};

constexpr std::uint32_t XPFace = 0x00C6D3EF, XPDown = 0x0093ACE1, XPBorder = 0x003169C6;

TEST_F(SkinToolBars, FacesFollowTheButtonStates) {
    TToolButton* bold = Button("Bold", tbsCheck);
    TToolButton* file = Button("File");
    bold->SetDown(true);
    PointerTo(form.get(), 300, 300);
    ASSERT_LT(file->Left(), bold->Left());
    auto faceOf = [&](TToolButton* B) {
        TBitmap shot;
        Shot(bar, shot);
        const TRect r = B->BoundsRect();
        return std::pair{Px(shot, r.Left + 2, r.Bottom - 3), Px(shot, r.Left, r.Top + r.Height() / 2)};
    };
    struct TStep {
        const char* what;
        std::function<void()> act;
        TToolButton* button;
        std::uint32_t face;  // 0: the bar's own drawing
    };
    const TStep steps[] = {
        {"a checked button, pointer away", [] {}, bold, XPFace},
        {"a plain button, pointer away", [] {}, file, 0},
        {"hot", [&] { Hover(file); }, file, XPFace},
        {"a checked button while hot", [&] { Hover(bold); }, bold, XPFace},
    };
    for (const TStep& s : steps) {
        s.act();
        const auto [face, edge] = faceOf(s.button);
        if (s.face) {
            EXPECT_EQ(face, s.face) << s.what << std::hex << " face " << face;
            EXPECT_EQ(edge, XPBorder) << s.what << std::hex << " edge " << edge;
        } else {
            EXPECT_NE(face, XPFace) << s.what;
            EXPECT_NE(face, XPDown) << s.what;
        }
    }
}

// Wine's tool bar reports a button pressed with the pointer over it as
// selected but not hot (it drops the hot flag while it holds the mouse), so
// the pressed face is shown by handing the drawing the states directly.
TEST_F(SkinToolBars, EachStateGetsItsFaceOrTheBarsOwnDrawing) {
    TToolButton* b = Button("Go");
    const TRect r = b->BoundsRect();
    struct TCase {
        TCustomDrawState state;
        std::uint32_t face;  // 0: left to the bar
    };
    const TCase cases[] = {
        {{cdsHot}, XPFace},
        {{cdsHot, cdsSelected}, XPDown},
        {{cdsHot, cdsChecked}, XPFace},
        {{cdsChecked}, XPFace},
        {{cdsSelected}, XPFace},
        {{cdsChecked, cdsSelected}, XPFace},
        {{}, 0},
        {{cdsDisabled}, 0},
    };
    for (const TCase& c : cases) {
        TBitmap target;
        target.SetSize(bar->Width(), bar->Height());
        for (int y = 0; y < target.Height(); ++y) std::fill_n(target.ScanLine(y), target.Width(), 0x00010203u);
        bar->Canvas()->SetHandle(target.Canvas()->Handle());
        bool defaultDraw = true;
        bar->ToolBarCustomDrawButton(bar, b, c.state, defaultDraw);
        bar->Canvas()->SetHandle(nullptr);
        target.FreeContext();
        EXPECT_EQ(defaultDraw, c.face == 0) << c.state.Bits();
        EXPECT_EQ(Px(target, r.Left + 2, r.Bottom - 3), c.face ? c.face : 0x010203u) << c.state.Bits();
        if (c.face) {
            EXPECT_EQ(Px(target, r.Left, r.Top + 3), XPBorder) << c.state.Bits();
        }
    }
}

TEST_F(SkinToolBars, OnlyMacOSAndProteinBarsAreTransparentAndTheStyleSetsTheColours) {
    struct TMark : TObject {
        TForm* form;
        void Paint(TObject*) {
            form->Canvas()->Brush()->SetColor(static_cast<TColor>(0x00FF0000));
            form->Canvas()->FillRect({150, 0, 250, 40});
        }
    } mark;
    mark.form = form.get();
    form->OnPaint = TNotifyEvent::Bind<&TMark::Paint>(&mark);

    // A theme file with colours of its own, for FromThemeFile.
    TskThemeFileWriter writer;
    writer.AddInteger("ToolBarButtonBorderColor", 0x00010203);
    writer.AddInteger("ToolBarButtonBackgroundColor", 0x00112233);
    writer.AddInteger("ToolBarButtonDownBackgroundColor", 0x00445566);
    const std::string name = ScratchThemeName("toolbar");
    ASSERT_TRUE(WriteThemeFile(name, writer));
    auto* theme = Create<TskFileTheme>(form.get());
    theme->SetThemeFile(name);
    ASSERT_TRUE(theme->IsLoaded());
    DeleteFileA(name.c_str());

    struct TCase {
        TskUIStyle style;
        bool withFile, transparent;
        TColor face, down, border;
    };
    const TCase cases[] = {
        {TskUIStyle::WinXP, false, false, 0x00EFD3C6, 0x00E1AC93, 0x00C66931},
        {TskUIStyle::DeepBlue, false, false, 0x00EFEFEF, 0x00D8D8D8, 0x00474747},
        {TskUIStyle::BlueGlass, false, false, 0x00EFEFEF, 0x00D8D8D8, 0x00474747},
        {TskUIStyle::MacOS, false, true, 0x00EFEFEF, 0x00D8D8D8, 0x00474747},
        {TskUIStyle::Protein, false, true, 0x00EFEFEF, 0x00D8D8D8, 0x00474747},
        {TskUIStyle::FromThemeFile, true, false, 0x00112233, 0x00445566, 0x00010203},
        {TskUIStyle::FromThemeFile, false, false, 0x00EFEFEF, 0x00D8D8D8, 0x00474747},
    };
    for (const TCase& c : cases) {
        bar->SetFileTheme(c.withFile ? theme : nullptr);
        bar->SetButtonColor(clRed);  // set by hand: the next style takes it back
        bar->SetUIStyle(c.style);
        const std::string what = std::string(UIStyleName(c.style)) + (c.withFile ? " with a file" : "");
        EXPECT_EQ(bar->Transparent(), c.transparent) << what;
        EXPECT_EQ(bar->ButtonColor(), c.face) << what;
        EXPECT_EQ(bar->ButtonDownColor(), c.down) << what;
        EXPECT_EQ(bar->ButtonBorderColor(), c.border) << what;
        EXPECT_EQ(bar->EdgeInner(), esNone);
        EXPECT_EQ(bar->EdgeOuter(), esNone);
        TBitmap shot;
        Shot(bar, shot);
        EXPECT_EQ(Px(shot, 200, 20) == 0x0000FF, c.transparent) << what << " shows the form's mark";
    }
    // Removing the file theme falls back to DeepBlue.
    bar->SetFileTheme(theme);
    bar->SetUIStyle(TskUIStyle::FromThemeFile);
    theme->Free();
    EXPECT_EQ(bar->FileTheme(), nullptr);
    EXPECT_EQ(bar->UIStyle(), TskUIStyle::DeepBlue);
}

TEST_F(SkinToolBars, AHotCaptionIsCentredByItsWidthWithoutAmpersands) {
    TToolButton* plain = Button("File");
    TToolButton* accel = Button("&File");
    TBitmap measure;
    measure.Canvas()->Font()->Assign(bar->Font());
    const int width = measure.Canvas()->TextWidth("File");
    ASSERT_GE(measure.Canvas()->TextWidth("&File") - width, 4);
    TRect ink[2];
    int i = 0;
    for (TToolButton* b : {plain, accel}) {
        Hover(b);
        TBitmap shot;
        Shot(bar, shot);
        const TRect r = b->BoundsRect();
        ink[i] = InkInside(shot, r, XPFace);
        const int x = r.Left + (r.Width() - width) / 2;
        EXPECT_GE(ink[i].Left, x) << b->Caption();
        EXPECT_LE(ink[i].Left, x + 2) << b->Caption();
        EXPECT_GE(ink[i].Top, r.Top + 4) << b->Caption();
        ink[i] = {ink[i].Left - r.Left, ink[i].Top - r.Top, ink[i].Right - r.Left, ink[i].Bottom - r.Top};
        ++i;
    }
    // The same letters; the ampersand shows as the F's underline below them.
    EXPECT_EQ(ink[0].Top, ink[1].Top);
    EXPECT_GT(ink[1].Bottom, ink[0].Bottom);
}

TEST_F(SkinToolBars, DropDownButtonsShowTheirArrowZone) {
    TToolButton* go = Button("Go", tbsDropDown);
    Hover(go);
    TBitmap shot;
    Shot(bar, shot);
    const TRect r = go->BoundsRect();
    const int y = r.Height() / 2;
    EXPECT_EQ(Px(shot, r.Right - 7, y + 1), 0u);
    EXPECT_EQ(Px(shot, r.Right - 8, y), 0u);
    EXPECT_EQ(Px(shot, r.Right - 14, r.Top + 3), 0u) << "the divider";
    EXPECT_EQ(Px(shot, r.Right - 3, y + 4), XPFace);
    // The caption is centred in the part left of the 14 pixels.
    const TRect ink = InkInside(shot, {r.Left, r.Top, r.Right - 14, r.Bottom}, XPFace);
    TBitmap measure;
    measure.Canvas()->Font()->Assign(bar->Font());
    const int x = r.Left + (r.Width() - 14 - measure.Canvas()->TextWidth("Go")) / 2;
    EXPECT_GE(ink.Left, x);
    EXPECT_LE(ink.Left, x + 2);
}

TEST_F(SkinToolBars, TheArrowOfAButtonOnALowerRowStaysAtTheFirstRowsHeight) {
    bar->SetAlign(alNone);
    bar->SetBounds(0, 0, 50, 80);
    Button("Two", tbsDropDown);
    Button("One", tbsDropDown);
    TToolButton* lower = bar->Buttons(1);
    ASSERT_GT(lower->Top(), 0) << "the second button wraps to a lower row";
    Hover(lower);
    TBitmap shot;
    Shot(bar, shot);
    const TRect r = lower->BoundsRect();
    const int y = r.Height() / 2;
    EXPECT_EQ(Px(shot, r.Right - 7, y + 1), 0u) << "drawn at the first row's middle";
    EXPECT_NE(Px(shot, r.Right - 7, r.Top + y + 1), 0u);
}

}  // namespace
