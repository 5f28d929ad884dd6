#pragma once
// Check boxes on the native BUTTON class. The control keeps the state; a click
// moves it on (unchecked, checked, and greyed when AllowGrayed) and fires
// OnClick. Setting Checked or State from code fires OnClick too, except while
// the form is being loaded.

#include "WinControl.h"

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCustomCheckBox : public TWinControl {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState Value);
    bool AllowGrayed = false;
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);

protected:
    void Init() override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    bool CanAutoSize(int& NewWidth, int& NewHeight) override;
    // A click on the box: the next state.
    virtual void Toggle();

private:
    TCheckBoxState state_ = cbUnchecked;
    TAlignment alignment_ = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};
