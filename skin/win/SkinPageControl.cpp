#include "SkinPageControl.h"

#include "Filer.h"
#include "Form.h"
#include "Messages.h"
#include "SkinPublic.h"

#include <algorithm>

namespace {

bool Destroying(const TComponent* C) { return C->ComponentState().Contains(csDestroying); }

}  // namespace

// ---- sheets ----

const TClassInfo& TskTabSheet::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskTabSheet, TCustomPanel>("TskTabSheet", [](auto& c) {
        c.Int("PageIndex", &TskTabSheet::PageIndex, &TskTabSheet::SetPageIndex);
        c.String("Caption", &TskTabSheet::Caption, &TskTabSheet::SetCaption);
        c.Bool("TabVisible", &TskTabSheet::TabVisible, &TskTabSheet::SetTabVisible);
        c.Event("OnShow", &TskTabSheet::OnShow);
        c.Event("OnHide", &TskTabSheet::OnHide);
    });
    return info;
}

void TskTabSheet::Init() {
    TCustomPanel::Init();
    TControl::SetCaption(" ");
    SetBevelInner(bvNone);
    SetBevelOuter(bvNone);
    SetBorderWidth(0);
    SetAlign(alClient);
}

void TskTabSheet::CreateParams(TCreateParams& Params) {
    TCustomPanel::CreateParams(Params);
    // Pages lie on top of each other: a page behind must not paint over the
    // one in front.
    Params.Style |= WS_CLIPSIBLINGS;
}

void TskTabSheet::CreateWnd() {
    TCustomPanel::CreateWnd();
    // Windows made after the pages were switched keep the active page in
    // front, whatever order they are made in.
    const bool active = pageControl_ && pageControl_->ActivePage() == this;
    SetWindowPos(Handle(), active ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TskTabSheet::SetPageIndex(int Value) {
    if (pageControl_) pageControl_->MovePage(this, Value);
}

void TskTabSheet::SetCaption(const std::string& Value) {
    caption_ = Value;
    if (pageControl_) pageControl_->RebuildTabs();
}

bool TskTabSheet::TabVisible() const {
    if (pageControl_ && pageControl_->Holds(this)) return pageControl_->TopPanel()->TabVisible(pageIndex_);
    return tabVisible_;
}

void TskTabSheet::SetTabVisible(bool Value) {
    tabVisible_ = Value;
    if (!pageControl_ || !pageControl_->Holds(this)) return;
    pageControl_->TopPanel()->SetTabVisible(pageIndex_, Value);
    pageControl_->TopPanel()->Invalidate();
    if (!Value && pageControl_->ActivePage() == this) pageControl_->SelectNeighbourPage(pageIndex_);
}

void TskTabSheet::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomPanel::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == this && pageControl_) SetParent(nullptr);
}

void TskTabSheet::DefineProperties(TFiler* Filer) {
    TCustomPanel::DefineProperties(Filer);
    Filer->DefineProperty("PageControl", [this](TReader& R) { ReadPageControl(R); });
}

void TskTabSheet::ReadPageControl(TReader& Reader) {
    const std::string name = Reader.ReadIdent();
    auto* pc = dynamic_cast<TskPageControl*>(Owner() ? Owner()->FindComponent(name) : nullptr);
    // A name that denotes anything else leaves the sheet as its parent made it.
    if (!pc) return;
    if (pc->Holds(this)) pageControl_ = pc;
    if (pc->storedPageNames_.size() == pc->pages_.size()) {
        pc->SortPagesByStoredNames();
        pc->SyncTabVisible();
    }
}

// ---- the strip of a page control ----

const TClassInfo& TskPageControlTopPanel::StaticClassInfo() {
    static const TClassInfo info =
        DescribeClass<TskPageControlTopPanel, TskTabControlTopPanel>("TskPageControlTopPanel", [](auto&) {});
    return info;
}

void TskPageControlTopPanel::Dispatch(TMessage& Message) {
    if (Message.Msg == CM_DESIGNHITTEST && Message.WParam == MK_LBUTTON) {
        const POINT p = MessagePoint(Message.LParam);
        MouseDown(mbLeft, {}, p.x, p.y);
        Message.Result = 0;
        return;
    }
    TskTabControlTopPanel::Dispatch(Message);
}

// ---- the page control ----

