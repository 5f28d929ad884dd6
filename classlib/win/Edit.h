#pragma once
// Edits: the native EDIT window class superclassed under the control's own
// class name, so that the library's message chain, the BorderWidth margin and
// the keyboard routing work on it. The text lives in the window once it
// exists; it is kept in the control while there is no window.

#include "WinControl.h"

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TCustomEdit : public TWinControl {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle Value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool Value);
    // 0: no limit of the library's own.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int Value);
    // 0 shows the text; another character hides every letter behind it.
    char PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char Value);
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase Value);
    bool AutoSelect = true;
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool Value);

    // The selection, in characters from the start of the text. Reading or
    // setting it makes the window.
    int SelStart();
    void SetSelStart(int Value);
    int SelLength();
    void SetSelLength(int Value);
    std::string SelText();
    // Replaces the selection (and so fires OnChange).
    void SetSelText(const std::string& Value);
    void SelectAll();
    void ClearSelection() { SetSelText(""); }

    bool Modified() const;
    void SetModified(bool Value);

    TNotifyEvent OnChange;

protected:
    void Init() override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& Message) override;
    void DoEnter() override;
    // The text changed (typed or set); raises OnChange.
    virtual void Change();

private:
    TBorderStyle borderStyle_ = bsSingle;
    bool readOnly_ = false;
    int maxLength_ = 0;
    char passwordChar_ = 0;
    TEditCharCase charCase_ = ecNormal;
    bool hideSelection_ = true;
    bool modified_ = false;
    bool creating_ = false;
};

class TEdit : public TCustomEdit {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};
