#pragma once
// The skinned record navigator: a row of ten skinned buttons that move
// through, insert, delete, edit, post, cancel and refresh the records of a
// data set reached through a data source. Each button is enabled only while
// its action makes sense for the data set's state, which the navigator hears
// through its own data link. The row fills the navigator's width; a free
// navigator keeps its width a multiple of the visible buttons.

#include "DataSet.h"
#include "FileTheme.h"
#include "Panel.h"
#include "SkinButtons.h"
#include "Strings.h"
#include "Timer.h"
#include "UIStyle.h"

#include <array>
#include <memory>

class TskDBNavigator;

using ENavClick = TEvent<TObject*, TNavigateBtn>;

class TskNavButton : public TskButton {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    TNavigateBtn Index = nbFirst;
    // Repeats its action while held (after 400 ms, then every 100 ms).
    bool AllowTimer = false;
    // Made on the first press of a repeating button; null before.
    TTimer* NavRepeatTimer() const { return navRepeatTimer_.get(); }

protected:
    void Init() override;
    void BeforeDestruction() override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void RepeatStep(TObject* Sender);
    TskDBNavigator* Navigator() const;

    TOwned<TTimer> navRepeatTimer_;
};

class TskNavDataLink : public TDataLink {
public:
    explicit TskNavDataLink(TskDBNavigator* ANavigator);
    ~TskNavDataLink() override;
    TskDBNavigator* Navigator = nullptr;

protected:
    void ActiveChanged() override;
    void DataSetChanged() override;
    void EditingChanged() override;
};

class TskDBNavigator : public TCustomPanel {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    TskUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TskUIStyle Value);
    TskFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TskFileTheme* Value);
    TDataSource* DataSource() const { return dataLink_->DataSource(); }
    void SetDataSource(TDataSource* Value);
    TButtonSet VisibleButtons() const { return visibleButtons_; }
    void SetVisibleButtons(TButtonSet Value);
    // Hides the control's own setter: every button takes the cursor too.
    void SetCursor(TCursor Value);
    // The custom hint lines; line i, when not empty, replaces button i's default hint.
    TStrings* Hints() { return customHints_.get(); }
    // A list equal to the default texts is kept as no custom hints at all.
    void SetHints(TStrings* Value);
    bool ConfirmDelete = true;
    TNavigateBtn FocusedButton() const { return focusedButton_; }
    int ButtonWidth() const { return buttonWidth_; }
    TskNavButton* Buttons(TNavigateBtn Index) const { return buttons_[Index]; }
    TskNavDataLink* DataLink() const { return dataLink_.get(); }

    ENavClick BeforeAction;
    ENavClick OnClick;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Loaded() override;
    // What a click on Button does (also a repeat step and Space).
    virtual void ButtonAction(TNavigateBtn Button);

    void UpdateAllButtons();
    void UpdateMoveButtons();
    void UpdateEditButtons();

protected:
    void Init() override;
    void BeforeDestruction() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;

private:
    void CreateButtons();
    void ApplyHints();
    void HintsChanged(TObject*) { ApplyHints(); }
    TStrings* DefaultHints();
    void ClampSize(int& W, int& H);
    void LayoutButtons(int& W, int& H);
    int VisibleCount() const;
    void ButtonClick(TObject* Sender);
    void ButtonMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void InvalidateButton(TNavigateBtn Index);

    TskUIStyle uiStyle_ = TskUIStyle::DeepBlue;
    TskFileTheme* fileTheme_ = nullptr;
    std::unique_ptr<TskNavDataLink> dataLink_;
    TButtonSet visibleButtons_;
    std::unique_ptr<TStringList> customHints_;
    std::unique_ptr<TStringList> defaultHints_;
    int buttonWidth_ = 0;
    TPoint minButtonSize_{20, 18};
    TNavigateBtn focusedButton_ = nbFirst;
    std::array<TskNavButton*, 10> buttons_{};
};
