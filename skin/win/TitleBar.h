#pragma once
// TskTitleBar: the skinned caption of a window. It paints three caption
// pictures, the caption buttons and the caption text, drags the window,
// maximises it on a double click and runs its buttons. The form frame
// carries one; the bar also works on a plain form by itself.

#include "FileTheme.h"
#include "Panel.h"
#include "TitleBarItems.h"

#include <memory>

class TBitmap;
class TCustomForm;
class TskTitleBarPopupMenu;

using TskTitleBarButtonClickEvent = TEvent<TObject*, int>;

class TskTitleBar : public TCustomPanel {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    bool Custom() const { return custom_; }
    void SetCustom(bool Value) { custom_ = Value; }
    TskFileTheme* FileTheme() const { return fileTheme_; }
    // Applies the style again from the new theme; the font colour stays.
    void SetFileTheme(TskFileTheme* Value);
    TskUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TskUIStyle Value);
    bool AutoSize() const { return autoSize_; }
    // Whatever the value, the height follows the left caption picture.
    void SetAutoSize(bool Value) override;
    TskTitleBarSections* Sections() { return sections_.get(); }
    void SetSections(TskTitleBarSections* Value) { sections_->Assign(Value); }
    TskTitleBarButtons* Buttons() { return buttons_.get(); }
    void SetButtons(TskTitleBarButtons* Value) { buttons_->Assign(Value); }
    int ButtonInterval() const { return buttonInterval_; }
    void SetButtonInterval(int Value);
    std::string Caption() const { return TCustomPanel::Caption(); }
    void SetCaption(const std::string& Value);
    bool FormActive() const { return formActive_; }
    void SetFormActive(bool Value);
    int LeftBtnXOffset() const { return leftBtnXOffset_; }
    void SetLeftBtnXOffset(int Value);
    int RightBtnXOffset() const { return rightBtnXOffset_; }
    void SetRightBtnXOffset(int Value);
    bool DrawAppIcon() const { return drawAppIcon_; }
    void SetDrawAppIcon(bool Value);
    // Kept for the form frame, which cuts its corners with it.
    int RoundCorner() const { return roundCorner_; }
    void SetRoundCorner(int Value) { roundCorner_ = Value; }

    TskTitleBarButtonClickEvent OnCustomBtnsClick;
    TskTitleBarButtonClickEvent OnHelpBtnClick;

    // For the form frames.
    TskTitleBarPopupMenu* SystemMenu() const { return systemMenu_; }
    void UpdateMaxButtons();
    // The picture of section 0, 1 or 2 as a bitmap; Graphic is left alone when
    // the section does not exist.
    void LeftSectionGraphic(TBitmap*& Graphic) { SectionGraphic(0, Graphic); }
    void RightSectionGraphic(TBitmap*& Graphic) { SectionGraphic(1, Graphic); }
    void ClientSectionGraphic(TBitmap*& Graphic) { SectionGraphic(2, Graphic); }
    bool HasThreeSectionPictures() const;

    // In a skinned form the frame's border takes the pictures' top rows.
    bool InSkinnedForm() const;
    bool InMDIForm() const;
    // The form the bar sits on, or null.
    TCustomForm* ParentForm() const;

    // What the last paint found: the button under the cursor (-1 for none).
    int HotButtonIndex() const { return hotButtonIndex_; }
    int ButtonTop() const { return buttonTop_; }
    int ButtonImageHeight() const { return buttonImageHeight_; }
    bool MousePressed() const { return mousePressed_; }

protected:
    void Init() override;
    void BeforeDestruction() override;
    void CreateParams(TCreateParams& Params) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

public:
    void DblClick() override;
    virtual void DrawSections(TCanvas* Canvas);
    virtual void DrawButtonsAndCaption(TCanvas* Canvas);

private:
    friend class TskTitleBarButton;
    void ApplyStyle();
    void SectionGraphic(int Index, TBitmap*& Graphic);
    void PopUpSystemMenu(TPopupMenu* Menu);
    void Redraw();

    bool custom_ = false;
    TskFileTheme* fileTheme_ = nullptr;
    TskUIStyle uiStyle_ = TskUIStyle::DeepBlue;
    bool autoSize_ = false;
    std::unique_ptr<TskTitleBarSections> sections_;
    std::unique_ptr<TskTitleBarButtons> buttons_;
    int buttonInterval_ = 0;
    bool formActive_ = true;
    int leftBtnXOffset_ = 0;
    int rightBtnXOffset_ = 0;
    bool drawAppIcon_ = false;
    int roundCorner_ = 0;

    TskTitleBarPopupMenu* systemMenu_ = nullptr;
    int hotButtonIndex_ = -1;
    bool mousePressed_ = false;
    int buttonTop_ = 0;
    int buttonImageHeight_ = 0;
    bool keepFontColor_ = false;
};
