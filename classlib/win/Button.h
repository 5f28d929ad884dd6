#pragma once
// Push buttons on the native BUTTON class. Default and Cancel work through the
// library's key routing: the form broadcasts Enter and Escape as CM_DIALOGKEY,
// and the button that is the active default (or the cancel button) clicks.
// A click hands ModalResult to the parent form.

#include "WinControl.h"

class TButton : public TWinControl {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    bool Default() const { return default_; }
    void SetDefault(bool Value);
    bool Cancel = false;
    TModalResult ModalResult = mrNone;
    // Whether Enter clicks this button now: the focused button, or the
    // default one while no other button has the focus.
    bool Active() const { return active_; }

    void Click() override;

protected:
    void Init() override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;

private:
    bool default_ = false;
    bool active_ = false;
};
