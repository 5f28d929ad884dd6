#include "ListView.h"

#include "Menus.h"
#include "NativeControl.h"

#include <algorithm>
#include <unordered_map>
#include <commctrl.h>

// ---- items

TCustomListView* TListItem::ListView() const { return owner_->Owner(); }

int TListItem::Index() const { return owner_->IndexOf(this); }

void TListItem::SetCaption(const std::string& Value) {
    if (Value == caption_) return;
    caption_ = Value;
    ListView()->UpdateWindowItem(this);
}

void TListItem::SetImageIndex(int Value) {
    if (Value == imageIndex_) return;
    imageIndex_ = Value;
    ListView()->UpdateWindowItem(this);
}

bool TListItem::Selected() const {
    TCustomListView* view = ListView();
    if (!view->HandleAllocated()) return selected_;
    return SendMessageA(view->Handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(Index()), LVIS_SELECTED) != 0;
}

void TListItem::SetSelected(bool Value) {
    selected_ = Value;
    TCustomListView* view = ListView();
    if (!view->HandleAllocated()) return;
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    item.state = Value ? LVIS_SELECTED : 0;
    SendMessageA(view->Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&item));
}

void TListItem::Delete() { owner_->Delete(Index()); }

TListItem* TListItems::Item(int Index) const {
    if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return items_[static_cast<size_t>(Index)].get();
}

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int Index) {
    if (Index < 0 || Index > Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    items_.insert(items_.begin() + Index, std::make_unique<TListItem>(this));
    TListItem* item = items_[static_cast<size_t>(Index)].get();
    view_->InsertWindowItem(item, Index);
    return item;
}

void TListItems::Delete(int Index) {
    Item(Index);
    if (view_->HandleAllocated()) SendMessageA(view_->Handle(), LVM_DELETEITEM, static_cast<WPARAM>(Index), 0);
    items_.erase(items_.begin() + Index);
    // Not every native view closes the gap by itself.
    if (view_->IconOptions()->AutoArrange()) view_->Arrange();
}

void TListItems::Clear() {
    if (view_->HandleAllocated()) SendMessageA(view_->Handle(), LVM_DELETEALLITEMS, 0, 0);
    items_.clear();
}

int TListItems::IndexOf(const TListItem* Item) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == Item) return static_cast<int>(i);
    return -1;
}

void TListItems::BeginUpdate() {
    if (updateCount_++ == 0 && view_->HandleAllocated()) SendMessageA(view_->Handle(), WM_SETREDRAW, FALSE, 0);
}

void TListItems::EndUpdate() {
    if (updateCount_ == 0 || --updateCount_ > 0) return;
    if (view_->HandleAllocated()) {
        SendMessageA(view_->Handle(), WM_SETREDRAW, TRUE, 0);
        view_->Invalidate();
    }
}

// ---- icon options

const TClassInfo& TIconOptions::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TIconOptions, void>("TIconOptions", [](auto& c) {
        c.template Enum<TIconArrangement>("Arrangement", &TIconOptions::Arrangement, &TIconOptions::SetArrangement,
                                          {"iaTop", "iaLeft"});
        c.Bool("AutoArrange", &TIconOptions::AutoArrange, &TIconOptions::SetAutoArrange);
        c.Bool("WrapText", &TIconOptions::WrapText, &TIconOptions::SetWrapText);
    });
    return info;
}

void TIconOptions::Assign(TPersistent* Source) {
    if (auto* o = dynamic_cast<TIconOptions*>(Source)) {
        arrangement_ = o->arrangement_;
        autoArrange_ = o->autoArrange_;
        wrapText_ = o->wrapText_;
        view_->RecreateWnd();
        return;
    }
    TPersistent::Assign(Source);
}

void TIconOptions::SetArrangement(TIconArrangement Value) {
    if (Value == arrangement_) return;
    arrangement_ = Value;
    view_->RecreateWnd();
}

void TIconOptions::SetAutoArrange(bool Value) {
    if (Value == autoArrange_) return;
    autoArrange_ = Value;
    view_->RecreateWnd();
}

void TIconOptions::SetWrapText(bool Value) {
    if (Value == wrapText_) return;
    wrapText_ = Value;
    view_->RecreateWnd();
}

// ---- list view

const TClassInfo& TCustomListView::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TCustomListView, TWinControl>("TCustomListView", [](auto&) {});
    return info;
}

