#include "Art.h"

#include "Glyphs.h"
#include "Looks.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// Everything above the line y = Limit (used for the glossy upper halves).
Shape Above(double Limit) {
    return [Limit](double, double y) { return y - Limit; };
}

Shape Rect(double x0, double y0, double x1, double y1) { return RoundRect(x0, y0, x1, y1, 0); }

Bitmap MirrorX(const Bitmap& b) {
    Bitmap out = b;
    for (int y = 0; y < b.Height; ++y)
        for (int x = 0; x < b.Width; ++x) out.At(x, y) = b.At(b.Width - 1 - x, y);
    return out;
}

// A filled body with a one-pixel rim, a vertical gradient and an optional sheen
// over its upper half.
void Body(Picture& p, const Shape& s, Rgb Edge, Face F, double y0, double y1, double Gloss = 0,
          double EdgeOpacity = 1.0) {
    p.Fill(s, Solid(Edge), EdgeOpacity);
    const Shape inner = Inset(s, 1.0);
    p.Fill(inner, Gradient({{y0 + 1, F.Top}, {y1 - 1, F.Bottom}}));
    if (Gloss > 0) p.Fill(Intersect(inner, Above((y0 + y1) / 2)), Solid(White), Gloss * 0.55);
}

std::string Name(TskUIStyle s, const char* suffix) { return std::string(UIStyleResourcePrefix(s)) + "_" + suffix; }

// The program's emblem: a rounded blue tile with two white warp threads and
// two golden weft threads woven over and under each other.
void Emblem(Picture& p, double x0, double y0, double size) {
    const double r = size * 0.22;
    const Shape tile = RoundRect(x0, y0, x0 + size, y0 + size, r);
    const Paint tilePaint = Gradient({{y0, Rgb{74, 174, 255}}, {y0 + size, Rgb{16, 66, 190}}});
    p.Fill(tile, tilePaint);
    p.Fill(Outline(tile, std::max(1.0, size / 24)), Solid(Rgb{10, 40, 130}), 0.6);
    const double t = std::max(0.7, size * 0.052);  // thread half-width
    const double g = std::max(0.6, size / 36);    // gap beside a thread that passes over
    const double lo = size * 0.16, hi = size * 0.84;
    const Rgb warp{255, 255, 255}, weft{255, 204, 84}, shade{14, 58, 170};
    const double pos[] = {0.3, 0.5, 0.7};
    for (double fy : pos) p.Fill(Rect(x0 + lo, y0 + size * fy - t, x0 + hi, y0 + size * fy + t), Solid(weft));
    for (double fx : pos) p.Fill(Rect(x0 + size * fx - t, y0 + lo, x0 + size * fx + t, y0 + hi), Solid(warp));
    // Plain weave: the thread on top at each crossing alternates, with a
    // shadow gap where the other one dives under it.
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const double x = x0 + size * pos[i], y = y0 + size * pos[j];
            if ((i + j) % 2) {
                p.Fill(Rect(x - t, y - t - g, x + t, y + t + g), Solid(shade));
                p.Fill(Rect(x - t - g, y - t, x + t + g, y + t), Solid(weft));
            } else {
                p.Fill(Rect(x - t - g, y - t, x + t + g, y + t), Solid(shade));
                p.Fill(Rect(x - t, y - t - g, x + t, y + t + g), Solid(warp));
            }
        }
}

// ---- title bar ------------------------------------------------------------

Bitmap TitleEnd(const Look& l, int width) {
    const int h = l.TitleHeight;
    Picture p(width, h);
    p.FillAll(Solid(l.TitleOutline));
    const double r = l.TitleCorner;
    p.Fill(RoundRect(0, 0, width * 3.0, h * 3.0, r), Solid(l.TitleOutline));
    const Shape inner = RoundRect(1, 1, width * 3.0, h * 3.0, std::max(0.0, r - 1));
    p.Fill(inner, l.TitlePaint);
    p.Fill(Intersect(Outline(inner, 1.0), [](double x, double) { return x - 3.0; }), Solid(White), 0.3);
    return Flatten(p, l.TitleOutline, false);
}

