#include "Looks.h"

#include <stdexcept>

namespace {

Rgb C(int r, int g, int b) { return {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)}; }

Rgb TableColor(TskUIStyle s, TskThemeKey k) { return FromTColor(static_cast<std::uint32_t>(BuiltInThemeColor(s, k))); }

void TableColors(Look& l) {
    l.FormBg = TableColor(l.Style, TskThemeKey::FormBackgroundColor);
    l.ScrollBg = TableColor(l.Style, TskThemeKey::ScrollBarBackgroundColor);
    l.ControlBg = TableColor(l.Style, TskThemeKey::ControlBackgroundColor);
}

// The modern rendition of the classic blue Windows look: bright blue caption
// with a light top edge, white-rimmed rounded caption buttons, a red close
// button, cream push buttons with an orange hover ring and green check marks.
Look WinXP() {
    Look l;
    l.Style = TskUIStyle::WinXP;
    TableColors(l);
    l.TitleHeight = 29;
    l.TitleLeftWidth = 35;
    l.TitleClientWidth = 37;
    l.TitleRightWidth = 35;
    l.TitleCorner = 7;
    l.TitleOutline = C(0, 44, 200);
    l.TitlePaint = Gradient({{0.5, C(20, 70, 225)}, {1.5, C(90, 165, 255)}, {3.5, C(52, 136, 252)},
                             {8, C(16, 100, 242)}, {16, C(3, 84, 230)}, {24, C(0, 76, 222)}, {27, C(0, 62, 208)},
                             {28.5, C(0, 44, 200)}});
    auto& tb = l.TitleButton;
    tb.Size = 21;
    tb.Top = 5;
    tb.Radius = 3.5;
    tb.Normal = {C(94, 152, 255), C(24, 92, 236)};
    tb.Hot = {C(134, 184, 255), C(52, 124, 255)};
    tb.Pressed = {C(14, 60, 190), C(52, 112, 238)};
    tb.CloseNormal = {C(238, 134, 100), C(204, 62, 30)};
    tb.CloseHot = {C(255, 166, 132), C(230, 88, 52)};
    tb.ClosePressed = {C(168, 44, 18), C(212, 84, 52)};
    tb.Edge = C(255, 255, 255);
    tb.EdgeOpacity = 0.92;
    tb.Glyph = C(255, 255, 255);
    tb.Gloss = 0.18;

    l.ButtonWidth = 18;
    l.ButtonHeight = 21;
    l.ButtonRadius = 3.5;
    l.ButtonNormal = {C(255, 255, 255), C(214, 208, 197)};
    l.ButtonHot = {C(255, 255, 255), C(214, 208, 197)};
    l.ButtonPressed = {C(209, 204, 193), C(244, 243, 238)};
    l.ButtonEdge = C(0, 60, 116);
    l.ButtonHotEdge = C(0, 60, 116);
    l.ButtonPressedEdge = C(0, 60, 116);
    l.ButtonHotRing = true;
    l.HotRing = {C(255, 230, 170), C(230, 150, 10)};

    l.BoxFace = {C(220, 220, 215), C(255, 255, 255)};
    l.BoxFaceDisabled = {C(250, 250, 248), C(250, 250, 248)};
    l.BoxEdge = C(28, 81, 128);
    l.BoxEdgeDisabled = C(202, 200, 187);
    l.Mark = C(33, 161, 33);
    l.MarkDisabled = C(202, 200, 187);
    l.BoxRadius = 1;

    l.ScrollRadius = 2.5;
    l.ScrollNormal = {C(226, 236, 254), C(182, 204, 251)};
    l.ScrollHot = {C(246, 250, 255), C(200, 220, 255)};
    l.ScrollPressed = {C(84, 118, 226), C(132, 164, 244)};
    l.ScrollEdge = C(170, 192, 240);
    l.ScrollArrow = C(77, 97, 133);
    l.ScrollArrowPressed = C(255, 255, 255);
    l.Thumb = {C(210, 224, 253), C(176, 198, 248)};
    l.ThumbEdge = C(150, 174, 232);
    l.ThumbGrip = C(238, 244, 254);

    l.TabHeight = 18;
    l.TabPart = 3;
    l.TabLineHeight = 1;
    l.TabRadius = 2.5;
    l.TabActive = {C(255, 255, 255), C(252, 252, 254)};
    l.TabInactive = {C(255, 255, 255), C(236, 235, 230)};
    l.TabEdge = C(145, 155, 156);
    l.TabActiveTop = C(255, 200, 60);
    l.TabLinePaint = Solid(C(145, 155, 156));

    l.TrackBarPart = 15;
    l.TrackBarHeight = 8;
    l.SliderWidth = 11;
    l.SliderHeight = 21;
    l.TrackGroove = {C(236, 235, 230), C(252, 252, 250)};
    l.TrackEdge = C(157, 156, 153);
    l.SliderFace = {C(255, 255, 255), C(222, 221, 214)};
    l.SliderEdge = C(28, 81, 128);
    l.SliderAccent = C(33, 161, 33);

    l.Accent = C(49, 105, 198);
    l.AccentDark = C(0, 60, 116);
    l.Progress = {C(140, 232, 130), C(20, 180, 40)};
    return l;
}

