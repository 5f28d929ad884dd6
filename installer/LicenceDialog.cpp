#include "LicenceDialog.h"

#include "InstallerResources.h"
#include "SysUtils.h"

#include <windows.h>

namespace {

struct TLicenceTexts {
    std::string Caption;
    std::string Prompt;
    std::string Text;
};

INT_PTR CALLBACK LicenceProc(HWND Dialog, UINT Message, WPARAM WParam, LPARAM LParam) {
    switch (Message) {
    case WM_INITDIALOG: {
        const auto* texts = reinterpret_cast<const TLicenceTexts*>(LParam);
        SetWindowTextA(Dialog, texts->Caption.c_str());
        SetDlgItemTextA(Dialog, IDC_LICENCE_PROMPT, texts->Prompt.c_str());
        // The whole text goes in with one call. A very long single line still
        // takes long to show: that is the platform edit control wrapping it
        // (under Wine its time grows faster than the square of the line's
        // length, the same in a bare edit control), not work of ours.
        SetDlgItemTextA(Dialog, IDC_LICENCE_TEXT, texts->Text.c_str());
        // Started from the builder or the shell, the window must come up in
        // front, with the text ready to be scrolled by keyboard.
        SetForegroundWindow(Dialog);
        const HWND text = GetDlgItem(Dialog, IDC_LICENCE_TEXT);
        SetFocus(text);
        SendMessageA(text, EM_SETSEL, 0, 0);
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(WParam) == IDOK || LOWORD(WParam) == IDCANCEL) {
            EndDialog(Dialog, LOWORD(WParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

bool AskLicenceAcceptance(const std::string& Caption, const std::string& Title, const std::string& Text) {
    const TLicenceTexts texts{
        Caption,
        Format("Please read the licence agreement of the screensaver \"%s\". Press \"I Agree\" to accept it and "
               "install the screensaver, or \"Cancel\" to leave without installing.",
               Title),
        Text};
    const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_LICENCE), nullptr,
                                           LicenceProc, reinterpret_cast<LPARAM>(&texts));
    return result == IDOK;
}
