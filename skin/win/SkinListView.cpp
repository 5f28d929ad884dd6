#include "SkinListView.h"

#include "Action.h"
#include "ImageList.h"
#include "NativeScrollBarState.h"
#include "SkinPublic.h"
#include "SkinThemes.h"
#include "ThemeKeys.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

const TClassInfo& TskListView::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskListView, TCustomListView>("TskListView", [](auto& c) {
        c.template Reference<TskFileTheme>("FileTheme", &TskListView::FileTheme, &TskListView::SetFileTheme);
        c.template Enum<TskUIStyle>("UIStyle", &TskListView::UIStyle, &TskListView::SetUIStyle, UIStyleNames());
        c.Int("BorderColor", &TskListView::BorderColor, &TskListView::SetBorderColor);
        c.template Reference<TskScrollBar>("VScrollBar", &TskListView::VScrollBar, &TskListView::SetVScrollBar);
        c.template Reference<TskScrollBar>("HScrollBar", &TskListView::HScrollBar, &TskListView::SetHScrollBar);
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
    if (AComponent == vScrollBar_) vScrollBar_ = nullptr;
    if (AComponent == hScrollBar_) hScrollBar_ = nullptr;
    if (AComponent == fileTheme_) {
        fileTheme_ = nullptr;
        SetUIStyle(TskUIStyle::DeepBlue);
    }
}

void TskListView::SetUIStyle(TskUIStyle Value) {
    uiStyle_ = Value;
    TskUIStyle effective = Value;
    const bool fromFile = ResolveUIStyle(fileTheme_, Value, effective);
    borderColor_ = static_cast<TColor>(fromFile ? fileTheme_->ReadColor(TskThemeKey::ControlBorderColor)
                                                : BuiltInThemeColor(effective, TskThemeKey::ControlBorderColor));
    const TskUIStyle barStyle = fromFile ? TskUIStyle::FromThemeFile : effective;
    if (vScrollBar_) vScrollBar_->SetUIStyle(barStyle);
    if (hScrollBar_) hScrollBar_->SetUIStyle(barStyle);
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

void TskListView::AttachBar(TskScrollBar*& Slot, TskScrollBar* Value, TskProgressBarOrientation Orientation,
                            const TNotifyEvent& Change) {
    if (Value == Slot) return;
    if (Slot) {
        Slot->SetOnChange(TNotifyEvent{});
        Slot->SetLineButton(0);
        Slot->SetMax(100);
        Slot->SetEnabled(true);
    }
    Slot = Value;
    if (!Value) return;
    Value->SetSmallChange(5);
    Value->SetOrientation(Orientation);
    Value->SetOnChange(Change);
    Value->BringToFront();
    PlaceScrollBars();
}

void TskListView::SetVScrollBar(TskScrollBar* Value) {
    AttachBar(vScrollBar_, Value, skVertical, TNotifyEvent::Bind<&TskListView::VScrollBarChange>(this));
}

void TskListView::SetHScrollBar(TskScrollBar* Value) {
    AttachBar(hScrollBar_, Value, skHorizontal, TNotifyEvent::Bind<&TskListView::HScrollBarChange>(this));
}

void TskListView::HScrollBarChange(TObject*) {
    if (syncing_ || !hScrollBar_) return;
    Scroll(hScrollBar_->LastScrollDelta(), 0);
}

void TskListView::VScrollBarChange(TObject*) {
    if (syncing_ || !vScrollBar_) return;
    const int change = vScrollBar_->LastScrollDelta();  // read once: each message below syncs the bar
    if (ViewStyle() != vsReport) {
        Scroll(0, change);
        return;
    }
    if (!HandleAllocated()) return;
    const WPARAM step = change > 0 ? MAKEWPARAM(SB_LINEDOWN, 0) : MAKEWPARAM(SB_LINEUP, 0);
    for (long long n = std::llabs(static_cast<long long>(change)); n > 0; --n) SendMessageA(Handle(), WM_VSCROLL, step, 0);
    Invalidate();
}

void TskListView::SyncBar(TskScrollBar* Bar, bool Horizontal) {
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof(SCROLLBARINFO);  // 60
    GetScrollBarInfo(Handle(), Horizontal ? OBJID_HSCROLL : OBJID_VSCROLL, &bar);
    if (!NativeScrollBarUsable(static_cast<std::uint32_t>(bar.rgstate[0]))) {
        Bar->SetLineButton(0);
        Bar->SetEnabled(false);
        Bar->SetVisible(false);
    } else {
        Bar->SetLineButton(std::abs(bar.xyThumbBottom - bar.xyThumbTop));
        Bar->SetEnabled(true);
        Bar->SetVisible(true);
    }
    SCROLLINFO info{};
    info.cbSize = sizeof(SCROLLINFO);  // 28
    info.fMask = SIF_ALL;
    GetScrollInfo(Handle(), Horizontal ? SB_HORZ : SB_VERT, &info);
    const long long max = static_cast<long long>(info.nMax) - static_cast<long long>(info.nPage) + 1;
    Bar->SetMax(static_cast<int>(std::clamp<long long>(max, INT_MIN, INT_MAX)));
    Bar->SetMin(info.nMin);
    Bar->SetPosition(info.nPos);
}

void TskListView::SyncScrollBars() {
    if (IsLoading() || !HandleAllocated()) return;
    syncing_ = true;
    if (vScrollBar_) SyncBar(vScrollBar_, false);
    if (hScrollBar_) SyncBar(hScrollBar_, true);
    syncing_ = false;
}

void TskListView::PlaceScrollBars() {
    if (IsLoading()) return;
    if (hScrollBar_) {
        if (hScrollBar_->Height() > Height()) {
            hScrollBar_->SetTop(Top());
        } else {
            hScrollBar_->SetLeft(Left() + 1);
            hScrollBar_->SetTop(Top() + Height() - hScrollBar_->Height() - 2);
            const bool vShown = vScrollBar_ && vScrollBar_->Visible();
            hScrollBar_->SetWidth(Width() - 2 - (vShown ? vScrollBar_->Width() : 0));
        }
    }
    if (vScrollBar_) {
        if (vScrollBar_->Width() > Width()) {
            vScrollBar_->SetLeft(Left());
        } else {
            vScrollBar_->SetLeft(Left() + Width() - vScrollBar_->Width() - 2);
            vScrollBar_->SetTop(Top() + 1);
            const bool hShown = hScrollBar_ && hScrollBar_->Visible();
            vScrollBar_->SetHeight(Height() - 2 - (hShown ? hScrollBar_->Height() : 0));
        }
    }
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
                if (vScrollBar_) vScrollBar_->SetVisible(false);
                if (hScrollBar_) hScrollBar_->SetVisible(false);
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
