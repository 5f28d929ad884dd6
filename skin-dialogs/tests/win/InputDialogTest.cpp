// The input dialog as a user meets it: the window it builds, typing, and the
// four ways out (OK, Cancel, Escape, the title bar's close button); and the
// dialog component's style, fonts and theme on a form.
#include "FileTheme.h"
#include "FormFrame.h"
#include "InputForm.h"
#include "Label.h"
#include "SkinButtons.h"
#include "SkinDialog.h"
#include "SkinEdit.h"
#include "TitleBar.h"

#include "Application.h"
#include "Pump.h"
#include "UserInput.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

namespace {

// What the user does once the dialog's window is up: run from a timer inside
// the dialog's modal loop.
std::function<void(TfrmInput&)> userActions;
bool userActed = false;

void CALLBACK ActOnDialog(HWND, UINT, UINT_PTR Timer, DWORD) {
    HWND window = FindWindowA("TfrmInput", nullptr);
    if (!window || !IsWindowVisible(window)) return;
    KillTimer(nullptr, Timer);
    auto* form = dynamic_cast<TfrmInput*>(TWinControl::FindControl(window));
    if (!form) return;
    PumpFor(100);
    userActed = true;
    userActions(*form);
}

// Runs Execute while Actions plays the user; a dialog nobody closes is closed
// after a while so that a failing test does not hang.
int RunDialog(TskInputDialog& Dialog, std::function<void(TfrmInput&)> Actions) {
    userActions = [Actions](TfrmInput& Form) {
        Actions(Form);
        // The modal loop ends once this returns; a result must be set by then.
        if (!PumpUntil([&] { return Form.ModalResult() != mrNone; }, 3000)) {
            ADD_FAILURE() << "the dialog stayed open";
            Form.SetModalResult(mrAbort);
        }
    };
    userActed = false;
    SetTimer(nullptr, 0, 50, ActOnDialog);
    const int result = Dialog.Execute();
    EXPECT_TRUE(userActed) << "the dialog's window was never seen";
    return result;
}

void ClickButton(TskButton* Button) {
    const TPoint at = Button->ClientToScreen({Button->Width() / 2, Button->Height() / 2});
    SetCursorPos(at.X, at.Y);
    PostMessageA(Button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(Button->Width() / 2, Button->Height() / 2));
    PumpFor(40);
    ClickAt(Button->Handle(), Button->Width() / 2, Button->Height() / 2);
}

void ClickTitleBarClose(TfrmInput& Form) {
    TskTitleBar* bar = Form.skForm1->TitleBar();
    ASSERT_NE(bar, nullptr);
    const int x = bar->Width() - 23 + 10;
    POINT p{x, 12};
    ClientToScreen(bar->Handle(), &p);
    SetCursorPos(p.x, p.y);
    PostMessageA(bar->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, 12));
    PumpFor(40);
    ClickAt(bar->Handle(), x, 12);
}

void TypeIntoValue(TfrmInput& Form, const std::string& Text) {
    Form.edt_value->SetFocus();
    SendMessageA(Form.edt_value->Handle(), EM_SETSEL, 0, -1);
    TypeChars(Form.edt_value->Handle(), Text);
    PumpFor(60);
}

class InputDialog : public ::testing::Test {
protected:
    void SetUp() override {
        host = CreateOwned<TForm>();
        host->SetBounds(20, 20, 300, 200);
        dialog = Create<TskInputDialog>(host.get());
    }
    void TearDown() override {
        host.reset();
        SetCursorPos(2, 2);
        PumpFor(20);
    }

    TOwned<TForm> host;
    TskInputDialog* dialog = nullptr;
};

