#pragma once
// Where the tabs of a skinned tab strip go, which one a click hits, and where
// its two scroll buttons sit. Pure arithmetic over a list of tabs (the width
// of each caption as measured in the strip's font, and whether the tab is
// shown); the strip draws what this computes. Any number of tabs is laid out.

#include "GraphicsTypes.h"

#include <vector>

// What the strip knows of one tab before laying it out.
struct TskTabSpec {
    bool EmptyCaption = false;
    int TextWidth = 0;  // the caption's width in the strip's font
    bool Visible = true;
};

// An empty caption gives 80 pixels; any other the text width + 20, at least 15.
int TabWidthForCaption(bool EmptyCaption, int TextWidth);

struct TskTabLayoutInput {
    std::vector<TskTabSpec> Tabs;
    int TabIndex = -1;        // the active tab, drawn one pixel lower
    int FirstTab = 0;         // visible tabs scrolled off at the left
    int LeftMargin = 10;      // x of the first drawn tab
    int StripWidth = 0;
    int ScrollButtonWidth = 0;
    int TabPictureHeight = 0; // height of an inactive tab
};

// The state of one tab after a layout.
struct TskTabPlace {
    // Width as laid out: 0 for a hidden tab, -1 for a tab the layout did not
    // reach (after the clipped one); a clipped tab records what is drawn.
    int Width = -1;
    bool Drawn = false;    // shown on the strip (not hidden, scrolled off or unreached)
    bool Clipped = false;  // cut at the scroll limit; caption left-aligned
    TRect Rect;            // where it is drawn, when Drawn
};

struct TskTabLayout {
    std::vector<TskTabPlace> Places;  // one per tab, in tab order
    int LastWhole = -1;               // index of the last tab shown whole
    bool ShowScrollButtons = false;   // the tabs do not fit
};

// Tabs from LeftMargin, the clipped one cut at W - 2 x button width - 2
// (the last tab may reach W - 10), no tab after a clipped one.
TskTabLayout LayoutTabs(const TskTabLayoutInput& Input);

// Raises Input.FirstTab one step at a time until the active tab is shown
// whole, or is the first one shown (a tab wider than the strip can never be
// whole). Answers the layout at the final position.
TskTabLayout ScrollActiveIntoView(TskTabLayoutInput& Input);

// The tab whose drawn area holds (X, Y) strictly inside, above TabHeight,
// or -1. Only tabs drawn by Layout can be hit.
int HitTestTabs(const TskTabLayout& Layout, int TabHeight, int X, int Y);

// The two scroll buttons at the right end of the strip, the right one outermost.
struct TskScrollButtonRects {
    TRect Right, Left;
};
TskScrollButtonRects ScrollButtonRects(int StripWidth, int StripHeight, int ButtonWidth, int ButtonHeight);
// 1 when P is on the right button, -1 on the left one, else 0 (edges count).
int ScrollButtonAt(const TskScrollButtonRects& Buttons, TPoint P);
