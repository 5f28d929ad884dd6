#pragma once
// The skinned two-state check box: a box from the theme picture (four frames:
// checked, unchecked, each enabled and disabled) and the caption beside it.
// It sizes itself to box and caption, takes the focus on a click, toggles on
// a click, on Space or Enter released and on its accelerator, and fires its
// own OnClick after every change of Checked, from the user or from code,
// except while its form is being loaded.

#include "CheckBox.h"
#include "CustomControl.h"
#include "FileTheme.h"
#include "ThemeKeys.h"
#include "UIStyle.h"

class TskCheckBox : public TCustomControl {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    bool Checked() const { return checked_; }
    void SetChecked(bool Value);
    // Never answers cbGrayed; setting cbGrayed unchecks.
    TCheckBoxState State() const { return checked_ ? cbChecked : cbUnchecked; }
    void SetState(TCheckBoxState Value) { SetChecked(Value == cbChecked); }
    TskUIStyle UIStyle() const { return uiStyle_; }
    // The theme is read at paint time.
    void SetUIStyle(TskUIStyle Value);
    TskFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TskFileTheme* Value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool Value);
    // Sizes the control at every paint.
    void SetAutoSize(bool Value) override;
    void SetEnabled(bool Value) override;

    // The check box's own event, fired by every change of Checked (the class
    // library's click event stays unused).
    TNotifyEvent OnClick;

    // Toggles, then the class library's click (a linked action).
    void Click() override;

protected:
    void Init() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    virtual bool ShowFocus();
    virtual bool FrameIsTransparent() { return false; }
    virtual TskThemeKey ThemeImageKey() { return TskThemeKey::CheckBoxImage; }
    virtual void CheckedChanged();
    virtual void BeforeToggle() {}
    virtual void Toggle();
    virtual bool KeyToggles() { return true; }

private:
    bool checked_ = false;
    TskUIStyle uiStyle_ = TskUIStyle::DeepBlue;
    TskFileTheme* fileTheme_ = nullptr;
    bool transparent_ = false;
};
