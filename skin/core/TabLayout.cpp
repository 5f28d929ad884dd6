#include "TabLayout.h"

#include "SkinGeometry.h"

#include <algorithm>

int TabWidthForCaption(bool EmptyCaption, int TextWidth) {
    if (EmptyCaption) return 80;
    return std::max(TextWidth + 20, 15);
}

TskTabLayout LayoutTabs(const TskTabLayoutInput& Input) {
    TskTabLayout out;
    const int count = static_cast<int>(Input.Tabs.size());
    out.Places.resize(Input.Tabs.size());
    out.LastWhole = count - 1;
    const int scrollLimit = Input.StripWidth - 2 * Input.ScrollButtonWidth - 2;
    const int lastLimit = Input.StripWidth - 10;
    int x = Input.LeftMargin, seen = 0, limit = lastLimit;
    bool truncated = false;
    for (int i = 0; i < count; ++i) {
        const TskTabSpec& tab = Input.Tabs[static_cast<size_t>(i)];
        TskTabPlace& place = out.Places[static_cast<size_t>(i)];
        limit = i == count - 1 ? lastLimit : scrollLimit;
        if (!tab.Visible) {
            place.Width = 0;
            continue;
        }
        if (truncated) break;
        const int w = TabWidthForCaption(tab.EmptyCaption, tab.TextWidth);
        place.Width = w;
        if (++seen <= Input.FirstTab) continue;
        const bool active = i == Input.TabIndex;
        TRect r = active ? Rect(x, 1, x + w, Input.TabPictureHeight + 1) : Rect(x, 0, x + w, Input.TabPictureHeight);
        if (r.Right > limit) {
            // A strip narrower than the margin leaves no room at all.
            r.Right = std::max(scrollLimit, r.Left);
            place.Clipped = true;
            truncated = true;
            out.LastWhole = i - 1;
        }
        place.Width = r.Right - r.Left;
        place.Rect = r;
        place.Drawn = true;
        x += w;
    }
    out.ShowScrollButtons = (truncated || x > limit) && count > 0;
    return out;
}

TskTabLayout ScrollActiveIntoView(TskTabLayoutInput& Input) {
    int visibleBefore = 0;
    const int count = static_cast<int>(Input.Tabs.size());
    for (int i = 0; i < std::min(Input.TabIndex, count); ++i)
        if (Input.Tabs[static_cast<size_t>(i)].Visible) ++visibleBefore;
    TskTabLayout layout = LayoutTabs(Input);
    if (Input.TabIndex < 0 || Input.TabIndex >= count) return layout;
    while (layout.LastWhole < Input.TabIndex && Input.FirstTab < visibleBefore) {
        ++Input.FirstTab;
        layout = LayoutTabs(Input);
    }
    return layout;
}

int HitTestTabs(const TskTabLayout& Layout, int TabHeight, int X, int Y) {
    if (Y <= 0 || Y >= TabHeight) return -1;
    for (size_t i = 0; i < Layout.Places.size(); ++i) {
        const TskTabPlace& p = Layout.Places[i];
        if (!p.Drawn) continue;
        const int left = p.Rect.Left, right = p.Rect.Left + p.Width;
        if (left < X && X < right) return static_cast<int>(i);
    }
    return -1;
}

TskScrollButtonRects ScrollButtonRects(int StripWidth, int StripHeight, int ButtonWidth, int ButtonHeight) {
    const int rx = StripWidth - 2 - ButtonWidth;
    const int y = StripHeight > ButtonHeight + 4 ? (StripHeight - ButtonHeight) / 2 - 2 : 0;
    return {Rect(rx, y, StripWidth - 2, y + ButtonHeight), Rect(rx - ButtonWidth, y, rx, y + ButtonHeight)};
}

int ScrollButtonAt(const TskScrollButtonRects& Buttons, TPoint P) {
    // The buttons share their inner edge, which belongs to the left one.
    if (PointInRect(P, Buttons.Left)) return -1;
    if (PointInRect(P, Buttons.Right)) return 1;
    return 0;
}
