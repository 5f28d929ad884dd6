#include "ControlsDemoForm.h"

#include "Bitmap.h"
#include "Button.h"
#include "Canvas.h"
#include "CheckBox.h"
#include "Edit.h"
#include "GroupBox.h"
#include "Image.h"
#include "ImageList.h"
#include "Label.h"
#include "ListView.h"
#include "Memo.h"
#include "PageControl.h"
#include "Panel.h"
#include "ToolBar.h"

namespace {
template <class T>
T* Put(TComponent* Owner, TWinControl* Parent, int L, int T_, int W, int H) {
    T* c = Create<T>(Owner);
    c->SetParent(Parent);
    c->SetBounds(L, T_, W, H);
    return c;
}

void Paint(TBitmap& B, int Size, TColor Back, TColor Fore) {
    B.SetSize(Size, Size);
    B.Canvas()->Brush()->SetColor(Back);
    B.Canvas()->FillRect(Rect(0, 0, Size, Size));
    B.Canvas()->Brush()->SetColor(Fore);
    B.Canvas()->FillRect(Rect(Size / 4, Size / 4, Size * 3 / 4, Size * 3 / 4));
}
}  // namespace

TForm* CreateControlsDemoForm(TComponent* Owner) {
    TForm* f = Create<TForm>(Owner);
    f->SetCaption("Standard controls");
    f->SetBounds(20, 20, 640, 500);
    f->Font()->SetName("MS Sans Serif");
    f->Font()->SetHeight(-11);
    f->SetColor(clBtnFace);

    auto* bar = Put<TToolBar>(f, f, 0, 0, 640, 29);
    bar->SetFlat(true);
    bar->SetShowCaptions(true);
    bar->SetList(true);
    auto* tools = Create<TImageList>(f, 16, 16);
    for (TColor c : {clRed, clGreen, clBlue}) {
        TBitmap b;
        Paint(b, 16, clWhite, c);
        tools->Add(&b);
    }
    bar->SetImages(tools);
    const char* captions[] = {"Help", "Edit", "File"};
    for (int i = 0; i < 3; ++i) {
        auto* b = Create<TToolButton>(f);
        b->SetCaption(captions[i]);
        b->SetImageIndex(2 - i);
        b->SetParent(bar);
    }

    auto* bottom = Put<TPanel>(f, f, 0, 0, 640, 25);
    bottom->SetAlign(alBottom);
    bottom->SetBevelOuter(bvNone);
    bottom->SetColor(clWindow);
    bottom->SetCaption("Copyright (C) Nimbrel. All rights reserved.");

    auto* pc = Put<TPageControl>(f, f, 0, 0, 640, 400);
    pc->SetAlign(alClient);
    TTabSheet* sheets[3];
    const char* pages[] = {"Information", "Flash Movies", "Settings"};
    for (int i = 0; i < 3; ++i) {
        sheets[i] = Create<TTabSheet>(f);
        sheets[i]->SetCaption(pages[i]);
        sheets[i]->SetParent(pc);
    }
    TTabSheet* s = sheets[0];
    auto* title = Put<TLabel>(f, s, 8, 8, 40, 16);
    title->SetCaption("Title:");
    title->Font()->SetColor(static_cast<TColor>(0x00CF4602));
    title->Font()->SetHeight(-13);
    title->Font()->SetStyle(TFontStyles{fsBold});
    auto* edit = Put<TEdit>(f, s, 8, 28, 300, 21);
    edit->SetText("Virur Uvivederirez");
    auto* group = Put<TGroupBox>(f, s, 8, 60, 600, 200);
    group->SetCaption("Publisher Information");
    group->Font()->SetColor(static_cast<TColor>(0x00CF4602));
    auto* frame = Put<TPanel>(f, group, 8, 20, 134, 134);
    frame->SetBevelInner(bvLowered);
    frame->SetBevelOuter(bvLowered);
    frame->SetBorderWidth(1);
    auto* logo = Put<TImage>(f, frame, 3, 3, 128, 128);
    {
        TBitmap b;
        Paint(b, 64, clWhite, clNavy);
        logo->Picture()->SetGraphic(&b);
    }
    logo->SetStretch(true);
    auto* change = Put<TButton>(f, group, 8, 162, 134, 27);
    change->SetCaption("Change Logo (128x128)");
    auto* label = Put<TLabel>(f, group, 152, 20, 120, 16);
    label->SetCaption("Screensaver Publisher:");
    label->Font()->SetColor(clInfoText);
    Put<TEdit>(f, group, 152, 36, 380, 21)->SetText("Nimbrel");
    auto* check = Put<TCheckBox>(f, group, 152, 70, 200, 17);
    check->SetCaption("Play flash movies randomly");
    check->SetChecked(true);
    auto* memo = Put<TMemo>(f, group, 152, 96, 380, 90);
    memo->SetScrollBars(ssVertical);
    for (const char* line : {"Building installation package...", "Adding 2 movies", "Done."}) memo->Lines()->Add(line);
    auto* ok = Put<TButton>(f, s, 420, 270, 90, 27);
    ok->SetCaption("Build");
    ok->SetDefault(true);
    auto* cancel = Put<TButton>(f, s, 520, 270, 90, 27);
    cancel->SetCaption("Cancel");
    cancel->Cancel = true;

    auto* shots = Create<TImageList>(f, 128, 128);
    for (TColor c : {clRed, clBlue}) {
        TBitmap b;
        Paint(b, 128, clSilver, c);
        shots->Add(&b);
    }
    auto* list = Put<TListView>(f, sheets[1], 8, 8, 400, 300);
    list->SetReadOnly(true);
    list->IconOptions()->SetAutoArrange(true);
    list->SetLargeImages(shots);
    for (int i = 0; i < 3; ++i) {
        TListItem* item = list->Items()->Add();
        item->SetCaption("movie" + std::to_string(i) + ".swf");
        item->SetImageIndex(i % 2);
    }
    auto* disabled = Put<TGroupBox>(f, sheets[2], 8, 8, 400, 120);
    disabled->SetCaption("License Information");
    Put<TMemo>(f, disabled, 8, 22, 380, 90)->Lines()->Add("disabled with its box");
    disabled->SetEnabled(false);
    return f;
}
