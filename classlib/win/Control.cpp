#include "Menus.h"
#include "Control.h"

#include "Action.h"
#include "Application.h"
#include "Form.h"
#include "Hints.h"
#include "WinControl.h"

#include <algorithm>

namespace {
TControl* gMouseControl = nullptr;
}  // namespace

TControl* CurrentMouseControl() { return gMouseControl; }

void SetMouseControl(TControl* Control) {
    if (Control == gMouseControl) return;
    TControl* old = gMouseControl;
    gMouseControl = Control;
    if (old) old->Perform(CM_MOUSELEAVE);
    if (Control && gMouseControl == Control) Control->Perform(CM_MOUSEENTER);
    HintMouseControlChanged(gMouseControl);
}

TShiftState MouseShiftState(WPARAM Keys) {
    TShiftState s;
    if (Keys & MK_SHIFT) s.Include(ssShift);
    if (Keys & MK_CONTROL) s.Include(ssCtrl);
    if (Keys & MK_LBUTTON) s.Include(ssLeft);
    if (Keys & MK_RBUTTON) s.Include(ssRight);
    if (Keys & MK_MBUTTON) s.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    return s;
}

TShiftState KeyboardShiftState() {
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    return s;
}

namespace {
const std::vector<std::string> kAlignNames{"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"};
const std::vector<std::string> kAnchorNames{"akLeft", "akTop", "akRight", "akBottom"};

const TIdentTable& CursorIdents() {
    static const TIdentTable table = {
        {"crDefault", crDefault},     {"crNone", crNone},         {"crArrow", crArrow},
        {"crCross", crCross},         {"crIBeam", crIBeam},       {"crSizeNESW", crSizeNESW},
        {"crSizeNS", crSizeNS},       {"crSizeNWSE", crSizeNWSE}, {"crSizeWE", crSizeWE},
        {"crUpArrow", crUpArrow},     {"crHourGlass", crHourGlass}, {"crNo", crNo},
        {"crAppStart", crAppStart},   {"crHelp", crHelp},         {"crHandPoint", crHandPoint},
        {"crSizeAll", crSizeAll},
    };
    return table;
}

// Font properties by name; the graphics classes stay free of the tables.
const TClassInfo& FontClassInfo() {
    static const TClassInfo info = DescribeClass<TFont, void>("TFont", [](auto& c) {
        c.template Property<int>("Charset", &TFont::Charset, &TFont::SetCharset);
        c.template Color<TColor>("Color", &TFont::Color, &TFont::SetColor);
        c.Int("Height", &TFont::Height, &TFont::SetHeight);
        c.String("Name", &TFont::Name, &TFont::SetName);
        c.Int("Size", &TFont::Size, &TFont::SetSize);
        c.template Set<TFontStyle>(
            "Style", [](TFont* f) { return TSet<TFontStyle>::FromBits(f->Style().Bits()); },
            [](TFont* f, TSet<TFontStyle> s) { f->SetStyle(TFontStyles::FromBits(static_cast<uint8_t>(s.Bits()))); },
            {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
    });
    return info;
}
}  // namespace

const TClassInfo& TControl::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TControl, TComponent>("TControl", [](auto& c) {
        c.Int("Left", &TControl::Left, &TControl::SetLeft);
        c.Int("Top", &TControl::Top, &TControl::SetTop);
        c.Int("Width", &TControl::Width, &TControl::SetWidth);
        c.Int("Height", &TControl::Height, &TControl::SetHeight);
        c.template IdentInt<TCursor>("Cursor", &TControl::Cursor, &TControl::SetCursor, CursorIdents());
        c.Field("Hint", &TControl::Hint);
        c.template Enum<TAlign>("Align", &TControl::Align, &TControl::SetAlign, kAlignNames);
        c.template Set<TAnchorKind>("Anchors", &TControl::Anchors, &TControl::SetAnchors, kAnchorNames);
        c.Bool("AutoSize", &TControl::AutoSize, &TControl::SetAutoSize);
        c.String("Caption", &TControl::Caption, &TControl::SetCaption);
        c.template Color<TColor>("Color", &TControl::Color, &TControl::SetColor);
        c.Object("Constraints", &TControl::Constraints);
        c.Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled);
        c.Object("Font", &TControl::Font, &FontClassInfo);
        c.template Reference<TComponent>("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
        c.Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor);
        c.Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont);
        c.Field("ShowHint", &TControl::ShowHint);
        c.Field("ParentShowHint", &TControl::ParentShowHint);
        c.Bool("Visible", &TControl::Visible, &TControl::SetVisible);
        c.Event("OnClick", &TControl::OnClick);
        c.Event("OnDblClick", &TControl::OnDblClick);
        c.Event("OnMouseDown", &TControl::OnMouseDown);
        c.Event("OnMouseMove", &TControl::OnMouseMove);
        c.Event("OnMouseUp", &TControl::OnMouseUp);
        c.Event("OnResize", &TControl::OnResize);
    });
    return info;
}

