// A picture per built-in style of the skinned scrolling controls, for
// looking at: skin_scroll_gallery <folder> writes skin-scroll-<Style>.bmp
// there. Each shows a memo and a list view carrying both skinned bars,
// scrolled half-way, with the memo's lower arrow under the pointer, and a
// horizontal and a vertical track bar with ticks. The form is read back from
// the screen, so the bars show where they lie over their controls.
#include "SkinListView.h"
#include "SkinMemo.h"
#include "SkinScrollBar.h"
#include "SkinThemes.h"
#include "SkinTrackBar.h"

#include "Bitmap.h"
#include "Form.h"
#include "GraphicsHandles.h"
#include "Pump.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

template <class T>
T* Place(TForm* Form, int Left, int Top, int Width, int Height) {
    T* c = Create<T>(Form);
    c->SetParent(Form);
    c->SetBounds(Left, Top, Width, Height);
    return c;
}

std::string Lines(int Count, int Width) {
    std::string text;
    for (int i = 0; i < Count; ++i) text += "Line " + std::to_string(i) + " " + std::string(Width, 'x') + "\r\n";
    return text;
}

void Sheet(TskUIStyle Style, const std::string& File) {
    auto form = CreateOwned<TForm>();
    form->SetBounds(10, 10, 640, 360);
    form->SetColor(static_cast<TColor>(BuiltInThemeColor(Style, TskThemeKey::FormBackgroundColor)));
    form->SetCaption(std::string("Scrolling: ") + std::string(UIStyleName(Style)));

    auto* memo = Place<TskMemo>(form.get(), 12, 12, 280, 200);
    memo->SetUIStyle(Style);
    memo->SetWordWrap(false);
    auto* list = Place<TskListView>(form.get(), 320, 12, 290, 200);
    list->SetUIStyle(Style);
    list->SetViewStyle(vsReport);
    list->AddColumn("Movie", 400);
    auto* trackH = Place<TskTrackBar>(form.get(), 12, 240, 280, 30);
    // A track bar fits its cross size to its pictures at every resize, so
    // the vertical one is turned before it gets its bounds.
    auto* trackV = Create<TskTrackBar>(form.get());
    trackV->SetParent(form.get());
    trackV->SetOrientation(skVertical);
    trackV->SetBounds(320, 230, 30, 110);
    for (TskTrackBar* t : {trackH, trackV}) {
        t->SetUIStyle(Style);
        t->SetMax(20);
        t->SetFrequency(2);
        t->SetPosition(7);
    }
    form->Show();
    PumpUntil([&] { return IsWindowVisible(form->Handle()) != FALSE; }, 5000);
    SetForegroundWindow(form->Handle());

    memo->Lines()->SetText(Lines(60, 40));
    for (int i = 0; i < 60; ++i) list->Items()->Add()->SetCaption("Movie number " + std::to_string(i) + " with a long name to scroll");
    auto bar = [&](TskProgressBarOrientation o) {
        auto* b = Place<TskScrollBar>(form.get(), 0, 0, 100, 17);
        b->SetOrientation(o);
        b->HandleNeeded();
        return b;
    };
    TskScrollBar* memoV = bar(skVertical);
    TskScrollBar* memoH = bar(skHorizontal);
    memo->SetVScrollBar(memoV);
    memo->SetHScrollBar(memoH);
    list->SetVScrollBar(bar(skVertical));
    list->SetHScrollBar(bar(skHorizontal));
    // The style reaches attached bars through their control.
    memo->SetUIStyle(Style);
    list->SetUIStyle(Style);
    PumpFor(100);
    // Half-way down through the bars themselves.
    memoV->SetPosition(memoV->Max() / 2);
    list->VScrollBar()->SetPosition(list->VScrollBar()->Max() / 2);
    memoH->SetPosition(memoH->Max() / 2);
    list->HScrollBar()->SetPosition(list->HScrollBar()->Max() / 2);
    PumpFor(100);
    // The pointer on the memo's lower arrow makes it hot.
    TskImageButton* arrow = memoV->ForwardButton();
    const TPoint at = arrow->ClientToScreen({arrow->Width() / 2, arrow->Height() / 2});
    SetCursorPos(at.X, at.Y);
    PostMessageA(arrow->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(arrow->Width() / 2, arrow->Height() / 2));
    PumpFor(300);

    RECT r{};
    GetWindowRect(form->Handle(), &r);
    TBitmap sheet;
    sheet.SetSize(r.right - r.left, r.bottom - r.top);
    HDC screen = GetDC(nullptr);
    BitBlt(sheet.Canvas()->Handle(), 0, 0, sheet.Width(), sheet.Height(), screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    sheet.SaveToFile(File);
    std::printf("%s: memo first line %ld, bar %d of %d; list bar %d of %d; arrow hot %d\n", File.c_str(),
                static_cast<long>(SendMessageA(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0)), memoV->Position(),
                memoV->Max(), list->VScrollBar()->Position(), list->VScrollBar()->Max(), arrow->MouseOver() ? 1 : 0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: skin_scroll_gallery <folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    try {
        for (TskUIStyle style : BuiltInUIStyles())
            Sheet(style, folder + "\\skin-scroll-" + std::string(UIStyleName(style)) + ".bmp");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
