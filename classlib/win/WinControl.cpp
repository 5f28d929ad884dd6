#include "WinControl.h"

#include "Application.h"
#include "Form.h"
#include "GraphicsHandles.h"
#include "Screen.h"

#include <algorithm>

namespace {
const char* const kControlProp = "TessaloomControl";
thread_local TWinControl* gCreating = nullptr;
}  // namespace

// The window procedure of every window class of the library. It finds the
// object (the first message of a new window arrives before CreateWindowEx
// returns, so the object being created is taken from gCreating) and hands the
// message to MainWndProc, which lets no exception out.
LRESULT CALLBACK ControlWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    auto* control = static_cast<TWinControl*>(GetPropA(Wnd, kControlProp));
    if (!control) {
        control = gCreating;
        if (!control) return DefWindowProcA(Wnd, Msg, WParam, LParam);
        gCreating = nullptr;
        control->handle_ = Wnd;
        SetPropA(Wnd, kControlProp, control);
    }
    TMessage m{Msg, WParam, LParam, 0};
    control->MainWndProc(m);
    return m.Result;
}

TWinControl* TWinControl::FindControl(HWND Window) {
    return Window ? static_cast<TWinControl*>(GetPropA(Window, kControlProp)) : nullptr;
}

const TClassInfo& TWinControl::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TWinControl, TControl>("TWinControl", [](auto& c) {
        c.Int("BorderWidth", &TWinControl::BorderWidth, &TWinControl::SetBorderWidth);
        c.Int("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder);
        c.Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop);
        c.Event("OnEnter", &TWinControl::OnEnter);
        c.Event("OnExit", &TWinControl::OnExit);
        c.Event("OnKeyDown", &TWinControl::OnKeyDown);
        c.Event("OnKeyPress", &TWinControl::OnKeyPress);
        c.Event("OnKeyUp", &TWinControl::OnKeyUp);
    });
    return info;
}

TWinControl::TWinControl() { brush_.SetColor(Color()); }

HWND TWinControl::Handle() {
    if (!handle_) CreateHandle();
    if (!handle_) throw EOSError("Error creating window");
    return handle_;
}

void TWinControl::CreateParams(TCreateParams& Params) {
    Params.Caption = TControl::GetText();
    Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (ControlStyle.Contains(csAcceptsControls)) Params.Style |= WS_CLIPCHILDREN;
    if (Visible()) Params.Style |= WS_VISIBLE;
    if (!Enabled()) Params.Style |= WS_DISABLED;
    Params.X = left_;
    Params.Y = top_;
    Params.Width = width_;
    Params.Height = height_;
    Params.WndParent = parent_ ? parent_->Handle() : parentWindow_;
    WNDCLASSA& wc = Params.WindowClass;
    wc.style = CS_HREDRAW | CS_VREDRAW | (ControlStyle.Contains(csDoubleClicks) ? CS_DBLCLKS : 0);
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = nullptr;
    Params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& Params, const char* ControlClassName) {
    WNDCLASSA native{};
    if (!GetClassInfoA(nullptr, ControlClassName, &native)) throw EOSError(std::string("No window class ") + ControlClassName);
    const std::string name = Params.WinClassName;
    Params.WindowClass = native;
    Params.WindowClass.hInstance = GetModuleHandleA(nullptr);
    Params.WinClassName = name;
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    if ((params.Style & WS_CHILD) && !params.WndParent)
        throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    defWndProc_ = params.WindowClass.lpfnWndProc;
    WNDCLASSA wc = params.WindowClass;
    wc.lpfnWndProc = ControlWindowProc;
    wc.lpszClassName = params.WinClassName.c_str();
    WNDCLASSA existing{};
    if (!GetClassInfoA(wc.hInstance, wc.lpszClassName, &existing)) {
        if (!RegisterClassA(&wc)) throw EOSError("Cannot register the window class " + params.WinClassName);
    }
    gCreating = this;
    HWND h = CreateWindowExA(params.ExStyle, wc.lpszClassName, params.Caption.c_str(), params.Style, params.X, params.Y,
                             params.Width, params.Height, params.WndParent, nullptr, wc.hInstance, nullptr);
    gCreating = nullptr;
    if (!h) throw EOSError("Error creating window " + params.WinClassName);
    handle_ = h;
}