// The default style: a deep navy caption with a glassy split, square caption
// buttons, silver controls framed in navy.
Look DeepBlue() {
    Look l;
    l.Style = TskUIStyle::DeepBlue;
    TableColors(l);
    l.TitleHeight = 32;
    l.TitleLeftWidth = 28;
    l.TitleClientWidth = 30;
    l.TitleRightWidth = 28;
    l.TitleOutline = C(6, 14, 48);
    l.TitlePaint = Gradient({{0.5, C(6, 14, 48)}, {1.5, C(96, 126, 206)}, {3, C(62, 94, 186)}, {16, C(32, 58, 146)},
                             {16.5, C(18, 40, 118)}, {29, C(14, 34, 104)}, {31, C(8, 20, 70)}});
    auto& tb = l.TitleButton;
    tb.Size = 19;
    tb.Top = 2;
    tb.Radius = 2;
    tb.Normal = {C(70, 100, 190), C(30, 56, 140)};
    tb.Hot = {C(110, 140, 230), C(50, 84, 180)};
    tb.Pressed = {C(20, 40, 110), C(50, 76, 160)};
    tb.CloseNormal = {C(214, 80, 70), C(150, 26, 22)};
    tb.CloseHot = {C(240, 110, 96), C(190, 40, 32)};
    tb.ClosePressed = {C(120, 18, 14), C(170, 50, 40)};
    tb.Edge = C(150, 176, 240);
    tb.Glyph = C(255, 255, 255);
    tb.Gloss = 0.12;

    l.ButtonWidth = 74;
    l.ButtonHeight = 21;
    l.ButtonRadius = 2.5;
    l.ButtonNormal = {C(252, 252, 255), C(212, 218, 232)};
    l.ButtonHot = {C(236, 242, 255), C(184, 204, 246)};
    l.ButtonPressed = {C(168, 186, 230), C(214, 224, 246)};
    l.ButtonEdge = C(24, 44, 110);
    l.ButtonHotEdge = C(40, 80, 190);
    l.ButtonPressedEdge = C(14, 30, 90);

    l.BoxFace = {C(255, 255, 255), C(226, 232, 246)};
    l.BoxFaceDisabled = {C(240, 240, 240), C(240, 240, 240)};
    l.BoxEdge = C(24, 44, 110);
    l.BoxEdgeDisabled = C(170, 172, 180);
    l.Mark = C(24, 44, 130);
    l.MarkDisabled = C(170, 172, 180);

    l.ScrollRadius = 1.5;
    l.ScrollNormal = {C(240, 243, 250), C(204, 212, 232)};
    l.ScrollHot = {C(226, 236, 255), C(180, 200, 246)};
    l.ScrollPressed = {C(64, 94, 184), C(40, 66, 150)};
    l.ScrollEdge = C(92, 108, 160);
    l.ScrollArrow = C(24, 44, 110);
    l.ScrollArrowPressed = C(255, 255, 255);
    l.Thumb = {C(96, 126, 206), C(34, 62, 150)};
    l.ThumbEdge = C(18, 36, 100);
    l.ThumbGrip = C(160, 182, 236);

    l.TabHeight = 20;
    l.TabPart = 4;
    l.TabLineHeight = 2;
    l.TabRadius = 2;
    l.TabActive = {C(255, 255, 255), C(240, 243, 250)};
    l.TabInactive = {C(214, 222, 240), C(190, 200, 226)};
    l.TabEdge = C(24, 44, 110);
    l.TabActiveTop = C(50, 84, 180);
    l.TabLinePaint = Gradient({{0.5, C(24, 44, 110)}, {1.5, C(80, 104, 170)}});

    l.TrackBarPart = 15;
    l.TrackBarHeight = 8;
    l.SliderWidth = 11;
    l.SliderHeight = 21;
    l.TrackGroove = {C(190, 196, 212), C(240, 242, 248)};
    l.TrackEdge = C(24, 44, 110);
    l.SliderFace = {C(110, 140, 220), C(30, 56, 140)};
    l.SliderEdge = C(12, 26, 80);
    l.SliderAccent = C(170, 190, 240);

    l.Accent = C(68, 74, 160);
    l.AccentDark = C(24, 44, 110);
    l.Progress = {C(110, 140, 220), C(30, 56, 150)};
    return l;
}