const TClassInfo& TskPageControl::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskPageControl, TskTab>("TskPageControl", [](auto& c) {
        c.template Reference<TskTabSheet>("ActivePage", &TskPageControl::ActivePage, &TskPageControl::SetActivePage);
        c.Int("PageCount", &TskPageControl::PageCount, nullptr);
    });
    return info;
}

void TskPageControl::Init() {
    TskTab::Init();
    TopPanel()->Tabs()->Clear();
}

TskTabControlTopPanel* TskPageControl::CreateTopPanel() { return Create<TskPageControlTopPanel>(this, this); }

void TskPageControl::BeforeDestruction() {
    for (TskTabSheet* page : pages_) page->pageControl_ = nullptr;
    pages_.clear();
    activePage_ = nullptr;
    TskTab::BeforeDestruction();
}

bool TskPageControl::Dismantling() const {
    for (const TComponent* c = this; c; c = c->Owner())
        if (Destroying(c)) return true;
    for (const TWinControl* p = Parent(); p; p = p->Parent())
        if (Destroying(p)) return true;
    return false;
}

bool TskPageControl::Holds(const TskTabSheet* Page) const {
    return std::find(pages_.begin(), pages_.end(), Page) != pages_.end();
}

TskTabSheet* TskPageControl::Pages(int Index) const {
    if (Index < 0 || Index >= PageCount()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return pages_[static_cast<size_t>(Index)];
}

void TskPageControl::SetActivePage(TskTabSheet* Value) {
    if (Value && !Holds(Value)) return;
    ChangeActivePage(Value);
}

int TskPageControl::GetActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : 0; }

void TskPageControl::SetActivePageIndex(int Value) {
    if (Value >= 0 && Value <= PageCount() - 1) ActivatePageIndex(Value);
}

void TskPageControl::LeavePage(TskTabSheet* Page) {
    if (Destroying(Page)) return;
    Page->SetEnabled(false);
    Page->OnHide(Page);
}

void TskPageControl::BringPageUp(TskTabSheet* Page) {
    Page->SetVisible(true);
    Page->SetEnabled(true);
    Page->BringToFront();
    Page->Repaint();
}

void TskPageControl::FireShow(TskTabSheet* Page) {
    if (!Destroying(Page)) Page->OnShow(Page);
}

void TskPageControl::InsertPage(TskTabSheet* Page) {
    Page->pageControl_ = this;
    Page->SetColor(Color());
    TopPanel()->Tabs()->Add(Page->Caption());
    pages_.push_back(Page);
    RenumberPages();
    RebuildTabs();
    ChangeActivePage(Page);
}

void TskPageControl::RemovePage(TskTabSheet* Page) {
    auto it = std::find(pages_.begin(), pages_.end(), Page);
    if (it == pages_.end()) return;
    const int old = static_cast<int>(it - pages_.begin());
    pages_.erase(it);
    TopPanel()->Tabs()->Delete(old);
    RenumberPages();
    SyncTabVisible();
    if (!Dismantling()) ActivatePageIndex(old - 1);
    if (activePage_ == Page) activePage_ = nullptr;
    Page->pageControl_ = nullptr;
    Page->pageIndex_ = -1;
}

void TskPageControl::MovePage(TskTabSheet* Page, int Index) {
    auto it = std::find(pages_.begin(), pages_.end(), Page);
    if (it == pages_.end() || Index < 0 || Index > PageCount() - 1) return;
    pages_.erase(it);
    pages_.insert(pages_.begin() + Index, Page);
    RenumberPages();
    RebuildTabs();
    ChangeActivePage(Page);
}

void TskPageControl::RenumberPages() {
    for (size_t i = 0; i < pages_.size(); ++i) pages_[i]->pageIndex_ = static_cast<int>(i);
}

void TskPageControl::RebuildTabs() {
    TStrings* tabs = TopPanel()->Tabs();
    tabs->Clear();
    for (TskTabSheet* page : pages_) tabs->Add(page->Caption());
    // The strip's flags follow the captions, so each page keeps its own.
    SyncTabVisible();
}

void TskPageControl::SyncTabVisible() {
    for (size_t i = 0; i < pages_.size(); ++i) TopPanel()->SetTabVisible(static_cast<int>(i), pages_[i]->tabVisible_);
    TopPanel()->Invalidate();
}

