#pragma once
// The skinned tab control: TskTab is a panel whose top edge is covered by a
// strip, TskTabControlTopPanel, that draws the tab captions from the theme's
// tab and bar pictures, lets the user pick a tab with the mouse and scrolls
// through tabs that do not fit with two arrow buttons. Below the strip the
// tab control fills its body with its colour, frames it in BorderColor and
// aligns its children 3 pixels inside. TskTab is abstract: a descendant
// supplies the strip through CreateTopPanel.

#include "FileTheme.h"
#include "PageControl.h"  // TTabChangingEvent
#include "Panel.h"
#include "Strings.h"
#include "TabLayout.h"
#include "UIStyle.h"

#include <memory>
#include <vector>

class TBitmap;
class TskTab;

using TTabActiveNotify = TEvent<TObject*, int>;

class TskTabControlTopPanel : public TCustomPanel {
public:
    explicit TskTabControlTopPanel(TskTab* OwnerTab = nullptr);
    ~TskTabControlTopPanel() override;
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    // One caption a tab; a change repaints the strip and sizes the per-tab
    // flags with the list.
    TStrings* Tabs() { return &tabs_; }
    void SetTabs(TStrings* Value) { tabs_.Assign(Value); }
    TskUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TskUIStyle Value);
    TskFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TskFileTheme* Value);
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int Value);
    int LeftMargin() const { return leftMargin_; }
    void SetLeftMargin(int Value);

    // Whether tab Index is shown; tabs outside the list read as hidden and
    // ignore writes. The owner repaints.
    bool TabVisible(int Index) const;
    void SetTabVisible(int Index, bool Value);
    // The width of tab Index at the last layout: 0 hidden, -1 not laid out.
    int TabWidth(int Index) const;
    // Where the last layout drew tab Index (empty when it did not).
    TRect TabRect(int Index) const;

    int TabHeight() const { return tabHeight_; }
    bool ClickInProgress() const { return clickInProgress_; }
    int FirstTab() const { return firstTab_; }
    bool ShowScrollButtons() const { return showScrollButtons_; }
    int HotScrollButton() const { return hotScrollButton_; }
    int ScrollButtonWidth() const { return scrollButtonWidth_; }
    int ScrollButtonHeight() const { return scrollButtonHeight_; }
    bool KeepActiveVisible() const { return keepActiveVisible_; }
    TskTab* OwnerTab() const { return ownerTab_; }

protected:
    void Init() override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void RequestAlign() override;
    void Resize() override;
    void Dispatch(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void TabsChanged(TObject* Sender);
    // Draws the tabs into Canvas (W wide) and records the layout.
    void DrawTabs(TCanvas* Canvas, int W);
    void DrawScrollButtons(TCanvas* Canvas, int W, int H);
    void LoadPicture(TskThemeKey Key, TBitmap* Bitmap, int Count, int Index) const;
    void KeepToOwnerWidth();

    TStringList tabs_;
    TskUIStyle uiStyle_ = TskUIStyle::DeepBlue;
    TskFileTheme* fileTheme_ = nullptr;
    int tabIndex_ = 0;
    int leftMargin_ = 10;
    std::vector<bool> tabVisible_;
    TskTabLayout layout_;
    int tabHeight_ = 0;
    bool clickInProgress_ = false;
    int firstTab_ = 0;
    bool showScrollButtons_ = false;
    int hotScrollButton_ = 0;
    int scrollButtonWidth_ = 0, scrollButtonHeight_ = 0;
    bool keepActiveVisible_ = false;
    TskTab* ownerTab_ = nullptr;
};

class TskTab : public TCustomPanel {
public:
    ~TskTab() override;
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    TskUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TskUIStyle Value);
    TskFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TskFileTheme* Value);
    int LeftMargin() const { return topPanel_ ? topPanel_->LeftMargin() : 0; }
    void SetLeftMargin(int Value);
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor Value);
    // The font of the tab captions (published as "Font"); the control's own
    // font stays the class library's.
    TFont* TabFont() { return &tabFont_; }
    void SetTabFont(TFont* Value);

    TskTabControlTopPanel* TopPanel() const { return topPanel_; }

    TTabActiveNotify OnTabActive;
    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

    virtual TskTabControlTopPanel* CreateTopPanel() = 0;
    virtual void SelectTab(int Index);
    virtual void BorderColorChanged() {}
    // The strip's index changed (by a click or by SelectTab).
    virtual void TabActive(int Index);
    virtual void UpdateChildrenStyle(TskUIStyle Style, TskFileTheme* Theme);

protected:
    void Init() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void AdjustClientRect(TRect& Rect) override;
    void Paint() override;
    void Resize() override;
    void Loaded() override;
    void Dispatch(TMessage& Message) override;

    // Colours and style as the setter leaves them, without the repaint of a
    // setter for BorderColor.
    TskUIStyle uiStyle_ = TskUIStyle::DeepBlue;
    TskFileTheme* fileTheme_ = nullptr;
    TColor borderColor_ = clBlack;

private:
    friend class TskTabControlTopPanel;
    void StripClick(TObject* Sender);
    void StripDblClick(TObject* Sender);
    int StripHeight() const { return topPanel_ ? topPanel_->Height() : 0; }

    TFont tabFont_;
    TskTabControlTopPanel* topPanel_ = nullptr;
};
