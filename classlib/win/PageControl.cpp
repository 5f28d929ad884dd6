#include "PageControl.h"

#include "Form.h"
#include "NativeControl.h"

#include <algorithm>
#include <commctrl.h>

const TClassInfo& TTabSheet::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TTabSheet, TWinControl>("TTabSheet", [](auto& c) {
        c.Field("ImageIndex", &TTabSheet::ImageIndex);
        c.template Reference<TPageControl>("PageControl", &TTabSheet::PageControl, &TTabSheet::SetPageControl);
        c.Int("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex);
        c.Bool("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible);
    });
    return info;
}

void TTabSheet::Init() {
    TWinControl::Init();
    ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    // Shown only while it is the active page.
    SetVisible(false);
}

void TTabSheet::BeforeDestruction() {
    if (pageControl_) pageControl_->RemovePage(this);
    TWinControl::BeforeDestruction();
}

void TTabSheet::SetParent(TWinControl* AParent) {
    if (auto* pc = dynamic_cast<TPageControl*>(AParent)) {
        SetPageControl(pc);
        return;
    }
    if (pageControl_) SetPageControl(nullptr);
    TWinControl::SetParent(AParent);
}

void TTabSheet::SetPageControl(TPageControl* Value) {
    if (Value == pageControl_) return;
    if (pageControl_) pageControl_->RemovePage(this);
    if (Value) Value->InsertPage(this);
}

int TTabSheet::PageIndex() const {
    if (!pageControl_) return -1;
    auto& pages = pageControl_->pages_;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int Value) {
    if (pageControl_) pageControl_->MovePage(this, Value);
}

int TTabSheet::TabIndex() const {
    if (!pageControl_ || !tabVisible_) return -1;
    int index = 0;
    for (TTabSheet* p : pageControl_->pages_) {
        if (p == this) return index;
        if (p->tabVisible_) ++index;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool Value) {
    if (Value == tabVisible_) return;
    tabVisible_ = Value;
    if (pageControl_) pageControl_->UpdateTabs();
}

void TTabSheet::Dispatch(TMessage& Message) {
    if (Message.Msg == CM_TEXTCHANGED && pageControl_) {
        pageControl_->UpdateTabs();
        return;
    }
    TWinControl::Dispatch(Message);
}

const TClassInfo& TPageControl::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TPageControl, TWinControl>("TPageControl", [](auto& c) {
        c.template Reference<TTabSheet>("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
        c.Event("OnChange", &TPageControl::OnChange);
        c.Event("OnChanging", &TPageControl::OnChanging);
    });
    return info;
}

void TPageControl::Init() {
    TWinControl::Init();
    ControlStyle = {csAcceptsControls, csDoubleClicks};
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clBtnFace);
    InitCommonControlsOnce();
}

void TPageControl::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_TABCONTROLA);
    Params.Style |= WS_TABSTOP | WS_CLIPCHILDREN;
}

void TPageControl::CreateWnd() {
    TWinControl::CreateWnd();
    SendNativeFont(this);
    UpdateTabs();
}

