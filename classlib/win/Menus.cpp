#include "Menus.h"

#include "ImageList.h"
#include "TypInfo.h"

#include <algorithm>
#include <exception>
#include <map>

namespace {

// Live items by command number. Numbers start above the dialog-button ids
// (IDOK...IDCONTINUE) and stay below $F000, where system commands begin.
constexpr UINT FirstCommand = 100;
constexpr UINT LastCommand = 0xEFFF;

std::map<UINT, TMenuItem*>& Commands() {
    static std::map<UINT, TMenuItem*> commands;
    return commands;
}

UINT NewCommand(TMenuItem* Item) {
    static UINT next = FirstCommand;
    auto& commands = Commands();
    if (commands.size() >= LastCommand - FirstCommand + 1) throw EMenuError("Out of menu command numbers");
    while (commands.count(next)) next = next == LastCommand ? FirstCommand : next + 1;
    const UINT command = next;
    commands[command] = Item;
    next = next == LastCommand ? FirstCommand : next + 1;
    return command;
}

// A canvas on a device context that someone else owns, for the length of
// one owner-draw message.
class TBorrowedCanvas {
public:
    explicit TBorrowedCanvas(HDC DC) { canvas_.SetHandle(DC); }
    ~TBorrowedCanvas() { canvas_.SetHandle(nullptr); }
    TBorrowedCanvas(const TBorrowedCanvas&) = delete;
    TBorrowedCanvas& operator=(const TBorrowedCanvas&) = delete;
    TCanvas* operator->() { return &canvas_; }
    TCanvas* get() { return &canvas_; }

private:
    TCanvas canvas_;
};

// Items in a menu under construction: a dialog-like "&" is kept, the
// shortcut follows a tab so Windows right-aligns it.
std::string ItemText(const TMenuItem& Item) {
    const std::string keys = ShortCutToText(Item.ShortCut());
    return keys.empty() ? Item.Caption() : Item.Caption() + "\t" + keys;
}

bool Usable(const TMenuItem* Item) {
    for (const TMenuItem* i = Item; i && i->Parent(); i = i->Parent())
        if (!i->Enabled() || !i->Visible()) return false;
    return true;
}

TMenuItem* FindByShortCut(TMenuItem* Item, TShortCut Key) {
    for (int i = 0; i < Item->Count(); ++i) {
        TMenuItem* sub = Item->Items(i);
        if (sub->ShortCut() == Key && Usable(sub)) return sub;
        if (TMenuItem* found = FindByShortCut(sub, Key)) return found;
    }
    return nullptr;
}

}  // namespace

// ---- TMenuItem

void TMenuItem::Init() {
    TComponent::Init();
    command_ = NewCommand(this);
}

void TMenuItem::BeforeDestruction() {
    if (parent_) parent_->Remove(this);
    // Sub-items that belong to a component stay with it; the others go with the item.
    while (!items_.empty()) {
        TMenuItem* sub = items_.back();
        items_.pop_back();
        sub->parent_ = nullptr;
        if (!sub->Owner()) sub->Free();
    }
    TComponent::BeforeDestruction();
}

TMenuItem::~TMenuItem() { Commands().erase(command_); }

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* root = this;
    while (root->parent_) root = root->parent_;
    return root->menu_;
}

void TMenuItem::MenuChanged(bool Rebuild) {
    if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this, this, Rebuild);
}

void TMenuItem::SetCaption(const std::string& Value) {
    if (caption_ == Value) return;
    caption_ = Value;
    MenuChanged(false);
}

void TMenuItem::SetEnabled(bool Value) {
    if (enabled_ == Value) return;
    enabled_ = Value;
    MenuChanged(false);
}

void TMenuItem::SetChecked(bool Value) {
    if (checked_ == Value) return;
    checked_ = Value;
    MenuChanged(false);
}

void TMenuItem::SetDefault(bool Value) {
    if (default_ == Value) return;
    // One default item per level.
    if (Value && parent_)
        for (TMenuItem* sibling : parent_->items_) sibling->default_ = false;
    default_ = Value;
    MenuChanged(false);
}

