#pragma once
// The skinned single-line edit: a native edit without a border of its own,
// framed in the style's control border colour with a ring of its own colour
// inside; and the number edit, right-aligned, holding one floating-point
// value shown by a mask, with a key filter.

#include "Edit.h"
#include "FileTheme.h"
#include "UIStyle.h"

class TskEdit : public TCustomEdit {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor Value);
    TskUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TskUIStyle Value);
    TskFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TskFileTheme* Value);

protected:
    void Init() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;

    // Runs after a style set the border colour, before the repaint.
    virtual void UIStyleChanged() {}

private:
    TColor borderColor_ = clBlack;
    TskUIStyle uiStyle_ = TskUIStyle::DeepBlue;
    TskFileTheme* fileTheme_ = nullptr;
};

class TskNumberEdit : public TskEdit {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    // FormatFloat's mask; changing it re-formats nothing.
    std::string Mask() const { return mask_; }
    void SetMask(const std::string& Value) { mask_ = Value; }
    double Value() const { return value_; }
    // Shows Value through Mask.
    void SetValue(double Value);
    // How many characters at the end of the text are selected on entry.
    int AutoSelectSigns = 2;

protected:
    void Init() override;
    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
    void Change() override;
    void DoEnter() override;
    void DoExit() override;
    void Click() override;
    void KeyPress(char& Key) override;

private:
    void SelectTrailingSigns();

    std::string mask_ = "0.00";
    double value_ = 0;
    bool inChange_ = false;
    bool restoring_ = false;
};
