#include "SkinMemo.h"

#include "SkinPublic.h"
#include "SkinThemes.h"

#include <windows.h>

const TClassInfo& TskMemo::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskMemo, TCustomMemo>("TskMemo", [](auto& c) {
        PublishAttachedScrollBars<TskMemo>(c);
        // What the plain memo publishes, so a stored skinned memo keeps its
        // text, bars and editing settings; the border stays the skin's.
        c.template Enum<TAlignment>("Alignment", &TskMemo::Alignment, &TskMemo::SetAlignment,
                                    {"taLeftJustify", "taRightJustify", "taCenter"});
        c.Bool("HideSelection", &TskMemo::HideSelection, &TskMemo::SetHideSelection);
        c.Object("Lines", &TskMemo::Lines);
        c.Int("MaxLength", &TskMemo::MaxLength, &TskMemo::SetMaxLength);
        c.Bool("ReadOnly", &TskMemo::ReadOnly, &TskMemo::SetReadOnly);
        c.template Enum<TScrollStyle>("ScrollBars", &TskMemo::ScrollBars, &TskMemo::SetScrollBars,
                                      {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"});
        c.Field("WantReturns", &TskMemo::WantReturns);
        c.Field("WantTabs", &TskMemo::WantTabs);
        c.Bool("WordWrap", &TskMemo::WordWrap, &TskMemo::SetWordWrap);
        c.Event("OnChange", &TskMemo::OnChange);
    });
    return info;
}

void TskMemo::Init() {
    TCustomMemo::Init();
    ControlStyle.Include(csOpaque);
    SetBorderStyle(bsNone);
    SetBorderWidth(2);
    mouseIsDown_ = syncing_ = scrollingFromBar_ = false;
    SetUIStyle(GetOwnerFormUIStyle(Owner()));
}

void TskMemo::CreateParams(TCreateParams& Params) {
    TCustomMemo::CreateParams(Params);
    // The skinned bars lie over this window as its siblings: without
    // clipping them, its own painting would cover them.
    Params.Style |= WS_CLIPSIBLINGS;
}

void TskMemo::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomMemo::Notification(AComponent, Operation);
    if (!AComponent || Operation != opRemove) return;
    if (bars_.Forget(AComponent)) UpdateNativeScrollBars();
    if (FileThemeRemoved(fileTheme_, AComponent, Operation)) SetUIStyle(TskUIStyle::DeepBlue);
}

void TskMemo::SetUIStyle(TskUIStyle Value) {
    uiStyle_ = Value;
    borderColor_ = bars_.ApplyStyle(fileTheme_, Value);
    Repaint();
}

void TskMemo::SetFileTheme(TskFileTheme* Value) {
    fileTheme_ = Value;
    bars_.SetFileTheme(Value);
    SetUIStyle(uiStyle_);
}

void TskMemo::SetBorderColor(TColor Value) {
    borderColor_ = Value;
    Repaint();
}

void TskMemo::AttachBar(TskProgressBarOrientation Side, TskScrollBar* Value, const TNotifyEvent& Change) {
    if (!bars_.Replace(Side, Value)) return;
    if (Value) TskAttachedScrollBars::Hook(Value, Side, Change);
    UpdateNativeScrollBars();
    if (Value) PlaceScrollBars();
}

void TskMemo::SetVScrollBar(TskScrollBar* Value) {
    AttachBar(skVertical, Value, TNotifyEvent::Bind<&TskMemo::VScrollBarChange>(this));
}

void TskMemo::SetHScrollBar(TskScrollBar* Value) {
    AttachBar(skHorizontal, Value, TNotifyEvent::Bind<&TskMemo::HScrollBarChange>(this));
}

void TskMemo::UpdateNativeScrollBars() {
    const bool v = bars_.Vertical(), h = bars_.Horizontal();
    SetScrollBars(v && h ? ssBoth : v ? ssVertical : h ? ssHorizontal : ssNone);
}

void TskMemo::VScrollBarChange(TObject*) {
    if (syncing_ || !bars_.Vertical() || !HandleAllocated()) return;
    scrollingFromBar_ = true;
    const int position = bars_.Vertical()->Position();
    if (0 <= position && position <= 0x7FFF) {
        SendMessageA(Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position), 0);
    } else {
        // The scroll message carries 16 bits, which the native edit reads as
        // signed: beyond them the memo scrolls by the difference in lines, so
        // no line is out of reach.
        const LRESULT first = SendMessageA(Handle(), EM_GETFIRSTVISIBLELINE, 0, 0);
        SendMessageA(Handle(), EM_LINESCROLL, 0, position - first);
    }
    Invalidate();
    scrollingFromBar_ = false;
}

void TskMemo::HScrollBarChange(TObject*) {
    if (syncing_ || !bars_.Horizontal() || !HandleAllocated()) return;
    scrollingFromBar_ = true;
    SendMessageA(Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, bars_.Horizontal()->Position()), 0);
    Invalidate();
    scrollingFromBar_ = false;
}

void TskMemo::SyncScrollBars() {
    if (scrollingFromBar_ || !HandleAllocated()) return;
    syncing_ = true;
    // Only the horizontal bar's arrow step follows its page.
    bars_.CopyNativeState(skHorizontal, true);
    bars_.CopyNativeState(skVertical, false);
    syncing_ = false;
}

void TskMemo::PlaceScrollBars() {
    bars_.Place();
    SyncScrollBars();
}

void TskMemo::PaintFrame() {
    if (HandleAllocated()) PaintWindowBorder(this, borderColor_, Color(), true);
}

void TskMemo::Dispatch(TMessage& Message) {
    TCustomMemo::Dispatch(Message);
    switch (Message.Msg) {
        case CM_ENABLEDCHANGED: SyncScrollBars(); break;
        case CM_VISIBLECHANGED:
            if (Visible()) {
                // Showing the memo again brings back the bars hiding it hid.
                if (bars_.Vertical()) bars_.Vertical()->SetVisible(true);
                if (bars_.Horizontal()) bars_.Horizontal()->SetVisible(true);
                PlaceScrollBars();
            } else {
                bars_.Hide();
            }
            break;
        case WM_SIZE:
        case WM_MOVE: PlaceScrollBars(); break;
        case WM_CUT:
        case WM_PASTE:
        case WM_CLEAR:
        case WM_UNDO:
        case WM_SETTEXT:
        case WM_KEYDOWN:
        case WM_MOUSEWHEEL: SyncScrollBars(); break;
        case WM_LBUTTONDOWN:
            mouseIsDown_ = true;
            SyncScrollBars();
            break;
        case WM_LBUTTONUP: mouseIsDown_ = false; break;
        case WM_MOUSEMOVE:
            if (mouseIsDown_) SyncScrollBars();
            break;
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (!scrollingFromBar_) SyncScrollBars();
            break;
        case WM_PAINT:
        case WM_ERASEBKGND: PaintFrame(); break;
        default: break;
    }
}
