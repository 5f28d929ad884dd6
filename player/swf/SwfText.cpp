#include "SwfText.h"

#include "SwfBitReader.h"

#include <algorithm>

int TSwfFont::GlyphOf(uint16_t Code) const {
    for (size_t i = 0; i < Codes.size() && i < Glyphs.size(); ++i)
        if (Codes[i] == Code) return static_cast<int>(i);
    return -1;
}

namespace {

// The glyph outlines stored at Offsets (from the table's start) up to End.
bool ReadGlyphs(std::span<const uint8_t> table, const std::vector<uint32_t>& offsets, size_t end, TSwfFont& font) {
    end = std::min(end, table.size());
    for (size_t i = 0; i < offsets.size(); ++i) {
        size_t from = offsets[i], to = i + 1 < offsets.size() ? offsets[i + 1] : end;
        if (from > to || to > end) return false;
        TSwfShape glyph;
        // An outline cut short keeps what it read, but the font is damaged.
        bool whole = ReadGlyphShape(table.subspan(from, to - from), glyph);
        font.Glyphs.push_back(std::move(glyph));
        if (!whole) return false;
    }
    return true;
}

}  // namespace

bool ReadFont(std::span<const uint8_t> Body, int Version, TSwfFont& Font) {
    TSwfBitReader r(Body);
    if (Version == 1) {
        // The first offset tells how long the offset table is.
        uint16_t first = r.U16();
        if (r.Overrun()) return true;  // a font without glyphs
        size_t count = first / 2;
        if (count == 0 || size_t(first) > Body.size()) return false;
        std::vector<uint32_t> offsets = {first};
        for (size_t i = 1; i < count; ++i) offsets.push_back(r.U16());
        if (r.Overrun()) return false;
        return ReadGlyphs(Body, offsets, Body.size(), Font);
    }
    Font.EmSquare = Version >= 3 ? 20480 : 1024;
    uint8_t flags = r.U8();
    r.U8();  // language
    uint8_t nameLength = r.U8();
    auto name = r.Take(nameLength);
    Font.Name.assign(name.begin(), name.end());
    while (!Font.Name.empty() && Font.Name.back() == 0) Font.Name.pop_back();
    Font.Bold = flags & 0x01;
    Font.Italic = flags & 0x02;
    const bool wideCodes = flags & 0x04, wideOffsets = flags & 0x08, hasLayout = flags & 0x80;
    size_t count = r.U16();
    if (r.Overrun()) return false;
    const size_t tableStart = r.Position();
    const size_t entry = wideOffsets ? 4 : 2;
    // The count must fit the data before anything is sized by it.
    if (count * entry > r.Remaining()) return false;
    std::vector<uint32_t> offsets;
    offsets.reserve(count);
    for (size_t i = 0; i < count; ++i) offsets.push_back(wideOffsets ? r.U32() : r.U16());
    size_t codeTable = count ? (wideOffsets ? r.U32() : r.U16()) : r.Remaining() + (r.Position() - tableStart);
    if (r.Overrun()) return count == 0;
    std::span<const uint8_t> table = Body.subspan(tableStart);
    if (codeTable > table.size()) return false;
    if (!ReadGlyphs(table, offsets, codeTable, Font)) return false;
    TSwfBitReader rest(table.subspan(codeTable));
    for (size_t i = 0; i < count; ++i) Font.Codes.push_back(wideCodes ? rest.U16() : rest.U8());
    if (rest.Overrun()) {
        Font.Codes.clear();
        return false;
    }
    if (hasLayout) {
        Font.Ascent = rest.U16();
        Font.Descent = rest.U16();
        Font.Leading = rest.S16();
        std::vector<double> advances;
        for (size_t i = 0; i < count && !rest.Overrun(); ++i) advances.push_back(rest.S16());
        // Bounds and kerning follow; they change nothing drawn here.
        if (rest.Overrun()) return false;
        Font.Advances = std::move(advances);
        Font.HasLayout = true;
    }
    return true;
}