void TWinControl::CreateHandle() {
    if (handle_) return;
    CreateWnd();
    UpdateBoundsFromWindow();
    Realign();
    for (size_t i = 0; i < controls_.size(); ++i)
        if (auto* w = dynamic_cast<TWinControl*>(controls_[i]); w && w->Visible() && !w->handle_) w->CreateHandle();
}

void TWinControl::DestroyWnd() {
    if (handle_) DestroyWindow(handle_);
    handle_ = nullptr;
}

void TWinControl::DestroyHandle() {
    if (!handle_) return;
    for (TControl* c : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
    DestroyWnd();
}

void TWinControl::RecreateWnd() {
    if (!handle_) return;
    DestroyHandle();
    CreateHandle();
}

void TWinControl::SetParentWindow(HWND Value) {
    parentWindow_ = Value;
    if (handle_ && !parent_) ::SetParent(handle_, Value);
}

TControl* TWinControl::Controls(int Index) const {
    if (Index < 0 || Index >= ControlCount()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return controls_[static_cast<size_t>(Index)];
}

bool TWinControl::ContainsControl(const TControl* Control) const {
    for (const TControl* c = Control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

void TWinControl::InsertControl(TControl* AControl) {
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
    controls_.push_back(AControl);
    auto* win = dynamic_cast<TWinControl*>(AControl);
    if (win) tabList_.push_back(win);
    AControl->parent_ = this;
    if (AControl->ParentFont()) AControl->TakeParentFont();
    if (AControl->ParentColor()) AControl->TakeParentColor();
    if (win && handle_) {
        if (win->handle_)
            ::SetParent(win->handle_, handle_);
        else if (win->Visible())
            win->CreateHandle();
    }
    AlignChildren(AControl);
    AControl->Invalidate();
}

void TWinControl::RemoveControl(TControl* AControl) {
    auto it = std::find(controls_.begin(), controls_.end(), AControl);
    if (it == controls_.end()) return;
    // A parent that is being freed hears nothing of its children leaving.
    if (!ComponentState().Contains(csDestroying)) Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(AControl, true);
    AControl->Invalidate();
    if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
        win->DestroyHandle();
        tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), win), tabList_.end());
    }
    if (captureChild_ == AControl) captureChild_ = nullptr;
    controls_.erase(std::find(controls_.begin(), controls_.end(), AControl));
    AControl->parent_ = nullptr;
    AlignChildren(nullptr);
}

void TWinControl::SetParent(TWinControl* AParent) {
    if (AParent == parent_) return;
    if (AParent && ContainsControl(AParent)) throw EInvalidOperation("A control cannot be placed inside itself");
    TControl::SetParent(AParent);
}

TControl* TWinControl::ControlAtPos(TPoint P, bool AllowDisabled, bool AllowWinControls) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (!AllowWinControls && dynamic_cast<TWinControl*>(c)) continue;
        if (!c->Visible() || (!c->Enabled() && !AllowDisabled)) continue;
        if (!c->BoundsRect().Contains(P)) continue;
        const POINT local{P.X - c->Left(), P.Y - c->Top()};
        if (c->Perform(CM_HITTEST, 0, PointToLParam(local.x, local.y)) != 0) return c;
    }
    return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
    for (size_t i = 0; i < controls_.size(); ++i) {
        controls_[i]->WindowProc(Message);
        if (Message.Result != 0) return;
    }
}

namespace {
void NotifyControls(TWinControl* Parent, UINT Msg) {
    for (int i = 0; i < Parent->ControlCount(); ++i) Parent->Controls(i)->Perform(Msg);
}
}  // namespace

void TWinControl::SetTabStop(bool Value) {
    if (Value == tabStop_) return;
    tabStop_ = Value;
    Perform(CM_TABSTOPCHANGED);
}

