#include "SkinDialog.h"

#include "Application.h"
#include "FormFrame.h"
#include "InputForm.h"
#include "Label.h"
#include "SkinButtons.h"
#include "SkinEdit.h"
#include "SkinThemes.h"

#include <memory>

const TClassInfo& TskDialog::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskDialog, TComponent>("TskDialog", [](auto& c) {
        c.String("Caption", &TskDialog::Caption, &TskDialog::SetCaption);
        c.template Enum<TskUIStyle>("UIStyle", &TskDialog::UIStyle, &TskDialog::SetUIStyle, UIStyleNames());
        c.template Reference<TskFileTheme>("FileTheme", &TskDialog::FileTheme, &TskDialog::SetFileTheme);
        c.Object("Font", &TskDialog::Font);
        c.Object("CaptionFont", &TskDialog::CaptionFont);
    });
    return info;
}

void TskDialog::Init() {
    TComponent::Init();
    caption_ = "skDialog";
    position_ = poScreenCenter;
    buttonCursor_ = crHandPoint;
    uiStyle_ = TskUIStyle::DeepBlue;
    captionFont_.SetColor(clWhite);
    captionFont_.SetName("Tahoma");
    captionFont_.SetStyle(TFontStyles{fsBold});
    SetUIStyle(GetOwnerFormUIStyle(Owner()));
}

void TskDialog::SetUIStyle(TskUIStyle Value) {
    uiStyle_ = Value;
    if (Value == TskUIStyle::MacOS) captionFont_.SetColor(clBlack);
}

void TskDialog::SetFileTheme(TskFileTheme* Value) {
    if (fileTheme_ && fileTheme_ != Value) fileTheme_->RemoveFreeNotification(this);
    fileTheme_ = Value;
    if (Value) Value->FreeNotification(this);
    SetUIStyle(uiStyle_);
}

void TskDialog::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent && AComponent == fileTheme_) {
        fileTheme_ = nullptr;
        SetUIStyle(TskUIStyle::DeepBlue);
    }
}

const TClassInfo& TskInputDialog::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskInputDialog, TskDialog>("TskInputDialog", [](auto& c) {
        c.Field("PromptText", &TskInputDialog::PromptText);
        c.Field("ValueText", &TskInputDialog::ValueText);
        c.Field("ButtonOKCaption", &TskInputDialog::ButtonOKCaption);
        c.Field("ButtonCancelCaption", &TskInputDialog::ButtonCancelCaption);
    });
    return info;
}

int TskInputDialog::Execute() {
    std::unique_ptr<TfrmInput, TFreeComponent> form(Create<TfrmInput>(Application));
    form->SetFont(Font());
    form->lbl_prompt->SetCaption(PromptText);
    form->edt_value->SetText(ValueText);
    form->edt_value->SetPasswordChar(PasswordChar);
    form->btn1->SetCaption(ButtonOKCaption);
    form->btn1->SetDefault(true);
    form->btn2->SetCaption(ButtonCancelCaption);
    form->btn2->Cancel = true;
    form->SetPosition(Position());
    form->skForm1->RemoveFormCaption();
    // Centred on the window's outer width, 16 pixels apart.
    const int half = form->Width() / 2;
    form->btn1->SetLeft(half - form->btn1->Width() - 8);
    form->btn2->SetLeft(half + 8);
    form->btn1->SetCursor(buttonCursor_);
    form->btn2->SetCursor(buttonCursor_);
    form->skForm1->SetFrameCaption(Caption());
    form->skForm1->SetUIStyle(UIStyle());
    form->skForm1->SetFileTheme(FileTheme());
    if (TFont* title = form->skForm1->TitleBarFont()) title->Assign(CaptionFont());
    const int result = form->ShowModal();
    if (result == mrOk) ValueText = form->edt_value->Text();
    return result;
}