bool ReadText(std::span<const uint8_t> Body, int Version, TSwfText& Text) {
    TSwfBitReader r(Body);
    Text.Bounds = r.Rect();
    Text.Matrix = r.Matrix();
    unsigned glyphBits = r.U8(), advanceBits = r.U8();
    if (glyphBits > 32 || advanceBits > 32) return false;
    TSwfTextRecord style;
    while (!r.Overrun()) {
        uint8_t head = r.U8();
        if (r.Overrun()) break;
        if (head == 0) return true;
        // Position and style carry on from the record before.
        TSwfTextRecord rec = style;
        rec.Glyphs.clear();
        if (head & 0x08) rec.FontId = r.U16();
        if (head & 0x04) rec.Color = Version >= 2 ? r.Rgba() : r.Rgb();
        if (head & 0x01) rec.X = r.S16();
        if (head & 0x02) rec.Y = r.S16();
        if (head & 0x08) rec.Height = r.U16();
        unsigned count = r.U8();
        for (unsigned i = 0; i < count && !r.Overrun(); ++i) {
            TSwfTextGlyph g;
            g.Index = r.UB(glyphBits);
            g.Advance = r.SB(advanceBits);
            rec.Glyphs.push_back(g);
        }
        r.Align();
        if (r.Overrun()) break;
        style = rec;
        for (const auto& g : rec.Glyphs) style.X += g.Advance;
        Text.Records.push_back(std::move(rec));
    }
    return false;
}

bool ReadEditText(std::span<const uint8_t> Body, TSwfEditText& Edit) {
    TSwfBitReader r(Body);
    Edit.Bounds = r.Rect();
    uint8_t f1 = r.U8(), f2 = r.U8();
    const bool hasText = f1 & 0x80, hasColor = f1 & 0x04, hasMaxLength = f1 & 0x02, hasFont = f1 & 0x01;
    const bool hasFontClass = f2 & 0x80, hasLayout = f2 & 0x20;
    Edit.WordWrap = f1 & 0x40;
    Edit.Multiline = f1 & 0x20;
    Edit.Password = f1 & 0x10;
    Edit.Html = f2 & 0x02;
    Edit.UseOutlines = f2 & 0x01;
    if (hasFont) {
        Edit.HasFont = true;
        Edit.FontId = r.U16();
    }
    if (hasFontClass) Edit.FontClass = r.String();
    if (hasFont || hasFontClass) Edit.Height = r.U16();
    if (hasColor) Edit.Color = r.Rgba();
    if (hasMaxLength) r.U16();
    if (hasLayout) {
        uint8_t align = r.U8();
        Edit.Align = align <= 3 ? TSwfEditText::TAlign(align) : TSwfEditText::Left;
        Edit.LeftMargin = r.U16();
        Edit.RightMargin = r.U16();
        Edit.Indent = r.U16();
        Edit.Leading = r.S16();
    }
    r.String();  // variable name
    if (hasText) {
        std::string text = r.String();
        Edit.Text = Edit.Html ? PlainTextOfHtml(text) : text;
    }
    return !r.Overrun();
}

