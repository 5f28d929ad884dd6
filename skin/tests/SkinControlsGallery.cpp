// A picture per built-in style of the skinned buttons and check box in their
// states, for looking at: skin_controls_gallery <folder> writes
// skin-controls-<Style>.bmp there. Each control is shown on a form of the
// style's background colour and caught through WM_PAINT.
#include "DBNavigator.h"
#include "SkinButtons.h"
#include "SkinCheckBox.h"
#include "SkinThemes.h"
#include "SkinToolBar.h"

#include "Application.h"
#include "Form.h"
#include "MemoryDataSet.h"
#include "Pump.h"

#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

void PaintInto(TWinControl* Control, TCanvas* Sheet, int X, int Y) {
    TBitmap shot;
    shot.SetSize(Control->Width(), Control->Height());
    // The native tool bar paints its background on erasing; the skinned controls ignore it.
    Control->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(shot.Canvas()->Handle()), 0);
    Control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(shot.Canvas()->Handle()), 0);
    shot.FreeContext();
    Sheet->Draw(X, Y, &shot);
}

// A 16 x 16 green plus on fuchsia (the mask colour).
void PlusGlyph(TBitmap& Glyph) {
    Glyph.SetSize(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool bar = (x >= 6 && x <= 9 && y >= 2 && y <= 13) || (y >= 6 && y <= 9 && x >= 2 && x <= 13);
            Glyph.ScanLine(y)[x] = bar ? 0x00108010u : 0x00FF00FFu;
        }
}

void Label(TCanvas* Sheet, int X, int Y, const std::string& Text) {
    Sheet->Brush()->SetStyle(bsClear);
    Sheet->Font()->SetColor(clBlack);
    Sheet->TextOut(X, Y, Text);
}