std::vector<ArtItem> TitlePictures(const Look& l) {
    Picture client(l.TitleClientWidth, l.TitleHeight);
    client.FillAll(l.TitlePaint);
    return {
        {Name(l.Style, "TITLE_LEFT"), TitleEnd(l, l.TitleLeftWidth)},
        {Name(l.Style, "TITLE_CLIENT"), Flatten(client, l.TitleOutline, false)},
        {Name(l.Style, "TITLE_RIGHT"), MirrorX(TitleEnd(l, l.TitleRightWidth))},
    };
}

enum TitleGlyph { ControlBox, Help, Max, Restore, Min, Close };

Bitmap TitleButtonFrame(const Look& l, TitleGlyph g, int state) {
    const TitleButtonLook& tb = l.TitleButton;
    const int s = tb.Size;
    const double c = s / 2.0;
    Picture p(s, s);
    const Paint behind = [&l, &tb](double x, double y) { return l.TitlePaint(x, y + tb.Top); };
    if (!tb.Transparent) p.FillAll(behind);
    const Rgb matte = behind(0, c);

    if (g == ControlBox) {
        // The window's emblem; a soft plate behind it under the mouse.
        if (state > 0) p.Fill(RoundRect(0, 0, s, s, 3), Solid(state == 1 ? White : Black), 0.22);
        const double e = std::round(s * 0.78);
        Emblem(p, std::floor((s - e) / 2), std::floor((s - e) / 2) + (state == 2 ? 1 : 0), e);
        return Flatten(p, matte, tb.Transparent);
    }

    Face f;
    if (g == Close) {
        f = state == 0 ? tb.CloseNormal : state == 1 ? tb.CloseHot : tb.ClosePressed;
        if (!tb.ColouredNormal.empty() && state == 2) f = {Mix(tb.CloseNormal.Bottom, Black, 0.25), Mix(tb.CloseNormal.Top, Black, 0.1)};
    } else if (!tb.ColouredNormal.empty()) {
        f = tb.ColouredNormal[g - Help];
        if (state == 2) f = {Mix(f.Bottom, Black, 0.25), Mix(f.Top, Black, 0.1)};
    } else {
        f = state == 0 ? tb.Normal : state == 1 ? tb.Hot : tb.Pressed;
    }
    const Shape body = tb.Form == Shape2::Circle ? Circle(c, c, c - 0.5) : RoundRect(0.5, 0.5, s - 0.5, s - 0.5, tb.Radius);
    Body(p, body, tb.Edge, f, 0.5, s - 0.5, tb.Gloss, tb.EdgeOpacity);

    if (!tb.GlyphOnlyWhenHot || state > 0) {
        const double k = tb.Form == Shape2::Circle ? s * 0.19 : s * 0.22;
        const double stroke = std::max(1.4, s * 0.09);
        const double o = state == 2 ? 0.5 : 0.0;
        Shape glyph;
        switch (g) {
        case Help: glyph = GlyphHelp(c + o, c + o, k * 1.05, stroke); break;
        case Max: glyph = GlyphMaximize(c + o, c + o, k, stroke); break;
        case Restore: glyph = GlyphRestore(c + o, c + o, k * 1.05, stroke); break;
        case Min: glyph = GlyphMinimize(c + o, c + o, k, stroke); break;
        default: glyph = GlyphClose(c + o, c + o, k * 0.95, stroke * 1.15); break;
        }
        p.Fill(glyph, Solid(tb.Glyph), tb.GlyphOnlyWhenHot ? 0.75 : 1.0);
    }
    return Flatten(p, matte, tb.Transparent);
}

