#include "Form.h"

#include "FormResource.h"
#include "Menus.h"

#include "Application.h"
#include "Screen.h"

#include <algorithm>

namespace {
const std::vector<std::string> kBorderStyleNames{"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"};
const std::vector<std::string> kPositionNames{"poDesigned",     "poDefault",       "poDefaultPosOnly", "poDefaultSizeOnly",
                                              "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"};
const char* const kCannotFocus = "Cannot focus a disabled or invisible window";
}  // namespace

TCustomForm* GetParentForm(const TControl* Control) {
    if (!Control) return nullptr;
    const TControl* top = Control;
    while (top->Parent()) top = top->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(top));
}

const TClassInfo& TCustomForm::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TCustomForm, TWinControl>("TCustomForm", [](auto& c) {
        c.template Enum<TFormBorderStyle>("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle, kBorderStyleNames);
        c.template Set<TBorderIcon>("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons,
                                    {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"});
        c.Int("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight);
        c.Int("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth);
        c.template Enum<TFormStyle>("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle,
                                    {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"});
        c.Object("Icon", &TCustomForm::Icon);
        c.Field("KeyPreview", &TCustomForm::KeyPreview);
        c.template Enum<TPosition>("Position", &TCustomForm::Position, &TCustomForm::SetPosition, kPositionNames);
        c.Field("Scaled", &TCustomForm::Scaled);
        c.Field("AutoScroll", &TCustomForm::AutoScroll);
        c.template Enum<TWindowState>("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState,
                                      {"wsNormal", "wsMinimized", "wsMaximized"});
        c.template Reference<TWinControl>("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl);
        c.template Reference<TMainMenu>("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu);
        c.Event("OnActivate", &TCustomForm::OnActivate);
        c.Event("OnClose", &TCustomForm::OnClose);
        c.Event("OnCloseQuery", &TCustomForm::OnCloseQuery);
        c.Event("OnCreate", &TCustomForm::OnCreate);
        c.Event("OnDeactivate", &TCustomForm::OnDeactivate);
        c.Event("OnDestroy", &TCustomForm::OnDestroy);
        c.Event("OnHide", &TCustomForm::OnHide);
        c.Event("OnPaint", &TCustomForm::OnPaint);
        c.Event("OnShow", &TCustomForm::OnShow);
    });
    return info;
}

const TClassInfo& TForm::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TForm, TCustomForm>("TForm", [](auto&) {});
    return info;
}

const TClassInfo& TCustomFrame::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TCustomFrame, TWinControl>("TCustomFrame", [](auto&) {});
    return info;
}

TCustomForm::TCustomForm() : canvas_(this) {
    InitVisible(false);
    icon_.OnChange = TNotifyEvent::Bind<&TCustomForm::IconChanged>(this);
    ClientWindowProc = TWndMethod::Bind<&TCustomForm::DefaultClientHandler>(this);
    ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    left_ = 0;
    top_ = 0;
    width_ = 320;
    height_ = 240;
}

void TCustomForm::Init() {
    TWinControl::Init();
    SetParentFont(false);
    SetColor(clBtnFace);
    Screen->AddForm(this);
    // A form class with a stored description reads it while being created;
    // OnCreate then fires from AfterConstruction, once every Init has run.
    if (HasFormResource(ClassName())) ReadFormResource(this, TOnCreate::Leave);
}

void TCustomForm::AfterConstruction() {
    TWinControl::AfterConstruction();
    OnCreate(this);
}

void TCustomForm::BeforeDestruction() {
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
    OnDestroy(this);
    Screen->RemoveForm(this);
    canvas_.FreeHandle();
    TWinControl::BeforeDestruction();
}

void TCustomForm::StyleBits(DWORD& Style, DWORD& ExStyle) const {
    Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    ExStyle = 0;
    switch (borderStyle_) {
        case bsNone: Style |= WS_POPUP; break;
        case bsSingle:
        case bsToolWindow: Style |= WS_CAPTION | WS_BORDER; break;
        case bsSizeable:
        case bsSizeToolWin: Style |= WS_CAPTION | WS_THICKFRAME; break;
        case bsDialog:
            Style |= WS_POPUP | WS_CAPTION;
            ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
            break;
    }
    if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin) ExStyle |= WS_EX_TOOLWINDOW;
    if (borderStyle_ != bsNone && borderIcons_.Contains(biSystemMenu)) {
        Style |= WS_SYSMENU;
        if (borderStyle_ != bsDialog && borderStyle_ != bsToolWindow && borderStyle_ != bsSizeToolWin) {
            if (borderIcons_.Contains(biMinimize)) Style |= WS_MINIMIZEBOX;
            if (borderIcons_.Contains(biMaximize)) Style |= WS_MAXIMIZEBOX;
        }
    }
    if (formStyle_ == fsStayOnTop) ExStyle |= WS_EX_TOPMOST;
    if (formStyle_ == fsMDIChild) {
        Style = (Style & ~static_cast<DWORD>(WS_POPUP)) | WS_CHILD;
        ExStyle |= WS_EX_MDICHILD;
    }
    if (!Enabled()) Style |= WS_DISABLED;
}

void TCustomForm::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    StyleBits(Params.Style, Params.ExStyle);
    Params.WndParent = ParentWindow();
    if (position_ == poDefault || position_ == poDefaultPosOnly) Params.X = Params.Y = CW_USEDEFAULT;
    Params.WindowClass.style = CS_DBLCLKS;
    Params.WindowClass.hIcon = Application->Icon()->Handle();
    if (formStyle_ == fsMDIChild) {
        TCustomForm* main = Application->MainForm();
        if (!main || main->FormStyle() != fsMDIForm || !main->HandleAllocated())
            throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
        Params.WndParent = main->ClientHandle();
    }
}

void TCustomForm::CreateWnd() {
    TWinControl::CreateWnd();
    if (formStyle_ == fsMDIForm) CreateClientWindow();
    if (menu_) AttachMenu();
    if (!icon_.Empty()) IconChanged(nullptr);
}

TRect TCustomForm::ClientRect() const {
    if (HandleAllocated()) return TWinControl::ClientRect();
    DWORD style, ex;
    StyleBits(style, ex);
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, style, FALSE, ex);
    const int w = width_ - (r.right - r.left) - 2 * BorderWidth();
    const int h = height_ - (r.bottom - r.top) - 2 * BorderWidth();
    return Rect(0, 0, std::max(w, 0), std::max(h, 0));
}

void TCustomForm::StylesChanged() {
    if (!HandleAllocated()) return;
    RecreateWnd();
    if (Visible()) ShowWindow(handle_, SW_SHOW);
    Perform(CM_STYLECHANGED);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
    if (Value == borderStyle_) return;
    borderStyle_ = Value;
    StylesChanged();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
    if (Value == borderIcons_) return;
    borderIcons_ = Value;
    StylesChanged();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
    if (Value == formStyle_) return;
    formStyle_ = Value;
    if (HandleAllocated()) {
        SetWindowPos(handle_, Value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        Perform(CM_STYLECHANGED);
    }
}

void TCustomForm::SetWindowState(TWindowState Value) {
    windowState_ = Value;
    if (HandleAllocated() && Visible())
        ShowWindow(handle_, Value == wsMaximized ? SW_SHOWMAXIMIZED : Value == wsMinimized ? SW_MINIMIZE : SW_RESTORE);
}

void TCustomForm::IconChanged(TObject*) {
    if (!HandleAllocated()) return;
    const LPARAM icon = reinterpret_cast<LPARAM>(icon_.Handle());
    SendMessageA(handle_, WM_SETICON, ICON_BIG, icon);
    SendMessageA(handle_, WM_SETICON, ICON_SMALL, icon);
}

void TCustomForm::PlaceOnFirstShow() {
    if (placed_) return;
    placed_ = true;
    TCustomForm* over = nullptr;
    if (position_ == poMainFormCenter) over = Application->MainForm();
    if (position_ == poOwnerFormCenter) over = dynamic_cast<TCustomForm*>(Owner());
    if (over == this || (over && !over->Visible())) over = nullptr;
    if (position_ == poScreenCenter || position_ == poDesktopCenter || ((position_ == poMainFormCenter || position_ == poOwnerFormCenter) && !over)) {
        SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(), Height());
    } else if (over) {
        SetBounds(over->Left() + (over->Width() - Width()) / 2, over->Top() + (over->Height() - Height()) / 2, Width(), Height());
    }
}

void TCustomForm::SetVisible(bool Value) {
    if (Value == Visible()) return;
    if (Value) {
        HandleNeeded();
        PlaceOnFirstShow();
        DoShow();
        TControl::SetVisible(true);
        const int cmd = windowState_ == wsMaximized ? SW_SHOWMAXIMIZED : windowState_ == wsMinimized ? SW_SHOWMINIMIZED : SW_SHOW;
        ShowWindow(Handle(), cmd);
        if (formStyle_ == fsStayOnTop) SetWindowPos(handle_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(handle_);
        SetWindowFocus();
    } else {
        DoHide();
        TControl::SetVisible(false);
        if (HandleAllocated()) ShowWindow(handle_, SW_HIDE);
    }
}

void TCustomForm::SetWindowFocus() {
    if (!HandleAllocated() || !Visible()) return;
    TWinControl* target = activeControl_;
    if (!target || !target->CanFocus()) target = FindNextControl(nullptr, true, true, false);
    if (target && target->CanFocus())
        ::SetFocus(target->Handle());
    else if (GetActiveWindow() == handle_)
        ::SetFocus(handle_);
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
    if (!Control) {
        activeControl_ = nullptr;
        return;
    }
    FocusControl(Control);
}

void TCustomForm::FocusControl(TWinControl* Control) {
    if (Control == this || !ContainsControl(Control) || !Control->CanFocus()) throw EInvalidOperation(kCannotFocus);
    activeControl_ = Control;
    if (HandleAllocated() && Visible() && (active_ || GetActiveWindow() == handle_)) ::SetFocus(Control->Handle());
}

void TCustomForm::SetFocusedControl(TWinControl* Control) {
    if (Control == focusedControl_) return;
    TWinControl* old = focusedControl_;
    focusedControl_ = Control;
    activeControl_ = Control == this ? nullptr : Control;
    if (old) old->DoExit();
    if (Control != focusedControl_) return;  // a handler moved the focus on
    if (Control) Control->DoEnter();
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
}

void TCustomForm::DefocusControl(TControl* Control, bool) {
    auto inside = [Control](TWinControl* c) {
        for (TControl* p = c; p; p = p->Parent())
            if (p == Control) return true;
        return false;
    };
    if (activeControl_ && inside(activeControl_)) activeControl_ = nullptr;
    if (focusedControl_ && inside(focusedControl_)) focusedControl_ = nullptr;
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application->MainForm() == this)
        Application->Terminate();
    else if (action == caHide)
        Hide();
    else if (action == caMinimize)
        SetWindowState(wsMinimized);
    else
        Release();
}

void TCustomForm::CloseModal() {
    if (!CloseQuery()) {
        modalResult_ = mrNone;
        return;
    }
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) modalResult_ = mrNone;
    else if (action == caFree) Release();
}

namespace {
struct DisabledWindows {
    HWND keep;
    std::vector<HWND> list;
};

BOOL CALLBACK DisableOne(HWND Wnd, LPARAM Data) {
    auto* d = reinterpret_cast<DisabledWindows*>(Data);
    if (Wnd != d->keep && IsWindowVisible(Wnd) && IsWindowEnabled(Wnd)) {
        d->list.push_back(Wnd);
        EnableWindow(Wnd, FALSE);
    }
    return TRUE;
}
}  // namespace

TModalResult TCustomForm::ShowModal() {
    if (Visible() || modal_ || !Enabled()) throw EInvalidOperation("Cannot make a visible window modal");
    if (GetCapture()) ReleaseCapture();
    HWND activeBefore = GetActiveWindow();
    DisabledWindows disabled{Handle(), {}};
    EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&disabled));
    modal_ = true;
    modalResult_ = mrNone;
    auto restore = [&] {
        for (HWND w : disabled.list)
            if (IsWindow(w)) EnableWindow(w, TRUE);
        modal_ = false;
        if (!ComponentState().Contains(csDestroying)) Hide();
        if (activeBefore && IsWindow(activeBefore)) SetActiveWindow(activeBefore);
    };
    try {
        Show();
        for (;;) {
            Application->HandleMessage();
            if (Application->Terminated()) modalResult_ = mrCancel;
            if (modalResult_ != mrNone) {
                CloseModal();
                if (modalResult_ != mrNone || Application->Terminated()) break;
            }
        }
    } catch (...) {
        restore();
        throw;
    }
    const TModalResult result = modalResult_ == mrNone ? mrCancel : modalResult_;
    restore();
    return result;
}