void TMenuItem::SetVisible(bool Value) {
    if (visible_ == Value) return;
    visible_ = Value;
    MenuChanged(true);
}

void TMenuItem::SetImageIndex(int Value) {
    if (imageIndex_ == Value) return;
    imageIndex_ = Value;
    MenuChanged(false);
}

void TMenuItem::SetShortCut(TShortCut Value) {
    if (shortCut_ == Value) return;
    shortCut_ = Value;
    MenuChanged(false);
}

TMenuItem* TMenuItem::Items(int Index) const {
    if (Index < 0 || Index >= Count()) throw EMenuError("Menu index out of range");
    return items_[static_cast<size_t>(Index)];
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
    auto it = std::find(items_.begin(), items_.end(), Item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
    if (!Item) return;
    for (const TMenuItem* p = this; p; p = p->parent_)
        if (p == Item) throw EMenuError("Menu inserted twice");
    if (Index < 0 || Index > Count()) throw EMenuError("Menu index out of range");
    if (Item->parent_) Item->parent_->Remove(Item);
    items_.insert(items_.begin() + Index, Item);
    Item->parent_ = this;
    MenuChanged(true);
}

void TMenuItem::Remove(TMenuItem* Item) {
    auto it = std::find(items_.begin(), items_.end(), Item);
    if (it == items_.end()) return;
    items_.erase(it);
    Item->parent_ = nullptr;
    MenuChanged(true);
}

void TMenuItem::Clear() {
    while (!items_.empty()) {
        TMenuItem* sub = items_.back();
        Remove(sub);
        sub->Free();
    }
}

void TMenuItem::SetParentComponent(TComponent* Value) {
    if (auto* menu = dynamic_cast<TMenu*>(Value))
        menu->Items()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(Value))
        item->Add(this);
    else if (Value)
        throw EMenuError("A menu item belongs in a menu or a menu item, not in " + Value->Name());
}

void TMenuItem::Click() { OnClick(this); }

void TMenuItem::MeasureItem(TCanvas* ACanvas, int& Width, int& Height) {
    if (OnMeasureItem) {
        OnMeasureItem(this, ACanvas, Width, Height);
        return;
    }
    if (IsLine()) {
        Height = GetSystemMetrics(SM_CYMENU) / 2;
        Width = 10;
        return;
    }
    const TSize text = ACanvas->TextExtent(ItemText(*this));
    Width = text.cx + 24 + 16;
    Height = std::max<int>(text.cy + 6, GetSystemMetrics(SM_CYMENU));
}

