#include "SkinListView.h"

#include "Action.h"
#include "ImageList.h"
#include "SkinPublic.h"
#include "SkinThemes.h"

#include <windows.h>

#include <cstdlib>

const TClassInfo& TskListView::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskListView, TCustomListView>("TskListView", [](auto& c) {
        PublishAttachedScrollBars<TskListView>(c);
        // What the plain list view publishes, so a stored skinned list keeps
        // its view, pictures and editing settings.
        c.template Reference<TCustomAction>("Action", &TskListView::Action, &TskListView::SetAction);
        c.template Enum<TBorderStyle>("BorderStyle", &TskListView::BorderStyle, &TskListView::SetBorderStyle,
                                      {"bsNone", "bsSingle"});
        c.Bool("HideSelection", &TskListView::HideSelection, &TskListView::SetHideSelection);
        c.Object("IconOptions", &TskListView::IconOptions);
        c.template Reference<TImageList>("LargeImages", &TskListView::LargeImages, &TskListView::SetLargeImages);
        c.Bool("MultiSelect", &TskListView::MultiSelect, &TskListView::SetMultiSelect);
        c.Bool("ReadOnly", &TskListView::ReadOnly, &TskListView::SetReadOnly);
        c.template Reference<TImageList>("SmallImages", &TskListView::SmallImages, &TskListView::SetSmallImages);
        c.template Enum<TViewStyle>("ViewStyle", &TskListView::ViewStyle, &TskListView::SetViewStyle,
                                    {"vsIcon", "vsSmallIcon", "vsList", "vsReport"});
        c.Event("OnEdited", &TskListView::OnEdited);
        c.Event("OnSelectItem", &TskListView::OnSelectItem);
    });
    return info;
}

void TskListView::Init() {
    TCustomListView::Init();
    ControlStyle.Include(csOpaque);
    SetBorderStyle(bsNone);
    SetBorderWidth(2);
    syncing_ = mouseIsDown_ = false;
    SetUIStyle(GetOwnerFormUIStyle(Owner()));
}

void TskListView::CreateParams(TCreateParams& Params) {
    TCustomListView::CreateParams(Params);
    // The skinned bars lie over this window as its siblings: without
    // clipping them, its own painting would cover them.
    Params.Style |= WS_CLIPSIBLINGS;
}

void TskListView::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomListView::Notification(AComponent, Operation);
    if (!AComponent || Operation != opRemove) return;
    bars_.Forget(AComponent);
    if (FileThemeRemoved(fileTheme_, AComponent, Operation)) SetUIStyle(TskUIStyle::DeepBlue);
}

void TskListView::SetUIStyle(TskUIStyle Value) {
    uiStyle_ = Value;
    borderColor_ = bars_.ApplyStyle(fileTheme_, Value);
    Repaint();
}

void TskListView::SetFileTheme(TskFileTheme* Value) {
    fileTheme_ = Value;
    SetUIStyle(uiStyle_);
}

void TskListView::SetBorderColor(TColor Value) {
    borderColor_ = Value;
    Repaint();
}

void TskListView::AttachBar(TskProgressBarOrientation Side, TskScrollBar* Value, const TNotifyEvent& Change) {
    if (!bars_.Replace(Side, Value) || !Value) return;
    Value->SetSmallChange(5);
    TskAttachedScrollBars::Hook(Value, Side, Change);
    PlaceScrollBars();
}

void TskListView::SetVScrollBar(TskScrollBar* Value) {
    AttachBar(skVertical, Value, TNotifyEvent::Bind<&TskListView::VScrollBarChange>(this));
}

void TskListView::SetHScrollBar(TskScrollBar* Value) {
    AttachBar(skHorizontal, Value, TNotifyEvent::Bind<&TskListView::HScrollBarChange>(this));
}

void TskListView::HScrollBarChange(TObject*) {
    if (syncing_ || !bars_.Horizontal()) return;
    Scroll(bars_.Horizontal()->LastScrollDelta(), 0);
}

void TskListView::VScrollBarChange(TObject*) {
    if (syncing_ || !bars_.Vertical()) return;
    const int change = bars_.Vertical()->LastScrollDelta();  // read once: each message below syncs the bar
    if (ViewStyle() != vsReport) {
        Scroll(0, change);
        return;
    }
    if (!HandleAllocated()) return;
    const WPARAM step = change > 0 ? MAKEWPARAM(SB_LINEDOWN, 0) : MAKEWPARAM(SB_LINEUP, 0);
    for (long long n = std::llabs(static_cast<long long>(change)); n > 0; --n) SendMessageA(Handle(), WM_VSCROLL, step, 0);
    Invalidate();
}

void TskListView::SyncScrollBars() {
    if (IsLoading() || !HandleAllocated()) return;
    syncing_ = true;
    bars_.CopyNativeState(skVertical, false);
    bars_.CopyNativeState(skHorizontal, false);
    syncing_ = false;
}

void TskListView::PlaceScrollBars() {
    if (IsLoading()) return;
    bars_.Place();
    SyncScrollBars();
}

void TskListView::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_SIZE) {
        PlaceScrollBars();
        TCustomListView::Dispatch(Message);
        PlaceScrollBars();
        return;
    }
    TCustomListView::Dispatch(Message);
    switch (Message.Msg) {
        case CM_ENABLEDCHANGED: SyncScrollBars(); break;
        case CM_VISIBLECHANGED:
            if (Visible()) {
                SyncScrollBars();
            } else {
                bars_.Hide();
            }
            break;
        case WM_MOVE: PlaceScrollBars(); break;
        case WM_DELETEITEM:
        case WM_KEYDOWN:
        case WM_MOUSEWHEEL:
        case WM_HSCROLL:
        case WM_VSCROLL: SyncScrollBars(); break;
        case WM_LBUTTONDOWN:
            mouseIsDown_ = true;
            SyncScrollBars();
            break;
        case WM_LBUTTONUP: mouseIsDown_ = false; break;
        case WM_MOUSEMOVE:
            if (mouseIsDown_) SyncScrollBars();
            break;
        case WM_PAINT:
        case WM_ERASEBKGND:
            if (HandleAllocated()) PaintWindowBorder(this, borderColor_, Color(), true);
            break;
        case WM_SETREDRAW:
            // Only an empty list is sorted here, so this has no visible effect.
            if ((Message.WParam & 0xFF) != 0 && Items()->Count() == 0) AlphaSort();
            break;
        default: break;
    }
}