void TCustomForm::Release() {
    if (HandleAllocated()) PostMessageA(handle_, CM_RELEASE, 0, 0);
}

void TCustomForm::PaintWindow(HDC DC) {
    canvas_.AttachPaintDC(DC);
    try {
        OnPaint(this);
    } catch (...) {
        canvas_.FreeHandle();
        throw;
    }
    canvas_.FreeHandle();
}

void TCustomForm::SetMenu(TMainMenu* Value) {
    if (menu_ == Value) return;
    if (menu_) {
        menu_->RemoveFreeNotification(this);
        menu_->SetWindowHandle(nullptr);
    }
    menu_ = Value;
    if (menu_) menu_->FreeNotification(this);
    if (HandleAllocated()) AttachMenu();
}

void TCustomForm::AttachMenu() {
    // The bar takes its room outside the client area, as a stored
    // ClientHeight means the area below the bar.
    RECT before{}, after{};
    GetClientRect(handle_, &before);
    ::SetMenu(handle_, menu_ ? menu_->Handle() : nullptr);
    if (menu_) menu_->SetWindowHandle(handle_);
    GetClientRect(handle_, &after);
    const int grow = (before.bottom - before.top) - (after.bottom - after.top);
    if (grow != 0 && windowState_ == wsNormal) SetBounds(left_, top_, width_, height_ + grow);
}

