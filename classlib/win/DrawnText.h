#pragma once
// How far text painted by DrawTextA really reaches. DrawTextA measures
// (DT_CALCRECT) by the advances the font reports, but the glyphs it paints may
// reach past them: a slanted or hooked last letter overhangs its advance, and
// Wine places small glyphs it renders without smoothing by the advances of
// their monochrome hinting, which can be wider than the ones it reports, so a
// line comes out a few pixels wider than its measure.

#include "GraphicsTypes.h"

#include <windows.h>

#include <string>

class TFont;

struct TDrawnTextExtent {
    // DrawTextA's own measure of the text in the rectangle given.
    TRect Layout;
    // The smallest rectangle holding Layout and every pixel the text sets
    // when painted in Layout; same coordinates as Layout.
    TRect Painted;
};

// Text laid out in Layout with Flags (as for DrawTextA; DT_CALCRECT is
// implied), measured and then painted on a bitmap like the screen's to see
// where its pixels land.
TDrawnTextExtent MeasureDrawnText(TFont* Font, const std::string& Text, const TRect& Layout, UINT Flags);