// Pinstriped platinum caption, gel "traffic light" caption buttons and
// capsule push buttons that turn aqua blue under the mouse.
Look MacOS() {
    Look l;
    l.Style = TskUIStyle::MacOS;
    TableColors(l);
    l.TitleHeight = 23;
    l.TitleLeftWidth = 24;
    l.TitleClientWidth = 24;
    l.TitleRightWidth = 24;
    l.TitleOutline = C(127, 127, 127);
    l.TitlePaint = [](double, double y) {
        if (y < 1) return C(127, 127, 127);
        if (y < 2) return C(252, 252, 252);
        if (y >= 22) return C(140, 140, 140);
        const int row = static_cast<int>(y);
        const Rgb base = Mix(C(240, 240, 240), C(214, 214, 214), (y - 2) / 20.0);
        return row % 2 ? Mix(base, C(255, 255, 255), 0.45) : base;
    };
    auto& tb = l.TitleButton;
    tb.Size = 17;
    tb.Top = 4;
    tb.Form = Shape2::Circle;
    tb.Normal = {C(206, 208, 214), C(150, 154, 164)};
    tb.Hot = tb.Normal;
    tb.Pressed = {C(120, 124, 134), C(170, 174, 184)};
    tb.CloseNormal = {C(255, 120, 110), C(214, 52, 44)};
    tb.CloseHot = tb.CloseNormal;
    tb.ClosePressed = {C(170, 30, 24), C(220, 80, 70)};
    tb.ColouredNormal = {{C(140, 186, 255), C(40, 110, 220)},   // help: blue
                         {C(120, 230, 130), C(30, 160, 50)},    // maximise: green
                         {C(120, 230, 130), C(30, 160, 50)},    // restore: green
                         {C(255, 222, 110), C(222, 160, 20)}};  // minimise: amber
    tb.Edge = C(90, 90, 96);
    tb.EdgeOpacity = 0.55;
    tb.Glyph = C(70, 40, 30);
    tb.Gloss = 0.55;
    tb.GlyphOnlyWhenHot = true;

    l.ButtonWidth = 21;
    l.ButtonHeight = 23;
    l.ButtonTransparent = true;
    l.ButtonRadius = 11;
    l.ButtonNormal = {C(250, 250, 250), C(214, 214, 218)};
    l.ButtonHot = {C(130, 186, 250), C(52, 126, 226)};
    l.ButtonPressed = {C(36, 92, 190), C(90, 156, 236)};
    l.ButtonEdge = C(128, 128, 134);
    l.ButtonHotEdge = C(36, 80, 160);
    l.ButtonPressedEdge = C(20, 56, 130);
    l.ButtonGloss = 0.55;

    l.BoxWidth = 15;
    l.BoxHeight = 17;
    l.BoxSize = 14;
    l.BoxRadius = 3.5;
    l.BoxFace = {C(252, 252, 252), C(210, 210, 214)};
    l.BoxFaceDisabled = {C(236, 236, 236), C(226, 226, 226)};
    l.BoxCheckedFace = {C(130, 186, 250), C(40, 114, 220)};
    l.CheckedFilled = true;
    l.BoxEdge = C(110, 110, 116);
    l.BoxEdgeDisabled = C(180, 180, 180);
    l.Mark = C(255, 255, 255);
    l.MarkDisabled = C(160, 160, 160);

    l.ScrollRadius = 3;
    l.ScrollNormal = {C(250, 250, 250), C(206, 206, 210)};
    l.ScrollHot = {C(232, 240, 252), C(186, 206, 236)};
    l.ScrollPressed = {C(150, 150, 156), C(200, 200, 204)};
    l.ScrollEdge = C(128, 128, 134);
    l.ScrollArrow = C(40, 40, 44);
    l.ScrollArrowPressed = C(20, 20, 24);
    l.ScrollGloss = 0.4;
    l.ArrowsFilled = true;
    l.Thumb = {C(120, 178, 248), C(36, 108, 214)};
    l.ThumbEdge = C(30, 76, 160);
    l.ThumbGrip = C(200, 226, 255);

    l.TabHeight = 30;
    l.TabPart = 8;
    l.TabLineHeight = 4;
    l.TabRadius = 7;
    l.TabActive = {C(150, 196, 252), C(52, 124, 224)};
    l.TabInactive = {C(252, 252, 252), C(210, 210, 214)};
    l.TabEdge = C(120, 120, 126);
    l.TabActiveTop = C(220, 236, 255);
    l.TabLinePaint = Gradient({{0.5, C(120, 120, 126)}, {1.5, C(200, 200, 204)}, {3.5, C(160, 160, 166)}});
    l.TabScrollSize = 18;

    l.TrackBarPart = 15;
    l.TrackBarHeight = 7;
    l.SliderWidth = 15;
    l.SliderHeight = 17;
    l.TrackGroove = {C(150, 150, 156), C(226, 226, 230)};
    l.TrackEdge = C(110, 110, 116);
    l.SliderFace = {C(140, 192, 252), C(40, 114, 220)};
    l.SliderEdge = C(30, 76, 160);
    l.SliderAccent = C(230, 242, 255);

    l.Accent = C(57, 115, 196);
    l.AccentDark = C(30, 76, 160);
    l.Progress = {C(150, 200, 255), C(40, 114, 220)};
    return l;
}