int TWinControl::TabOrder() const {
    if (!parent_) return -1;
    auto& list = parent_->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int Value) {
    if (!parent_) return;
    auto& list = parent_->tabList_;
    const int cur = TabOrder();
    if (cur < 0) return;
    Value = std::clamp(Value, 0, static_cast<int>(list.size()) - 1);
    list.erase(list.begin() + cur);
    list.insert(list.begin() + Value, this);
}

bool TWinControl::CanFocus() const {
    const TCustomForm* form = GetParentForm(this);
    if (!form || !form->Visible() || !form->Enabled()) return false;
    for (const TControl* c = this; c && c != form; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus() {
    TCustomForm* form = GetParentForm(this);
    if (form) {
        form->FocusControl(this);
    } else if (parentWindow_) {
        ::SetFocus(Handle());
    } else {
        throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    }
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
    for (TWinControl* c : tabList_) {
        List.push_back(c);
        c->GetTabOrderList(List);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    const int n = static_cast<int>(list.size());
    auto it = std::find(list.begin(), list.end(), CurControl);
    int start = it == list.end() ? (GoForward ? n - 1 : 0) : static_cast<int>(it - list.begin());
    int i = start;
    for (int step = 0; step < n; ++step) {
        i = GoForward ? (i + 1) % n : (i - 1 + n) % n;
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c == CurControl) continue;
        if ((!CheckTabStop || c->TabStop()) && (!CheckParent || c->Parent() == this) && c->CanFocus()) return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
    if (TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop)) next->SetFocus();
}

void TWinControl::DoEnter() { OnEnter(this); }
void TWinControl::DoExit() { OnExit(this); }

void TWinControl::SetBorderWidth(int Value) {
    Value = std::max(Value, 0);
    if (Value == borderWidth_) return;
    borderWidth_ = Value;
    if (handle_)
        SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Realign();
    Invalidate();
}

TRect TWinControl::ClientRect() const {
    if (handle_) {
        RECT r;
        GetClientRect(handle_, &r);
        return Rect(r.left, r.top, r.right, r.bottom);
    }
    return Rect(0, 0, std::max(width_ - 2 * borderWidth_, 0), std::max(height_ - 2 * borderWidth_, 0));
}

TPoint TWinControl::ClientOrigin() const {
    if (handle_) {
        POINT p{0, 0};
        ::ClientToScreen(handle_, &p);
        return TPoint{p.x, p.y};
    }
    TPoint p = TControl::ClientOrigin();
    return TPoint{p.X + borderWidth_, p.Y + borderWidth_};
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    Constraints()->Apply(AWidth, AHeight);
    if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_) return;
    const bool resized = AWidth != width_ || AHeight != height_;
    left_ = ALeft;
    top_ = ATop;
    width_ = AWidth;
    height_ = AHeight;
    if (handle_ && !IsIconic(handle_))
        SetWindowPos(handle_, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    RequestAlign();
    if (resized) Realign();
    if (resized && !ComponentState().Contains(csLoading)) Resize();
}

void TWinControl::UpdateBoundsFromWindow() {
    if (!handle_ || IsIconic(handle_)) return;
    RECT r;
    GetWindowRect(handle_, &r);
    if (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD) MapWindowPoints(HWND_DESKTOP, GetParent(handle_), reinterpret_cast<POINT*>(&r), 2);
    const bool resized = r.right - r.left != width_ || r.bottom - r.top != height_;
    const bool moved = r.left != left_ || r.top != top_;
    if (!resized && !moved) return;
    left_ = r.left;
    top_ = r.top;
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
    if (resized) {
        RequestAlign();
        Realign();
        if (!ComponentState().Contains(csLoading)) Resize();
    }
}

void TWinControl::SetVisible(bool Value) {
    if (Value == Visible()) return;
    TControl::SetVisible(Value);
    if (Value && !handle_ && ((parent_ && parent_->handle_) || parentWindow_)) CreateHandle();
    if (handle_) ShowWindow(handle_, Value ? SW_SHOWNA : SW_HIDE);
}

bool TWinControl::Showing() const {
    if (!Visible()) return false;
    if (parent_) return parent_->Showing();
    return handle_ != nullptr;
}

void TWinControl::SetEnabled(bool Value) {
    if (Value == Enabled()) return;
    TControl::SetEnabled(Value);
    if (handle_) EnableWindow(handle_, Value);
}

void TWinControl::Invalidate() {
    if (handle_) InvalidateRect(handle_, nullptr, !ControlStyle.Contains(csOpaque));
}

void TWinControl::Update() {
    if (handle_) UpdateWindow(handle_);
}

void TWinControl::EnableAlign() {
    if (alignLevel_ > 0 && --alignLevel_ == 0 && alignPending_) Realign();
}

void TWinControl::Realign() { AlignChildren(nullptr); }

void TWinControl::Loaded() {
    TControl::Loaded();
    Realign();
}

void TWinControl::RequestAlign() { TControl::RequestAlign(); }

void TWinControl::AlignChildren(TControl* AControl) {
    const TComponentState state = ComponentState();
    if (state.Contains(csDestroying)) return;
    if (alignLevel_ > 0 || state.Contains(csLoading)) {
        alignPending_ = true;
        return;
    }
    ++alignLevel_;
    alignPending_ = false;
    try {
        TRect r = ClientRect();
        AdjustClientRect(r);
        AlignControls(AControl, r);
    } catch (...) {
        --alignLevel_;
        throw;
    }
    --alignLevel_;
    // A child changed during the pass (an AutoSize child grew): once more.
    if (alignPending_) {
        alignPending_ = false;
        ++alignLevel_;
        try {
            TRect r = ClientRect();
            AdjustClientRect(r);
            AlignControls(nullptr, r);
        } catch (...) {
            --alignLevel_;
            throw;
        }
        --alignLevel_;
        alignPending_ = false;
    }
    if (AutoSize()) AdjustSize();
}

namespace {
// Whether C1 goes before C2 in the stacking of one alignment.
bool InsertBefore(const TControl* C1, const TControl* C2, TAlign Align) {
    switch (Align) {
        case alTop: return C1->Top() < C2->Top();
        case alBottom: return C1->Top() + C1->Height() > C2->Top() + C2->Height();
        case alLeft: return C1->Left() < C2->Left();
        case alRight: return C1->Left() + C1->Width() > C2->Left() + C2->Width();
        default: return false;
    }
}
}  // namespace

void TWinControl::AlignControls(TControl* AControl, TRect& R) {
    // Anchors: a child that is not aligned keeps its distance to the anchored sides.
    const TSize now{R.Width(), R.Height()};
    if (lastClient_.cx >= 0 && !(now == lastClient_)) {
        const int dx = now.cx - lastClient_.cx, dy = now.cy - lastClient_.cy;
        for (TControl* c : std::vector<TControl*>(controls_)) {
            if (c->Align() != alNone) continue;
            const TAnchors a = c->Anchors();
            int l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
            if (a.Contains(akRight)) {
                if (a.Contains(akLeft)) w += dx; else l += dx;
            }
            if (a.Contains(akBottom)) {
                if (a.Contains(akTop)) h += dy; else t += dy;
            }
            c->SetBounds(l, t, w, h);
        }
    }
    lastClient_ = now;

    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> list;
        // The control that asked to be aligned wins ties with the others.
        if (AControl && AControl->Align() == align && AControl->Visible() && AControl->Parent() == this) list.push_back(AControl);
        for (TControl* c : controls_) {
            if (c == AControl || c->Align() != align || !c->Visible()) continue;
            auto pos = std::find_if(list.begin(), list.end(), [&](TControl* other) { return InsertBefore(c, other, align); });
            list.insert(pos, c);
        }
        for (TControl* c : list) {
            switch (align) {
                case alTop:
                    c->SetBounds(R.Left, R.Top, R.Width(), c->Height());
                    R.Top += c->Height();
                    break;
                case alBottom:
                    c->SetBounds(R.Left, R.Bottom - c->Height(), R.Width(), c->Height());
                    R.Bottom -= c->Height();
                    break;
                case alLeft:
                    c->SetBounds(R.Left, R.Top, c->Width(), R.Height());
                    R.Left += c->Width();
                    break;
                case alRight:
                    c->SetBounds(R.Right - c->Width(), R.Top, c->Width(), R.Height());
                    R.Right -= c->Width();
                    break;
                default: c->SetBounds(R.Left, R.Top, R.Width(), R.Height()); break;
            }
        }
    }
}

bool TWinControl::CanAutoSize(int& NewWidth, int& NewHeight) {
    int right = 0, bottom = 0;
    bool any = false;
    for (TControl* c : controls_) {
        if (!c->Visible() || c->Align() == alClient) continue;
        any = true;
        if (c->Align() != alTop && c->Align() != alBottom) right = std::max(right, c->Left() + c->Width());
        if (c->Align() != alLeft && c->Align() != alRight) bottom = std::max(bottom, c->Top() + c->Height());
    }
    if (!any) return false;
    const TRect client = ClientRect();
    if (right > 0) NewWidth = right + (width_ - client.Width());
    if (bottom > 0) NewHeight = bottom + (height_ - client.Height());
    return true;
}

void TWinControl::ShowControl(TControl*) {
    if (parent_) parent_->ShowControl(this);
}

void TWinControl::ScrollBy(int DeltaX, int DeltaY) {
    ++alignLevel_;
    for (TControl* c : std::vector<TControl*>(controls_)) c->SetBounds(c->Left() + DeltaX, c->Top() + DeltaY, c->Width(), c->Height());
    --alignLevel_;
    alignPending_ = false;
    Invalidate();
}

void TWinControl::PaintWindow(HDC DC) {
    // Native controls paint themselves into the given context.
    if (defWndProc_ != DefWindowProcA && handle_) CallWindowProcA(defWndProc_, handle_, WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
    auto it = First ? std::find(controls_.begin(), controls_.end(), First) : controls_.begin();
    for (; it != controls_.end(); ++it) {
        TControl* c = *it;
        if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
        const RECT bounds{c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()};
        if (!RectVisible(DC, &bounds)) continue;
        const int saved = SaveDC(DC);
        OffsetViewportOrgEx(DC, c->Left(), c->Top(), nullptr);
        IntersectClipRect(DC, 0, 0, c->Width(), c->Height());
        try {
            c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
        } catch (...) {
            RestoreDC(DC, saved);
            throw;
        }
        RestoreDC(DC, saved);
    }
}

bool TWinControl::SkipCoveredPaint() {
    if (!handle_) return false;
    bool covered = false;
    {
        const TWindowDC dc(handle_);
        RECT box;
        if (!dc.Get()) return false;
        covered = GetClipBox(dc.Get(), &box) == NULLREGION;
    }
    // Validating without BeginPaint also spares the background erasing.
    if (covered) ValidateRect(handle_, nullptr);
    return covered;
}

void TWinControl::PaintHandler(TMessage& Message) {
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    if (dc) {
        PaintWindow(dc);
        PaintControls(dc, nullptr);
        return;
    }
    if (SkipCoveredPaint()) return;
    PAINTSTRUCT ps;
    dc = BeginPaint(handle_, &ps);
    try {
        PaintWindow(dc);
        PaintControls(dc, nullptr);
    } catch (...) {
        EndPaint(handle_, &ps);
        throw;
    }
    EndPaint(handle_, &ps);
}

void TWinControl::FontChanged(TObject* Sender) { TControl::FontChanged(Sender); }

std::string TWinControl::GetText() const {
    // Native controls (an edit) change their text themselves.
    if (!handle_ || defWndProc_ == DefWindowProcA) return TControl::GetText();
    std::string s(static_cast<size_t>(GetWindowTextLengthA(handle_)) + 1, '\0');
    s.resize(static_cast<size_t>(GetWindowTextA(handle_, s.data(), static_cast<int>(s.size()))));
    return s;
}

void TWinControl::SetTextBuf(const std::string& Value) {
    TControl::SetTextBuf(Value);
    if (handle_) SetWindowTextA(handle_, Value.c_str());
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) { OnKeyDown(this, Key, Shift); }
void TWinControl::KeyPress(char& Key) { OnKeyPress(this, Key); }
void TWinControl::KeyUp(WORD& Key, TShiftState Shift) { OnKeyUp(this, Key, Shift); }

bool TWinControl::DoKeyDown(WORD& Key, TShiftState Shift) {
    KeyDown(Key, Shift);
    return Key == 0;
}

bool TWinControl::DoKeyPress(char& Key) {
    KeyPress(Key);
    return Key == 0;
}

void TWinControl::TrackMouse(TPoint P) {
    TControl* target = captureChild_ ? captureChild_ : ControlAtPos(P);
    // A window holding the capture hears of the pointer anywhere; it is over
    // the control only inside its client area (a held button learns that the
    // pointer left it).
    const bool away = !target && handle_ && GetCapture() == handle_ && !ClientRect().Contains(P);
    SetMouseControl(away ? nullptr : target ? target : this);
    if (!trackingLeave_ && handle_) {
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, handle_, 0};
        trackingLeave_ = TrackMouseEvent(&tme) != FALSE;
    }
}

bool TWinControl::ForwardMouseToChild(TMessage& Message) {
    const POINT p = MessagePoint(Message.LParam);
    TControl* target = captureChild_;
    if (!target) target = ControlAtPos(TPoint{p.x, p.y});
    if (!target) return false;
    const LPARAM local = PointToLParam(p.x - target->Left(), p.y - target->Top());
    Message.Result = target->Perform(Message.Msg, Message.WParam, local);
    return true;
}

void TWinControl::WndProc(TMessage& Message) {
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MBUTTONDBLCLK) {
        const POINT p = MessagePoint(Message.LParam);
        if (Message.Msg == WM_MOUSEMOVE) TrackMouse(TPoint{p.x, p.y});
        if (ForwardMouseToChild(Message)) return;
    }
    TControl::WndProc(Message);
}

