// The MDI side of forms: the client window an fsMDIForm form holds, its
// children, and the default procedures of MDI frames and children.
#include "Form.h"

#include "Application.h"
#include "Screen.h"

#include <algorithm>

namespace {

// The form whose MDI client a window is, found by the client window procedure.
const char* const kClientOwnerProp = "TessaloomMDIClientOwner";
// Window menu commands of the children start here (the client numbers them).
constexpr UINT kFirstChildId = 0xFF00;

}  // namespace

LRESULT CALLBACK MDIClientWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    auto* form = static_cast<TCustomForm*>(GetPropA(Wnd, kClientOwnerProp));
    if (!form || !form->savedClientProc_) return DefWindowProcA(Wnd, Msg, WParam, LParam);
    TMessage m{Msg, WParam, LParam, 0};
    try {
        form->ClientWindowProc(m);
    } catch (...) {
        Application->HandleException(form);
    }
    return m.Result;
}

void TCustomForm::DefaultClientHandler(TMessage& Message) {
    if (!clientHandle_ || !savedClientProc_) return;
    Message.Result = CallWindowProcA(savedClientProc_, clientHandle_, Message.Msg, Message.WParam, Message.LParam);
}

void TCustomForm::CreateClientWindow() {
    CLIENTCREATESTRUCT ccs{};
    ccs.hWindowMenu = nullptr;
    ccs.idFirstChild = kFirstChildId;
    const TRect r = ClientRect();
    clientHandle_ = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL,
                                    0, 0, r.Width(), r.Height(), Handle(), nullptr, GetModuleHandleA(nullptr), &ccs);
    if (!clientHandle_) throw EOSError("Error creating window MDICLIENT");
    // Each client message goes through this form's ClientWindowProc.
    SetPropA(clientHandle_, kClientOwnerProp, this);
    savedClientProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(clientHandle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MDIClientWindowProc)));
}

void TCustomForm::DestroyWnd() {
    if (formStyle_ == fsMDIChild && HandleAllocated()) {
        // A child leaves through its client so that the next one becomes active.
        if (HWND client = GetParent(Handle())) {
            SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(Handle()), 0);
            handle_ = nullptr;
            return;
        }
    }
    if (clientHandle_) {
        SetWindowLongPtrA(clientHandle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(savedClientProc_));
        RemovePropA(clientHandle_, kClientOwnerProp);
        savedClientProc_ = nullptr;
        clientHandle_ = nullptr;
    }
    TWinControl::DestroyWnd();
}

void TCustomForm::DefaultHandler(TMessage& Message) {
    if (HandleAllocated() && formStyle_ == fsMDIForm) {
        Message.Result = DefFrameProcA(Handle(), clientHandle_, Message.Msg, Message.WParam, Message.LParam);
        // The frame procedure sizes the client over the whole client area;
        // it belongs in the room the aligned controls leave.
        if (Message.Msg == WM_SIZE) Realign();
        return;
    }
    if (HandleAllocated() && formStyle_ == fsMDIChild) {
        Message.Result = DefMDIChildProcA(Handle(), Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    TWinControl::DefaultHandler(Message);
}

void TCustomForm::AlignControls(TControl* AControl, TRect& Rect) {
    TWinControl::AlignControls(AControl, Rect);
    if (clientHandle_)
        SetWindowPos(clientHandle_, nullptr, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

std::vector<TCustomForm*> TCustomForm::MDIChildList() const {
    std::vector<TCustomForm*> out;
    if (!clientHandle_) return out;
    for (HWND w = GetWindow(clientHandle_, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (auto* f = dynamic_cast<TCustomForm*>(FindControl(w)); f && f->formStyle_ == fsMDIChild) out.push_back(f);
    return out;
}

int TCustomForm::MDIChildCount() const { return static_cast<int>(MDIChildList().size()); }

TCustomForm* TCustomForm::MDIChildren(int Index) const {
    const auto list = MDIChildList();
    if (Index < 0 || Index >= static_cast<int>(list.size())) return nullptr;
    return list[static_cast<size_t>(Index)];
}

TCustomForm* TCustomForm::ActiveMDIChild() const {
    if (!clientHandle_) return nullptr;
    const auto active = reinterpret_cast<HWND>(SendMessageA(clientHandle_, WM_MDIGETACTIVE, 0, 0));
    return dynamic_cast<TCustomForm*>(FindControl(active));
}

void TCustomForm::Tile() {
    if (clientHandle_)
        SendMessageA(clientHandle_, WM_MDITILE, TileMode == tbHorizontal ? MDITILE_HORIZONTAL : MDITILE_VERTICAL, 0);
}

void TCustomForm::Cascade() {
    if (clientHandle_) SendMessageA(clientHandle_, WM_MDICASCADE, 0, 0);
}
