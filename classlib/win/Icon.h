#pragma once
// TIcon: an icon handle that the graphic owns, loaded from the program's icon
// resources at a chosen size.

#include "Graphic.h"

#include <windows.h>

// The name of the program's own icon resource.
inline constexpr const char* kMainIconName = "MAINICON";

class TIcon : public TGraphic {
public:
    TIcon() = default;
    ~TIcon() override;
    std::string ClassName() const override { return "TIcon"; }
    void Assign(TPersistent* Source) override;
    std::unique_ptr<TGraphic> CreateNew() const override { return std::make_unique<TIcon>(); }

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    bool Empty() const override { return handle_ == nullptr; }

    HICON Handle() const { return handle_; }
    // Takes ownership of Value (null empties the icon).
    void SetHandle(HICON Value);
    // Gives up the icon without destroying it; the caller owns it afterwards.
    HICON ReleaseHandle();

    // The RT_GROUP_ICON resource Name of Instance (the program when null), at
    // Size x Size pixels, or the system's icon size when Size is 0. Raises
    // EInvalidGraphic when there is no such icon.
    void LoadFromResourceName(HINSTANCE Instance, const std::string& Name, int Size = 0);

    // Icon file data (".ico"): the image of the system's icon size when the
    // file has one, else its first image.
    void LoadFromStream(TStream* Stream) override;

protected:
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

private:
    HICON handle_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};
