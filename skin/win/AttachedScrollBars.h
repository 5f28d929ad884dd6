#pragma once
// What the memo and the list view share about the two skinned scroll bars
// they carry: attaching and releasing a bar, handing the style on, laying the
// bars over the host's right and bottom border, and copying a native bar's
// state into its skinned bar. The hosts differ in who decides whether a bar
// shows: the memo's placement hides a bar that does not fit and a disabled
// bar only loses its thumb; the list view's sync hides a bar whose native
// bar is not in use, and its placement never hides one.

#include "ClassInfo.h"
#include "FileTheme.h"
#include "SkinScrollBar.h"
#include "UIStyle.h"

class TWinControl;

class TskAttachedScrollBars {
public:
    enum class TVisibility { ByPlacement, ByNativeBar };

    TskAttachedScrollBars(TWinControl* Host, TVisibility Visibility) : host_(Host), visibility_(Visibility) {}
    TskAttachedScrollBars(const TskAttachedScrollBars&) = delete;
    TskAttachedScrollBars& operator=(const TskAttachedScrollBars&) = delete;

    TskScrollBar* Vertical() const { return vertical_; }
    TskScrollBar* Horizontal() const { return horizontal_; }

    // False, doing nothing, when Bar is already the one on Side. Otherwise the
    // bar there before is released (no change handler, thumb length 0, Max
    // 100, enabled; its thumb and visibility stay) and Bar takes its place;
    // the host then hooks a bar that is not null.
    bool Replace(TskProgressBarOrientation Side, TskScrollBar* Bar);
    // Turns Bar to its side, routes its changes to Change and brings it above
    // the host, whose sibling it is.
    static void Hook(TskScrollBar* Bar, TskProgressBarOrientation Side, const TNotifyEvent& Change);
    // For the host's Notification: forgets a removed bar; true when it was one.
    bool Forget(const TComponent* AComponent);

    // Each attached bar, vertical first, takes the style the host resolved;
    // the answer is the host's border colour in it.
    TColor ApplyStyle(const TskFileTheme* FileTheme, TskUIStyle Style);
    void SetFileTheme(TskFileTheme* Value);
    void Hide();

    // Lays the bars over the host's border in the parent's coordinates,
    // horizontal first. It does not sync.
    void Place();
    // Copies the host's native bar on Side into the bar attached there (none:
    // nothing): usable or not, the thumb length, then the range and position.
    // StepByPage sets the arrow step to three pages when the native bar is
    // usable. The host's window must exist.
    void CopyNativeState(TskProgressBarOrientation Side, bool StepByPage) const;

private:
    // Whether the other bar takes its share of a bar's length.
    bool TakesLength(const TskScrollBar* Other) const;

    TWinControl* host_;
    TVisibility visibility_;
    TskScrollBar* vertical_ = nullptr;
    TskScrollBar* horizontal_ = nullptr;
};

// Publishes what a host of attached bars adds to its base, in stored order:
// FileTheme, UIStyle, BorderColor, VScrollBar, HScrollBar.
template <class C, class B>
void PublishAttachedScrollBars(B& c) {
    c.template Reference<TskFileTheme>("FileTheme", &C::FileTheme, &C::SetFileTheme);
    c.template Enum<TskUIStyle>("UIStyle", &C::UIStyle, &C::SetUIStyle, UIStyleNames());
    c.Int("BorderColor", &C::BorderColor, &C::SetBorderColor);
    c.template Reference<TskScrollBar>("VScrollBar", &C::VScrollBar, &C::SetVScrollBar);
    c.template Reference<TskScrollBar>("HScrollBar", &C::HScrollBar, &C::SetHScrollBar);
}