void Sheet(TskUIStyle Style, const std::string& File) {
    auto form = CreateOwned<TForm>();
    form->SetBounds(10, 10, 700, 400);
    form->SetColor(static_cast<TColor>(BuiltInThemeColor(Style, TskThemeKey::FormBackgroundColor)));
    form->SetCaption("Gallery");
    form->Show();
    PumpUntil([&] { return IsWindowVisible(form->Handle()) != FALSE; }, 5000);
    SetForegroundWindow(form->Handle());
    PumpFor(100);

    const std::vector<std::string> states{"normal", "hot", "pressed", "focused", "disabled"};
    TBitmap sheet;
    const int columnW = 110, left = 110;
    sheet.SetSize(left + columnW * 5 + 10, 480);
    sheet.Canvas()->Brush()->SetColor(form->Color());
    sheet.Canvas()->FillRect({0, 0, sheet.Width(), sheet.Height()});
    Label(sheet.Canvas(), 8, 6, std::string(UIStyleName(Style)));
    for (size_t i = 0; i < states.size(); ++i) Label(sheet.Canvas(), left + static_cast<int>(i) * columnW, 6, states[i]);

    // One state set up on a fresh control by what a user does.
    auto stateOf = [&](TskCustomButton* b, size_t State) {
        b->SetTabStop(State == 3);
        if (State == 1) b->Perform(CM_MOUSEENTER);
        if (State == 2) {
            b->Perform(CM_MOUSEENTER);
            b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        }
        if (State == 3) {
            b->SetFocus();
            PumpFor(30);
        }
        if (State == 4) b->SetEnabled(false);
    };
    TBitmap glyph;
    PlusGlyph(glyph);
    const std::vector<std::pair<std::string, std::function<TskCustomButton*()>>> rows{
        {"TskButton", [&] {
             auto* b = Create<TskButton>(form.get());
             b->SetParent(form.get());
             b->SetCaption("Build");
             return b;
         }},
        {"with glyph", [&] {
             auto* b = Create<TskButton>(form.get());
             b->SetParent(form.get());
             b->SetCaption("Add");
             b->SetGlyph(&glyph);
             return b;
         }},
        {"glyph only", [&] {
             auto* b = Create<TskButton>(form.get());
             b->SetParent(form.get());
             b->SetBounds(0, 0, 27, 27);
             b->SetGlyph(&glyph);
             return b;
         }},
    };
    int y = 28;
    for (const auto& row : rows) {
        Label(sheet.Canvas(), 8, y + 6, row.first);
        for (size_t s = 0; s < states.size(); ++s) {
            TskCustomButton* b = row.second();
            b->SetUIStyle(Style);
            b->SetLeft(200);
            b->HandleNeeded();
            stateOf(b, s);
            PaintInto(b, sheet.Canvas(), left + static_cast<int>(s) * columnW, y);
            b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(-50, -50));
            b->Free();
        }
        y += 40;
    }

    const std::vector<std::string> boxStates{"unchecked", "checked", "focused", "disabled", "disabled checked"};
    Label(sheet.Canvas(), 8, y + 2, "TskCheckBox");
    for (size_t s = 0; s < boxStates.size(); ++s) {
        auto* c = Create<TskCheckBox>(form.get());
        c->SetParent(form.get());
        c->SetUIStyle(Style);
        c->SetCaption("Mute");
        c->HandleNeeded();
        if (s == 1 || s == 2 || s == 4) c->SetChecked(true);
        if (s == 2) {
            c->SetFocus();
            PumpFor(30);
        }
        if (s >= 3) c->SetEnabled(false);
        TBitmap sized;  // the first paint sizes the box
        sized.SetSize(c->Width(), c->Height());
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(sized.Canvas()->Handle()), 0);
        PaintInto(c, sheet.Canvas(), left + static_cast<int>(s) * columnW, y);
        Label(sheet.Canvas(), left + static_cast<int>(s) * columnW, y + 24, boxStates[s]);
        c->Free();
    }
    y += 50;

    Label(sheet.Canvas(), 8, y + 4, "speed button");
    for (int s = 0; s < 2; ++s) {
        auto* b = Create<TskToolBarSpeedButton>(form.get());
        b->SetParent(form.get());
        b->SetGlyph(&glyph);
        b->HandleNeeded();
        if (s == 1) b->Perform(CM_MOUSEENTER);
        PaintInto(b, sheet.Canvas(), left + s * columnW, y);
        Label(sheet.Canvas(), left + s * columnW + 24, y + 2, s ? "hover" : "normal");
        b->Free();
    }
    y += 30;

    // Tool buttons: one bar per state, the state set on the native bar.
    Label(sheet.Canvas(), 8, y + 8, "TskToolBar");
    const std::vector<std::string> toolStates{"normal", "hot", "pressed", "checked", "drop-down hot"};
    for (size_t s = 0; s < toolStates.size(); ++s) {
        auto* bar = Create<TskToolBar>(form.get());
        bar->SetParent(form.get());
        bar->SetAlign(alNone);
        bar->SetBounds(0, 200, 100, 30);
        bar->SetUIStyle(Style);
        bar->SetShowCaptions(true);
        auto* b = Create<TToolButton>(form.get());
        b->SetCaption(s == 4 ? "Go" : "&File");
        b->SetParent(bar);
        if (s == 3) b->SetStyle(tbsCheck);
        if (s == 4) b->SetStyle(tbsDropDown);
        if (s == 3) b->SetDown(true);
        if (s == 1 || s == 2 || s == 4) SendMessageA(bar->Handle(), TB_SETHOTITEM, 0, 0);
        if (s == 2) SendMessageA(bar->Handle(), TB_PRESSBUTTON, static_cast<WPARAM>(b->CommandId()), TRUE);
        PumpFor(20);
        PaintInto(bar, sheet.Canvas(), left + static_cast<int>(s) * columnW, y);
        Label(sheet.Canvas(), left + static_cast<int>(s) * columnW, y + 30, toolStates[s]);
        bar->Free();
    }
    y += 52;

    Label(sheet.Canvas(), 8, y + 4, "auto-size");
    auto* autoSized = Create<TskButton>(form.get());
    autoSized->SetParent(form.get());
    autoSized->SetUIStyle(Style);
    autoSized->SetAutoSize(true);
    autoSized->HandleNeeded();
    PaintInto(autoSized, sheet.Canvas(), left, y);
    Label(sheet.Canvas(), left + autoSized->Width() + 8, y + 4,
          std::to_string(autoSized->Width()) + " x " + std::to_string(autoSized->Height()));
    y += 40;

    // The record navigator on the second of three records while editing
    // (some buttons enabled, some not), with the focus mark on Next; and
    // one without a data source (all disabled).
    auto* data = Create<TMemoryDataSet>(form.get());
    for (const char* v : {"a", "b", "c"}) data->Add(v);
    auto* source = Create<TDataSource>(form.get());
    source->SetDataSet(data);
    for (int n = 0; n < 2; ++n) {
        auto* nav = Create<TskDBNavigator>(form.get());
        nav->SetParent(form.get());
        nav->SetUIStyle(Style);
        nav->HandleNeeded();
        if (n == 0) {
            nav->SetDataSource(source);
            data->Open();
            data->Next();
            data->Edit();
            nav->SetTabStop(true);
            nav->SetFocus();
            PumpFor(30);
            nav->Perform(WM_KEYDOWN, VK_RIGHT, 0);
            nav->Perform(WM_KEYDOWN, VK_RIGHT, 0);
            PumpFor(30);
        }
        Label(sheet.Canvas(), 8, y + 8, n == 0 ? "navigator" : "no source");
        TBitmap shot;
        shot.SetSize(nav->Width(), nav->Height());
        for (int i = 0; i < 10; ++i) {
            TskNavButton* b = nav->Buttons(static_cast<TNavigateBtn>(i));
            PaintInto(b, shot.Canvas(), b->Left(), b->Top());
        }
        shot.FreeContext();
        sheet.Canvas()->Draw(left, y, &shot);
        nav->Free();
        y += 38;
    }

    sheet.FreeContext();
    sheet.SaveToFile(File);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: skin_controls_gallery <folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    try {
        for (TskUIStyle style : BuiltInUIStyles())
            Sheet(style, folder + "\\skin-controls-" + std::string(UIStyleName(style)) + ".bmp");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
