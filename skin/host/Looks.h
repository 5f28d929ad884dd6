#pragma once
// What distinguishes the five built-in styles: sizes, colours and shapes that
// the picture painters read.

#include "Raster.h"
#include "ThemeKeys.h"

#include <vector>

struct Face {
    Rgb Top, Bottom;
};

enum class Shape2 { RoundRect, Circle };

struct TitleButtonLook {
    int Size = 19;          // frames are square
    int Top = 2;            // first picture row of the title pictures under the buttons
    bool Transparent = false;
    Shape2 Form = Shape2::RoundRect;
    double Radius = 3;
    Face Normal, Hot, Pressed;
    Face CloseNormal, CloseHot, ClosePressed;
    Rgb Edge, Glyph;
    double EdgeOpacity = 1.0;
    double Gloss = 0;
    bool GlyphOnlyWhenHot = false;
    std::vector<Face> ColouredNormal;  // per button (help, max, restore, min) when each has a colour of its own
};

struct Look {
    TskUIStyle Style;
    Rgb FormBg, ScrollBg, ControlBg;

    // Title bar pictures: left end, stretched middle, right end.
    int TitleHeight = 29, TitleLeftWidth = 30, TitleClientWidth = 30, TitleRightWidth = 30;
    double TitleCorner = 0;   // radius of the top outer corners
    Paint TitlePaint;         // colour by picture row
    Rgb TitleOutline;
    TitleButtonLook TitleButton;

    // Push button: three frames normal, hot, pressed.
    int ButtonWidth = 21, ButtonHeight = 21;
    bool ButtonTransparent = false;
    double ButtonRadius = 3;
    Face ButtonNormal, ButtonHot, ButtonPressed;
    Rgb ButtonEdge, ButtonHotEdge, ButtonPressedEdge;
    double ButtonGloss = 0;
    bool ButtonHotRing = false;  // a coloured inner ring on hover instead of a new face
    Face HotRing;

    // Check box and radio button: 4 frames each.
    int BoxWidth = 13, BoxHeight = 13, BoxSize = 13;
    double BoxRadius = 0;
    Face BoxFace, BoxFaceDisabled, BoxCheckedFace;
    Rgb BoxEdge, BoxEdgeDisabled, Mark, MarkDisabled;
    bool CheckedFilled = false;  // checked boxes take the accent face

    // Scroll bar and tab scroll buttons.
    int ScrollThickness = 16, ScrollLength = 17;
    double ScrollRadius = 2;
    Face ScrollNormal, ScrollHot, ScrollPressed, Thumb;
    Rgb ScrollEdge, ScrollArrow, ScrollArrowPressed, ThumbEdge, ThumbGrip;
    double ScrollGloss = 0;
    bool ArrowsFilled = false;  // triangles rather than chevrons

    // Tabs.
    int TabHeight = 18, TabPart = 3, TabLineHeight = 1;
    double TabRadius = 2;
    Face TabActive, TabInactive;
    Rgb TabEdge, TabActiveTop;
    Paint TabLinePaint;
    int TabScrollSize = 18;

    // Track bar.
    int TrackBarPart = 15, TrackBarHeight = 8;
    int SliderWidth = 11, SliderHeight = 21;
    Face TrackGroove, SliderFace;
    Rgb TrackEdge, SliderEdge, SliderAccent;

    Rgb Accent, AccentDark;
    Face Progress;
    int ProgressWidth = 6, ProgressHeight = 10;
};

const Look& LookOf(TskUIStyle Style);
