#pragma once
// Tool bars on the native ToolbarWindow32 class. Each TToolButton is a child
// control of the bar that stands for one native button; the bar keeps them
// in button order and their bounds follow the native layout. A button given
// the bar as parent while the form is loading goes to the end; later it goes
// before the first button that does not lie left of it, so a new button
// (Left 0) enters at the front. Drawing can be taken over per bar and per
// button through the custom-draw events.

#include "Canvas.h"
#include "GraphicControl.h"
#include "ImageList.h"
#include "WinControl.h"

#include <commctrl.h>
#include <vector>

class TMenuItem;
class TToolBar;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
enum TEdgeStyle { esNone, esRaised, esLowered };
enum TEdgeBorder { ebLeft, ebTop, ebRight, ebBottom };
using TEdgeBorders = TSet<TEdgeBorder>;
enum TCustomDrawStateItem { cdsSelected, cdsGrayed, cdsDisabled, cdsChecked, cdsFocused, cdsDefault, cdsHot, cdsMarked, cdsIndeterminate };
using TCustomDrawState = TSet<TCustomDrawStateItem>;

class TToolButton : public TGraphicControl {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    TToolBar* ToolBar() const { return toolBar_; }
    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle Value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int Value);
    bool Down() const;
    void SetDown(bool Value);
    // Check buttons of one group (neighbours with Grouped) release each other.
    bool Grouped() const { return grouped_; }
    void SetGrouped(bool Value);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool Value);
    // Sized to its caption and image instead of the bar's button size.
    bool ButtonAutoSize() const { return autoSize_; }
    void SetButtonAutoSize(bool Value);
    // The menu item whose sub-items drop down below the button when it is
    // clicked (or its arrow, for a drop-down button); the chosen one runs.
    TMenuItem* MenuItem() const { return menuItem_; }
    void SetMenuItem(TMenuItem* Value);
    // The button's position among the bar's buttons.
    int Index() const;
    // The native command number.
    int CommandId() const { return commandId_; }

    void SetParent(TWinControl* AParent) override;
    void SetEnabled(bool Value) override;
    void Click() override;

protected:
    void Init() override;
    void BeforeDestruction() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;

private:
    friend class TToolBar;
    TToolBar* toolBar_ = nullptr;
    TToolButtonStyle style_ = tbsButton;
    int imageIndex_ = -1;
    bool down_ = false;
    bool grouped_ = false;
    bool allowAllUp_ = false;
    bool autoSize_ = false;
    TMenuItem* menuItem_ = nullptr;
    int commandId_ = 0;
};

using TToolBarCustomDrawEvent = TEvent<TToolBar*, const TRect&, bool&>;
using TToolBarCustomDrawButtonEvent = TEvent<TToolBar*, TToolButton*, TCustomDrawState, bool&>;

class TToolBar : public TWinControl {
public:
    TToolBar();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TToolButton* Buttons(int Index) const;
    TToolButton* FindButton(int CommandId) const;

    bool Flat() const { return flat_; }
    void SetFlat(bool Value);
    bool List() const { return list_; }
    void SetList(bool Value);
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool Value);
    bool Wrapable() const { return wrapable_; }
    void SetWrapable(bool Value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool Value);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int Value);
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int Value);
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* Value);
    TImageList* HotImages() const { return hotImages_; }
    void SetHotImages(TImageList* Value);
    TEdgeBorders EdgeBorders() const { return edgeBorders_; }
    void SetEdgeBorders(TEdgeBorders Value);
    TEdgeStyle EdgeInner() const { return edgeInner_; }
    void SetEdgeInner(TEdgeStyle Value);
    TEdgeStyle EdgeOuter() const { return edgeOuter_; }
    void SetEdgeOuter(TEdgeStyle Value);

    // The canvas of the custom-draw events (the bar's drawing context then).
    TCanvas* Canvas() { return &canvas_; }
    TToolBarCustomDrawEvent OnCustomDraw;
    TToolBarCustomDrawButtonEvent OnCustomDrawButton;

protected:
    void Init() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    bool CanAutoSize(int& NewWidth, int& NewHeight) override;
    // Drops the button's menu below it and runs the item chosen; true when
    // there was a menu to drop.
    virtual bool CheckMenuDropdown(TToolButton* Button);

private:
    friend class TToolButton;
    void InsertButton(TToolButton* Button);
    void RemoveButton(TToolButton* Button);
    // Puts the buttons into the window again and takes their bounds back.
    void RecreateButtons();
    void UpdateButtonState(TToolButton* Button);
    void UpdateButtonBounds();
    void ApplyImages();
    LRESULT CustomDraw(NMTBCUSTOMDRAW* Draw);

    std::vector<TToolButton*> buttons_;
    bool flat_ = false;
    bool list_ = false;
    bool showCaptions_ = false;
    bool wrapable_ = true;
    bool transparent_ = false;
    int buttonWidth_ = 23;
    int buttonHeight_ = 22;
    TImageList* images_ = nullptr;
    TImageList* hotImages_ = nullptr;
    TEdgeBorders edgeBorders_{ebTop};
    TEdgeStyle edgeInner_ = esRaised;
    TEdgeStyle edgeOuter_ = esLowered;
    TCanvas canvas_;
    bool updatingBounds_ = false;
};