void TMenuItem::DrawItem(TCanvas* ACanvas, const TRect& ARect, bool Selected) {
    if (OnDrawItem) {
        OnDrawItem(this, ACanvas, ARect, Selected);
        return;
    }
    const bool lit = Selected && enabled_;
    ACanvas->Brush()->SetColor(lit ? clHighlight : clMenu);
    ACanvas->FillRect(ARect);
    if (IsLine()) {
        RECT r{ARect.Left, ARect.Top + ARect.Height() / 2 - 1, ARect.Right, ARect.Bottom};
        DrawEdge(ACanvas->Handle(), &r, EDGE_ETCHED, BF_TOP);
        return;
    }
    TMenu* menu = GetParentMenu();
    TImageList* images = menu ? menu->Images() : nullptr;
    if (images && imageIndex_ >= 0 && imageIndex_ < images->Count())
        images->Draw(ACanvas, ARect.Left + 2, ARect.Top + (ARect.Height() - images->Height()) / 2, imageIndex_, enabled_);
    else if (checked_) {
        RECT mark{ARect.Left + 2, ARect.Top, ARect.Left + 22, ARect.Bottom};
        DrawFrameControl(ACanvas->Handle(), &mark, DFC_MENU, DFCS_MENUCHECK);
    }
    ACanvas->Font()->SetColor(!enabled_ ? clGrayText : lit ? clHighlightText : clMenuText);
    TFontStyles style = ACanvas->Font()->Style();
    if (default_) style.Include(fsBold);
    ACanvas->Font()->SetStyle(style);
    ACanvas->Brush()->SetStyle(bsClear);
    RECT r{ARect.Left + 24, ARect.Top, ARect.Right - 8, ARect.Bottom};
    HDC dc = ACanvas->Handle();
    DrawTextA(dc, caption_.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER);
    const std::string keys = ShortCutToText(shortCut_);
    if (!keys.empty()) DrawTextA(dc, keys.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
}

void TMenuItem::AppendTo(HMENU Menu, bool OwnerDraw) const {
    if (!visible_) return;
    const std::string text = ItemText(*this);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU | MIIM_STRING;
    info.fType = IsLine() ? MFT_SEPARATOR : MFT_STRING;
    if (OwnerDraw) info.fType |= MFT_OWNERDRAW;
    info.fState = (enabled_ ? MFS_ENABLED : MFS_DISABLED) | (checked_ ? MFS_CHECKED : 0) | (default_ ? MFS_DEFAULT : 0);
    info.wID = command_;
    info.dwItemData = command_;
    info.dwTypeData = const_cast<char*>(text.c_str());
    if (!items_.empty()) {
        info.hSubMenu = CreatePopupMenu();
        for (const TMenuItem* sub : items_) sub->AppendTo(info.hSubMenu, OwnerDraw);
    }
    InsertMenuItemA(Menu, GetMenuItemCount(Menu), TRUE, &info);
}

// ---- TMenu

void TMenu::Init() {
    TComponent::Init();
    items_ = Create<TMenuItem>(nullptr);
    items_->menu_ = this;
}

void TMenu::BeforeDestruction() {
    items_->menu_ = nullptr;
    items_->Free();
    items_ = nullptr;
    TComponent::BeforeDestruction();
}

TMenu::~TMenu() {
    if (handle_) DestroyMenu(handle_);
}

HMENU TMenu::Handle() {
    if (!handle_) {
        handle_ = CreateMenuHandle();
        if (!handle_) throw EOutOfResources("Cannot create a menu");
        RebuildHandle();
    }
    return handle_;
}

void TMenu::RebuildHandle() {
    if (!handle_) return;
    while (GetMenuItemCount(handle_) > 0) DeleteMenu(handle_, 0, MF_BYPOSITION);
    if (items_)
        for (const TMenuItem* item : items_->items_) item->AppendTo(handle_, OwnerDraw());
    HandleChanged();
}

void TMenu::SetImages(TImageList* Value) {
    images_ = Value;
    MenuChanged(this, nullptr, false);
}

void TMenu::SetOwnerDraw(bool Value) {
    if (ownerDraw_ == Value) return;
    ownerDraw_ = Value;
    MenuChanged(this, nullptr, true);
}

TMenuItem* TMenu::FindItem(UINT Command) const {
    TMenuItem* item = FindMenuItem(Command);
    return item && item->GetParentMenu() == this ? item : nullptr;
}

bool TMenu::DispatchShortCut(TShortCut Key) {
    if (!Key || !items_) return false;
    TMenuItem* item = FindByShortCut(items_, Key);
    if (!item) return false;
    item->Click();
    return true;
}

void TMenu::MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) {
    if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
    // Captions, states and images live in the HMENU too, so every change refills it.
    RebuildHandle();
    OnChange(Sender, Source, Rebuild);
}

void TMenu::Loaded() {
    TComponent::Loaded();
    MenuChanged(this, nullptr, true);
}

// ---- TMainMenu

HMENU TMainMenu::CreateMenuHandle() { return CreateMenu(); }

void TMainMenu::SetWindowHandle(HWND Value) {
    window_ = Value;
    if (window_) DrawMenuBar(window_);
}

void TMainMenu::HandleChanged() {
    if (window_) DrawMenuBar(window_);
}

bool TMainMenu::IsShortCut(WPARAM VirtualKey) {
    return DispatchShortCut(ShortCut(static_cast<std::uint16_t>(VirtualKey & 0xFF), KeyboardShiftState()));
}

// ---- TPopupMenu

HMENU TPopupMenu::CreateMenuHandle() { return CreatePopupMenu(); }