const TClassInfo& TListView::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TListView, TCustomListView>("TListView", [](auto& c) {
        c.template Enum<TBorderStyle>("BorderStyle", &TListView::BorderStyle, &TListView::SetBorderStyle, {"bsNone", "bsSingle"});
        c.Bool("HideSelection", &TListView::HideSelection, &TListView::SetHideSelection);
        c.Object("IconOptions", &TListView::IconOptions);
        c.template Reference<TImageList>("LargeImages", &TListView::LargeImages, &TListView::SetLargeImages);
        c.Bool("MultiSelect", &TListView::MultiSelect, &TListView::SetMultiSelect);
        c.Bool("ReadOnly", &TListView::ReadOnly, &TListView::SetReadOnly);
        c.template Reference<TImageList>("SmallImages", &TListView::SmallImages, &TListView::SetSmallImages);
        c.template Enum<TViewStyle>("ViewStyle", &TListView::ViewStyle, &TListView::SetViewStyle,
                                    {"vsIcon", "vsSmallIcon", "vsList", "vsReport"});
        c.Event("OnEdited", &TListView::OnEdited);
        c.Event("OnSelectItem", &TListView::OnSelectItem);
    });
    return info;
}

TCustomListView::TCustomListView() : items_(this), iconOptions_(this) {}

void TCustomListView::Init() {
    TWinControl::Init();
    // Clicks and double clicks come from the list view's own notifications.
    ControlStyle = TControlStyle{};
    SetBounds(0, 0, 250, 150);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    InitCommonControlsOnce();
}

void TCustomListView::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == largeImages_) SetLargeImages(nullptr);
    if (AComponent == smallImages_) SetSmallImages(nullptr);
}

void TCustomListView::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_LISTVIEWA);
    static constexpr DWORD kViews[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    Params.Style |= WS_TABSTOP | LVS_SHAREIMAGELISTS | kViews[viewStyle_];
    if (!readOnly_) Params.Style |= LVS_EDITLABELS;
    if (!multiSelect_) Params.Style |= LVS_SINGLESEL;
    if (!hideSelection_) Params.Style |= LVS_SHOWSELALWAYS;
    if (iconOptions_.AutoArrange()) Params.Style |= LVS_AUTOARRANGE;
    if (iconOptions_.Arrangement() == iaLeft) Params.Style |= LVS_ALIGNLEFT;
    if (!iconOptions_.WrapText()) Params.Style |= LVS_NOLABELWRAP;
    if (borderStyle_ == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListView::CreateWnd() {
    TWinControl::CreateWnd();
    SendNativeFont(this);
    ApplyColors();
    ApplyImages();
    for (size_t i = 0; i < columns_.size(); ++i) InsertWindowColumn(columns_[i], static_cast<int>(i));
    for (int i = 0; i < items_.Count(); ++i) {
        InsertWindowItem(items_.Item(i), i);
        if (items_.Item(i)->selected_) items_.Item(i)->SetSelected(true);
    }
}

void TCustomListView::DestroyWnd() {
    // The selection lives in the window; keep it for the next one.
    if (HandleAllocated())
        for (int i = 0; i < items_.Count(); ++i) items_.Item(i)->selected_ = items_.Item(i)->Selected();
    TWinControl::DestroyWnd();
}

void TCustomListView::InsertWindowItem(TListItem* Item, int Index) {
    if (!HandleAllocated()) return;
    LVITEMA lv{};
    lv.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    lv.iItem = Index;
    lv.pszText = Item->caption_.data();
    lv.iImage = Item->imageIndex_;
    lv.lParam = reinterpret_cast<LPARAM>(Item);
    SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&lv));
}

void TCustomListView::UpdateWindowItem(TListItem* Item) {
    if (!HandleAllocated()) return;
    LVITEMA lv{};
    lv.mask = LVIF_TEXT | LVIF_IMAGE;
    lv.iItem = Item->Index();
    lv.pszText = Item->caption_.data();
    lv.iImage = Item->imageIndex_;
    SendMessageA(Handle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&lv));
    SendMessageA(Handle(), LVM_UPDATE, static_cast<WPARAM>(lv.iItem), 0);
}

void TCustomListView::ApplyColors() {
    if (!HandleAllocated()) return;
    const auto back = static_cast<LPARAM>(ColorToRGB(Color()));
    SendMessageA(Handle(), LVM_SETBKCOLOR, 0, back);
    SendMessageA(Handle(), LVM_SETTEXTBKCOLOR, 0, back);
    SendMessageA(Handle(), LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Font()->Color())));
}