ArtItem TitleButtons(const Look& l) {
    std::vector<Bitmap> frames;
    for (TitleGlyph g : {ControlBox, Help, Max, Restore, Min, Close})
        for (int state = 0; state < 3; ++state) frames.push_back(TitleButtonFrame(l, g, state));
    return {Name(l.Style, "TITLEBTN"), Strip(frames)};
}

// ---- buttons, check boxes, radio buttons ---------------------------------

ArtItem Buttons(const Look& l) {
    std::vector<Bitmap> frames;
    const int w = l.ButtonWidth, h = l.ButtonHeight;
    for (int state = 0; state < 3; ++state) {
        Picture p(w, h);
        if (!l.ButtonTransparent) p.FillAll(Solid(l.FormBg));
        const Face f = state == 0 ? l.ButtonNormal : state == 1 ? l.ButtonHot : l.ButtonPressed;
        const Rgb edge = state == 0 ? l.ButtonEdge : state == 1 ? l.ButtonHotEdge : l.ButtonPressedEdge;
        const Shape body = RoundRect(0, 0, w, h, l.ButtonRadius);
        Body(p, body, edge, f, 0, h, state == 2 ? l.ButtonGloss * 0.4 : l.ButtonGloss);
        if (state == 1 && l.ButtonHotRing)
            p.Fill(Outline(Inset(body, 1.0), 2.0), Gradient({{1, l.HotRing.Top}, {h - 1.0, l.HotRing.Bottom}}));
        frames.push_back(Flatten(p, l.FormBg, l.ButtonTransparent));
    }
    return {Name(l.Style, "BUTTON"), Strip(frames)};
}

Bitmap BoxFrame(const Look& l, bool radio, bool checked, bool enabled, int w, int h, int size) {
    Picture p(w, h);
    p.FillAll(Solid(l.ControlBg));
    const double x0 = std::floor((w - size) / 2.0), y0 = std::floor((h - size) / 2.0);
    const double cx = x0 + size / 2.0, cy = y0 + size / 2.0;
    const Shape box = radio ? Circle(cx, cy, size / 2.0) : RoundRect(x0, y0, x0 + size, y0 + size, l.BoxRadius);
    const Face face = !enabled ? l.BoxFaceDisabled : (checked && l.CheckedFilled) ? l.BoxCheckedFace : l.BoxFace;
    Body(p, box, enabled ? l.BoxEdge : l.BoxEdgeDisabled, face, y0, y0 + size,
         l.Style == TskUIStyle::MacOS && enabled ? 0.45 : 0);
    if (checked) {
        const Rgb mark = enabled ? l.Mark : l.MarkDisabled;
        if (radio)
            p.Fill(Circle(cx, cy, size * 0.2), Solid(mark));
        else
            p.Fill(CheckMark(cx, cy + size * 0.02, size * 0.27, std::max(1.6, size * 0.16)), Solid(mark));
    }
    return Flatten(p, l.ControlBg, false);
}

ArtItem Boxes(const Look& l, bool radio, const char* suffix, int w, int h, int size) {
    std::vector<Bitmap> frames;
    for (auto [checked, enabled] : {std::pair{true, true}, {false, true}, {true, false}, {false, false}})
        frames.push_back(BoxFrame(l, radio, checked, enabled, w, h, size));
    return {Name(l.Style, suffix), Strip(frames)};
}

// ---- scroll bars and scroll buttons ----------------------------------------

Shape Arrow(const Look& l, Direction d, double cx, double cy, double k) {
    return l.ArrowsFilled ? Triangle(d, cx, cy, k * 1.15) : Chevron(d, cx, cy, k, std::max(1.6, k * 0.5));
}

