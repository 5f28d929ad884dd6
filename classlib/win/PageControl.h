#pragma once
// Page controls on the native tab control (SysTabControl32): one tab per
// visible TTabSheet, and only the active sheet shown, filling the display
// area. A sheet whose Parent becomes a page control is inserted as its last
// page; the first page inserted becomes the active one.

#include "WinControl.h"

#include <vector>

class TPageControl;

using TTabChangingEvent = TEvent<TObject*, bool&>;

class TTabSheet : public TWinControl {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    TPageControl* PageControl() const { return pageControl_; }
    void SetPageControl(TPageControl* Value);
    // Position among the pages (-1 outside a page control).
    int PageIndex() const;
    void SetPageIndex(int Value);
    // Position among the shown tabs (-1 when the tab is hidden).
    int TabIndex() const;
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool Value);
    int ImageIndex = -1;

    void SetParent(TWinControl* AParent) override;

protected:
    void Init() override;
    void BeforeDestruction() override;
    void Dispatch(TMessage& Message) override;

private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
    bool tabVisible_ = true;
};

class TPageControl : public TWinControl {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int Index) const;
    TTabSheet* ActivePage() const { return activePage_; }
    // Shows Value (a page of this control, or null for none).
    void SetActivePage(TTabSheet* Value);
    int ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }
    // An index outside the pages shows none.
    void SetActivePageIndex(int Value);
    // The next or previous page with a visible tab after Current.
    TTabSheet* FindNextPage(TTabSheet* Current, bool GoForward) const;
    void SelectNextPage(bool GoForward);

    void ShowControl(TControl* AControl) override;

    // OnChanging may refuse a change the user asks for; OnChange follows it.
    TTabChangingEvent OnChanging;
    TNotifyEvent OnChange;

protected:
    void Init() override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    void AdjustClientRect(TRect& Rect) override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    virtual void Change() { OnChange(this); }
    virtual bool CanChange();

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* Page);
    void RemovePage(TTabSheet* Page);
    void MovePage(TTabSheet* Page, int Index);
    // Puts the tabs in the window again (captions, order, selection).
    void UpdateTabs();
    TTabSheet* PageForTab(int TabIndex) const;

    std::vector<TTabSheet*> pages_;
    TTabSheet* activePage_ = nullptr;
};
