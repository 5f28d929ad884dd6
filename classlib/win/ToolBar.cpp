#include "ToolBar.h"

#include "Menus.h"
#include "NativeControl.h"

#include <algorithm>

namespace {
int NextCommandId() {
    static int next = 0x7000;
    return ++next;
}
}  // namespace

// ---- buttons

const TClassInfo& TToolButton::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TToolButton, TGraphicControl>("TToolButton", [](auto& c) {
        c.Bool("AllowAllUp", &TToolButton::AllowAllUp, &TToolButton::SetAllowAllUp);
        c.Bool("AutoSize", &TToolButton::ButtonAutoSize, &TToolButton::SetButtonAutoSize);
        c.Bool("Down", &TToolButton::Down, &TToolButton::SetDown);
        c.Bool("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped);
        c.Int("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex);
        c.template Reference<TMenuItem>("MenuItem", &TToolButton::MenuItem, &TToolButton::SetMenuItem);
        c.template Enum<TToolButtonStyle>("Style", &TToolButton::Style, &TToolButton::SetStyle,
                                          {"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider"});
    });
    return info;
}

void TToolButton::Init() {
    TGraphicControl::Init();
    ControlStyle = {csCaptureMouse, csSetCaption};
    SetBounds(0, 0, 23, 22);
    commandId_ = NextCommandId();
}

void TToolButton::BeforeDestruction() {
    if (toolBar_) toolBar_->RemoveButton(this);
    TGraphicControl::BeforeDestruction();
}

void TToolButton::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == menuItem_) menuItem_ = nullptr;
}

void TToolButton::SetParent(TWinControl* AParent) {
    if (AParent == Parent()) return;
    if (toolBar_) toolBar_->RemoveButton(this);
    TGraphicControl::SetParent(AParent);
    if (auto* bar = dynamic_cast<TToolBar*>(AParent)) bar->InsertButton(this);
}

int TToolButton::Index() const {
    if (!toolBar_) return -1;
    auto& b = toolBar_->buttons_;
    return static_cast<int>(std::find(b.begin(), b.end(), this) - b.begin());
}

void TToolButton::SetStyle(TToolButtonStyle Value) {
    if (Value == style_) return;
    style_ = Value;
    if (toolBar_) toolBar_->RecreateButtons();
}

void TToolButton::SetImageIndex(int Value) {
    if (Value == imageIndex_) return;
    imageIndex_ = Value;
    if (toolBar_ && toolBar_->HandleAllocated())
        SendMessageA(toolBar_->Handle(), TB_CHANGEBITMAP, static_cast<WPARAM>(commandId_), Value < 0 ? I_IMAGENONE : Value);
}

bool TToolButton::Down() const {
    if (toolBar_ && toolBar_->HandleAllocated())
        return SendMessageA(toolBar_->Handle(), TB_ISBUTTONCHECKED, static_cast<WPARAM>(commandId_), 0) != 0;
    return down_;
}

void TToolButton::SetDown(bool Value) {
    down_ = Value;
    if (toolBar_) toolBar_->UpdateButtonState(this);
}

void TToolButton::SetGrouped(bool Value) {
    if (Value == grouped_) return;
    grouped_ = Value;
    if (toolBar_) toolBar_->RecreateButtons();
}

void TToolButton::SetAllowAllUp(bool Value) { allowAllUp_ = Value; }

void TToolButton::SetButtonAutoSize(bool Value) {
    if (Value == autoSize_) return;
    autoSize_ = Value;
    if (toolBar_) toolBar_->RecreateButtons();
}

void TToolButton::SetMenuItem(TMenuItem* Value) {
    if (Value == menuItem_) return;
    menuItem_ = Value;
    if (Value) Value->FreeNotification(this);
}

void TToolButton::SetEnabled(bool Value) {
    TGraphicControl::SetEnabled(Value);
    if (toolBar_) toolBar_->UpdateButtonState(this);
}

void TToolButton::Click() {
    if (style_ == tbsCheck) down_ = Down();
    TGraphicControl::Click();
}

void TToolButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        // The native bar takes the mouse itself; the button stands aside.
        case CM_HITTEST: Message.Result = 0; return;
        case CM_TEXTCHANGED:
        case CM_VISIBLECHANGED:
            if (toolBar_) toolBar_->RecreateButtons();
            return;
        default: TGraphicControl::Dispatch(Message);
    }
}

// ---- tool bar