ArtItem ScrollBarButtons(const Look& l) {
    const int w = l.ScrollThickness, h = l.ScrollLength;
    std::vector<Bitmap> frames;
    for (Direction d : {Direction::Up, Direction::Down})
        for (int state = 0; state < 3; ++state) {
            Picture p(w, h);
            p.FillAll(Solid(l.ScrollBg));
            const Face f = state == 0 ? l.ScrollNormal : state == 1 ? l.ScrollHot : l.ScrollPressed;
            Body(p, RoundRect(0, 0, w, h, l.ScrollRadius), l.ScrollEdge, f, 0, h, l.ScrollGloss);
            p.Fill(Arrow(l, d, w / 2.0, h / 2.0 + (d == Direction::Up ? -0.25 : 0.25), w * 0.2),
                   Solid(state == 2 ? l.ScrollArrowPressed : l.ScrollArrow));
            frames.push_back(Flatten(p, l.ScrollBg, false));
        }
    return {Name(l.Style, "SCROLLBAR_BUTTON"), Strip(frames)};
}

ArtItem ScrollBarThumb(const Look& l) {
    // Left cap, middle and right cap of a horizontal thumb, 7 pixels each.
    const int part = 7, w = 3 * part, h = l.ScrollThickness;
    Picture p(w, h);
    p.FillAll(Solid(l.ScrollBg));
    Body(p, RoundRect(0, 1, w, h - 1, std::min(5.0, l.ScrollRadius + 2.5)), l.ThumbEdge, l.Thumb, 1, h - 1,
         l.ScrollGloss);
    return {Name(l.Style, "SCROLLBAR_TRACK"), Flatten(p, l.ScrollBg, false)};
}

Bitmap TabScrollFrame(const Look& l, Direction d, bool hot, int w, int h, Face normal, Face hotFace, Rgb edge,
                      Rgb arrow, double radius, double gloss, bool filled) {
    Picture p(w, h);
    Body(p, RoundRect(1, 1, w - 1, h - 1, radius), edge, hot ? hotFace : normal, 1, h - 1, gloss);
    const double k = std::min(w, h) * 0.2;
    p.Fill(filled ? Triangle(d, w / 2.0, h / 2.0, k) : Chevron(d, w / 2.0, h / 2.0, k, 1.8), Solid(arrow));
    return Flatten(p, l.FormBg, true);
}

ArtItem TabScrollButtons(const Look& l) {
    std::vector<Bitmap> frames;
    const int s = l.TabScrollSize;
    for (Direction d : {Direction::Right, Direction::Left})
        for (bool hot : {false, true})
            frames.push_back(TabScrollFrame(l, d, hot, s, s, l.ScrollNormal, l.ScrollHot, l.ScrollEdge, l.ScrollArrow,
                                            l.ScrollRadius, l.ScrollGloss, l.ArrowsFilled));
    return {Name(l.Style, "SCROLLBUTTON"), Strip(frames)};
}

// ---- tabs ----------------------------------------------------------------------

ArtItem Tabs(const Look& l) {
    const int w = 3 * l.TabPart, h = l.TabHeight;
    std::vector<Bitmap> frames;
    for (bool active : {true, false}) {
        Picture p(w, h);
        const Shape tab = RoundRect(0, 0, w, h + 2 * l.TabRadius + 2, l.TabRadius);
        const Face f = active ? l.TabActive : l.TabInactive;
        Body(p, tab, l.TabEdge, f, 0, h + 1, l.Style == TskUIStyle::MacOS || l.Style == TskUIStyle::BlueGlass ? 0.5 : 0);
        if (active && l.Style != TskUIStyle::MacOS)
            p.Fill(Intersect(Inset(tab, 1.0), Above(3)), Solid(l.TabActiveTop));
        // The strip draws a tab transparent only when its top-left pixel is
        // fuchsia, so the rounded corners must start with it.
        Bitmap b = Flatten(p, l.FormBg, true);
        b.At(0, 0) = b.At(w - 1, 0) = Fuchsia;
        frames.push_back(std::move(b));
    }
    return {Name(l.Style, "TAB"), Strip(frames)};
}

ArtItem TabLine(const Look& l) {
    Picture p(8, l.TabLineHeight);
    p.FillAll(l.TabLinePaint);
    return {Name(l.Style, "TAB_LINE"), Flatten(p, l.FormBg, false)};
}

