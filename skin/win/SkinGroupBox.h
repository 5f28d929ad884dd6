#pragma once
// The skinned group box: a one-pixel frame in the style's control border
// colour with the caption set into its top edge; it lays its children out
// inside the frame and hands its style, theme and enabled state to them.

#include "FileTheme.h"
#include "SkinImagePanel.h"
#include "UIStyle.h"

class TskCustomGroupBox : public TskCustomPanel {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    // The box's own caption; the window text stays a single blank.
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& Value);
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor Value);
    TskUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TskUIStyle Value);
    TskFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TskFileTheme* Value);
    // Also every child, whatever it was before.
    void SetEnabled(bool Value) override;

protected:
    void Init() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void Paint() override;

    virtual void UpdateUIStyle(TskUIStyle Style, TskFileTheme* Theme);

private:
    std::string caption_;
    TColor borderColor_ = clBlack;
    TskUIStyle uiStyle_ = TskUIStyle::DeepBlue;
    TskFileTheme* fileTheme_ = nullptr;
};

class TskGroupBox : public TskCustomGroupBox {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};
