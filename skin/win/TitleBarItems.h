#pragma once
// The pieces a title bar is made of: its caption buttons and its caption
// pictures (sections), each in a collection that belongs to one bar.

#include "Collection.h"
#include "Picture.h"
#include "UIStyle.h"

#include <string>
#include <vector>

class TPopupMenu;
class TskTitleBar;

// Stored by name in form descriptions.
enum class TskTitleBarBtnType { skMax, skMin, skClose, skHelp, skControlBox, skCustom };
enum class TskTitleBarAlign { skLeft, skRight, skClient };

const std::vector<std::string>& TitleBarBtnTypeNames();
const std::vector<std::string>& TitleBarAlignNames();

class TskTitleBarButton : public TCollectionItem {
public:
    TskTitleBarButton();
    static const TClassInfo& StaticClassInfo();

    // Visible, ButtonType, Transparent, Top and UIStyle through their setters,
    // then the pictures and ControlBoxMenu: pictures copied last replace the
    // ones the type and style have just loaded.
    void Assign(TPersistent* Source) override;

    TskUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TskUIStyle Value);
    TskTitleBarBtnType ButtonType() const { return buttonType_; }
    // A second control box is refused with an error box; the type stays.
    void SetButtonType(TskTitleBarBtnType Value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool Value);
    // Stored only: the bar places every button at its own ButtonTop.
    int Top() const { return top_; }
    void SetTop(int Value);
    TPopupMenu* ControlBoxMenu() const { return controlBoxMenu_; }
    void SetControlBoxMenu(TPopupMenu* Value);
    bool Visible() const { return visible_; }
    void SetVisible(bool Value);
    TPicture* PicNormal() { return &picNormal_; }
    void SetPicNormal(TPicture* Value);
    TPicture* PicMouseOn() { return &picMouseOn_; }
    void SetPicMouseOn(TPicture* Value);
    TPicture* PicMouseDown() { return &picMouseDown_; }
    void SetPicMouseDown(TPicture* Value);

    // The bar whose collection holds this button, or null.
    TskTitleBar* TitleBar() const;

    // Reloads Transparent, the pictures and Top from the theme for the type.
    void UpdatePictures();
    // Maximise or restore pictures for the form's state (maximise buttons only).
    void UpdateMaxPicture();
    // What pressing the button does to the bar's form.
    void DoClick();

private:
    void Repaint();

    TskUIStyle uiStyle_ = TskUIStyle::DeepBlue;
    TskTitleBarBtnType buttonType_ = TskTitleBarBtnType::skCustom;
    bool transparent_ = false;
    int top_ = 2;
    TPopupMenu* controlBoxMenu_ = nullptr;
    bool visible_ = true;
    TPicture picNormal_, picMouseOn_, picMouseDown_;
};

class TskTitleBarSection : public TCollectionItem {
public:
    TskTitleBarSection() = default;
    static const TClassInfo& StaticClassInfo();

    // Width, Align, the picture, Stretch and AutoSize.
    void Assign(TPersistent* Source) override;

    // Width, Align, Stretch and AutoSize are kept and stored; painting takes
    // the sections by position only.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool Value) { autoSize_ = Value; }
    int Width() const { return width_; }
    void SetWidth(int Value);
    TskTitleBarAlign Align() const { return align_; }
    // A second client section is refused with an error box; Align stays.
    void SetAlign(TskTitleBarAlign Value);
    TPicture* Picture() { return &picture_; }
    void SetPicture(TPicture* Value);
    bool Stretch() const { return stretch_; }
    // A client section always stretches.
    void SetStretch(bool Value);

private:
    void Repaint();

    bool autoSize_ = false;
    int width_ = 10;
    TskTitleBarAlign align_ = TskTitleBarAlign::skLeft;
    TPicture picture_;
    bool stretch_ = false;
};

// Both collections know their bar and repaint it after every change.
class TskTitleBarButtons : public TCollectionOf<TskTitleBarButton> {
public:
    explicit TskTitleBarButtons(TskTitleBar* Bar);
    std::string ClassName() const override { return "TskTitleBarButtons"; }
    TskTitleBar* TitleBar() const { return bar_; }

protected:
    void Update(TCollectionItem* Item) override;

private:
    TskTitleBar* bar_;
};

class TskTitleBarSections : public TCollectionOf<TskTitleBarSection> {
public:
    explicit TskTitleBarSections(TskTitleBar* Bar);
    std::string ClassName() const override { return "TskTitleBarSections"; }
    TskTitleBar* TitleBar() const { return bar_; }

protected:
    void Update(TCollectionItem* Item) override;

private:
    TskTitleBar* bar_;
};

// The error boxes of the two refused settings (OK button only).
inline constexpr const char* OnlyOneClientSectionText = "Sorry, only one section's Align property can be \"skClient\"";
inline constexpr const char* OnlyOneControlBoxText =
    "Sorry, only one button's ButtonType property can be \"skControlBox\"";
