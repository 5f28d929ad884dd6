// An MDI main form with the skinned MDI frame for looking at: "tiled" shows
// three framed children tiled side by side, "maximized" one framed child
// maximised, its menu and its buttons on the frame's menu bar. Stays up for
// the given seconds (default 20) or until the main form closes.
#include "FormFrame.h"
#include "MDIForm.h"
#include "MainMenu.h"

#include "Application.h"
#include "Form.h"
#include "Label.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

TskMainMenu* MakeMenu(TComponent* Owner, const std::vector<const char*>& Captions) {
    auto* menu = Create<TskMainMenu>(Owner);
    for (const char* caption : Captions) {
        auto* item = Create<TMenuItem>(Owner);
        item->SetCaption(caption);
        menu->Items()->Add(item);
        auto* sub = Create<TMenuItem>(Owner);
        sub->SetCaption("&Open...");
        item->Add(sub);
    }
    menu->HookAllItems();
    return menu;
}

TForm* MakeChild(TForm* Main, TskUIStyle Style, const std::string& Caption, bool WithMenu) {
    auto* child = Create<TForm>(Main);
    child->SetFormStyle(fsMDIChild);
    child->SetCaption(Caption);
    child->SetBounds(0, 0, 320, 220);
    auto* frame = Create<TskForm>(child);
    frame->SetParent(child);
    frame->SetUIStyle(Style);
    frame->SetFrameCaption(Caption);
    if (WithMenu) frame->SetMenu(MakeMenu(child, {"&Edit", "&Format"}));
    auto* label = Create<TLabel>(child);
    label->SetParent(frame);
    label->SetBounds(16, 50, 260, 20);
    label->SetCaption(Caption + " (" + std::string(UIStyleName(Style)) + " frame)");
    child->Show();
    return child;
}

}  // namespace

int main(int argc, char** argv) {
    const bool maximized = argc > 1 && std::string(argv[1]) == "maximized";
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 20;
    auto* main = Create<TForm>(Application);
    main->SetFormStyle(fsMDIForm);
    main->SetBounds(20, 20, 1000, 640);
    main->SetCaption(maximized ? "MDI maximised" : "MDI tiled");
    // Children are made in the client of the application's main form.
    Application->SetMainForm(main);
    auto* frame = Create<TskMDIForm>(main);
    frame->SetUIStyle(TskUIStyle::WinXP);
    frame->SetMenu(MakeMenu(main, {"&File", "&Window", "&Help"}));
    frame->SetCaption(main->Caption());
    main->Show();
    Application->ProcessMessages();
    if (maximized) {
        MakeChild(main, TskUIStyle::WinXP, "Notes", false);
        TForm* top = MakeChild(main, TskUIStyle::WinXP, "Report", true);
        Application->ProcessMessages();
        top->SetWindowState(wsMaximized);
    } else {
        MakeChild(main, TskUIStyle::WinXP, "First", false);
        MakeChild(main, TskUIStyle::DeepBlue, "Second", false);
        MakeChild(main, TskUIStyle::MacOS, "Third", true);
        Application->ProcessMessages();
        main->TileMode = tbVertical;
        main->Tile();
    }
    const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    while (GetTickCount() < end && !Application->Terminated()) {
        Application->ProcessMessages();
        Sleep(20);
    }
    return 0;
}
