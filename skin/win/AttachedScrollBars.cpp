#include "AttachedScrollBars.h"

#include "FileTheme.h"
#include "NativeScrollBarState.h"
#include "ThemeKeys.h"
#include "WinControl.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

bool TskAttachedScrollBars::Replace(TskProgressBarOrientation Side, TskScrollBar* Bar) {
    TskScrollBar*& slot = Side == skVertical ? vertical_ : horizontal_;
    if (Bar == slot) return false;
    if (slot) {
        slot->SetOnChange(TNotifyEvent{});
        slot->SetLineButton(0);
        slot->SetMax(100);
        slot->SetEnabled(true);
    }
    slot = Bar;
    return true;
}

void TskAttachedScrollBars::Hook(TskScrollBar* Bar, TskProgressBarOrientation Side, const TNotifyEvent& Change) {
    Bar->SetOrientation(Side);
    Bar->SetOnChange(Change);
    Bar->BringToFront();
}

bool TskAttachedScrollBars::Forget(const TComponent* AComponent) {
    if (!AComponent) return false;
    bool forgotten = false;
    if (AComponent == horizontal_) {
        horizontal_ = nullptr;
        forgotten = true;
    }
    if (AComponent == vertical_) {
        vertical_ = nullptr;
        forgotten = true;
    }
    return forgotten;
}

TColor TskAttachedScrollBars::ApplyStyle(const TskFileTheme* FileTheme, TskUIStyle Style) {
    const TskResolvedTheme theme(FileTheme, Style);
    const auto border = static_cast<TColor>(theme.Color(TskThemeKey::ControlBorderColor));
    if (vertical_) vertical_->SetUIStyle(theme.Resolved());
    if (horizontal_) horizontal_->SetUIStyle(theme.Resolved());
    return border;
}

void TskAttachedScrollBars::SetFileTheme(TskFileTheme* Value) {
    if (vertical_) vertical_->SetFileTheme(Value);
    if (horizontal_) horizontal_->SetFileTheme(Value);
}

void TskAttachedScrollBars::Hide() {
    if (vertical_) vertical_->SetVisible(false);
    if (horizontal_) horizontal_->SetVisible(false);
}

bool TskAttachedScrollBars::TakesLength(const TskScrollBar* Other) const {
    return Other && (visibility_ == TVisibility::ByPlacement || Other->Visible());
}

void TskAttachedScrollBars::Place() {
    const bool placementHides = visibility_ == TVisibility::ByPlacement;
    if (TskScrollBar* bar = horizontal_) {
        const bool fits = bar->Height() <= host_->Height();
        if (placementHides) bar->SetVisible(fits);
        if (!fits && !placementHides) {
            bar->SetTop(host_->Top());
        } else {
            bar->SetLeft(host_->Left() + 1);
            bar->SetTop(host_->Top() + host_->Height() - bar->Height() - 2);
            bar->SetWidth(host_->Width() - 2 - (TakesLength(vertical_) ? vertical_->Width() : 0));
        }
    }
    if (TskScrollBar* bar = vertical_) {
        const bool fits = bar->Width() <= host_->Width();
        if (placementHides) bar->SetVisible(fits);
        if (!fits && !placementHides) {
            bar->SetLeft(host_->Left());
        } else {
            bar->SetLeft(host_->Left() + host_->Width() - bar->Width() - 2);
            bar->SetTop(host_->Top() + 1);
            bar->SetHeight(host_->Height() - 2 - (TakesLength(horizontal_) ? horizontal_->Height() : 0));
        }
    }
}

void TskAttachedScrollBars::CopyNativeState(TskProgressBarOrientation Side, bool StepByPage) const {
    TskScrollBar* bar = Side == skVertical ? vertical_ : horizontal_;
    if (!bar) return;
    const bool horizontal = Side == skHorizontal;
    // A bar whose native bar is out of use shows it by losing its thumb, or
    // wholly where placement leaves the showing to the sync.
    auto show = [&](bool Value) {
        if (visibility_ == TVisibility::ByNativeBar)
            bar->SetVisible(Value);
        else
            bar->SetSliderVisible(Value);
    };
    SCROLLBARINFO native{};
    native.cbSize = sizeof(SCROLLBARINFO);  // 60
    GetScrollBarInfo(host_->Handle(), horizontal ? OBJID_HSCROLL : OBJID_VSCROLL, &native);
    if (!NativeScrollBarUsable(static_cast<std::uint32_t>(native.rgstate[0]))) {
        bar->SetLineButton(0);
        bar->SetEnabled(false);
        show(false);
    } else {
        bar->SetLineButton(std::abs(native.xyThumbBottom - native.xyThumbTop));
        if (StepByPage) bar->SetSmallChange((3 * bar->PageSize()) & 0xFFFF);
        bar->SetEnabled(true);
        show(true);
    }
    SCROLLINFO info{};
    info.cbSize = sizeof(SCROLLINFO);  // 28
    info.fMask = SIF_ALL;
    GetScrollInfo(host_->Handle(), horizontal ? SB_HORZ : SB_VERT, &info);
    const long long max = static_cast<long long>(info.nMax) - static_cast<long long>(info.nPage) + 1;
    bar->SetMax(static_cast<int>(std::clamp<long long>(max, INT_MIN, INT_MAX)));
    bar->SetMin(info.nMin);
    bar->SetPosition(info.nPos);
}