const TClassInfo& TToolBar::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TToolBar, TWinControl>("TToolBar", [](auto& c) {
        c.Int("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight);
        c.Int("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth);
        c.template Set<TEdgeBorder>("EdgeBorders", &TToolBar::EdgeBorders, &TToolBar::SetEdgeBorders,
                                    {"ebLeft", "ebTop", "ebRight", "ebBottom"});
        c.template Enum<TEdgeStyle>("EdgeInner", &TToolBar::EdgeInner, &TToolBar::SetEdgeInner, {"esNone", "esRaised", "esLowered"});
        c.template Enum<TEdgeStyle>("EdgeOuter", &TToolBar::EdgeOuter, &TToolBar::SetEdgeOuter, {"esNone", "esRaised", "esLowered"});
        c.Bool("Flat", &TToolBar::Flat, &TToolBar::SetFlat);
        c.template Reference<TImageList>("HotImages", &TToolBar::HotImages, &TToolBar::SetHotImages);
        c.template Reference<TImageList>("Images", &TToolBar::Images, &TToolBar::SetImages);
        c.Bool("List", &TToolBar::List, &TToolBar::SetList);
        c.Bool("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions);
        c.Bool("Transparent", &TToolBar::Transparent, &TToolBar::SetTransparent);
        c.Bool("Wrapable", &TToolBar::Wrapable, &TToolBar::SetWrapable);
        c.Event("OnCustomDraw", &TToolBar::OnCustomDraw);
        c.Event("OnCustomDrawButton", &TToolBar::OnCustomDrawButton);
    });
    return info;
}

TToolBar::TToolBar() = default;

void TToolBar::Init() {
    TWinControl::Init();
    ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks};
    SetBounds(0, 0, 150, 29);
    SetAlign(alTop);
    SetParentColor(false);
    SetColor(clBtnFace);
    InitCommonControlsOnce();
}

TToolButton* TToolBar::Buttons(int Index) const {
    if (Index < 0 || Index >= ButtonCount()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return buttons_[static_cast<size_t>(Index)];
}

TToolButton* TToolBar::FindButton(int CommandId) const {
    for (TToolButton* b : buttons_)
        if (b->commandId_ == CommandId) return b;
    return nullptr;
}

void TToolBar::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == images_) SetImages(nullptr);
    if (AComponent == hotImages_) SetHotImages(nullptr);
}

void TToolBar::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, TOOLBARCLASSNAMEA);
    Params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | WS_CLIPCHILDREN;
    if (flat_) Params.Style |= TBSTYLE_FLAT;
    if (list_) Params.Style |= TBSTYLE_LIST;
    if (wrapable_) Params.Style |= TBSTYLE_WRAPABLE;
    if (transparent_) Params.Style |= TBSTYLE_TRANSPARENT;
}