void TCustomListView::ApplyImages() {
    if (!HandleAllocated()) return;
    SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(largeImages_ ? largeImages_->Handle() : nullptr));
    SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(smallImages_ ? smallImages_->Handle() : nullptr));
}

void TCustomListView::SetViewStyle(TViewStyle Value) {
    if (Value == viewStyle_) return;
    viewStyle_ = Value;
    RecreateWnd();
}

void TCustomListView::SetReadOnly(bool Value) {
    if (Value == readOnly_) return;
    readOnly_ = Value;
    RecreateWnd();
}

void TCustomListView::SetMultiSelect(bool Value) {
    if (Value == multiSelect_) return;
    multiSelect_ = Value;
    RecreateWnd();
}

void TCustomListView::SetHideSelection(bool Value) {
    if (Value == hideSelection_) return;
    hideSelection_ = Value;
    RecreateWnd();
}

void TCustomListView::SetBorderStyle(TBorderStyle Value) {
    if (Value == borderStyle_) return;
    borderStyle_ = Value;
    RecreateWnd();
}

void TCustomListView::SetLargeImages(TImageList* Value) {
    if (Value == largeImages_) return;
    if (largeImages_ && largeImages_ != smallImages_) largeImages_->RemoveFreeNotification(this);
    largeImages_ = Value;
    if (Value) Value->FreeNotification(this);
    ApplyImages();
}

void TCustomListView::SetSmallImages(TImageList* Value) {
    if (Value == smallImages_) return;
    if (smallImages_ && smallImages_ != largeImages_) smallImages_->RemoveFreeNotification(this);
    smallImages_ = Value;
    if (Value) Value->FreeNotification(this);
    ApplyImages();
}

TListItem* TCustomListView::Selected() {
    if (!HandleAllocated()) {
        for (int i = 0; i < items_.Count(); ++i)
            if (items_.Item(i)->selected_) return items_.Item(i);
        return nullptr;
    }
    const auto index = static_cast<int>(SendMessageA(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    return index >= 0 && index < items_.Count() ? items_.Item(index) : nullptr;
}

void TCustomListView::SetSelected(TListItem* Value) {
    for (int i = 0; i < items_.Count(); ++i)
        if (items_.Item(i) != Value && items_.Item(i)->Selected()) items_.Item(i)->SetSelected(false);
    if (!Value) return;
    Value->SetSelected(true);
    if (HandleAllocated()) {
        LVITEMA item{};
        item.stateMask = LVIS_FOCUSED;
        item.state = LVIS_FOCUSED;
        SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(Value->Index()), reinterpret_cast<LPARAM>(&item));
        SendMessageA(Handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(Value->Index()), FALSE);
    }
}

int TCustomListView::SelCount() {
    if (HandleAllocated()) return static_cast<int>(SendMessageA(Handle(), LVM_GETSELECTEDCOUNT, 0, 0));
    return static_cast<int>(std::count_if(items_.items_.begin(), items_.items_.end(), [](const auto& i) { return i->selected_; }));
}

void TCustomListView::Scroll(int DX, int DY) {
    if (HandleAllocated()) SendMessageA(Handle(), LVM_SCROLL, static_cast<WPARAM>(DX), DY);
}

void TCustomListView::AddColumn(const std::string& Caption, int Width) {
    columns_.push_back({Caption, Width});
    InsertWindowColumn(columns_.back(), static_cast<int>(columns_.size()) - 1);
}

void TCustomListView::InsertWindowColumn(const TColumn& Column, int Index) {
    if (!HandleAllocated()) return;
    std::string caption = Column.Caption;
    LVCOLUMNA lv{};
    lv.mask = LVCF_TEXT | LVCF_WIDTH;
    lv.pszText = caption.data();
    lv.cx = Column.Width;
    SendMessageA(Handle(), LVM_INSERTCOLUMNA, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&lv));
}

namespace {

int CompareCaptions(const TListItem* A, const TListItem* B) { return lstrcmpiA(A->Caption().c_str(), B->Caption().c_str()); }

// The window's order follows the list's (already sorted) order exactly, also
// for equal captions: each item compares by its place in the list.
int CALLBACK CompareListPlaces(LPARAM A, LPARAM B, LPARAM Places) {
    const auto& places = *reinterpret_cast<const std::unordered_map<const TListItem*, int>*>(Places);
    return places.at(reinterpret_cast<const TListItem*>(A)) - places.at(reinterpret_cast<const TListItem*>(B));
}

}  // namespace

