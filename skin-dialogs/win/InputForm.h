#pragma once
// TfrmInput: the input dialog's window, all in its stored description
// (InputForm.form, a resource of each program that shows the dialog).

#include "Form.h"

class TLabel;
class TskButton;
class TskEdit;
class TskForm;

class TfrmInput : public TForm {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    // The components of the stored description, found once it is read.
    TskForm* skForm1 = nullptr;
    TLabel* lbl_prompt = nullptr;
    TskEdit* edt_value = nullptr;
    TskButton* btn1 = nullptr;
    TskButton* btn2 = nullptr;

protected:
    void Init() override;
};