// With both native bars and a margin, the square where the bars meet lies
// beside the narrowed client area, and the system paints only part of it
// (Wine leaves a strip bare, showing whatever lay below). Filled first, the
// system's own painting then lands on top of it.
void TWinControl::FillScrollBarCorner() {
    const LONG style = GetWindowLongA(handle_, GWL_STYLE);
    if (!(style & WS_VSCROLL) || !(style & WS_HSCROLL)) return;
    RECT win, client;
    GetWindowRect(handle_, &win);
    GetClientRect(handle_, &client);
    MapWindowPoints(handle_, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -win.left, -win.top);
    const RECT corner{client.right, client.bottom, client.right + GetSystemMetrics(SM_CXVSCROLL),
                      client.bottom + GetSystemMetrics(SM_CYHSCROLL)};
    const TWindowDC dc(handle_, true);
    FillRect(dc.Get(), &corner, GetSysColorBrush(COLOR_BTNFACE));
}

void TWinControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_PAINT: PaintHandler(Message); return;
        case WM_ERASEBKGND: {
            RECT r;
            GetClientRect(handle_, &r);
            HBRUSH b = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color())));
            FillRect(reinterpret_cast<HDC>(Message.WParam), &r, b);
            DeleteObject(b);
            Message.Result = 1;
            return;
        }
        case WM_NCCALCSIZE: {
            DefaultHandler(Message);
            if (borderWidth_ > 0) {
                RECT* r = Message.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                                         : reinterpret_cast<RECT*>(Message.LParam);
                InflateRect(r, -borderWidth_, -borderWidth_);
                if (r->right < r->left) r->right = r->left;
                if (r->bottom < r->top) r->bottom = r->top;
            }
            return;
        }
        case WM_NCPAINT: {
            if (borderWidth_ > 0 && handle_) FillScrollBarCorner();
            DefaultHandler(Message);
            if (borderWidth_ > 0 && handle_) {
                // Fill the margin band between the frame and the client area.
                RECT win, client;
                GetWindowRect(handle_, &win);
                GetClientRect(handle_, &client);
                MapWindowPoints(handle_, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
                OffsetRect(&client, -win.left, -win.top);
                RECT band = client;
                InflateRect(&band, borderWidth_, borderWidth_);
                HDC dc = GetWindowDC(handle_);
                ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
                HBRUSH b = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color())));
                FillRect(dc, &band, b);
                DeleteObject(b);
                ReleaseDC(handle_, dc);
            }
            return;
        }
        case WM_SIZE:
        case WM_MOVE:
            DefaultHandler(Message);
            UpdateBoundsFromWindow();
            return;
        case WM_SETFOCUS:
            DefaultHandler(Message);
            if (TCustomForm* form = GetParentForm(this)) form->SetFocusedControl(this);
            return;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            WORD key = static_cast<WORD>(Message.WParam);
            if (DoKeyDown(key, KeyboardShiftState())) return;
            Message.WParam = key;
            DefaultHandler(Message);
            return;
        }
        case WM_KEYUP:
        case WM_SYSKEYUP: {
            WORD key = static_cast<WORD>(Message.WParam);
            KeyUp(key, KeyboardShiftState());
            if (key == 0) return;
            Message.WParam = key;
            DefaultHandler(Message);
            return;
        }
        case WM_CHAR: {
            char key = static_cast<char>(Message.WParam);
            if (DoKeyPress(key)) return;
            Message.WParam = static_cast<unsigned char>(key);
            DefaultHandler(Message);
            return;
        }
        case WM_SETCURSOR: {
            if (reinterpret_cast<HWND>(Message.WParam) == handle_ && LOWORD(Message.LParam) == HTCLIENT) {
                TCursor cursor = Screen->Cursor();
                if (cursor == crDefault) {
                    POINT p;
                    GetCursorPos(&p);
                    ::ScreenToClient(handle_, &p);
                    TControl* c = ControlAtPos(TPoint{p.x, p.y}, true);
                    cursor = c ? c->Cursor() : Cursor();
                }
                if (cursor != crDefault) {
                    ::SetCursor(Screen->Cursors(cursor));
                    Message.Result = TRUE;
                    return;
                }
            }
            DefaultHandler(Message);
            return;
        }
        case WM_MOUSELEAVE: {
            trackingLeave_ = false;
            TControl* m = CurrentMouseControl();
            if (m == this || (m && m->Parent() == this && !dynamic_cast<TWinControl*>(m))) SetMouseControl(nullptr);
            return;
        }
        case WM_NCDESTROY:
            DefaultHandler(Message);
            if (handle_) RemovePropA(handle_, kControlProp);
            handle_ = nullptr;
            trackingLeave_ = false;
            return;
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            // A native child's notification goes back to the child's object.
            HWND child = Message.Msg == WM_COMMAND ? reinterpret_cast<HWND>(Message.LParam)
                       : Message.Msg == WM_NOTIFY  ? reinterpret_cast<NMHDR*>(Message.LParam)->hwndFrom
                                                   : reinterpret_cast<HWND>(Message.LParam);
            TWinControl* target = child && child != handle_ ? FindControl(child) : nullptr;
            if (target) {
                Message.Result = target->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
                // A control that chooses no colours gets the default ones.
                if (Message.Result != 0 || Message.Msg == WM_COMMAND || Message.Msg == WM_NOTIFY) return;
            }
            TControl::Dispatch(Message);
            return;
        }
        case CM_DIALOGKEY:
        case CM_DIALOGCHAR:
        case CM_FOCUSCHANGED: Broadcast(Message); return;
        case CM_COLORCHANGED:
            brush_.SetColor(Color());
            NotifyControls(this, CM_PARENTCOLORCHANGED);
            return;
        case CM_FONTCHANGED: NotifyControls(this, CM_PARENTFONTCHANGED); return;
        case CM_RECREATEWND: RecreateWnd(); return;
        default: TControl::Dispatch(Message);
    }
}

void TWinControl::DefaultHandler(TMessage& Message) {
    if (handle_) {
        Message.Result = CallWindowProcA(defWndProc_, handle_, Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    TControl::DefaultHandler(Message);
}

void TWinControl::BeforeDestruction() {
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, true);
    TControl::BeforeDestruction();
}

void TWinControl::DestroyOwned() {
    while (!controls_.empty()) {
        TControl* c = controls_.back();
        c->Free();
        if (!controls_.empty() && controls_.back() == c) RemoveControl(c);
    }
    DestroyHandle();
    TControl::DestroyOwned();
}
