#pragma once
// Fonts and texts of a movie: glyph outlines, static text records and the
// initial text of text fields. Glyphs are shapes in font units (the EM square
// is 1024 units, 20480 in DefineFont3); texts place them by their records.

#include "SwfShape.h"
#include "SwfTypes.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct TSwfFont {
    std::string Name;
    bool Bold = false, Italic = false;
    double EmSquare = 1024;
    std::vector<TSwfShape> Glyphs;   // one filled path per glyph, or none for an empty glyph
    std::vector<uint16_t> Codes;     // the character of each glyph, where the font says
    bool HasLayout = false;
    double Ascent = 0, Descent = 0, Leading = 0;  // font units
    std::vector<double> Advances;    // font units, with the layout
    // The glyph for a character, or -1.
    int GlyphOf(uint16_t Code) const;
};

// DefineFont (Version 1), DefineFont2 (2) and DefineFont3 (3) after the id.
// False when tables or outlines do not fit the data; the glyphs read before
// the fault are kept.
bool ReadFont(std::span<const uint8_t> Body, int Version, TSwfFont& Font);

struct TSwfTextGlyph {
    uint32_t Index = 0;
    double Advance = 0;   // twips
};

struct TSwfTextRecord {
    uint16_t FontId = 0;
    TSwfRgba Color;
    double X = 0, Y = 0;  // where the first glyph's origin is, text twips
    double Height = 0;    // twips per EM
    std::vector<TSwfTextGlyph> Glyphs;
};

struct TSwfText {
    TSwfRect Bounds;
    TSwfMatrix Matrix;
    std::vector<TSwfTextRecord> Records;  // style and position already carried from record to record
};

// DefineText (Version 1) and DefineText2 (2) after the id.
bool ReadText(std::span<const uint8_t> Body, int Version, TSwfText& Text);

struct TSwfEditText {
    TSwfRect Bounds;
    bool HasFont = false;
    uint16_t FontId = 0;
    std::string FontClass;
    double Height = 240;  // twips
    TSwfRgba Color{0, 0, 0, 255};
    enum TAlign : uint8_t { Left, Right, Center, Justify } Align = Left;
    double LeftMargin = 0, RightMargin = 0, Indent = 0, Leading = 0;  // twips
    bool WordWrap = false, Multiline = false, Password = false, Html = false, UseOutlines = false;
    std::string Text;     // initial text; HTML reduced to its plain text
};

// DefineEditText after the id.
bool ReadEditText(std::span<const uint8_t> Body, TSwfEditText& Edit);

// The plain text of a text field's HTML: tags dropped, line and paragraph
// ends as line breaks, the common entities decoded.
std::string PlainTextOfHtml(const std::string& Html);

// The platform font that stands for a device font name: "_sans", "_serif"
// and "_typewriter" become Arial, Times New Roman and Courier New.
std::string DeviceFontName(const std::string& Name);

// The characters of UTF-8 text; a byte that starts no valid sequence stands
// for itself (older movies store single-byte text).
std::vector<uint32_t> DecodeUtf8(const std::string& Text);

// Lines of a text field in an embedded font: each glyph with its origin in
// the field's twips. Lines break at line ends and, with word wrap, before a
// word that would reach past the field's right margin.
struct TSwfPlacedGlyph {
    int Glyph = 0;
    double X = 0, Y = 0;
};
std::vector<TSwfPlacedGlyph> LayOutEditText(const TSwfEditText& Edit, const TSwfFont& Font);

// Text fields keep two pixels between their bounds and their text.
constexpr double TextGutter = 40;