TTabSheet* TPageControl::Pages(int Index) const {
    if (Index < 0 || Index >= PageCount()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return pages_[static_cast<size_t>(Index)];
}

void TPageControl::InsertPage(TTabSheet* Page) {
    pages_.push_back(Page);
    Page->pageControl_ = this;
    Page->TWinControl::SetParent(this);
    UpdateTabs();
    if (!activePage_) SetActivePage(Page);
}

void TPageControl::RemovePage(TTabSheet* Page) {
    auto it = std::find(pages_.begin(), pages_.end(), Page);
    if (it == pages_.end()) return;
    const bool wasActive = Page == activePage_;
    TTabSheet* next = wasActive ? FindNextPage(Page, true) : nullptr;
    if (next == Page) next = nullptr;
    pages_.erase(it);
    Page->pageControl_ = nullptr;
    if (wasActive) activePage_ = nullptr;
    if (ComponentState().Contains(csDestroying)) return;
    Page->TWinControl::SetParent(nullptr);
    UpdateTabs();
    if (wasActive) SetActivePage(next);
}

void TPageControl::MovePage(TTabSheet* Page, int Index) {
    auto it = std::find(pages_.begin(), pages_.end(), Page);
    if (it == pages_.end()) return;
    Index = std::clamp(Index, 0, PageCount() - 1);
    pages_.erase(it);
    pages_.insert(pages_.begin() + Index, Page);
    UpdateTabs();
}

TTabSheet* TPageControl::PageForTab(int TabIndex) const {
    for (TTabSheet* p : pages_)
        if (p->tabVisible_ && TabIndex-- == 0) return p;
    return nullptr;
}

void TPageControl::UpdateTabs() {
    if (!HandleAllocated()) return;
    HWND h = Handle();
    SendMessageA(h, TCM_DELETEALLITEMS, 0, 0);
    int index = 0;
    for (TTabSheet* p : pages_) {
        if (!p->tabVisible_) continue;
        std::string caption = p->Caption();
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = caption.data();
        item.lParam = reinterpret_cast<LPARAM>(p);
        SendMessageA(h, TCM_INSERTITEMA, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(h, TCM_SETCURSEL, static_cast<WPARAM>(activePage_ ? activePage_->TabIndex() : -1), 0);
    // The display area changes with the number of tab rows.
    Realign();
}

void TPageControl::SetActivePage(TTabSheet* Value) {
    if (Value && Value->pageControl_ != this) return;
    if (Value == activePage_) return;
    TTabSheet* old = activePage_;
    activePage_ = Value;
    if (Value) {
        Value->BringToFront();
        Value->SetVisible(true);
        Realign();
    }
    if (old && old != Value) {
        // The focus leaves a page that is hidden.
        if (TCustomForm* form = GetParentForm(this); form && form->ActiveControl() && old->ContainsControl(form->ActiveControl()))
            if (CanFocus()) SetFocus();
        old->SetVisible(false);
    }
    if (HandleAllocated())
        SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(Value ? Value->TabIndex() : -1), 0);
}

void TPageControl::SetActivePageIndex(int Value) {
    SetActivePage(Value >= 0 && Value < PageCount() ? pages_[static_cast<size_t>(Value)] : nullptr);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* Current, bool GoForward) const {
    if (pages_.empty()) return nullptr;
    const int n = PageCount();
    auto it = std::find(pages_.begin(), pages_.end(), Current);
    int i = it == pages_.end() ? (GoForward ? n - 1 : 0) : static_cast<int>(it - pages_.begin());
    for (int step = 0; step < n; ++step) {
        i = GoForward ? (i + 1) % n : (i - 1 + n) % n;
        if (pages_[static_cast<size_t>(i)]->tabVisible_) return pages_[static_cast<size_t>(i)];
    }
    return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward) {
    TTabSheet* next = FindNextPage(activePage_, GoForward);
    if (next && next != activePage_ && CanChange()) {
        SetActivePage(next);
        Change();
    }
}

void TPageControl::ShowControl(TControl* AControl) {
    if (auto* page = dynamic_cast<TTabSheet*>(AControl); page && page->pageControl_ == this) SetActivePage(page);
    TWinControl::ShowControl(AControl);
}

bool TPageControl::CanChange() {
    bool allow = true;
    OnChanging(this, allow);
    return allow;
}

void TPageControl::AdjustClientRect(TRect& R) {
    if (HandleAllocated()) {
        RECT r{R.Left, R.Top, R.Right, R.Bottom};
        SendMessageA(handle_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
        R = Rect(r.left, r.top, std::max(r.left, r.right), std::max(r.top, r.bottom));
    } else {
        R = Rect(R.Left + 4, R.Top + 24, R.Right - 4, R.Bottom - 4);
    }
}

void TPageControl::AlignControls(TControl* AControl, TRect& R) {
    for (TTabSheet* p : pages_) p->SetBounds(R.Left, R.Top, R.Width(), R.Height());
    TWinControl::AlignControls(AControl, R);
}

void TPageControl::Dispatch(TMessage& Message) {
    if (DispatchNativeMessage(this, Message, TNativeColors::None)) return;
    switch (Message.Msg) {
        case CN_NOTIFY: {
            const auto* hdr = reinterpret_cast<const NMHDR*>(Message.LParam);
            if (hdr->code == static_cast<UINT>(TCN_SELCHANGING)) {
                Message.Result = CanChange() ? FALSE : TRUE;
                return;
            }
            if (hdr->code == static_cast<UINT>(TCN_SELCHANGE)) {
                SetActivePage(PageForTab(static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0))));
                Change();
                return;
            }
            return;
        }
        case WM_SIZE:
            TWinControl::Dispatch(Message);
            Realign();
            return;
        case CM_DIALOGKEY:
            // Ctrl+Tab and Ctrl+Shift+Tab turn the pages.
            if (Message.WParam == VK_TAB && GetKeyState(VK_CONTROL) < 0 && activePage_ && Focused()) {
                SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
                Message.Result = 1;
                return;
            }
            break;
        default: break;
    }
    TWinControl::Dispatch(Message);
}
