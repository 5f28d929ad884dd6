#include "SkinMemo.h"

#include "NativeScrollBarState.h"
#include "SkinPublic.h"
#include "SkinThemes.h"
#include "ThemeKeys.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

const TClassInfo& TskMemo::StaticClassInfo() {
    static const TClassInfo info = DescribeClass<TskMemo, TCustomMemo>("TskMemo", [](auto& c) {
        c.template Reference<TskFileTheme>("FileTheme", &TskMemo::FileTheme, &TskMemo::SetFileTheme);
        c.template Enum<TskUIStyle>("UIStyle", &TskMemo::UIStyle, &TskMemo::SetUIStyle, UIStyleNames());
        c.Int("BorderColor", &TskMemo::BorderColor, &TskMemo::SetBorderColor);
        c.template Reference<TskScrollBar>("VScrollBar", &TskMemo::VScrollBar, &TskMemo::SetVScrollBar);
        c.template Reference<TskScrollBar>("HScrollBar", &TskMemo::HScrollBar, &TskMemo::SetHScrollBar);
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
    if (AComponent == hScrollBar_) {
        hScrollBar_ = nullptr;
        UpdateNativeScrollBars();
    }
    if (AComponent == vScrollBar_) {
        vScrollBar_ = nullptr;
        UpdateNativeScrollBars();
    }
    if (AComponent == fileTheme_) {
        fileTheme_ = nullptr;
        SetUIStyle(TskUIStyle::DeepBlue);
    }
}

void TskMemo::SetUIStyle(TskUIStyle Value) {
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

void TskMemo::SetFileTheme(TskFileTheme* Value) {
    fileTheme_ = Value;
    if (vScrollBar_) vScrollBar_->SetFileTheme(Value);
    if (hScrollBar_) hScrollBar_->SetFileTheme(Value);
    SetUIStyle(uiStyle_);
}

void TskMemo::SetBorderColor(TColor Value) {
    borderColor_ = Value;
    Repaint();
}

void TskMemo::ReleaseBar(TskScrollBar* Bar) {
    if (!Bar) return;
    Bar->SetOnChange(TNotifyEvent{});
    Bar->SetLineButton(0);
    Bar->SetMax(100);
    Bar->SetEnabled(true);
}

void TskMemo::SetVScrollBar(TskScrollBar* Value) {
    if (Value == vScrollBar_) return;
    ReleaseBar(vScrollBar_);
    vScrollBar_ = Value;
    if (!Value) {
        UpdateNativeScrollBars();
        return;
    }
    Value->SetOrientation(skVertical);
    Value->SetOnChange(TNotifyEvent::Bind<&TskMemo::VScrollBarChange>(this));
    Value->BringToFront();
    UpdateNativeScrollBars();
    PlaceScrollBars();
}

void TskMemo::SetHScrollBar(TskScrollBar* Value) {
    if (Value == hScrollBar_) return;
    ReleaseBar(hScrollBar_);
    hScrollBar_ = Value;
    if (!Value) {
        UpdateNativeScrollBars();
        return;
    }
    Value->SetOrientation(skHorizontal);
    Value->SetOnChange(TNotifyEvent::Bind<&TskMemo::HScrollBarChange>(this));
    Value->BringToFront();
    UpdateNativeScrollBars();
    PlaceScrollBars();
}

void TskMemo::UpdateNativeScrollBars() {
    SetScrollBars(vScrollBar_ && hScrollBar_ ? ssBoth : vScrollBar_ ? ssVertical : hScrollBar_ ? ssHorizontal : ssNone);
}

void TskMemo::VScrollBarChange(TObject*) {
    if (syncing_ || !vScrollBar_ || !HandleAllocated()) return;
    scrollingFromBar_ = true;
    const int position = vScrollBar_->Position();
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
    if (syncing_ || !hScrollBar_ || !HandleAllocated()) return;
    scrollingFromBar_ = true;
    SendMessageA(Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, hScrollBar_->Position()), 0);
    Invalidate();
    scrollingFromBar_ = false;
}

void TskMemo::SyncBar(TskScrollBar* Bar, bool Horizontal) {
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof(SCROLLBARINFO);  // 60
    GetScrollBarInfo(Handle(), Horizontal ? OBJID_HSCROLL : OBJID_VSCROLL, &bar);
    if (!NativeScrollBarUsable(static_cast<std::uint32_t>(bar.rgstate[0]))) {
        Bar->SetLineButton(0);
        Bar->SetEnabled(false);
        Bar->SetSliderVisible(false);
    } else {
        Bar->SetLineButton(std::abs(bar.xyThumbBottom - bar.xyThumbTop));
        if (Horizontal) Bar->SetSmallChange((3 * Bar->PageSize()) & 0xFFFF);
        Bar->SetEnabled(true);
        Bar->SetSliderVisible(true);
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

void TskMemo::SyncScrollBars() {
    if (scrollingFromBar_ || !HandleAllocated()) return;
    syncing_ = true;
    if (hScrollBar_) SyncBar(hScrollBar_, true);
    if (vScrollBar_) SyncBar(vScrollBar_, false);
    syncing_ = false;
}

void TskMemo::PlaceScrollBars() {
    if (hScrollBar_) {
        hScrollBar_->SetVisible(hScrollBar_->Height() <= Height());
        hScrollBar_->SetLeft(Left() + 1);
        hScrollBar_->SetTop(Top() + Height() - hScrollBar_->Height() - 2);
        hScrollBar_->SetWidth(Width() - 2 - (vScrollBar_ ? vScrollBar_->Width() : 0));
    }
    if (vScrollBar_) {
        vScrollBar_->SetVisible(vScrollBar_->Width() <= Width());
        vScrollBar_->SetLeft(Left() + Width() - vScrollBar_->Width() - 2);
        vScrollBar_->SetTop(Top() + 1);
        vScrollBar_->SetHeight(Height() - 2 - (hScrollBar_ ? hScrollBar_->Height() : 0));
    }
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
                if (vScrollBar_) vScrollBar_->SetVisible(true);
                if (hScrollBar_) hScrollBar_->SetVisible(true);
                PlaceScrollBars();
            } else {
                if (vScrollBar_) vScrollBar_->SetVisible(false);
                if (hScrollBar_) hScrollBar_->SetVisible(false);
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