TControl::TControl() {
    WindowProc = TWndMethod::Bind<&TControl::WndProc>(this);
    ControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    font_.OnChange = TNotifyEvent::Bind<&TControl::FontChanged>(this);
    constraints_.OnChange = TNotifyEvent::Bind<&TControl::ConstraintsChanged>(this);
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
    TMessage m{Msg, WParam, LParam, 0};
    WindowProc(m);
    return m.Result;
}

void TControl::MainWndProc(TMessage& Message) {
    try {
        WindowProc(Message);
    } catch (...) {
        Application->HandleException(this);
    }
}

void TControl::WndProc(TMessage& Message) { Dispatch(Message); }

void TControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_LBUTTONDOWN: HandleMouseButton(Message, mbLeft, true, false); return;
        case WM_RBUTTONDOWN: HandleMouseButton(Message, mbRight, true, false); return;
        case WM_MBUTTONDOWN: HandleMouseButton(Message, mbMiddle, true, false); return;
        case WM_LBUTTONDBLCLK: HandleMouseButton(Message, mbLeft, true, true); return;
        case WM_RBUTTONDBLCLK: HandleMouseButton(Message, mbRight, true, true); return;
        case WM_MBUTTONDBLCLK: HandleMouseButton(Message, mbMiddle, true, true); return;
        case WM_LBUTTONUP: HandleMouseButton(Message, mbLeft, false, false); return;
        case WM_RBUTTONUP: HandleMouseButton(Message, mbRight, false, false); return;
        case WM_MBUTTONUP: HandleMouseButton(Message, mbMiddle, false, false); return;
        case WM_MOUSEMOVE: {
            DefaultHandler(Message);
            const POINT p = MessagePoint(Message.LParam);
            MouseMove(MouseShiftState(Message.WParam), p.x, p.y);
            return;
        }
        case CM_PARENTFONTCHANGED:
            if (parentFont_) TakeParentFont();
            return;
        case CM_PARENTCOLORCHANGED:
            if (parentColor_) TakeParentColor();
            return;
        case CM_HITTEST: Message.Result = HTCLIENT; return;
        default: DefaultHandler(Message);
    }
}

void TControl::DefaultHandler(TMessage& Message) {
    if (Message.Msg == WM_GETTEXTLENGTH) Message.Result = static_cast<LRESULT>(text_.size());
}