namespace {

// A failure inside the popup's own message loop waits until the loop is over.
std::exception_ptr& PopupFailure() {
    static std::exception_ptr failure;
    return failure;
}

LRESULT CALLBACK PopupListProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    LRESULT result = 0;
    try {
        if (DispatchMenuMessage(nullptr, Msg, WParam, LParam, result)) return result;
    } catch (...) {
        if (!PopupFailure()) PopupFailure() = std::current_exception();
        return 0;
    }
    return DefWindowProcA(Wnd, Msg, WParam, LParam);
}

}  // namespace

HWND PopupListWindow() {
    static HWND window = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = PopupListProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TPopupList";
        RegisterClassA(&wc);
        // A message-only window would never own a popup's focus, so a hidden top-level one.
        return CreateWindowExA(0, "TPopupList", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr),
                               nullptr);
    }();
    return window;
}

namespace {

// Runs the popup Menu at (X, Y) on the popups' window, kept off Avoid when
// given; answers the chosen command, 0 for none. A failure in an owner-draw
// handler during the menu's loop is raised here, after the loop.
UINT TrackMenu(HMENU Menu, int X, int Y, const RECT* Avoid) {
    HWND owner = PopupListWindow();
    PopupFailure() = nullptr;
    // The popup closes when the user clicks elsewhere only if this program is
    // in front; a popup from a right click on a form is, a tray menu may not be.
    DWORD process = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &process);
    if (process != GetCurrentProcessId()) SetForegroundWindow(owner);
    TPMPARAMS params{sizeof params, Avoid ? *Avoid : RECT{}};
    const UINT command = static_cast<UINT>(TrackPopupMenuEx(
        Menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY | (Avoid ? TPM_VERTICAL : 0), X, Y,
        owner, Avoid ? &params : nullptr));
    PostMessageA(owner, WM_NULL, 0, 0);
    if (auto failure = std::exchange(PopupFailure(), nullptr)) std::rethrow_exception(failure);
    return command;
}

// A popup menu made for one showing, destroyed with its submenus afterwards.
class TTemporaryMenu {
public:
    TTemporaryMenu() : handle_(CreatePopupMenu()) {
        if (!handle_) throw EOutOfResources("Cannot create a menu");
    }
    ~TTemporaryMenu() { DestroyMenu(handle_); }
    TTemporaryMenu(const TTemporaryMenu&) = delete;
    TTemporaryMenu& operator=(const TTemporaryMenu&) = delete;
    HMENU Handle() const { return handle_; }

private:
    HMENU handle_;
};

}  // namespace

void TPopupMenu::Popup(int X, int Y) {
    DoPopup(this);
    const UINT command = TrackMenu(Handle(), X, Y, nullptr);
    if (TMenuItem* item = command ? FindItem(command) : nullptr) item->Click();
}

bool TMenuItem::HasVisibleItems() const {
    return std::any_of(items_.begin(), items_.end(), [](const TMenuItem* i) { return i->Visible(); });
}

TMenuItem* TMenuItem::PopupSubItems(int X, int Y, const TRect& Avoid) {
    if (!HasVisibleItems()) return nullptr;
    TTemporaryMenu menu;
    const TMenu* owner = GetParentMenu();
    for (const TMenuItem* sub : items_) sub->AppendTo(menu.Handle(), owner && owner->OwnerDraw());
    const RECT avoid{Avoid.Left, Avoid.Top, Avoid.Right, Avoid.Bottom};
    const UINT command = TrackMenu(menu.Handle(), X, Y, &avoid);
    // Only an item of this one's tree is an answer.
    TMenuItem* chosen = command ? FindMenuItem(command) : nullptr;
    for (const TMenuItem* p = chosen ? chosen->parent_ : nullptr; p; p = p->parent_)
        if (p == this) return chosen;
    return nullptr;
}

// ---- messages

TMenuItem* FindMenuItem(UINT Command) {
    auto it = Commands().find(Command);
    return it == Commands().end() ? nullptr : it->second;
}