std::string PlainTextOfHtml(const std::string& Html) {
    std::string out;
    for (size_t i = 0; i < Html.size(); ++i) {
        char c = Html[i];
        if (c == '<') {
            size_t end = Html.find('>', i);
            if (end == std::string::npos) break;
            std::string tag = Html.substr(i + 1, end - i - 1);
            std::transform(tag.begin(), tag.end(), tag.begin(), [](unsigned char ch) { return char(std::tolower(ch)); });
            if (tag.rfind("br", 0) == 0 || tag == "/p" || tag == "/li") out += '\n';
            i = end;
        } else if (c == '&') {
            static const std::pair<const char*, char> entities[] = {{"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'},
                                                                     {"&quot;", '"'}, {"&apos;", '\''}, {"&nbsp;", ' '}};
            bool known = false;
            for (auto [name, ch] : entities)
                if (Html.compare(i, std::char_traits<char>::length(name), name) == 0) {
                    out += ch;
                    i += std::char_traits<char>::length(name) - 1;
                    known = true;
                    break;
                }
            if (!known) out += c;
        } else {
            out += c;
        }
    }
    // A closing paragraph at the very end adds no empty line.
    while (!out.empty() && out.back() == '\n') out.pop_back();
    return out;
}

std::string DeviceFontName(const std::string& Name) {
    if (Name == "_sans") return "Arial";
    if (Name == "_serif") return "Times New Roman";
    if (Name == "_typewriter") return "Courier New";
    return Name.empty() ? "Arial" : Name;
}

std::vector<uint32_t> DecodeUtf8(const std::string& Text) {
    std::vector<uint32_t> out;
    const auto* p = reinterpret_cast<const unsigned char*>(Text.data());
    const size_t n = Text.size();
    for (size_t i = 0; i < n;) {
        unsigned c = p[i];
        size_t len = c >= 0xF0 && c < 0xF8 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        if (c >= 0xF8) len = 1;
        uint32_t cp = len == 1 ? c : c & (0x3F >> (len - 1));
        bool ok = len > 1 && i + len <= n;
        for (size_t k = 1; ok && k < len; ++k) {
            ok = (p[i + k] & 0xC0) == 0x80;
            cp = cp << 6 | (p[i + k] & 0x3F);
        }
        if (len > 1 && !ok) {
            cp = c;
            len = 1;
        }
        out.push_back(cp);
        i += len;
    }
    return out;
}

std::vector<TSwfPlacedGlyph> LayOutEditText(const TSwfEditText& e, const TSwfFont& f) {
    std::vector<TSwfPlacedGlyph> out;
    const double scale = e.Height / f.EmSquare;
    const double ascent = f.HasLayout ? f.Ascent * scale : e.Height * 0.8;
    const double descent = f.HasLayout ? f.Descent * scale : e.Height * 0.2;
    const double lineHeight = ascent + descent + e.Leading;
    const double left = e.Bounds.XMin + TextGutter + e.LeftMargin;
    const double right = e.Bounds.XMax - TextGutter - e.RightMargin;
    auto advance = [&](int glyph) {
        if (f.HasLayout && size_t(glyph) < f.Advances.size()) return f.Advances[size_t(glyph)] * scale;
        return e.Height * 0.6;
    };
    // Lines as runs of (glyph, advance); characters the font lacks are left out.
    struct TRun {
        std::vector<std::pair<int, double>> Glyphs;
        double Width = 0;
    };
    std::vector<TRun> lines(1);
    std::vector<uint32_t> chars = DecodeUtf8(e.Text);
    const int space = f.GlyphOf(' ');
    size_t wordStart = 0;  // index in the current line where the current word begins
    for (size_t i = 0; i < chars.size(); ++i) {
        uint32_t c = chars[i];
        if (c == '\r' && i + 1 < chars.size() && chars[i + 1] == '\n') continue;
        if (c == '\n' || c == '\r') {
            if (!e.Multiline) continue;
            lines.emplace_back();
            wordStart = 0;
            continue;
        }
        int g = c == ' ' ? space : f.GlyphOf(c > 0xFFFF ? 0 : uint16_t(c));
        double adv = g >= 0 ? advance(g) : c == ' ' ? e.Height * 0.25 : 0;
        if (g < 0 && c != ' ') continue;
        TRun& line = lines.back();
        if (c == ' ') {
            line.Glyphs.push_back({g, adv});
            line.Width += adv;
            wordStart = line.Glyphs.size();
            continue;
        }
        const double indent = lines.size() == 1 ? e.Indent : 0;
        if (e.WordWrap && e.Multiline && wordStart > 0 && left + indent + line.Width + adv > right) {
            // The word moves to a line of its own; the spaces before it stay behind.
            TRun next;
            next.Glyphs.assign(line.Glyphs.begin() + long(wordStart), line.Glyphs.end());
            line.Glyphs.resize(wordStart);
            line.Width = 0;
            for (auto& [gg, a] : line.Glyphs) line.Width += a;
            for (auto& [gg, a] : next.Glyphs) next.Width += a;
            lines.push_back(std::move(next));
            wordStart = 0;
        }
        lines.back().Glyphs.push_back({g, adv});
        lines.back().Width += adv;
    }
    for (size_t n = 0; n < lines.size(); ++n) {
        const TRun& line = lines[n];
        double x = left + (n == 0 ? e.Indent : 0);
        const double room = right - x;
        // Spaces at a line's end take no part in its alignment.
        double width = line.Width;
        for (size_t k = line.Glyphs.size(); k-- > 0 && line.Glyphs[k].first == space;) width -= line.Glyphs[k].second;
        if (e.Align == TSwfEditText::Right) x += room - width;
        if (e.Align == TSwfEditText::Center) x += (room - width) / 2;
        const double y = e.Bounds.YMin + TextGutter + ascent + double(n) * lineHeight;
        for (auto [g, a] : line.Glyphs) {
            if (g >= 0) out.push_back({g, x, y});
            x += a;
        }
    }
    return out;
}