// Charcoal caption with round, see-through caption buttons; crisp white
// controls with blue accents.
Look Protein() {
    Look l;
    l.Style = TskUIStyle::Protein;
    TableColors(l);
    l.TitleHeight = 23;
    l.TitleLeftWidth = 24;
    l.TitleClientWidth = 24;
    l.TitleRightWidth = 24;
    l.TitleOutline = C(16, 16, 18);
    l.TitlePaint = Gradient({{0.5, C(16, 16, 18)}, {1.5, C(118, 120, 128)}, {3, C(92, 94, 102)}, {11, C(64, 66, 72)},
                             {12, C(52, 54, 60)}, {21, C(38, 40, 44)}, {22.5, C(16, 16, 18)}});
    auto& tb = l.TitleButton;
    tb.Size = 19;
    tb.Top = 2;
    tb.Transparent = true;
    tb.Form = Shape2::Circle;
    tb.Normal = {C(104, 106, 114), C(62, 64, 70)};
    tb.Hot = {C(90, 110, 230), C(45, 48, 196)};
    tb.Pressed = {C(30, 32, 150), C(60, 70, 200)};
    tb.CloseNormal = tb.Normal;
    tb.CloseHot = {C(240, 96, 86), C(196, 36, 30)};
    tb.ClosePressed = {C(150, 20, 16), C(200, 60, 50)};
    tb.Edge = C(170, 172, 180);
    tb.Glyph = C(245, 245, 248);

    l.ButtonWidth = 21;
    l.ButtonHeight = 21;
    l.ButtonRadius = 2;
    l.ButtonNormal = {C(255, 255, 255), C(236, 236, 240)};
    l.ButtonHot = {C(246, 247, 255), C(214, 218, 250)};
    l.ButtonPressed = {C(200, 206, 244), C(228, 231, 252)};
    l.ButtonEdge = C(120, 120, 128);
    l.ButtonHotEdge = C(45, 48, 196);
    l.ButtonPressedEdge = C(30, 32, 150);

    l.BoxFace = {C(255, 255, 255), C(255, 255, 255)};
    l.BoxFaceDisabled = {C(240, 240, 240), C(240, 240, 240)};
    l.BoxCheckedFace = {C(90, 100, 226), C(45, 48, 196)};
    l.CheckedFilled = true;
    l.BoxRadius = 2;
    l.BoxEdge = C(110, 110, 118);
    l.BoxEdgeDisabled = C(190, 190, 194);
    l.Mark = C(255, 255, 255);
    l.MarkDisabled = C(170, 170, 176);

    l.ScrollRadius = 0.5;
    l.ScrollNormal = {C(246, 246, 248), C(236, 236, 240)};
    l.ScrollHot = {C(232, 234, 252), C(220, 224, 250)};
    l.ScrollPressed = {C(45, 48, 196), C(45, 48, 196)};
    l.ScrollEdge = C(210, 210, 216);
    l.ScrollArrow = C(70, 72, 80);
    l.ScrollArrowPressed = C(255, 255, 255);
    l.ArrowsFilled = true;
    l.Thumb = {C(190, 192, 200), C(170, 172, 182)};
    l.ThumbEdge = C(150, 152, 162);
    l.ThumbGrip = C(120, 122, 132);

    l.TabHeight = 21;
    l.TabPart = 4;
    l.TabLineHeight = 1;
    l.TabRadius = 2.5;
    l.TabActive = {C(255, 255, 255), C(255, 255, 255)};
    l.TabInactive = {C(236, 236, 240), C(222, 222, 228)};
    l.TabEdge = C(150, 150, 158);
    l.TabActiveTop = C(45, 48, 196);
    l.TabLinePaint = Solid(C(150, 150, 158));

    l.TrackBarPart = 15;
    l.TrackBarHeight = 6;
    l.SliderWidth = 13;
    l.SliderHeight = 19;
    l.TrackGroove = {C(200, 200, 206), C(226, 226, 232)};
    l.TrackEdge = C(150, 150, 158);
    l.SliderFace = {C(255, 255, 255), C(232, 232, 238)};
    l.SliderEdge = C(90, 92, 100);
    l.SliderAccent = C(45, 48, 196);

    l.Accent = C(45, 48, 196);
    l.AccentDark = C(30, 32, 150);
    l.Progress = {C(110, 120, 236), C(45, 48, 196)};
    return l;
}