bool TCustomListView::AlphaSort() {
    auto& items = items_.items_;
    std::stable_sort(items.begin(), items.end(),
                     [](const auto& A, const auto& B) { return CompareCaptions(A.get(), B.get()) < 0; });
    if (!HandleAllocated()) return true;
    std::unordered_map<const TListItem*, int> places;
    for (size_t i = 0; i < items.size(); ++i) places[items[i].get()] = static_cast<int>(i);
    return SendMessageA(Handle(), LVM_SORTITEMS, reinterpret_cast<WPARAM>(&places),
                        reinterpret_cast<LPARAM>(&CompareListPlaces)) != 0;
}

void TCustomListView::Arrange() {
    if (HandleAllocated()) SendMessageA(Handle(), LVM_ARRANGE, LVA_DEFAULT, 0);
}

TListItem* TCustomListView::GetItemAt(int X, int Y) {
    if (!HandleAllocated()) return nullptr;
    LVHITTESTINFO hit{};
    hit.pt = POINT{X, Y};
    const auto index = static_cast<int>(SendMessageA(Handle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return index >= 0 && index < items_.Count() && (hit.flags & LVHT_ONITEM) ? items_.Item(index) : nullptr;
}

void TCustomListView::HandleNotify(TMessage& Message) {
    const auto* hdr = reinterpret_cast<const NMHDR*>(Message.LParam);
    switch (hdr->code) {
        case NM_CLICK: Click(); return;
        case NM_DBLCLK: DblClick(); return;
        case LVN_BEGINLABELEDITA: Message.Result = readOnly_ ? TRUE : FALSE; return;
        case LVN_ENDLABELEDITA: {
            const auto* info = reinterpret_cast<const NMLVDISPINFOA*>(Message.LParam);
            if (!info->item.pszText || info->item.iItem < 0 || info->item.iItem >= items_.Count()) return;
            std::string text = info->item.pszText;
            TListItem* item = items_.Item(info->item.iItem);
            OnEdited(this, item, text);
            item->caption_ = text;
            UpdateWindowItem(item);
            Message.Result = FALSE;  // the window text was set above
            return;
        }
        case LVN_ITEMCHANGED: {
            const auto* info = reinterpret_cast<const NMLISTVIEW*>(Message.LParam);
            if (!(info->uChanged & LVIF_STATE) || info->iItem < 0 || info->iItem >= items_.Count()) return;
            const bool was = (info->uOldState & LVIS_SELECTED) != 0, now = (info->uNewState & LVIS_SELECTED) != 0;
            if (was != now) OnSelectItem(this, items_.Item(info->iItem), now);
            return;
        }
        default: return;
    }
}

void TCustomListView::Dispatch(TMessage& Message) {
    if (DispatchNativeMessage(this, Message, TNativeColors::None)) return;
    switch (Message.Msg) {
        case CN_NOTIFY: HandleNotify(Message); return;
        case WM_CONTEXTMENU:
            // The native view takes the right button's release into its own
            // drag detection and reports the click this way instead.
            if (auto* menu = dynamic_cast<TPopupMenu*>(PopupMenu()); menu && menu->AutoPopup) {
                TPoint at{static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
                if (Message.LParam == -1) {
                    // From the keyboard: below the selected item, else the view's corner.
                    RECT r{LVIR_ICON, 0, 0, 0};
                    TListItem* item = Selected();
                    const int index = item ? Items()->IndexOf(item) : -1;
                    POINT p{0, 0};
                    if (index >= 0 && SendMessageA(Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)))
                        p = POINT{r.left, r.bottom};
                    at = ClientToScreen(TPoint{p.x, p.y});
                }
                menu->PopupComponent = this;
                menu->Popup(at.X, at.Y);
                return;
            }
            break;
        case WM_RBUTTONUP:
            // A release whose press the view never saw (an application's
            // message hook may drop presses) goes to the native default
            // handling, which reports it as WM_CONTEXTMENU above; the
            // library's own popup on release would show the menu again.
            DefaultHandler(Message);
            MouseUp(mbRight, MouseShiftState(Message.WParam), static_cast<short>(LOWORD(Message.LParam)),
                    static_cast<short>(HIWORD(Message.LParam)));
            return;
        case WM_ERASEBKGND: DefaultHandler(Message); return;
        case CM_FONTCHANGED:
        case CM_COLORCHANGED:
            ApplyColors();
            break;
        default: break;
    }
    TWinControl::Dispatch(Message);
}
