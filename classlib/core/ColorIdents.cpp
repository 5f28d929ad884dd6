// Colour identifiers as stored descriptions write them. System colours are
// the Win32 COLOR_ index with the high byte $FF, so they survive as TColor
// values until ColorToRGB resolves them for drawing.
#include "ClassInfo.h"

namespace {
constexpr std::int64_t System(int Index) { return static_cast<std::int32_t>(0xFF000000u | static_cast<unsigned>(Index)); }
}  // namespace

const TIdentTable& ColorIdentTable() {
    static const TIdentTable table = {
        {"clBlack", 0x000000},      {"clMaroon", 0x000080},    {"clGreen", 0x008000},
        {"clOlive", 0x008080},      {"clNavy", 0x800000},      {"clPurple", 0x800080},
        {"clTeal", 0x808000},       {"clGray", 0x808080},      {"clSilver", 0xC0C0C0},
        {"clRed", 0x0000FF},        {"clLime", 0x00FF00},      {"clYellow", 0x00FFFF},
        {"clBlue", 0xFF0000},       {"clFuchsia", 0xFF00FF},   {"clAqua", 0xFFFF00},
        {"clWhite", 0xFFFFFF},      {"clNone", 0x1FFFFFFF},    {"clDefault", 0x20000000},
        {"clScrollBar", System(0)}, {"clBackground", System(1)}, {"clActiveCaption", System(2)},
        {"clInactiveCaption", System(3)}, {"clMenu", System(4)}, {"clWindow", System(5)},
        {"clWindowFrame", System(6)}, {"clMenuText", System(7)}, {"clWindowText", System(8)},
        {"clCaptionText", System(9)}, {"clActiveBorder", System(10)}, {"clInactiveBorder", System(11)},
        {"clAppWorkSpace", System(12)}, {"clHighlight", System(13)}, {"clHighlightText", System(14)},
        {"clBtnFace", System(15)}, {"clBtnShadow", System(16)}, {"clGrayText", System(17)},
        {"clBtnText", System(18)}, {"clInactiveCaptionText", System(19)}, {"clBtnHighlight", System(20)},
        {"cl3DDkShadow", System(21)}, {"cl3DLight", System(22)}, {"clInfoText", System(23)},
        {"clInfoBk", System(24)},
    };
    return table;
}
