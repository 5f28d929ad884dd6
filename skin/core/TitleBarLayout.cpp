#include "TitleBarLayout.h"

#include "SkinGeometry.h"

namespace {

constexpr std::string_view Ellipsis = "...";
constexpr int IconInset = 3;        // the icon sits this far into the control box
constexpr int IconCaptionStep = 21;  // icon box plus gap before the caption
constexpr int ControlBoxGap = 5;     // between the control-box picture and the caption
constexpr int BareCaptionLeft = 6;   // a caption with nothing to its left keeps off the edge

TRect ButtonRect(int X, int Y, const TskTitleBarButtonBox& Box) { return {X, Y, X + Box.Width, Y + Box.Height}; }

}  // namespace

TskTitleBarLayout LayOutTitleBar(const TskTitleBarLayoutInput& In) {
    TskTitleBarLayout out;
    int right = In.BarWidth + 1 + In.RightBtnXOffset;
    const TskTitleBarButtonBox* controlBox = nullptr;
    for (int i = 0; i < static_cast<int>(In.Buttons.size()); ++i) {
        const auto& box = In.Buttons[static_cast<size_t>(i)];
        if (!box.Visible) continue;
        if (box.ControlBox) {
            controlBox = &box;
            out.ControlBox.Index = i;
            continue;
        }
        right -= box.Width + In.ButtonInterval + 1;
        const TRect rect = ButtonRect(right, In.ButtonTop, box);
        out.RowButtons.push_back({i, rect});
        if (PointInRect(In.Mouse, rect)) out.HotIndex = i;
    }

    int left = In.LeftBtnXOffset;
    if (controlBox) {
        out.ControlBox.Rect = ButtonRect(left, In.ButtonTop, *controlBox);
        if (PointInRect(In.Mouse, out.ControlBox.Rect)) out.HotIndex = out.ControlBox.Index;
        if (In.DrawAppIcon) {
            out.DrawIcon = true;
            out.IconAt = {left + IconInset, In.ButtonTop};
            left += IconCaptionStep;
        } else {
            left += controlBox->Width + ControlBoxGap;
        }
    }
    if (left == 0) left = BareCaptionLeft;
    out.CaptionLeft = left;
    out.CaptionRight = right;
    return out;
}

TskTitleBarButtonFace TitleBarButtonFace(bool Hot, bool MousePressed) {
    if (!Hot) return TskTitleBarButtonFace::Normal;
    return MousePressed ? TskTitleBarButtonFace::MouseDown : TskTitleBarButtonFace::MouseOn;
}

TskTitleBarCaption FitTitleBarCaption(const std::string& Caption, int Space,
                                      const std::function<int(std::string_view)>& TextWidth) {
    if (Space <= 0 || Caption.empty()) return {};
    if (TextWidth(Caption) <= Space) return {Caption, false};
    std::string kept = Caption;
    while (!kept.empty()) {
        kept.pop_back();
        std::string candidate = kept + std::string(Ellipsis);
        if (TextWidth(candidate) <= Space) return {std::move(candidate), false};
    }
    // Not even the ellipsis fits: show what of it does rather than shortening forever.
    return {std::string(Ellipsis), true};
}

int TitleBarCaptionTop(int ButtonTop, int ButtonImageHeight, int TextHeight) {
    return ButtonTop + (ButtonImageHeight - TextHeight) / 2;
}

TPoint TitleBarSectionOffset(bool InSkinnedForm, bool InMDIForm) {
    if (!InSkinnedForm) return {0, 0};
    return {InMDIForm ? -4 : -3, -3};
}

TskTitleBarSectionPlaces PlaceTitleBarSections(int BarWidth, TPoint Offset, bool HasLeft, int LeftWidth,
                                               bool HasRight, int RightWidth, int ClientHeight) {
    TskTitleBarSectionPlaces out;
    int leftEnd = 0, rightStart = 0;
    out.Left = Offset;
    if (HasLeft) leftEnd = LeftWidth + Offset.X;
    if (HasRight) rightStart = BarWidth - RightWidth - Offset.X;
    out.Right = {rightStart, Offset.Y};
    out.Client = {leftEnd, Offset.Y, rightStart, Offset.Y + ClientHeight};
    return out;
}

int TitleBarHeight(int LeftPictureHeight, bool InSkinnedForm) {
    return InSkinnedForm ? LeftPictureHeight - 3 : LeftPictureHeight;
}