void TControl::HandleMouseButton(TMessage& Message, TMouseButton Button, bool Down, bool Double) {
    DefaultHandler(Message);
    const POINT p = MessagePoint(Message.LParam);
    TShiftState shift = MouseShiftState(Message.WParam);
    if (Down) {
        if (Double && !ControlStyle.Contains(csDoubleClicks)) Double = false;
        if (ControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
        if (Button == mbLeft && ControlStyle.Contains(csClickEvents)) ControlState.Include(csClicked);
        if (Double) {
            shift.Include(ssDouble);
            DblClick();
        }
        MouseDown(Button, shift, p.x, p.y);
        return;
    }
    if (ControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
    const bool clicked = Button == mbLeft && ControlState.Contains(csClicked);
    if (Button == mbLeft) ControlState.Exclude(csClicked);
    MouseUp(Button, shift, p.x, p.y);
    if (Button == mbRight && ClientRect().Contains(TPoint{p.x, p.y})) {
        if (auto* menu = dynamic_cast<TPopupMenu*>(popupMenu_); menu && menu->AutoPopup) {
            const TPoint at = ClientToScreen(TPoint{p.x, p.y});
            menu->PopupComponent = this;
            menu->Popup(at.X, at.Y);
            return;
        }
    }
    // A click only for a release inside; the handler may free this control, so it comes last.
    if (clicked && ClientRect().Contains(TPoint{p.x, p.y})) Click();
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) { OnMouseDown(this, Button, Shift, X, Y); }
void TControl::MouseMove(TShiftState Shift, int X, int Y) { OnMouseMove(this, Shift, X, Y); }
void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) { OnMouseUp(this, Button, Shift, X, Y); }
void TControl::Click() {
    if (OnClick)
        OnClick(this);
    else if (action_)
        action_->Execute();
}

bool TControl::HintsShown() const {
    if (ShowHint) return true;
    return ParentShowHint && parent_ && parent_->HintsShown();
}

void TControl::SetAction(TCustomAction* Value) {
    if (Value == action_) return;
    if (action_) {
        action_->UnRegisterClient(this);
        action_->RemoveFreeNotification(this);
    }
    action_ = Value;
    if (!Value) return;
    Value->FreeNotification(this);
    Value->RegisterClient(this);
    ActionChange(Value, ComponentState().Contains(csLoading));
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults) {
    auto* action = dynamic_cast<TCustomAction*>(Sender);
    if (!action) return;
    if (!CheckDefaults || Caption().empty()) SetCaption(action->Caption());
}

void TControl::Loaded() {
    TComponent::Loaded();
    AdjustSize();
    RequestAlign();
}

void TControl::SetParentComponent(TComponent* Value) {
    if (auto* parent = dynamic_cast<TWinControl*>(Value)) SetParent(parent);
}
void TControl::DblClick() { OnDblClick(this); }
void TControl::Resize() { OnResize(this); }

bool TControl::MouseInControl() const { return gMouseControl == this; }

bool TControl::MouseCapture() const {
    if (auto* w = dynamic_cast<const TWinControl*>(this)) return w->HandleAllocated() && GetCapture() == w->handle_;
    return parent_ && parent_->captureChild_ == this && parent_->HandleAllocated() && GetCapture() == parent_->handle_;
}

void TControl::SetMouseCapture(bool Value) {
    if (auto* w = dynamic_cast<TWinControl*>(this)) {
        if (Value)
            SetCapture(w->Handle());
        else if (w->HandleAllocated() && GetCapture() == w->handle_)
            ReleaseCapture();
        return;
    }
    if (!parent_) return;
    if (Value) {
        parent_->captureChild_ = this;
        SetCapture(parent_->Handle());
    } else if (parent_->captureChild_ == this) {
        parent_->captureChild_ = nullptr;
        if (parent_->HandleAllocated() && GetCapture() == parent_->handle_) ReleaseCapture();
    }
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    constraints_.Apply(AWidth, AHeight);
    if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_) return;
    if (parent_ && visible_) Invalidate();
    left_ = ALeft;
    top_ = ATop;
    width_ = AWidth;
    height_ = AHeight;
    if (parent_ && visible_) Invalidate();
    RequestAlign();
    if (!ComponentState().Contains(csLoading)) Resize();
}

void TControl::SetClientWidth(int Value) { SetWidth(width_ - ClientWidth() + Value); }
void TControl::SetClientHeight(int Value) { SetHeight(height_ - ClientHeight() + Value); }

TPoint TControl::ClientOrigin() const {
    if (!parent_) return TPoint{left_, top_};
    TPoint p = parent_->ClientOrigin();
    return TPoint{p.X + left_, p.Y + top_};
}

