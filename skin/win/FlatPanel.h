#pragma once
// A panel with a thin flat frame in its two-pixel border band that sinks
// while the panel has the focus or the pointer is over it, like a
// hot-tracked flat button; or, not Flat, a fixed sunken edge. No theme.

#include "Panel.h"

#include <cstdint>

class TFlatPanel : public TPanel {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

    // Whether the frame reacts to focus and pointer; changing it redraws nothing.
    bool Activate = true;
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor Value);
    bool Flat() const { return flat_; }
    virtual void SetFlat(bool Value);
    bool ShowBorder() const { return showBorder_; }
    void SetShowBorder(bool Value);
    // "major.minor"; writing is ignored.
    std::string Version() const;
    void SetVersion(const std::string&) {}

protected:
    void Init() override;
    void Paint() override;
    void Dispatch(TMessage& Message) override;

private:
    void DrawFrame();
    void RedrawFrame();

    TColor borderColor_ = clBtnShadow;
    bool flat_ = true;
    bool showBorder_ = true;
    bool mouseInside_ = false;
    std::uint16_t version_ = 0x0115;
};
