#include "Art.h"

#include <algorithm>
#include <array>
#include <map>

namespace {

// A 5 x 7 pixel font for the labels: one byte per row, low five bits, leftmost
// pixel in bit 4.
const std::map<char, std::array<std::uint8_t, 7>>& Font() {
    static const std::map<char, std::array<std::uint8_t, 7>> font{
        {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}}, {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}},
        {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}}, {'D', {0x1E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1E}},
        {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}}, {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
        {'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}}, {'H', {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
        {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}}, {'J', {0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0C}},
        {'K', {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}}, {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
        {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}}, {'N', {0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11}},
        {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
        {'Q', {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D}}, {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
        {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}}, {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
        {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}},
        {'W', {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A}}, {'X', {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11}},
        {'Y', {0x11, 0x11, 0x0A, 0x04, 0x04, 0x04, 0x04}}, {'Z', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F}},
        {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}}, {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
        {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}}, {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
        {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}}, {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
        {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}}, {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
        {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}}, {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
        {'_', {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x1F}}, {'x', {0x00, 0x00, 0x11, 0x0A, 0x04, 0x0A, 0x11}},
        {' ', {0, 0, 0, 0, 0, 0, 0}},                       {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}},
    };
    return font;
}

}  // namespace

void PreviewText(Bitmap& b, int x, int y, const std::string& text, int scale, Rgb colour) {
    for (char ch : text) {
        if (ch >= 'a' && ch <= 'z' && ch != 'x') ch = static_cast<char>(ch - 'a' + 'A');
        const auto it = Font().find(ch);
        if (it != Font().end())
            for (int row = 0; row < 7; ++row)
                for (int col = 0; col < 5; ++col)
                    if (it->second[row] & (0x10 >> col))
                        for (int sy = 0; sy < scale; ++sy)
                            for (int sx = 0; sx < scale; ++sx) {
                                const int px = x + col * scale + sx, py = y + row * scale + sy;
                                if (px >= 0 && py >= 0 && px < b.Width && py < b.Height) b.At(px, py) = colour;
                            }
        x += 6 * scale;
    }
}

namespace {

void Text(Bitmap& b, int x, int y, const std::string& text, int scale, Rgb colour) { PreviewText(b, x, y, text, scale, colour); }

void Blit(Bitmap& dst, const Bitmap& src, int x0, int y0, int zoom) {
    for (int y = 0; y < src.Height * zoom; ++y)
        for (int x = 0; x < src.Width * zoom; ++x) {
            const int px = x0 + x, py = y0 + y;
            if (px < dst.Width && py < dst.Height) dst.At(px, py) = src.At(x / zoom, y / zoom);
        }
}

void Frame(Bitmap& dst, int x0, int y0, int w, int h, Rgb c) {
    for (int x = x0 - 1; x <= x0 + w; ++x) {
        if (x < 0 || x >= dst.Width) continue;
        if (y0 - 1 >= 0) dst.At(x, y0 - 1) = c;
        if (y0 + h < dst.Height) dst.At(x, y0 + h) = c;
    }
    for (int y = y0 - 1; y <= y0 + h; ++y) {
        if (y < 0 || y >= dst.Height) continue;
        if (x0 - 1 >= 0) dst.At(x0 - 1, y) = c;
        if (x0 + w < dst.Width) dst.At(x0 + w, y) = c;
    }
}

std::string Group(const std::string& name) {
    if (name.find(" WINDOW") != std::string::npos) return "IN USE";
    for (const char* p : {"WINXP_", "DEEPBLUE_", "MACOS_", "PROTEIN_", "BLUEGLASS_"})
        if (name.rfind(p, 0) == 0 && name != "MACOS_MENU_BAR" && name != "MACOS_MENU_SELECT" &&
            name != "MACOS_FORM_BACKGROUND" && name != "PROTEIN_FORM_BACKGROUND")
            return std::string(p).substr(0, std::string(p).size() - 1);
    return "SHARED";
}

}  // namespace

Bitmap ArtSheet(const std::vector<ArtItem>& art, const std::vector<IconImage>& icon) {
    constexpr int SheetWidth = 1600, Margin = 16, LabelScale = 2;
    const Rgb background{196, 200, 206}, ink{24, 28, 40};
    auto zoomOf = [](const Bitmap& b) { return b.Width >= 300 ? 2 : b.Width >= 100 ? 3 : b.Height >= 60 ? 3 : 4; };

    // Lay out once to learn the height, then draw.
    struct Place {
        int x, y, zoom;
        const ArtItem* item;
    };
    std::vector<Place> places;
    std::vector<std::pair<int, std::string>> headings;
    int x = Margin, y = Margin, rowHeight = 0;
    std::string group;
    for (const ArtItem& a : art) {
        const int zoom = zoomOf(a.Image);
        const int label = static_cast<int>(a.Name.size() + 10) * 6 * LabelScale;
        const int w = std::max(a.Image.Width * zoom, label), h = a.Image.Height * zoom + 9 * LabelScale + 6;
        if (Group(a.Name) != group) {
            group = Group(a.Name);
            if (x != Margin || !places.empty()) y += rowHeight + Margin;
            headings.push_back({y, group});
            y += 9 * 3 + Margin / 2;
            x = Margin;
            rowHeight = 0;
        }
        if (x + w > SheetWidth - Margin) {
            x = Margin;
            y += rowHeight + Margin;
            rowHeight = 0;
        }
        places.push_back({x, y, zoom, &a});
        x += w + Margin;
        rowHeight = std::max(rowHeight, h);
    }
    y += rowHeight + Margin;
    const int iconY = y + 9 * 3 + Margin / 2;
    const int height = iconY + 48 * 3 + 9 * LabelScale + 6 + Margin;

    Bitmap sheet{SheetWidth, height, std::vector<Rgb>(static_cast<std::size_t>(SheetWidth) * height, background)};
    for (const auto& [hy, name] : headings) Text(sheet, Margin, hy, name, 3, ink);
    for (const Place& p : places) {
        const Bitmap& b = p.item->Image;
        Text(sheet, p.x, p.y, p.item->Name + " " + std::to_string(b.Width) + "x" + std::to_string(b.Height), LabelScale, ink);
        const int top = p.y + 9 * LabelScale;
        Blit(sheet, b, p.x, top, p.zoom);
        Frame(sheet, p.x, top, b.Width * p.zoom, b.Height * p.zoom, Rgb{90, 94, 104});
    }
    Text(sheet, Margin, y, "MAINICON", 3, ink);
    int ix = Margin;
    for (const IconImage& i : icon) {
        Bitmap b{i.Size, i.Size, {}};
        for (const Color4& c : i.Pixels) {
            auto ch = [&](double v, int m) { return static_cast<std::uint8_t>(v * c.a + m * (1 - c.a)); };
            b.Pixels.push_back({ch(c.r, background.r), ch(c.g, background.g), ch(c.b, background.b)});
        }
        Text(sheet, ix, iconY, std::to_string(i.Size) + "x" + std::to_string(i.Size), LabelScale, ink);
        Blit(sheet, b, ix, iconY + 9 * LabelScale, 3);
        ix += i.Size * 3 + Margin * 2;
    }
    return sheet;
}