// ---- track bar --------------------------------------------------------------------

ArtItem TrackBarBar(const Look& l) {
    const int w = 3 * l.TrackBarPart, h = l.TrackBarHeight;
    Picture p(w, h);
    Body(p, RoundRect(1, 0, w - 1, h, h / 2.0), l.TrackEdge, l.TrackGroove, 0, h);
    return {Name(l.Style, "TRACKBAR_BAR"), Flatten(p, l.ControlBg, true)};
}

// The thumb points down (horizontal bar) or right (vertical bar).
ArtItem TrackBarSlider(const Look& l, bool vertical) {
    const int along = l.SliderWidth, across = l.SliderHeight + (vertical ? 1 : 0);
    const int w = vertical ? across : along, h = vertical ? along : across;
    Picture p(w, h);
    if (vertical) p.FillAll(Solid(l.ControlBg));
    const double tip = along / 2.0;
    Shape thumb = vertical ? Polygon({{0.5, 0.5}, {w - tip, 0.5}, {w - 0.5, h / 2.0}, {w - tip, h - 0.5}, {0.5, h - 0.5}})
                           : Polygon({{0.5, 0.5}, {w - 0.5, 0.5}, {w - 0.5, h - tip}, {w / 2.0, h - 0.5}, {0.5, h - tip}});
    p.Fill(thumb, Solid(l.SliderEdge));
    const Shape inner = Inset(thumb, 1.0);
    p.Fill(inner, Gradient({{1, l.SliderFace.Top}, {(vertical ? w : h) - 1.0, l.SliderFace.Bottom}}, vertical));
    // A coloured band across the flat end, as a grip.
    p.Fill(Intersect(inner, vertical ? Shape([](double x, double) { return x - 4; }) : Above(4)), Solid(l.SliderAccent), 0.85);
    return {Name(l.Style, vertical ? "TRACKBAR_SLIDER_V" : "TRACKBAR_SLIDER"), Flatten(p, l.ControlBg, !vertical)};
}

// ---- progress bar, check list, side channel --------------------------------

ArtItem ProgressBar(const Look& l) {
    const int w = l.ProgressWidth, h = l.ProgressHeight;
    Picture p(w, h);
    p.FillAll(Solid(l.ControlBg));
    p.Fill(RoundRect(0, 0, w - 1, h, 1), Gradient({{0, l.Progress.Bottom}, {h * 0.4, l.Progress.Top}, {h * 1.0, l.Progress.Bottom}}));
    return {Name(l.Style, "PROGRESSBAR"), Flatten(p, l.ControlBg, false)};
}

ArtItem SideChannelHandle(const Look& l) {
    const int w = 8, h = 86;
    Picture p(w, h);
    Body(p, RoundRect(0, 0, w, h, 3), l.ScrollEdge, {l.ScrollNormal.Top, l.ScrollNormal.Bottom}, 0, h);
    for (int i = 0; i < 5; ++i) p.Fill(Circle(w / 2.0, h / 2.0 + (i - 2) * 4.0, 1.1), Solid(l.ScrollArrow));
    return {Name(l.Style, "SIDECHENNEL_HANDLE"), Flatten(p, l.FormBg, true)};
}

ArtItem SideChannelBar(const Look& l) {
    Picture p(1, 21);
    p.FillAll(Gradient({{0.5, l.ScrollEdge}, {1.5, l.ScrollNormal.Top}, {19.5, l.ScrollNormal.Bottom}, {20.5, l.ScrollEdge}}));
    return {Name(l.Style, "SIDECHENNEL_BAR"), Flatten(p, l.FormBg, false)};
}

}  // namespace

