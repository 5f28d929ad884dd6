// A small window put together from one style's pictures the way the skinned
// controls put them together, so the sheet shows how the art looks in use.
#include "Art.h"
#include "SkinGeometry.h"

#include <algorithm>
#include <stdexcept>

namespace {

const Bitmap& Find(const std::vector<ArtItem>& art, const std::string& name) {
    for (const ArtItem& a : art)
        if (a.Name == name) return a.Image;
    throw std::runtime_error("preview: no picture " + name);
}

const Bitmap& Key(const std::vector<ArtItem>& art, TskUIStyle s, TskThemeKey k) {
    return Find(art, BuiltInThemeImageName(s, k));
}

Bitmap Crop(const Bitmap& b, const TRect& r) {
    Bitmap out{r.Width(), r.Height(), {}};
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) out.Pixels.push_back(b.At(x, y));
    return out;
}

Bitmap Frame(const Bitmap& b, int count, int index) {
    const TskFrameColumns c = FrameColumns(b.Width, count, index);
    return Crop(b, {c.Left, 0, c.Left + c.Width, b.Height});
}

// Nearest-neighbour copy of src's area onto dst's area; fuchsia pixels are
// skipped when masked.
void Put(Bitmap& dst, const Bitmap& src, const TRect& from, const TRect& to, bool masked) {
    if (from.IsEmpty() || to.IsEmpty()) return;
    for (int y = to.Top; y < to.Bottom; ++y)
        for (int x = to.Left; x < to.Right; ++x) {
            if (x < 0 || y < 0 || x >= dst.Width || y >= dst.Height) continue;
            const int sx = from.Left + (x - to.Left) * from.Width() / to.Width();
            const int sy = from.Top + (y - to.Top) * from.Height() / to.Height();
            const Rgb c = src.At(sx, sy);
            if (masked && c == Fuchsia) continue;
            dst.At(x, y) = c;
        }
}

void PutAt(Bitmap& dst, const Bitmap& src, int x, int y, bool masked) {
    Put(dst, src, {0, 0, src.Width, src.Height}, {x, y, x + src.Width, y + src.Height}, masked);
}

void NineGrid(Bitmap& dst, const Bitmap& frame, const TRect& r, bool transparent) {
    for (const TskPicturePiece& p : NineGridPieces(frame.Width, frame.Height, {0, 0, r.Width(), r.Height()})) {
        const TRect to{p.Dest.Left + r.Left, p.Dest.Top + r.Top, p.Dest.Right + r.Left, p.Dest.Bottom + r.Top};
        Put(dst, frame, p.Source, to, p.Stretched || transparent);
    }
}

void ThreePart(Bitmap& dst, const Bitmap& pic, const TRect& r) {
    for (const TskPicturePiece& p : ThreePartPieces(pic.Width, pic.Height, r)) Put(dst, pic, p.Source, p.Dest, true);
}

void Fill(Bitmap& dst, const TRect& r, Rgb c) {
    for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, dst.Height); ++y)
        for (int x = std::max(r.Left, 0); x < std::min(r.Right, dst.Width); ++x) dst.At(x, y) = c;
}

Bitmap Turned(const Bitmap& b, bool clockwise) {
    return {b.Height, b.Width, clockwise ? RotatePixelsCW(b.Pixels, b.Width, b.Height) : RotatePixelsCCW(b.Pixels, b.Width, b.Height)};
}

}  // namespace

void PreviewText(Bitmap& b, int x, int y, const std::string& text, int scale, Rgb colour);