TEST_F(InputDialog, StartsWithItsDefaults) {
    EXPECT_EQ(dialog->Caption(), "skDialog");
    EXPECT_EQ(dialog->Position(), poScreenCenter);
    EXPECT_EQ(dialog->UIStyle(), TskUIStyle::DeepBlue) << "an owner without a frame";
    EXPECT_EQ(dialog->FileTheme(), nullptr);
    EXPECT_EQ(dialog->CaptionFont()->Color(), clWhite);
    EXPECT_EQ(dialog->CaptionFont()->Name(), "Tahoma");
    EXPECT_TRUE(dialog->CaptionFont()->Style().Contains(fsBold));
    EXPECT_EQ(dialog->PromptText, "Prompt text:");
    EXPECT_EQ(dialog->ValueText, "");
    EXPECT_EQ(dialog->PasswordChar, '\0');
    EXPECT_EQ(dialog->ButtonOKCaption, "OK");
    EXPECT_EQ(dialog->ButtonCancelCaption, "Cancel");
    EXPECT_EQ(dialog->ButtonCursor(), crHandPoint);
}

TEST_F(InputDialog, TakesTheStyleOfItsOwnerFormsFrame) {
    for (const TskUIStyle style : {TskUIStyle::WinXP, TskUIStyle::MacOS}) {
        auto owner = CreateOwned<TForm>();
        auto* frame = Create<TskForm>(owner.get());
        frame->SetParent(owner.get());
        frame->SetUIStyle(style);
        auto* d = Create<TskInputDialog>(owner.get());
        EXPECT_EQ(d->UIStyle(), style);
        EXPECT_EQ(d->CaptionFont()->Color(), style == TskUIStyle::MacOS ? clBlack : clWhite);
    }
}

TEST_F(InputDialog, MacOSTurnsTheCaptionFontBlackAndNoLaterStyleTurnsItBack) {
    dialog->SetUIStyle(TskUIStyle::MacOS);
    EXPECT_EQ(dialog->CaptionFont()->Color(), clBlack);
    dialog->SetUIStyle(TskUIStyle::WinXP);
    EXPECT_EQ(dialog->UIStyle(), TskUIStyle::WinXP);
    EXPECT_EQ(dialog->CaptionFont()->Color(), clBlack);

    // The shown dialog's title bar takes that font and the frame the style.
    RunDialog(*dialog, [](TfrmInput& Form) {
        EXPECT_EQ(Form.skForm1->UIStyle(), TskUIStyle::WinXP);
        EXPECT_EQ(Form.skForm1->TitleBarFont()->Color(), clBlack);
        ClickButton(Form.btn2);
    });
}

TEST_F(InputDialog, RemovingTheFileThemeGivesDeepBlue) {
    auto* theme = Create<TskFileTheme>(host.get());
    dialog->SetUIStyle(TskUIStyle::WinXP);
    dialog->SetFileTheme(theme);
    EXPECT_EQ(dialog->FileTheme(), theme);
    EXPECT_EQ(dialog->UIStyle(), TskUIStyle::WinXP);
    theme->Free();
    EXPECT_EQ(dialog->FileTheme(), nullptr);
    EXPECT_EQ(dialog->UIStyle(), TskUIStyle::DeepBlue);
}

