#pragma once
// Panels: a container with raised or lowered bevels and a caption placed by
// Alignment. BorderWidth (a margin outside the client area) is the windowed
// control's.

#include "CustomControl.h"

class TCustomPanel : public TCustomControl {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut Value);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut Value);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int Value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle Value);
    bool FullRepaint = true;
    bool Locked = false;

protected:
    void Init() override;
    void CreateParams(TCreateParams& Params) override;
    void AdjustClientRect(TRect& Rect) override;
    void Paint() override;

private:
    TAlignment alignment_ = taCenter;
    TBevelCut bevelInner_ = bvNone;
    TBevelCut bevelOuter_ = bvRaised;
    int bevelWidth_ = 1;
    TBorderStyle borderStyle_ = bsNone;
};

class TPanel : public TCustomPanel {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};

// Draws Width lines of a 3-D frame inside Rect (top and left in TopColor,
// bottom and right in BottomColor) and shrinks Rect by them.
void Frame3D(HDC DC, TRect& Rect, TColor TopColor, TColor BottomColor, int Width);
// Text drawn with a control font (DrawTextA flags), the background left as it is.
void DrawControlText(HDC DC, TFont* Font, const std::string& Text, TRect& Rect, UINT Flags, TColor Color);