std::vector<ArtItem> StyleArt(TskUIStyle Style) {
    const Look& l = LookOf(Style);
    std::vector<ArtItem> art;
    art.push_back(Buttons(l));
    art.push_back(Boxes(l, false, "CHECKBOX", l.BoxWidth, l.BoxHeight, l.BoxSize));
    art.push_back(Boxes(l, true, "RADIOBUTTON", l.BoxWidth, l.BoxHeight, l.BoxSize));
    art.push_back(TitleButtons(l));
    for (ArtItem& t : TitlePictures(l)) art.push_back(std::move(t));
    art.push_back(ProgressBar(l));
    art.push_back(TrackBarBar(l));
    art.push_back(TrackBarSlider(l, false));
    art.push_back(TrackBarSlider(l, true));
    art.push_back(ScrollBarButtons(l));
    art.push_back(ScrollBarThumb(l));
    art.push_back(Boxes(l, false, "CHECKLIST", 11, 11, 11));
    if (Style == TskUIStyle::MacOS || Style == TskUIStyle::WinXP) art.push_back(TabScrollButtons(l));
    art.push_back(Tabs(l));
    art.push_back(TabLine(l));
    art.push_back(SideChannelHandle(l));
    art.push_back(SideChannelBar(l));
    return art;
}

namespace {

ArtItem MoreScrollButton() {
    const Look& l = LookOf(TskUIStyle::DeepBlue);
    std::vector<Bitmap> frames;
    for (Direction d : {Direction::Right, Direction::Left})
        for (bool hot : {false, true})
            frames.push_back(TabScrollFrame(l, d, hot, 18, 17, {Rgb{250, 250, 250}, Rgb{212, 212, 216}},
                                            {Rgb{240, 246, 255}, Rgb{190, 208, 240}}, hot ? Rgb{60, 90, 170} : Rgb{128, 128, 134},
                                            Rgb{30, 30, 36}, 2, 0, true));
    return {"MORE_SCROLLBUTTON", Strip(frames)};
}

ArtItem MenuChecked() {
    // White is this picture's transparent colour, so the mark is snapped to
    // solid pixels where it would otherwise fade into near-white.
    Picture p(16, 16);
    p.FillAll(Solid(White));
    p.Fill(CheckMark(8, 8.5, 4.2, 2.1), Solid(Rgb{16, 16, 20}));
    Bitmap b = Flatten(p, White, false);
    for (Rgb& c : b.Pixels)
        if (c.r + c.g + c.b > 3 * 200) c = White;
    return {"MENU_CHECKED", b};
}

ArtItem MacMenuBar() {
    Picture p(1, 22);
    p.FillAll(Gradient({{0.5, Rgb{255, 255, 255}}, {1.5, Rgb{248, 248, 248}}, {19.5, Rgb{228, 228, 230}},
                        {20.5, Rgb{214, 214, 216}}, {21.5, Rgb{150, 150, 154}}}));
    return {"MACOS_MENU_BAR", Flatten(p, White, false)};
}

ArtItem MacMenuSelect() {
    Picture p(1, 21);
    p.FillAll(Gradient({{0.5, Rgb{120, 172, 244}}, {1.5, Rgb{92, 150, 236}}, {19.5, Rgb{36, 96, 210}}, {20.5, Rgb{24, 70, 170}}}));
    return {"MACOS_MENU_SELECT", Flatten(p, White, false)};
}

ArtItem MacFormBackground() {
    Picture p(8, 8);
    p.FillAll([](double, double y) { return static_cast<int>(y) % 2 ? Rgb{240, 240, 240} : Rgb{231, 231, 231}; });
    return {"MACOS_FORM_BACKGROUND", Flatten(p, White, false)};
}

ArtItem ProteinFormBackground() {
    Picture p(8, 8);
    p.FillAll([](double x, double y) {
        const int ix = static_cast<int>(x), iy = static_cast<int>(y);
        return (ix + iy) % 4 == 0 ? Rgb{243, 243, 246} : Rgb{251, 251, 251};
    });
    return {"PROTEIN_FORM_BACKGROUND", Flatten(p, White, false)};
}

ArtItem MdiControlButtons() {
    const Rgb bar = FromTColor(0x00CED3D6);
    std::vector<Bitmap> frames;
    for (int i = 0; i < 3; ++i) {
        Picture p(16, 16);
        const Shape g = i == 0 ? GlyphMinimize(8, 8, 5, 1.8) : i == 1 ? GlyphRestore(8, 8, 5, 1.6) : GlyphClose(8, 8, 4, 1.9);
        p.Fill(g, Solid(Rgb{20, 20, 24}));
        frames.push_back(Flatten(p, bar, true));
    }
    return {"MDI_CONTROL_BUTTON", Strip(frames)};
}

ArtItem NavigatorButtons() {
    const Rgb face{240, 240, 240}, ink{40, 60, 110};
    std::vector<Bitmap> frames;
    for (int i = 0; i < 10; ++i) {
        Picture p(16, 16);
        const double c = 8;
        Rgb colour = ink;
        Shape g;
        switch (i) {
        case 0: g = Union(Rect(3.5, 4, 5.5, 12), Triangle(Direction::Left, 9.5, c, 4)); break;          // first
        case 1: g = Triangle(Direction::Left, 8, c, 4.5); break;                                              // prior
        case 2: g = Triangle(Direction::Right, 8, c, 4.5); break;                                             // next
        case 3: g = Union(Rect(10.5, 4, 12.5, 12), Triangle(Direction::Right, 6.5, c, 4)); break;       // last
        case 4: g = Plus(c, c, 4.5, 2.2); break;                                                            // insert
        case 5: g = Rect(3.5, 7, 12.5, 9.2); break;                                                          // delete
        case 6:                                                                                             // edit: a pencil
            g = Union(Polygon({{10.5, 2.5}, {13.5, 5.5}, {6, 13}, {3, 13.5}, {3.5, 10.5}}),
                      Segment(3, 14, 12, 14, 0.6));
            break;
        case 7: g = CheckMark(c, c + 0.5, 4.5, 2.2); colour = Rgb{20, 140, 40}; break;                    // post
        case 8: g = GlyphClose(c, c, 3.8, 2.2); colour = Rgb{200, 30, 30}; break;                         // cancel
        default: {                                                                                          // refresh
            std::vector<std::pair<double, double>> arc;
            for (int k = 0; k <= 20; ++k) {
                const double a = 0.35 + 4.9 * k / 20.0;
                arc.push_back({c + 4.6 * std::cos(a), c - 4.6 * std::sin(a)});
            }
            g = Union(Polyline(arc, 0.95), Polygon({{13.8, 2.8}, {14.2, 8.2}, {9.2, 6.6}}));
            colour = Rgb{30, 110, 60};
            break;
        }
        }
        p.Fill(g, Solid(colour));
        frames.push_back(Flatten(p, face, true));
    }
    return {"DBNAV_BUTTON", Strip(frames), true};
}

}  // namespace

std::vector<ArtItem> SharedArt() {
    return {MoreScrollButton(), MenuChecked(),        MacMenuBar(),        MacMenuSelect(),
            MacFormBackground(), ProteinFormBackground(), MdiControlButtons(), NavigatorButtons()};
}

std::vector<IconImage> MainIcon() {
    std::vector<IconImage> icons;
    for (int size : {16, 32, 48}) {
        Picture p(size, size);
        Emblem(p, 0, 0, size);
        IconImage icon{size, {}};
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) icon.Pixels.push_back(p.At(x, y));
        icons.push_back(std::move(icon));
    }
    return icons;
}

std::vector<ArtItem> AllArt() {
    std::vector<ArtItem> all;
    for (TskUIStyle s : {TskUIStyle::WinXP, TskUIStyle::DeepBlue, TskUIStyle::MacOS, TskUIStyle::Protein, TskUIStyle::BlueGlass})
        for (ArtItem& a : StyleArt(s)) all.push_back(std::move(a));
    for (ArtItem& a : SharedArt()) all.push_back(std::move(a));
    return all;
}
