// Pictures of the link label and the input dialog, for looking at:
// skin_dialogs_gallery <folder> writes there link-labels.bmp (two links,
// the first under the pointer) and input-dialog-<Style>.bmp for WinXP and
// DeepBlue, each caught from the screen.
#include "InputForm.h"
#include "SkinButtons.h"
#include "SkinDialog.h"
#include "SkinEdit.h"
#include "URLLabel.h"

#include "Application.h"
#include "Bitmap.h"
#include "Form.h"
#include "Pump.h"
#include "WindowShot.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

void SaveWindow(HWND Window, const std::string& File) {
    RedrawWindow(Window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(300);
    TBitmap sheet;
    ShootWindow(Window, sheet);
    sheet.SaveToFile(File);
}

void LinkLabels(const std::string& File) {
    auto form = CreateOwned<TForm>();
    form->SetBounds(40, 40, 320, 140);
    form->SetColor(static_cast<TColor>(0x00DEEBEF));
    form->SetCaption("Link labels");
    auto* home = Create<TskURLLabel>(form.get());
    home->SetParent(form.get());
    home->SetBounds(24, 24, 0, 0);
    home->SetCaption("www.example.org");
    auto* mail = Create<TskURLLabel>(form.get());
    mail->SetParent(form.get());
    mail->SetBounds(24, 48, 0, 0);
    mail->SetCaption("info@example.org");
    form->Show();
    PumpUntil([&] { return IsWindowVisible(form->Handle()) != FALSE; }, 5000);
    SetForegroundWindow(form->Handle());
    const TPoint at = home->ClientToScreen({4, home->Height() / 2});
    SetCursorPos(at.X, at.Y);
    PostMessageA(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(home->Left() + 4, home->Top() + home->Height() / 2));
    PumpUntil([&] { return home->Font()->Color() == home->FontHoverColor(); }, 3000);
    SaveWindow(form->Handle(), File);
    SetCursorPos(0, 0);
}

std::string shotFile;

void CALLBACK ShootDialog(HWND, UINT, UINT_PTR Timer, DWORD) {
    HWND window = FindWindowA("TfrmInput", nullptr);
    if (!window || !IsWindowVisible(window)) return;
    KillTimer(nullptr, Timer);
    auto* form = dynamic_cast<TfrmInput*>(TWinControl::FindControl(window));
    if (!form) return;
    form->edt_value->SetText("Ada Lovelace");
    SaveWindow(window, shotFile);
    form->SetModalResult(mrCancel);
}

void InputDialog(TskUIStyle Style, const std::string& File) {
    auto host = CreateOwned<TForm>();
    auto* dialog = Create<TskInputDialog>(host.get());
    dialog->SetCaption("Sign in");
    dialog->PromptText = "User name:";
    dialog->SetUIStyle(Style);
    shotFile = File;
    SetTimer(nullptr, 0, 100, ShootDialog);
    dialog->Execute();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: skin_dialogs_gallery <folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    try {
        LinkLabels(folder + "\\link-labels.bmp");
        InputDialog(TskUIStyle::WinXP, folder + "\\input-dialog-WinXP.bmp");
        InputDialog(TskUIStyle::DeepBlue, folder + "\\input-dialog-DeepBlue.bmp");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
