#pragma once
// Labels: text painted by the parent, sized to the text when AutoSize, with
// an "&" accelerator that focuses FocusControl.

#include "GraphicControl.h"

class TWinControl;

class TCustomLabel : public TGraphicControl {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool Value);
    bool Transparent() const { return !ControlStyle.Contains(csOpaque); }
    void SetTransparent(bool Value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool Value);
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* Value);
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    void Init() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    bool CanAutoSize(int& NewWidth, int& NewHeight) override;
    void Paint() override;
    UINT TextFlags() const;
    // Where Paint lays the text out: the client area, or for a label sized to
    // its text the place its measure assumed, which may sit inside the client
    // area when glyphs reach out of the measure.
    TRect TextRect() const;

private:
    TAlignment alignment_ = taLeftJustify;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    bool sizing_ = false;
    TRect textRect_;  // set by CanAutoSize, in client coordinates
    TSize sizedTo_;   // the size CanAutoSize gave for textRect_
    TWinControl* focusControl_ = nullptr;
};

class TLabel : public TCustomLabel {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();
};

// Whether Ch is the "&" accelerator of Text (case-insensitive; "&&" is a plain "&").
bool IsAccel(char Ch, const std::string& Text);
