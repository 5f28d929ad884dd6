// Framed test forms for looking at: one per built-in style side by side,
// each with a skinned menu bar, or ("maximized") one WinXP form maximised.
// Stays up for the given seconds (default 20) or until its forms close.
#include "FormFrame.h"
#include "MainMenu.h"

#include "Application.h"
#include "Form.h"
#include "Label.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

TForm* MakeFramedForm(TskUIStyle Style, const std::string& Caption, int Left, int Top) {
    auto* form = Create<TForm>(Application);
    form->SetBorderStyle(bsSizeable);
    form->SetBounds(Left, Top, 400, 240);
    form->SetCaption(Caption);
    auto* frame = Create<TskForm>(form);
    frame->SetName("Frame");
    frame->SetParent(form);
    auto* menu = Create<TskMainMenu>(form);
    for (const char* caption : {"&File", "&Edit", "&View", "&Help"}) {
        auto* item = Create<TMenuItem>(form);
        item->SetCaption(caption);
        menu->Items()->Add(item);
        auto* sub = Create<TMenuItem>(form);
        sub->SetCaption("&Open...");
        item->Add(sub);
    }
    menu->Items()->Items(1)->SetEnabled(false);
    menu->HookAllItems();
    frame->SetUIStyle(Style);
    frame->SetFrameCaption(Caption);
    auto* label = Create<TLabel>(form);
    label->SetParent(frame);
    label->SetBounds(20, 80, 300, 20);
    label->SetCaption(Caption + " frame, Edit menu disabled");
    return form;
}

}  // namespace

int main(int argc, char** argv) {
    const bool maximized = argc > 1 && std::string(argv[1]) == "maximized";
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 20;
    std::vector<TForm*> forms;
    if (maximized) {
        TForm* form = MakeFramedForm(TskUIStyle::WinXP, "Maximised WinXP", 100, 100);
        form->SetWindowState(wsMaximized);
        forms.push_back(form);
    } else {
        const TskUIStyle styles[] = {TskUIStyle::MacOS, TskUIStyle::WinXP, TskUIStyle::DeepBlue, TskUIStyle::Protein,
                                     TskUIStyle::BlueGlass};
        for (int i = 0; i < 5; ++i)
            forms.push_back(MakeFramedForm(styles[i], std::string(UIStyleName(styles[i])), 10 + (i % 3) * 420,
                                           10 + (i / 3) * 280));
    }
    for (TForm* form : forms) form->Show();
    const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    while (GetTickCount() < end && !Application->Terminated()) {
        Application->ProcessMessages();
        Sleep(20);
    }
    return 0;
}