TEST_F(InputDialog, TypingAndOKGiveOneAndTheText) {
    dialog->SetCaption("Sign in");
    dialog->PromptText = "Your name:";
    dialog->ButtonOKCaption = "Go";
    dialog->ButtonCancelCaption = "Stop";
    dialog->ValueText = "old";
    dialog->SetUIStyle(TskUIStyle::WinXP);
    const int result = RunDialog(*dialog, [](TfrmInput& Form) {
        // What the dialog built: no native caption, its texts, the frame's
        // caption, style and title font.
        EXPECT_EQ(GetWindowLongA(Form.Handle(), GWL_STYLE) & WS_CAPTION, 0);
        EXPECT_EQ(Form.lbl_prompt->Caption(), "Your name:");
        EXPECT_EQ(Form.edt_value->Text(), "old");
        EXPECT_EQ(Form.btn1->Caption(), "Go");
        EXPECT_EQ(Form.btn2->Caption(), "Stop");
        EXPECT_TRUE(Form.btn1->Default());
        EXPECT_TRUE(Form.btn2->Cancel);
        EXPECT_EQ(Form.skForm1->FrameCaption(), "Sign in");
        EXPECT_EQ(Form.skForm1->UIStyle(), TskUIStyle::WinXP);
        EXPECT_EQ(Form.skForm1->TitleBarFont()->Color(), clWhite);
        EXPECT_EQ(Form.skForm1->TitleBarFont()->Name(), "Tahoma");
        EXPECT_EQ(Form.btn1->Cursor(), crHandPoint);
        EXPECT_EQ(Form.btn2->Cursor(), crHandPoint);

        // The buttons 8 pixels either side of the middle of the window's
        // outer width, 16 apart on the screen.
        EXPECT_EQ(Form.btn1->Left() + Form.btn1->Width(), Form.Width() / 2 - 8);
        EXPECT_EQ(Form.btn2->Left(), Form.Width() / 2 + 8);
        RECT ok{}, cancel{};
        GetWindowRect(Form.btn1->Handle(), &ok);
        GetWindowRect(Form.btn2->Handle(), &cancel);
        EXPECT_EQ(cancel.left - ok.right, 16);

        TypeIntoValue(Form, "Ada");
        ClickButton(Form.btn1);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(dialog->ValueText, "Ada");
}

struct WayOut {
    const char* name;
    void (*leave)(TfrmInput&);
    int result;
};

class InputDialogWaysOut : public InputDialog, public ::testing::WithParamInterface<WayOut> {};

TEST_P(InputDialogWaysOut, LeaveTheValueAsItWas) {
    dialog->ValueText = "kept";
    const int result = RunDialog(*dialog, [](TfrmInput& Form) {
        TypeIntoValue(Form, "typed");
        GetParam().leave(Form);
    });
    EXPECT_EQ(result, GetParam().result);
    EXPECT_EQ(dialog->ValueText, "kept");
}

INSTANTIATE_TEST_SUITE_P(
    Ways, InputDialogWaysOut,
    ::testing::Values(WayOut{"Cancel", [](TfrmInput& F) { ClickButton(F.btn2); }, mrCancel},
                      WayOut{"Escape", [](TfrmInput& F) { PressKey(F.edt_value->Handle(), VK_ESCAPE); }, mrCancel},
                      WayOut{"TitleBarClose", [](TfrmInput& F) { ClickTitleBarClose(F); }, mrCancel}),
    [](const auto& Info) { return std::string(Info.param.name); });

TEST_F(InputDialog, ThePasswordCharacterMasksTheTyping) {
    dialog->PasswordChar = '*';
    const int result = RunDialog(*dialog, [](TfrmInput& Form) {
        EXPECT_EQ(SendMessageA(Form.edt_value->Handle(), EM_GETPASSWORDCHAR, 0, 0), '*');
        TypeIntoValue(Form, "secret");
        ClickButton(Form.btn1);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(dialog->ValueText, "secret");
}

}  // namespace

namespace {

// The frame's routine on its own: a caption that came back goes again, with
// the frame recomputed (the client area grows by the caption's height).
TEST(RemoveFormCaption, StripsACaptionThatCameBack) {
    auto form = CreateOwned<TForm>();
    form->SetBounds(40, 40, 300, 200);
    auto* frame = Create<TskForm>(form.get());
    frame->SetParent(form.get());
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(form->Handle()) != FALSE; }, 5000));
    HWND wnd = form->Handle();
    ASSERT_EQ(GetWindowLongA(wnd, GWL_STYLE) & WS_CAPTION, 0);

    SetWindowLongA(wnd, GWL_STYLE, GetWindowLongA(wnd, GWL_STYLE) | WS_CAPTION);
    SetWindowPos(wnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RECT withCaption{};
    GetClientRect(wnd, &withCaption);

    frame->RemoveFormCaption();
    EXPECT_EQ(GetWindowLongA(wnd, GWL_STYLE) & WS_CAPTION, 0);
    RECT without{};
    GetClientRect(wnd, &without);
    EXPECT_GT(without.bottom, withCaption.bottom) << "the frame was not recomputed";

    // Without a caption bit it changes nothing.
    frame->RemoveFormCaption();
    RECT again{};
    GetClientRect(wnd, &again);
    EXPECT_EQ(again.bottom, without.bottom);
    EXPECT_EQ(GetWindowLongA(wnd, GWL_STYLE) & WS_CAPTION, 0);
}

}  // namespace