TPoint TControl::ClientToScreen(TPoint P) const {
    const TPoint o = ClientOrigin();
    return TPoint{P.X + o.X, P.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint P) const {
    const TPoint o = ClientOrigin();
    return TPoint{P.X - o.X, P.Y - o.Y};
}

void TControl::SetParent(TWinControl* AParent) {
    if (AParent == parent_) return;
    if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
    if (parent_) parent_->RemoveControl(this);
    if (AParent) AParent->InsertControl(this);
}

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetVisible(bool Value) {
    if (Value == visible_) return;
    if (!Value && parent_) Invalidate();
    visible_ = Value;
    Perform(CM_VISIBLECHANGED, Value ? 1 : 0);
    if (Value && parent_) Invalidate();
    RequestAlign();
}

void TControl::SetEnabled(bool Value) {
    if (Value == enabled_) return;
    enabled_ = Value;
    Perform(CM_ENABLEDCHANGED);
    Invalidate();
}

void TControl::SetAlign(TAlign Value) {
    if (Value == align_) return;
    align_ = Value;
    anchors_ = {akLeft, akTop};
    RequestAlign();
}

void TControl::SetColor(TColor Value) {
    if (Value == color_ && !parentColor_) return;
    color_ = Value;
    parentColor_ = false;
    Perform(CM_COLORCHANGED);
    Invalidate();
}

void TControl::SetParentColor(bool Value) {
    if (Value == parentColor_) return;
    parentColor_ = Value;
    if (Value) TakeParentColor();
}

void TControl::TakeParentColor() {
    if (!parent_) return;
    SetColor(parent_->Color());
    parentColor_ = true;
}

void TControl::SetParentFont(bool Value) {
    if (Value == parentFont_) return;
    parentFont_ = Value;
    if (Value) TakeParentFont();
}

void TControl::TakeParentFont() {
    if (!parent_) return;
    takingParentFont_ = true;
    try {
        font_.Assign(parent_->Font());
    } catch (...) {
        takingParentFont_ = false;
        throw;
    }
    takingParentFont_ = false;
}

void TControl::FontChanged(TObject*) {
    if (!takingParentFont_) parentFont_ = false;
    Perform(CM_FONTCHANGED);
    AdjustSize();
    Invalidate();
}

void TControl::ConstraintsChanged(TObject*) { SetBounds(left_, top_, width_, height_); }

void TControl::SetCursor(TCursor Value) {
    if (Value == cursor_) return;
    cursor_ = Value;
    Perform(CM_CURSORCHANGED);
}

void TControl::SetPopupMenu(TComponent* Value) {
    popupMenu_ = Value;
    if (Value) FreeNotification(Value);
}

void TControl::SetText(const std::string& Value) {
    if (Value == GetText()) return;
    SetTextBuf(Value);
    Perform(CM_TEXTCHANGED);
    AdjustSize();
    Invalidate();
}

void TControl::SetAutoSize(bool Value) {
    if (Value == autoSize_) return;
    autoSize_ = Value;
    AdjustSize();
}

bool TControl::CanAutoSize(int&, int&) { return false; }

void TControl::AdjustSize() {
    if (!autoSize_ || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
    int w = width_, h = height_;
    if (CanAutoSize(w, h)) SetBounds(left_, top_, w, h);
}

void TControl::RequestAlign() {
    if (parent_) parent_->AlignChildren(this);
}

void TControl::BringToFront() {
    if (!parent_) return;
    auto& list = parent_->controls_;
    list.erase(std::find(list.begin(), list.end(), this));
    list.push_back(this);
    if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated())
        SetWindowPos(w->handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Invalidate();
}

void TControl::SendToBack() {
    if (!parent_) return;
    auto& list = parent_->controls_;
    list.erase(std::find(list.begin(), list.end(), this));
    list.insert(list.begin(), this);
    if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated())
        SetWindowPos(w->handle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Invalidate();
}

void TControl::Invalidate() {
    if (!parent_ || !parent_->HandleAllocated()) return;
    const TRect r = BoundsRect();
    InvalidateRect(parent_->handle_, reinterpret_cast<const RECT*>(&r), !ControlStyle.Contains(csOpaque));
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::Update() {
    if (parent_) parent_->Update();
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent && popupMenu_ == AComponent)
        popupMenu_ = nullptr;
    if (Operation == opRemove && AComponent && AComponent == action_) action_ = nullptr;
}

void TControl::BeforeDestruction() {
    if (gMouseControl == this) {
        gMouseControl = nullptr;
        HintMouseControlChanged(nullptr);
    }
    if (action_) action_->UnRegisterClient(this);
    if (parent_ && parent_->captureChild_ == this) parent_->captureChild_ = nullptr;
    TComponent::BeforeDestruction();
}

void TControl::DestroyOwned() {
    SetParent(nullptr);
    TComponent::DestroyOwned();
}