void TskPageControl::ChangeActivePage(TskTabSheet* Page) {
    if (activePage_ && activePage_ != Page) LeavePage(activePage_);
    activePage_ = Page;
    if (!Page) return;
    SelectTab(Page->PageIndex());
    TopPanel()->SetTabIndex(Page->PageIndex());
    BringPageUp(Page);
    FireShow(Page);
}

void TskPageControl::ActivatePageIndex(int Index) {
    if (activePage_ && activePage_->PageIndex() != Index) LeavePage(activePage_);
    if (Index < 0 || Index > TopPanel()->Tabs()->Count() - 1) {
        ChangeActivePage(nullptr);
        return;
    }
    SelectTab(Index);
    TopPanel()->SetTabIndex(Index);
    activePage_ = pages_[static_cast<size_t>(Index)];
    BringPageUp(activePage_);
    FireShow(activePage_);
}

void TskPageControl::TabActive(int Index) {
    if (activePage_ && activePage_->PageIndex() != Index) LeavePage(activePage_);
    // -1 from the strip means no page.
    if (Index < 0 || Index >= PageCount()) {
        activePage_ = nullptr;
        TskTab::TabActive(Index);
        return;
    }
    TskTabSheet* page = pages_[static_cast<size_t>(Index)];
    activePage_ = page;
    BringPageUp(page);
    if (!ComponentState().Contains(csLoading) && !ComponentState().Contains(csDesigning) && page->ControlCount() > 0) {
        auto* first = dynamic_cast<TWinControl*>(page->Controls(0));
        try {
            if (first && first->Visible() && first->CanFocus())
                if (TCustomForm* form = GetParentForm(this)) form->SetActiveControl(first);
        } catch (const std::exception&) {
            // The switch goes on without the focus move.
        }
    }
    FireShow(page);
    TskTab::TabActive(Index);
}

void TskPageControl::SelectNeighbourPage(int Index) {
    for (int i = std::min(Index, PageCount()) - 1; i >= 0; --i)
        if (pages_[static_cast<size_t>(i)]->TabVisible()) return ActivatePageIndex(i);
    for (int i = std::max(Index + 1, 0); i < PageCount(); ++i)
        if (pages_[static_cast<size_t>(i)]->TabVisible()) return ActivatePageIndex(i);
}

void TskPageControl::ShowControl(TControl* AControl) {
    TskTab::ShowControl(AControl);
    if (auto* page = dynamic_cast<TskTabSheet*>(AControl); page && Holds(page)) ChangeActivePage(page);
}

void TskPageControl::BorderColorChanged() {
    if (activePage_) activePage_->Invalidate();
}

void TskPageControl::UpdateChildrenStyle(TskUIStyle Style, TskFileTheme* Theme) {
    for (TskTabSheet* page : pages_) {
        ApplyStyleToChildren(page, Style, Theme);
        page->SetColor(Color());
        page->SetAlign(alClient);
    }
}

void TskPageControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CM_CONTROLLISTCHANGE: {
            auto* page = dynamic_cast<TskTabSheet*>(reinterpret_cast<TControl*>(Message.WParam));
            if (page && !Destroying(this)) {
                if (Message.LParam)
                    InsertPage(page);
                else
                    RemovePage(page);
            }
            break;
        }
        case CM_COLORCHANGED:
            for (TskTabSheet* page : pages_) page->SetColor(Color());
            return;
    }
    TskTab::Dispatch(Message);
}

void TskPageControl::DefineProperties(TFiler* Filer) {
    TskTab::DefineProperties(Filer);
    Filer->DefineProperty("Pages", [this](TReader& R) { ReadPages(R); });
}

void TskPageControl::ReadPages(TReader& Reader) {
    Reader.ReadListBegin();
    while (!Reader.EndOfList()) storedPageNames_.push_back(Reader.ReadIdent());
    Reader.ReadListEnd();
}

void TskPageControl::SortPagesByStoredNames() {
    auto position = [this](const TskTabSheet* Page) {
        for (size_t i = 0; i < storedPageNames_.size(); ++i)
            if (SameName(storedPageNames_[i], Page->Name())) return static_cast<int>(i);
        return -1;
    };
    std::stable_sort(pages_.begin(), pages_.end(),
                     [&](const TskTabSheet* A, const TskTabSheet* B) { return position(A) < position(B); });
    RenumberPages();
    RebuildTabs();
}