Bitmap StylePreview(TskUIStyle s, const std::vector<ArtItem>& art) {
    using K = TskThemeKey;
    const int W = 330, H = 200;
    const Rgb formBg = FromTColor(static_cast<std::uint32_t>(BuiltInThemeColor(s, K::FormBackgroundColor)));
    const Rgb border = FromTColor(static_cast<std::uint32_t>(BuiltInThemeColor(s, K::FormBorderColor)));
    const Rgb controlBorder = FromTColor(static_cast<std::uint32_t>(BuiltInThemeColor(s, K::ControlBorderColor)));
    const Rgb scrollBg = FromTColor(static_cast<std::uint32_t>(BuiltInThemeColor(s, K::ScrollBarBackgroundColor)));
    const int bw = BuiltInThemeInt(s, K::FormBorderWidthInt);
    Bitmap win{W, H, std::vector<Rgb>(W * H, formBg)};
    if (s == TskUIStyle::MacOS || s == TskUIStyle::Protein) {
        const Bitmap& pattern = Find(art, s == TskUIStyle::MacOS ? "MACOS_FORM_BACKGROUND" : "PROTEIN_FORM_BACKGROUND");
        for (const TPoint& p : TilePositions(pattern.Width, pattern.Height, {0, 0, W, H})) PutAt(win, pattern, p.X, p.Y, false);
    }

    // Frame and caption.
    Fill(win, {0, 0, bw, H}, border);
    Fill(win, {W - bw, 0, W, H}, border);
    Fill(win, {0, H - bw, W, H}, border);
    const Bitmap& left = Key(art, s, K::TitleBarLeftImage);
    const Bitmap& right = Key(art, s, K::TitleBarRightImage);
    const Bitmap& client = Key(art, s, K::TitleBarClientImage);
    PutAt(win, left, 0, 0, false);
    PutAt(win, right, W - right.Width, 0, false);
    Put(win, client, {0, 0, client.Width, client.Height}, {left.Width, 0, W - right.Width, client.Height}, false);

    const Bitmap& buttons = Key(art, s, K::TitleBarButtonImage);
    const bool transparent = BuiltInThemeBool(s, K::TitleBarButtonTransparentBool);
    const int top = BuiltInThemeInt(s, K::TitleBarButtonTopInt);
    const int barLeft = 3, barWidth = W - 6;
    int x = barLeft + barWidth + 1 + BuiltInThemeInt(s, K::TitleBarButtonRightOffsetInt);
    const int frameWidth = buttons.Width / 18;
    for (int first : {16, 7, 13}) {  // close, maximise, minimise from the right
        x -= frameWidth + 1;
        PutAt(win, Frame(buttons, 18, first + (first == 7 ? 1 : 0)), x, top, transparent);
    }
    const int boxLeft = barLeft + BuiltInThemeInt(s, K::TitleBarButtonLeftOffsetInt);
    PutAt(win, Frame(buttons, 18, 1), boxLeft, top, transparent);
    PreviewText(win, boxLeft + frameWidth + 5, top + (buttons.Height - 7) / 2, std::string(UIStyleName(s)) + " WINDOW", 1,
                s == TskUIStyle::MacOS ? Rgb{0, 0, 0} : Rgb{255, 255, 255});

    // Push buttons: normal, under the mouse, pressed.
    const Bitmap& push = Key(art, s, K::ButtonImage);
    const bool pushTransparent = BuiltInThemeBool(s, K::ButtonTransparentBool);
    const int y0 = left.Height + 10;
    for (int i = 0; i < 3; ++i) {
        const TRect r{14 + i * 84, y0, 14 + i * 84 + 75, y0 + 25};
        NineGrid(win, Frame(push, 3, i + 1), r, pushTransparent);
        PreviewText(win, r.Left + 20, r.Top + 9, i == 0 ? "OK" : i == 1 ? "HOT" : "DOWN", 1, Rgb{0, 0, 0});
    }

    // Check boxes and radio buttons.
    const Bitmap& check = Key(art, s, K::CheckBoxImage);
    const Bitmap& radio = Key(art, s, K::RadioButtonImage);
    for (int i = 0; i < 4; ++i) {
        PutAt(win, Frame(check, 4, i + 1), 14 + i * 40, y0 + 36, false);
        PutAt(win, Frame(radio, 4, i + 1), 14 + i * 40, y0 + 56, false);
    }

    // Tab strip: an active and an inactive tab over the bar picture.
    const Bitmap& tab = Key(art, s, K::TabControlTabImage);
    const Bitmap& line = Key(art, s, K::TabControlBarImage);
    const int ty = y0 + 80;
    Put(win, line, {0, 0, line.Width, line.Height}, {14, ty + tab.Height, 180, ty + tab.Height + line.Height}, false);
    ThreePart(win, Frame(tab, 2, 2), {74, ty, 134, ty + tab.Height});
    ThreePart(win, Frame(tab, 2, 1), {14, ty + 1, 76, ty + tab.Height + 1});
    PreviewText(win, 30, ty + tab.Height / 2 - 3, "PAGE", 1, Rgb{0, 0, 0});
    PreviewText(win, 90, ty + tab.Height / 2 - 3, "MORE", 1, Rgb{0, 0, 0});
    const Bitmap& scrollButtons = Key(art, s, K::ScrollButtonImage);
    PutAt(win, Frame(scrollButtons, 4, 3), 140, ty + 1, true);
    PutAt(win, Frame(scrollButtons, 4, 1), 140 + scrollButtons.Width / 4, ty + 1, true);

    // Track bar.
    const Bitmap& bar = Key(art, s, K::TrackBarBarImage);
    const Bitmap& slider = Key(art, s, K::TrackBarSliderImage);
    const int by = ty + tab.Height + line.Height + 12;
    ThreePart(win, bar, {14, by + (slider.Height - bar.Height) / 2, 180, by + (slider.Height + bar.Height) / 2});
    PutAt(win, slider, 70, by, true);

    // A list box with a vertical scroll bar.
    const TRect list{200, y0 + 36, W - 14, H - 14};
    Fill(win, list, controlBorder);
    Fill(win, {list.Left + 1, list.Top + 1, list.Right - 1, list.Bottom - 1}, Rgb{255, 255, 255});
    const Bitmap& arrows = Key(art, s, K::ScrollBarButtonImage);
    const Bitmap& thumb = Key(art, s, K::ScrollBarSliderImage);
    const Bitmap up = Frame(arrows, 6, 1), down = Frame(arrows, 6, 4);
    const int sx = list.Right - 2 - up.Width, sTop = list.Top + 1, sBottom = list.Bottom - 1;
    Fill(win, {sx, sTop, sx + up.Width, sBottom}, scrollBg);
    PutAt(win, up, sx, sTop, false);
    PutAt(win, down, sx, sBottom - down.Height, false);
    const Bitmap head = Turned(Frame(thumb, 3, 1), true), middle = Turned(Frame(thumb, 3, 2), true),
                 tail = Turned(Frame(thumb, 3, 3), true);
    const int thumbTop = sTop + up.Height + 12, thumbBottom = thumbTop + 40;
    PutAt(win, head, sx, thumbTop, false);
    Put(win, middle, {0, 0, middle.Width, middle.Height}, {sx, thumbTop + head.Height, sx + middle.Width, thumbBottom - tail.Height}, false);
    PutAt(win, tail, sx, thumbBottom - tail.Height, false);
    for (int i = 0; i < 5; ++i) PreviewText(win, list.Left + 6, list.Top + 6 + i * 12, "ITEM " + std::to_string(i + 1), 1, Rgb{0, 0, 0});

    // The window region rounds the two top corners.
    const int r = BuiltInThemeInt(s, K::FormRoundCornerInt);
    if (r > 0) {
        const double rad = r / 2.0;
        for (int y = 0; y < r; ++y)
            for (int xx = 0; xx < r; ++xx) {
                const double dx = rad - (xx + 0.5), dy = rad - (y + 0.5);
                if (dx > 0 && dy > 0 && dx * dx + dy * dy > rad * rad) {
                    win.At(xx, y) = Rgb{196, 200, 206};
                    win.At(W - 1 - xx, y) = Rgb{196, 200, 206};
                }
            }
    }
    return win;
}
