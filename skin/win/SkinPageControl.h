#pragma once
// The skinned page control: a skinned tab control whose tabs are its pages,
// TskTabSheet panels, one tab per page with the page's Caption. All pages
// fill the body and stay visible; the active page is in front and enabled,
// every other page is disabled behind it. The order of the pages survives a
// stored form through the defined properties "Pages" (on the page control)
// and "PageControl" (on each sheet).

#include "TabStrip.h"

#include <string>
#include <vector>

class TFiler;
class TReader;
class TskPageControl;

class TskTabSheet : public TCustomPanel {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    TskPageControl* PageControl() const { return pageControl_; }
    // Position among the pages; -1 outside a page control. Without a page
    // control, or past the last page, a new value is ignored.
    int PageIndex() const { return pageIndex_; }
    void SetPageIndex(int Value);
    // The tab caption; the panel's own text stays " " (published as
    // "Caption", which hides the control's text here).
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& Value);
    // In a page control: the strip's flag for this page; outside one: the
    // sheet's own flag.
    bool TabVisible() const;
    void SetTabVisible(bool Value);

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

    void DefineProperties(TFiler* Filer) override;

protected:
    void Init() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;

private:
    friend class TskPageControl;
    void ReadPageControl(TReader& Reader);

    TskPageControl* pageControl_ = nullptr;
    int pageIndex_ = -1;
    std::string caption_;
    bool tabVisible_ = true;
};

// The page control's strip. Its design-time hit test selects the clicked
// tab; there is no designer, so nothing sends it.
class TskPageControlTopPanel : public TskTabControlTopPanel {
public:
    using TskTabControlTopPanel::TskTabControlTopPanel;
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

protected:
    void Dispatch(TMessage& Message) override;
};

class TskPageControl : public TskTab {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    TskTabSheet* ActivePage() const { return activePage_; }
    // Null means no active page; a sheet of another page control, or of
    // none, is ignored.
    void SetActivePage(TskTabSheet* Value);
    int PageCount() const { return static_cast<int>(pages_.size()); }
    TskTabSheet* Pages(int Index) const;
    // 0 when no page is active.
    int GetActivePageIndex() const;
    // An index outside the pages does nothing.
    void SetActivePageIndex(int Value);
    const std::vector<std::string>& StoredPageNames() const { return storedPageNames_; }

    void ShowControl(TControl* AControl) override;
    TskTabControlTopPanel* CreateTopPanel() override;
    void BorderColorChanged() override;
    void TabActive(int Index) override;
    void UpdateChildrenStyle(TskUIStyle Style, TskFileTheme* Theme) override;
    void DefineProperties(TFiler* Filer) override;

protected:
    void Init() override;
    void BeforeDestruction() override;
    void Dispatch(TMessage& Message) override;

private:
    friend class TskTabSheet;
    void InsertPage(TskTabSheet* Page);
    void RemovePage(TskTabSheet* Page);
    void MovePage(TskTabSheet* Page, int Index);
    void RenumberPages();
    void RebuildTabs();
    void ChangeActivePage(TskTabSheet* Page);
    void ActivatePageIndex(int Index);
    void SelectNeighbourPage(int Index);
    void SortPagesByStoredNames();
    void SyncTabVisible();
    void ReadPages(TReader& Reader);
    // The old page stops being active: disabled, then its OnHide.
    void LeavePage(TskTabSheet* Page);
    // Shown, enabled, in front and repainted.
    void BringPageUp(TskTabSheet* Page);
    void FireShow(TskTabSheet* Page);
    // This control, or a control or owner holding it, is being destroyed.
    bool Dismantling() const;
    bool Holds(const TskTabSheet* Page) const;

    std::vector<TskTabSheet*> pages_;
    TskTabSheet* activePage_ = nullptr;
    std::vector<std::string> storedPageNames_;
};
