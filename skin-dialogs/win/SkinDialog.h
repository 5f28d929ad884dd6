#pragma once
// Skinned dialogs as non-visual components: a form carries one, and the
// dialog builds its window only while Execute runs. TskDialog holds what all
// of them share (caption, position, style, theme, fonts); TskInputDialog asks
// for one line of text.

#include "Component.h"
#include "ControlTypes.h"
#include "FileTheme.h"
#include "Font.h"
#include "Form.h"
#include "UIStyle.h"

#include <string>

class TskDialog : public TComponent {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& Value) { caption_ = Value; }
    TPosition Position() const { return position_; }
    void SetPosition(TPosition Value) { position_ = Value; }
    TskUIStyle UIStyle() const { return uiStyle_; }
    // MacOS turns the caption font black; no style turns it back.
    void SetUIStyle(TskUIStyle Value);
    TskFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TskFileTheme* Value);
    TFont* Font() { return &font_; }
    void SetFont(TFont* Value) { font_.Assign(Value); }
    TFont* CaptionFont() { return &captionFont_; }
    void SetCaptionFont(TFont* Value) { captionFont_.Assign(Value); }

    // Shows the dialog's window modally and gives its modal result.
    virtual int Execute() = 0;

protected:
    void Init() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TCursor buttonCursor_ = crHandPoint;

private:
    std::string caption_;
    TPosition position_ = poScreenCenter;
    TskUIStyle uiStyle_ = TskUIStyle::DeepBlue;
    TskFileTheme* fileTheme_ = nullptr;
    // Declared in this order so that the caption font goes first.
    TFont font_;
    TFont captionFont_;
};

class TskInputDialog : public TskDialog {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    std::string PromptText = "Prompt text:";
    // Taken from the edit only when the dialog ends with OK.
    std::string ValueText;
    char PasswordChar = '\0';
    std::string ButtonOKCaption = "OK";
    std::string ButtonCancelCaption = "Cancel";
    TCursor ButtonCursor() const { return buttonCursor_; }
    void SetButtonCursor(TCursor Value) { buttonCursor_ = Value; }

    int Execute() override;
};