// Glass: a luminous blue caption with a strong upper sheen, glossy rounded
// caption buttons and pale glass push buttons.
Look BlueGlass() {
    Look l;
    l.Style = TskUIStyle::BlueGlass;
    TableColors(l);
    l.TitleHeight = 33;
    l.TitleLeftWidth = 30;
    l.TitleClientWidth = 30;
    l.TitleRightWidth = 30;
    l.TitleCorner = 6;
    l.TitleOutline = C(16, 44, 104);
    l.TitlePaint = Gradient({{0.5, C(16, 44, 104)}, {1.5, C(210, 234, 255)}, {3, C(156, 204, 250)}, {16, C(98, 158, 236)},
                             {16.5, C(38, 102, 204)}, {30, C(70, 142, 228)}, {31.5, C(40, 96, 190)}, {32.5, C(16, 44, 104)}});
    auto& tb = l.TitleButton;
    tb.Size = 19;
    tb.Top = 6;
    tb.Transparent = true;
    tb.Radius = 4;
    tb.Normal = {C(150, 196, 250), C(34, 94, 200)};
    tb.Hot = {C(190, 224, 255), C(60, 130, 236)};
    tb.Pressed = {C(20, 62, 150), C(60, 120, 220)};
    tb.CloseNormal = {C(250, 150, 130), C(196, 40, 28)};
    tb.CloseHot = {C(255, 180, 160), C(230, 66, 50)};
    tb.ClosePressed = {C(140, 24, 14), C(200, 60, 46)};
    tb.Edge = C(16, 44, 104);
    tb.Glyph = C(255, 255, 255);
    tb.Gloss = 0.5;

    l.ButtonWidth = 23;
    l.ButtonHeight = 23;
    l.ButtonTransparent = true;
    l.ButtonRadius = 5;
    l.ButtonNormal = {C(244, 249, 255), C(196, 220, 248)};
    l.ButtonHot = {C(220, 238, 255), C(120, 180, 248)};
    l.ButtonPressed = {C(90, 150, 230), C(170, 206, 250)};
    l.ButtonEdge = C(70, 110, 180);
    l.ButtonHotEdge = C(40, 96, 200);
    l.ButtonPressedEdge = C(24, 64, 150);
    l.ButtonGloss = 0.5;

    l.BoxFace = {C(236, 244, 255), C(200, 222, 250)};
    l.BoxFaceDisabled = {C(238, 238, 240), C(230, 230, 232)};
    l.BoxRadius = 2.5;
    l.BoxEdge = C(52, 96, 176);
    l.BoxEdgeDisabled = C(176, 180, 190);
    l.Mark = C(24, 70, 170);
    l.MarkDisabled = C(170, 174, 184);

    l.ScrollRadius = 3;
    l.ScrollNormal = {C(236, 245, 255), C(184, 212, 248)};
    l.ScrollHot = {C(220, 238, 255), C(140, 190, 250)};
    l.ScrollPressed = {C(80, 140, 226), C(150, 196, 250)};
    l.ScrollEdge = C(110, 150, 210);
    l.ScrollArrow = C(30, 70, 150);
    l.ScrollArrowPressed = C(255, 255, 255);
    l.ScrollGloss = 0.45;
    l.Thumb = {C(160, 206, 252), C(50, 116, 214)};
    l.ThumbEdge = C(30, 76, 166);
    l.ThumbGrip = C(220, 238, 255);

    l.TabHeight = 19;
    l.TabPart = 5;
    l.TabLineHeight = 3;
    l.TabRadius = 4;
    l.TabActive = {C(230, 243, 255), C(160, 204, 250)};
    l.TabInactive = {C(246, 248, 252), C(210, 222, 240)};
    l.TabEdge = C(70, 110, 180);
    l.TabActiveTop = C(255, 255, 255);
    l.TabLinePaint = Gradient({{0.5, C(70, 110, 180)}, {2.5, C(150, 190, 240)}});

    l.TrackBarPart = 15;
    l.TrackBarHeight = 8;
    l.SliderWidth = 13;
    l.SliderHeight = 21;
    l.TrackGroove = {C(170, 200, 240), C(230, 242, 255)};
    l.TrackEdge = C(70, 110, 180);
    l.SliderFace = {C(170, 214, 255), C(40, 106, 210)};
    l.SliderEdge = C(20, 60, 150);
    l.SliderAccent = C(230, 244, 255);

    l.Accent = C(94, 94, 236);
    l.AccentDark = C(20, 60, 150);
    l.Progress = {C(170, 214, 255), C(40, 106, 210)};
    return l;
}

}  // namespace

const Look& LookOf(TskUIStyle Style) {
    static const Look looks[] = {MacOS(), WinXP(), DeepBlue(), Protein(), BlueGlass()};
    const int i = static_cast<int>(Style);
    if (i < 1 || i > 5) throw std::invalid_argument("no look for this style");
    return looks[i - 1];
}
