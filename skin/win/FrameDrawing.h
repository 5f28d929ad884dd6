#pragma once
// What the form frame and the MDI frame draw alike: the outer border with the
// inner bands of the native frame, the caption pictures carried on into it,
// the window region with its rounded top corners, and the buttons of a menu
// bar. Each frame passes in where it differs: which colour fills the bands,
// where the side bands start, whether a menu bar sits between them, and how
// a disabled menu button looks.

#include "FileTheme.h"
#include "ToolBar.h"
#include "UIStyle.h"

#include <windows.h>

#include <optional>
#include <string>

class TskTitleBar;

struct TskFrameBorderLook {
    int BorderWidth = 1;
    TColor BorderColor = 0;
    // The bands between the border and the client area, and the strip under
    // a hidden title bar.
    TColor InnerColor = 0;
    // Where the left and right inner bands start.
    int SideBandTop = 0;
    // A menu bar's colour continued beside it; height 0 for none.
    int MenuBandTop = 0;
    int MenuBandHeight = 0;
    TColor MenuBandColor = 0;
    // The corner arcs are drawn for a one-pixel border and this radius 11.
    int RoundCorner = 0;
    bool Designing = false;
};

// Paints the non-client frame of Wnd (nothing while it is minimised outside
// design). TitleBar may be null.
void PaintFrameBorder(HWND Wnd, const TskFrameBorderLook& Look, TskTitleBar* TitleBar);

// Rounds the top corners of Wnd by Radius and hands it the region.
void SetFrameRegion(HWND Wnd, int Radius);

// The colour a theme file gives a dark menu bar instead of the frame's, if it
// marks one by its control font colour.
std::optional<TColor> ThemeDarkMenuBarColor(const TskResolvedTheme& Theme);

// Draws Button of a frame's menu bar in Style and Theme. Font is the skinned
// menu's kept font, or null for the bar's own. With GreyDisabled a disabled
// button's caption is grey, else it keeps the normal colour.
void DrawFrameMenuBarButton(TToolBar* Sender, TToolButton* Button, TCustomDrawState State, TskUIStyle Style,
                            const TskResolvedTheme& Theme, HFONT Font, bool GreyDisabled);