void TToolBar::CreateWnd() {
    TWinControl::CreateWnd();
    HWND h = Handle();
    SendMessageA(h, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    // Drop-down buttons show their arrow apart from the face.
    SendMessageA(h, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    SendNativeFont(this);
    RecreateButtons();
}

void TToolBar::ApplyImages() {
    if (!HandleAllocated()) return;
    HWND h = Handle();
    SendMessageA(h, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
    SendMessageA(h, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(hotImages_ ? hotImages_->Handle() : nullptr));
    if (images_) SendMessageA(h, TB_SETBITMAPSIZE, 0, MAKELONG(images_->Width(), images_->Height()));
    else SendMessageA(h, TB_SETBITMAPSIZE, 0, MAKELONG(0, 0));
}

void TToolBar::InsertButton(TToolButton* Button) {
    auto at = buttons_.end();
    if (!Button->ComponentState().Contains(csLoading))
        at = std::find_if(buttons_.begin(), buttons_.end(), [&](TToolButton* b) { return b->Left() >= Button->Left(); });
    buttons_.insert(at, Button);
    Button->toolBar_ = this;
    RecreateButtons();
}

void TToolBar::RemoveButton(TToolButton* Button) {
    auto it = std::find(buttons_.begin(), buttons_.end(), Button);
    if (it == buttons_.end()) return;
    buttons_.erase(it);
    Button->toolBar_ = nullptr;
    if (!ComponentState().Contains(csDestroying)) RecreateButtons();
}

void TToolBar::RecreateButtons() {
    if (!HandleAllocated()) return;
    HWND h = Handle();
    ApplyImages();
    SendMessageA(h, WM_SETREDRAW, FALSE, 0);
    while (SendMessageA(h, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageA(h, TB_DELETEBUTTON, 0, 0);
    SendMessageA(h, TB_SETMAXTEXTROWS, showCaptions_ ? 1 : 0, 0);
    std::vector<std::string> captions;
    captions.reserve(buttons_.size());
    for (TToolButton* b : buttons_) {
        captions.push_back(b->Caption());
        TBBUTTON tb{};
        tb.idCommand = b->commandId_;
        tb.iBitmap = images_ && b->imageIndex_ >= 0 ? b->imageIndex_ : I_IMAGENONE;
        tb.fsState = static_cast<BYTE>((b->Enabled() ? TBSTATE_ENABLED : 0) | (b->down_ ? TBSTATE_CHECKED : 0) |
                                       (b->Visible() ? 0 : TBSTATE_HIDDEN));
        BYTE style = BTNS_BUTTON;
        switch (b->style_) {
            case tbsCheck: style = BTNS_CHECK | (b->grouped_ ? BTNS_GROUP : 0); break;
            case tbsDropDown: style = BTNS_DROPDOWN; break;
            case tbsSeparator:
            case tbsDivider:
                style = BTNS_SEP;
                tb.iBitmap = b->Width() > 0 ? b->Width() : 8;
                break;
            default: break;
        }
        if (b->autoSize_) style |= BTNS_AUTOSIZE;
        tb.fsStyle = style;
        tb.iString = showCaptions_ && b->style_ != tbsSeparator && b->style_ != tbsDivider
                         ? reinterpret_cast<INT_PTR>(captions.back().c_str())
                         : -1;
        SendMessageA(h, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&tb));
    }
    if (!showCaptions_) SendMessageA(h, TB_SETBUTTONSIZE, 0, MAKELONG(buttonWidth_, buttonHeight_));
    SendMessageA(h, WM_SETREDRAW, TRUE, 0);
    UpdateButtonBounds();
    AdjustSize();
    Invalidate();
}

void TToolBar::UpdateButtonState(TToolButton* Button) {
    if (!HandleAllocated()) return;
    HWND h = Handle();
    SendMessageA(h, TB_ENABLEBUTTON, static_cast<WPARAM>(Button->commandId_), Button->Enabled());
    SendMessageA(h, TB_CHECKBUTTON, static_cast<WPARAM>(Button->commandId_), Button->down_);
}

void TToolBar::UpdateButtonBounds() {
    if (!HandleAllocated() || updatingBounds_) return;
    updatingBounds_ = true;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        RECT r{};
        if (SendMessageA(Handle(), TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r)))
            buttons_[i]->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    updatingBounds_ = false;
}

bool TToolBar::CanAutoSize(int& NewWidth, int& NewHeight) {
    (void)NewWidth;
    if (!HandleAllocated()) return false;
    int bottom = 0;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        RECT r{};
        if (buttons_[i]->Visible() && SendMessageA(Handle(), TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r)))
            bottom = std::max(bottom, static_cast<int>(r.bottom));
    }
    if (bottom == 0) return false;
    NewHeight = bottom + 2 + (Height() - ClientHeight());
    return true;
}

bool TToolBar::CheckMenuDropdown(TToolButton* Button) {
    TMenuItem* item = Button->MenuItem();
    if (!item || !item->HasVisibleItems() || !HandleAllocated()) return false;
    RECT r{};
    if (!SendMessageA(Handle(), TB_GETITEMRECT, static_cast<WPARAM>(Button->Index()), reinterpret_cast<LPARAM>(&r))) return false;
    MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    // The button stays down while its menu is open.
    const WPARAM command = static_cast<WPARAM>(Button->CommandId());
    SendMessageA(Handle(), TB_PRESSBUTTON, command, TRUE);
    TMenuItem* chosen = nullptr;
    try {
        chosen = item->PopupSubItems(r.left, r.bottom, Rect(r.left, r.top, r.right, r.bottom));
    } catch (...) {
        SendMessageA(Handle(), TB_PRESSBUTTON, command, FALSE);
        throw;
    }
    SendMessageA(Handle(), TB_PRESSBUTTON, command, FALSE);
    // Last, as the item's handler may free the bar.
    if (chosen) chosen->Click();
    return true;
}

void TToolBar::SetFlat(bool Value) {
    if (Value == flat_) return;
    flat_ = Value;
    RecreateWnd();
}
void TToolBar::SetList(bool Value) {
    if (Value == list_) return;
    list_ = Value;
    RecreateWnd();
}
void TToolBar::SetShowCaptions(bool Value) {
    if (Value == showCaptions_) return;
    showCaptions_ = Value;
    RecreateButtons();
}
void TToolBar::SetWrapable(bool Value) {
    if (Value == wrapable_) return;
    wrapable_ = Value;
    RecreateWnd();
}
void TToolBar::SetTransparent(bool Value) {
    if (Value == transparent_) return;
    transparent_ = Value;
    RecreateWnd();
}
void TToolBar::SetButtonWidth(int Value) {
    buttonWidth_ = Value;
    RecreateButtons();
}
void TToolBar::SetButtonHeight(int Value) {
    buttonHeight_ = Value;
    RecreateButtons();
}
void TToolBar::SetImages(TImageList* Value) {
    if (Value == images_) return;
    images_ = Value;
    if (Value) Value->FreeNotification(this);
    RecreateButtons();
}
void TToolBar::SetHotImages(TImageList* Value) {
    if (Value == hotImages_) return;
    hotImages_ = Value;
    if (Value) Value->FreeNotification(this);
    ApplyImages();
    Invalidate();
}
void TToolBar::SetEdgeBorders(TEdgeBorders Value) {
    edgeBorders_ = Value;
    Invalidate();
}
void TToolBar::SetEdgeInner(TEdgeStyle Value) {
    edgeInner_ = Value;
    Invalidate();
}
void TToolBar::SetEdgeOuter(TEdgeStyle Value) {
    edgeOuter_ = Value;
    Invalidate();
}

LRESULT TToolBar::CustomDraw(NMTBCUSTOMDRAW* Draw) {
    NMCUSTOMDRAW& cd = Draw->nmcd;
    bool defaultDraw = true;
    if (cd.dwDrawStage == CDDS_PREPAINT) {
        LRESULT result = OnCustomDrawButton ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
        if (OnCustomDraw) {
            canvas_.SetHandle(cd.hdc);
            try {
                OnCustomDraw(this, ClientRect(), defaultDraw);
            } catch (...) {
                canvas_.SetHandle(nullptr);
                throw;
            }
            canvas_.SetHandle(nullptr);
            if (!defaultDraw) result |= CDRF_SKIPDEFAULT;
        }
        return result;
    }
    if (cd.dwDrawStage == CDDS_ITEMPREPAINT && OnCustomDrawButton) {
        TToolButton* button = FindButton(static_cast<int>(cd.dwItemSpec));
        if (!button) return CDRF_DODEFAULT;
        TCustomDrawState state;
        if (cd.uItemState & CDIS_HOT) state.Include(cdsHot);
        if (cd.uItemState & CDIS_SELECTED) state.Include(cdsSelected);
        if (cd.uItemState & CDIS_CHECKED) state.Include(cdsChecked);
        if (cd.uItemState & CDIS_DISABLED) state.Include(cdsDisabled);
        if (cd.uItemState & CDIS_FOCUS) state.Include(cdsFocused);
        canvas_.SetHandle(cd.hdc);
        try {
            OnCustomDrawButton(this, button, state, defaultDraw);
        } catch (...) {
            canvas_.SetHandle(nullptr);
            throw;
        }
        canvas_.SetHandle(nullptr);
        return defaultDraw ? CDRF_DODEFAULT : CDRF_SKIPDEFAULT;
    }
    return CDRF_DODEFAULT;
}

void TToolBar::Dispatch(TMessage& Message) {
    if (DispatchNativeMessage(this, Message, TNativeColors::None)) return;
    switch (Message.Msg) {
        case WM_ERASEBKGND:
            // A transparent bar lets the native control show its parent
            // through; any other shows its Color. Left to the native control
            // an opaque bar shows its parent too (Wine), or nothing at all
            // when the parent erases nothing.
            if (transparent_)
                DefaultHandler(Message);
            else
                TWinControl::Dispatch(Message);
            return;
        case CN_COMMAND:
            if (TToolButton* b = FindButton(LOWORD(Message.WParam))) {
                if (!(b->menuItem_ && CheckMenuDropdown(b))) b->Click();
            }
            return;
        case CN_NOTIFY: {
            auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
            if (hdr->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
                Message.Result = CustomDraw(reinterpret_cast<NMTBCUSTOMDRAW*>(Message.LParam));
                return;
            }
            if (hdr->code == static_cast<UINT>(TBN_DROPDOWN)) {
                auto* info = reinterpret_cast<NMTOOLBARA*>(Message.LParam);
                if (TToolButton* b = FindButton(info->iItem)) CheckMenuDropdown(b);
                Message.Result = TBDDRET_DEFAULT;
                return;
            }
            return;
        }
        case WM_SIZE:
            TWinControl::Dispatch(Message);
            UpdateButtonBounds();
            return;
        case CM_FONTCHANGED:
            TWinControl::Dispatch(Message);
            RecreateButtons();
            return;
        default: break;
    }
    TWinControl::Dispatch(Message);
}
