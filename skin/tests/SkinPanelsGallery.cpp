// A picture per built-in style of the picture panel, group box, edits and
// flat panel in their states, for looking at: skin_panels_gallery <folder>
// writes skin-panels-<Style>.bmp there. The controls sit on a shown form of
// the style's background colour and are caught from the screen, so the
// frames that edits and flat panels paint outside their client area show.
#include "FlatPanel.h"
#include "SkinEdit.h"
#include "SkinGroupBox.h"
#include "SkinImagePanel.h"
#include "SkinThemes.h"

#include "Application.h"
#include "Bitmap.h"
#include "Form.h"
#include "Pump.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Four quadrants in four colours with a dark diagonal, 200 x 200.
void Logo(TBitmap& Picture, int Size) {
    Picture.SetSize(Size, Size);
    const std::uint32_t quadrant[4] = {0x00E04040, 0x0040C040, 0x004060E0, 0x00E0C040};
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x)
            Picture.ScanLine(y)[x] = std::abs(x - y) < 3 ? 0x00202020u : quadrant[(y >= Size / 2 ? 2 : 0) + (x >= Size / 2 ? 1 : 0)];
}

void Label(TCanvas* Sheet, int X, int Y, const std::string& Text) {
    Sheet->Brush()->SetStyle(bsClear);
    Sheet->Font()->SetColor(clBlack);
    Sheet->TextOut(X, Y, Text);
}

template <class T>
T* Place(TForm* Form, int Left, int Top, int Width, int Height, TskUIStyle Style) {
    T* c = Create<T>(Form);
    c->SetParent(Form);
    c->SetBounds(Left, Top, Width, Height);
    if constexpr (requires { c->SetUIStyle(Style); }) c->SetUIStyle(Style);
    c->HandleNeeded();
    return c;
}

void Sheet(TskUIStyle Style, const std::string& File) {
    auto form = CreateOwned<TForm>();
    form->SetBounds(10, 10, 760, 560);
    form->SetColor(static_cast<TColor>(BuiltInThemeColor(Style, TskThemeKey::FormBackgroundColor)));
    form->SetCaption("Gallery");
    form->Show();
    PumpUntil([&] { return IsWindowVisible(form->Handle()) != FALSE; }, 5000);
    SetForegroundWindow(form->Handle());
    TForm* f = form.get();
    const int left = 110;

    // Picture panels: 64 x 64 each (the picture 200 x 200 or 24 x 24).
    TBitmap big, small;
    Logo(big, 200);
    Logo(small, 24);
    const TskDrawStyle draw[3] = {TskDrawStyle::skNormal, TskDrawStyle::skStretch, TskDrawStyle::skTile};
    for (int i = 0; i < 3; ++i) {
        auto* p = Place<TskImagePanel>(f, left + i * 100, 30, 64, 64, Style);
        p->Picture()->Assign(i == 2 ? &small : &big);
        p->SetDrawStyle(draw[i]);
    }
    auto* clear = Place<TskImagePanel>(f, left + 300, 30, 64, 64, Style);
    clear->SetTransparent(true);
    clear->SetCaption("clear");
    const TAlignment align[3] = {taLeftJustify, taCenter, taRightJustify};
    for (int i = 0; i < 3; ++i) {
        auto* p = Place<TskImagePanel>(f, left + 400 + i * 80, 30, 72, 64, Style);
        p->SetColor(clWhite);
        p->SetAlignment(align[i]);
        p->SetCaption(i == 0 ? "Left" : i == 1 ? "Centre" : "Right");
    }

    // Group boxes: enabled with a child, disabled, empty caption.
    for (int i = 0; i < 3; ++i) {
        auto* g = Place<TskGroupBox>(f, left + i * 200, 130, 185, 105, Style);
        g->SetCaption(i == 2 ? "" : "Settings");
        auto* e = Create<TskEdit>(f);
        e->SetParent(g);
        e->SetBounds(10, 30, 150, 21);
        e->SetText("inside");
        if (i == 1) g->SetEnabled(false);
    }

    // Edits: normal, focused with a selection, disabled, and a number edit.
    auto* normal = Place<TskEdit>(f, left, 270, 130, 21, Style);
    normal->SetText("Title");
    auto* disabled = Place<TskEdit>(f, left + 300, 270, 130, 21, Style);
    disabled->SetText("Disabled");
    disabled->SetEnabled(false);
    auto* number = Place<TskNumberEdit>(f, left + 450, 270, 100, 21, Style);
    number->SetValue(1234.5);
    auto* focused = Place<TskEdit>(f, left + 150, 270, 130, 21, Style);
    focused->SetText("Selected text");

    // Flat panels: border, hot, no border, not flat.
    TFlatPanel* flats[4];
    for (int i = 0; i < 4; ++i) {
        flats[i] = Place<TFlatPanel>(f, left + i * 130, 330, 110, 40, Style);
        flats[i]->SetCaption(i == 0 ? "border" : i == 1 ? "hot" : i == 2 ? "no border" : "not flat");
    }
    flats[2]->SetShowBorder(false);
    flats[3]->SetFlat(false);
    PumpFor(150);
    focused->SetFocus();
    focused->SetSelStart(0);
    focused->SetSelLength(8);
    flats[1]->Perform(CM_MOUSEENTER);
    PumpFor(300);

    // The form's client area as on the screen, then the labels in the margin.
    const int w = f->ClientWidth(), h = f->ClientHeight();
    TBitmap sheet;
    sheet.SetSize(w, h);
    {
        HDC screen = GetDC(f->Handle());
        BitBlt(sheet.Canvas()->Handle(), 0, 0, w, h, screen, 0, 0, SRCCOPY);
        ReleaseDC(f->Handle(), screen);
    }
    Label(sheet.Canvas(), 8, 6, std::string(UIStyleName(Style)));
    Label(sheet.Canvas(), left, 8, "normal / stretched / tiled / transparent / caption left, centre, right");
    Label(sheet.Canvas(), 8, 50, "TskImagePanel");
    Label(sheet.Canvas(), 8, 170, "TskGroupBox");
    Label(sheet.Canvas(), left, 110, "enabled with a child / disabled / empty caption");
    Label(sheet.Canvas(), 8, 273, "TskEdit");
    Label(sheet.Canvas(), left, 250, "normal / focused, selected / disabled / number edit");
    Label(sheet.Canvas(), 8, 342, "TFlatPanel");
    sheet.FreeContext();
    sheet.SaveToFile(File);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: skin_panels_gallery <folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    try {
        for (TskUIStyle style : BuiltInUIStyles())
            Sheet(style, folder + "\\skin-panels-" + std::string(UIStyleName(style)) + ".bmp");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
