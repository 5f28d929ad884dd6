#include "SkinGeometry.h"

#include <algorithm>

TskFrameColumns FrameColumns(int ImageWidth, int Count, int Index) {
    if (Count < 1 || Index < 1 || Index > Count || ImageWidth <= 0) return {};
    const int fw = ImageWidth / Count;
    return {(Index - 1) * fw, fw};
}

namespace {

int NonNegative(int v) { return std::max(v, 0); }

}  // namespace

std::vector<TskPicturePiece> NineGridPieces(int w, int h, const TRect& Rect) {
    w = NonNegative(w);
    h = NonNegative(h);
    const int W = NonNegative(Rect.Width()), H = NonNegative(Rect.Height());
    const int hw = w / 2, hh = h / 2, HW = W / 2, HH = H / 2;
    const int R = Rect.Right, B = Rect.Bottom;

    // Corners: the smaller of source and destination area, cut so that the
    // outer corner stays. The right corners are one pixel narrower and the
    // bottom ones one pixel shorter than the left and top ones.
    const int tlw = NonNegative(std::min(hw, HW)), tlh = NonNegative(std::min(hh, HH));
    const int blw = tlw, blh = NonNegative(std::min(hh - 1, HH - 1));
    const int trw = NonNegative(std::min(hw - 1, HW - 1)), trh = tlh;
    const int brw = trw, brh = blh;
    const TRect TL{0, 0, tlw, tlh};
    const TRect BL{0, B - blh, blw, B};
    const TRect TR{R - trw, 0, R, trh};
    const TRect BR{R - brw, B - brh, R, B};

    // The source areas reach one column past the middle; on pictures of one or
    // two pixels that would be outside the picture, so every source is kept
    // within it.
    // Likewise the bottom edge starts one pixel up and left of its corner
    // neighbours; on an area of a pixel or two that is outside the area.
    std::vector<TskPicturePiece> pieces;
    auto add = [&pieces, w, h, R, B](int step, TRect src, TRect dst, bool stretched) {
        src = {std::max(src.Left, 0), std::max(src.Top, 0), std::min(src.Right, w), std::min(src.Bottom, h)};
        const TRect clipped{std::max(dst.Left, 0), std::max(dst.Top, 0), std::min(dst.Right, R), std::min(dst.Bottom, B)};
        if (!stretched && clipped != dst) return;
        dst = clipped;
        if (src.IsEmpty() || dst.IsEmpty()) return;
        pieces.push_back({step, src, dst, stretched});
    };

    add(1, {0, 0, tlw, tlh}, TL, false);
    add(2, {0, h - blh, blw, h}, BL, false);

    // Left edge: the row(s) between the corners, cut to the destination's
    // width keeping the left side, stretched downwards.
    {
        const TRect dst{0, TL.Bottom, TL.Right, BL.Top};
        TRect src{0, hh, hw, h - hh};
        src.Right = std::min(src.Right, src.Left + NonNegative(dst.Width()));
        add(3, src, dst, true);
    }
    add(4, {w - trw, 0, w, trh}, TR, false);
    add(5, {w - brw, h - brh, w, h}, BR, false);
    {
        const TRect dst{TR.Left, TR.Bottom, TR.Right, BR.Top};
        TRect src{w - hw + 1, h - hh, w, hh + 2};
        src.Left = std::max(src.Left, src.Right - NonNegative(dst.Width()));
        add(6, src, dst, true);
    }
    {
        const TRect dst{TL.Right, 0, TR.Left, TL.Bottom};
        TRect src{hw, 0, w - hw + 1, hh};
        src.Bottom = std::min(src.Bottom, src.Top + NonNegative(dst.Height()));
        add(7, src, dst, true);
    }
    add(8, {hw, hh, w - hw + 1, h - hh}, {TL.Right, TL.Bottom, TR.Left, BR.Top - 1}, true);
    {
        const TRect dst{TL.Right - 1, BL.Top - 1, BR.Left, BR.Bottom};
        TRect src{hw, h - hh, w - hw + 1, h};
        src.Top = std::max(src.Top, src.Bottom - NonNegative(dst.Height()));
        add(9, src, dst, true);
    }
    return pieces;
}

std::vector<TskPicturePiece> ThreePartPieces(int PictureWidth, int PictureHeight, const TRect& Rect) {
    const int fw = NonNegative(PictureWidth) / 3, h = NonNegative(PictureHeight);
    std::vector<TskPicturePiece> pieces;
    auto add = [&pieces](int step, TRect src, TRect dst, bool stretched) {
        if (src.IsEmpty() || dst.IsEmpty()) return;
        pieces.push_back({step, src, dst, stretched});
    };
    add(1, {0, 0, fw, h}, {Rect.Left, Rect.Top, Rect.Left + fw, Rect.Top + h}, false);
    add(2, {2 * fw, 0, 3 * fw, h}, {Rect.Right - fw, Rect.Top, Rect.Right, Rect.Top + h}, false);
    add(3, {fw, 0, 2 * fw, h}, {Rect.Left + fw, Rect.Top, Rect.Right - fw, Rect.Bottom}, true);
    return pieces;
}

std::vector<TPoint> TilePositions(int PictureWidth, int PictureHeight, const TRect& Rect) {
    std::vector<TPoint> places;
    if (PictureWidth <= 0 || PictureHeight <= 0) return places;
    for (int x = 0; x < PictureWidth + Rect.Width(); x += PictureWidth)
        for (int y = 0; y < PictureHeight + Rect.Height(); y += PictureHeight) places.push_back({x, y});
    return places;
}