bool TCustomForm::IsShortCut(WPARAM Key) { return menu_ && menu_->IsShortCut(Key); }

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent && AComponent == menu_) {
        menu_ = nullptr;
        if (HandleAllocated()) AttachMenu();
    }
}

void TCustomForm::Dispatch(TMessage& Message) {
    if (menu_ && DispatchMenuMessage(menu_, Message.Msg, Message.WParam, Message.LParam, Message.Result)) return;
    switch (Message.Msg) {
        case WM_CLOSE: Close(); return;
        case CM_RELEASE: Free(); return;
        case WM_ACTIVATE:
            active_ = LOWORD(Message.WParam) != WA_INACTIVE;
            if (active_) {
                OnActivate(this);
                TWinControl* target = activeControl_;
                if (!target || !target->CanFocus()) target = FindNextControl(nullptr, true, true, false);
                if (target && target->CanFocus()) {
                    ::SetFocus(target->Handle());
                    return;
                }
            } else {
                OnDeactivate(this);
            }
            TWinControl::Dispatch(Message);
            return;
        case WM_ACTIVATEAPP:
            Application->SetActive(Message.WParam != 0);
            TWinControl::Dispatch(Message);
            return;
        case WM_GETMINMAXINFO: {
            TWinControl::Dispatch(Message);
            auto* mmi = reinterpret_cast<MINMAXINFO*>(Message.LParam);
            TSizeConstraints* c = Constraints();
            if (c->MinWidth() > 0) mmi->ptMinTrackSize.x = c->MinWidth();
            if (c->MinHeight() > 0) mmi->ptMinTrackSize.y = c->MinHeight();
            if (c->MaxWidth() > 0) mmi->ptMaxTrackSize.x = c->MaxWidth();
            if (c->MaxHeight() > 0) mmi->ptMaxTrackSize.y = c->MaxHeight();
            return;
        }
        case WM_SIZE:
            // A window sized before it is first shown keeps the state it
            // is to be shown in.
            if (IsWindowVisible(handle_)) {
                if (Message.WParam == SIZE_MAXIMIZED) windowState_ = wsMaximized;
                else if (Message.WParam == SIZE_MINIMIZED) windowState_ = wsMinimized;
                else if (Message.WParam == SIZE_RESTORED) windowState_ = wsNormal;
            }
            TWinControl::Dispatch(Message);
            return;
        case CM_DIALOGKEY:
            if (GetKeyState(VK_MENU) >= 0) {
                switch (Message.WParam) {
                    case VK_TAB:
                        if (GetKeyState(VK_CONTROL) >= 0) {
                            SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
                            Message.Result = 1;
                            return;
                        }
                        break;
                    case VK_LEFT:
                    case VK_RIGHT:
                    case VK_UP:
                    case VK_DOWN:
                        if (activeControl_ && activeControl_->Parent()) {
                            activeControl_->Parent()->SelectNext(activeControl_, Message.WParam == VK_RIGHT || Message.WParam == VK_DOWN, false);
                            Message.Result = 1;
                        }
                        return;
                    default: break;
                }
            }
            TWinControl::Dispatch(Message);
            return;
        default: TWinControl::Dispatch(Message);
    }
}