bool DispatchMenuMessage(TMenu* Menu, UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result) {
    auto find = [Menu](UINT command) { return Menu ? Menu->FindItem(command) : FindMenuItem(command); };
    switch (Msg) {
    case WM_COMMAND:
        // Menus send notification code 0 and no control window.
        if (HIWORD(WParam) == 0 && LParam == 0) {
            if (TMenuItem* item = find(LOWORD(WParam))) {
                item->Click();
                Result = 0;
                return true;
            }
        }
        return false;
    case WM_MEASUREITEM: {
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(LParam);
        if (!m || m->CtlType != ODT_MENU) return false;
        TMenuItem* item = find(m->itemID);
        if (!item) return false;
        HDC dc = GetDC(nullptr);
        int width = static_cast<int>(m->itemWidth), height = static_cast<int>(m->itemHeight);
        try {
            TBorrowedCanvas canvas(dc);
            item->MeasureItem(canvas.get(), width, height);
        } catch (...) {
            ReleaseDC(nullptr, dc);
            throw;
        }
        ReleaseDC(nullptr, dc);
        m->itemWidth = static_cast<UINT>(std::max(width, 0));
        m->itemHeight = static_cast<UINT>(std::max(height, 0));
        Result = TRUE;
        return true;
    }
    case WM_DRAWITEM: {
        auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(LParam);
        if (!d || d->CtlType != ODT_MENU) return false;
        TMenuItem* item = find(d->itemID);
        if (!item) return false;
        const int saved = SaveDC(d->hDC);
        try {
            TBorrowedCanvas canvas(d->hDC);
            const TRect r{d->rcItem.left, d->rcItem.top, d->rcItem.right, d->rcItem.bottom};
            item->DrawItem(canvas.get(), r, (d->itemState & ODS_SELECTED) != 0);
        } catch (...) {
            RestoreDC(d->hDC, saved);
            throw;
        }
        RestoreDC(d->hDC, saved);
        Result = TRUE;
        return true;
    }
    default: return false;
    }
}

// ---- published properties

namespace {

const std::vector<std::string> AutoFlagNames = {"maAutomatic", "maManual", "maParent"};

}  // namespace

const TClassInfo& TMenuItem::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TMenuItem, TComponent>("TMenuItem", [](auto& c) {
        c.String("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
        c.Bool("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked);
        c.Bool("Default", &TMenuItem::Default, &TMenuItem::SetDefault);
        c.Bool("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled);
        c.Int("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex);
        c.template Property<TShortCut>("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut);
        c.Bool("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible);
        c.Event("OnClick", &TMenuItem::OnClick);
        c.Event("OnDrawItem", &TMenuItem::OnDrawItem);
        c.Event("OnMeasureItem", &TMenuItem::OnMeasureItem);
    });
    return info;
}
const TClassInfo& TMenuItem::ClassInfo() const { return StaticClassInfo(); }

const TClassInfo& TMenu::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TMenu, TComponent>("TMenu", [](auto& c) {
        c.template Enum<TMenuAutoFlag>("AutoHotkeys", &TMenu::AutoHotkeys, &TMenu::SetAutoHotkeys, AutoFlagNames);
        c.Field("AutoLineReduction", &TMenu::AutoLineReduction);
        c.Bool("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw);
        c.Event("OnChange", &TMenu::OnChange);
    });
    return info;
}
const TClassInfo& TMenu::ClassInfo() const { return StaticClassInfo(); }

const TClassInfo& TMainMenu::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TMainMenu, TMenu>("TMainMenu", [](auto& c) {
        c.Field("AutoMerge", &TMainMenu::AutoMerge);
    });
    return info;
}
const TClassInfo& TMainMenu::ClassInfo() const { return StaticClassInfo(); }

const TClassInfo& TPopupMenu::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TPopupMenu, TMenu>("TPopupMenu", [](auto& c) {
        c.Field("AutoPopup", &TPopupMenu::AutoPopup);
        c.Event("OnPopup", &TPopupMenu::OnPopup);
    });
    return info;
}
const TClassInfo& TPopupMenu::ClassInfo() const { return StaticClassInfo(); }
