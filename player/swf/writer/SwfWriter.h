#pragma once
// Builds small movie files: the fixtures of the tests and the sample movies.
// Only what those need is here; every field goes out in its file encoding, so
// reading a written movie back exercises the reader's real paths.

#include "../SwfFill.h"
#include "../SwfShape.h"
#include "../SwfText.h"
#include "../SwfTypes.h"

#include <Object.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

class TSwfBitWriter {
public:
    void UB(unsigned Bits, uint32_t Value);
    void SB(unsigned Bits, int32_t Value);
    void Align();
    void U8(uint8_t v);
    void U16(uint16_t v);
    void U32(uint32_t v);
    void Bytes(std::span<const uint8_t> b);
    void Rect(const TSwfRect& r);
    void Matrix(const TSwfMatrix& m);
    void ColorTransform(const TSwfColorTransform& cx, bool WithAlpha);
    void Color(TSwfRgba c, bool WithAlpha);
    const std::vector<uint8_t>& Data() { Align(); return data_; }

    // Bits a signed field needs to hold every value given.
    static unsigned SignedBits(std::initializer_list<int64_t> Values);

private:
    std::vector<uint8_t> data_;
    unsigned bitsUsed_ = 0;  // in the last byte
};

// A shape: fill and line styles, then drawing commands in twips.
class TSwfShapeBuilder : public TObject {
public:
    using TFill = TSwfFill;
    struct TLine {
        uint16_t Width = 20;
        TSwfRgba Color;
        TSwfLineStyle Style;
        std::optional<TSwfFill> Fill;  // second-kind line styles only
    };
    struct TRecord {
        enum TKind : uint8_t { Style, NewStyles, Move, Line, Curve } Kind = Style;
        int Fill0 = -1, Fill1 = -1, LineStyle = -1;  // -1: unchanged
        int32_t Cx = 0, Cy = 0, X = 0, Y = 0;
    };

    // Styles are numbered from 1 within the current style arrays; 0 is "none".
    int SolidFill(TSwfRgba c);
    int GradientFill(bool Radial, std::vector<std::pair<uint8_t, TSwfRgba>> Stops, const TSwfMatrix& m = {});
    int BitmapFill(uint16_t BitmapId);
    // Any fill as the file describes it (gradient stops beyond 15 are not written).
    int Fill(const TSwfFill& f);
    int LineStyle(uint16_t WidthTwips, TSwfRgba c);
    // A line with caps, join and an optional fill, written as such in DefineShape4.
    int LineStyle(uint16_t WidthTwips, TSwfRgba c, const TSwfLineStyle& Style, std::optional<TSwfFill> Fill = {});
    // Starts a new set of style arrays (shape versions 2 and up).
    void NewStyles();

    void Style(int Fill0, int Fill1, int Line);
    void MoveTo(int32_t x, int32_t y);
    void LineTo(int32_t x, int32_t y);
    void CurveTo(int32_t cx, int32_t cy, int32_t x, int32_t y);

    // Closed figures filled with Fill on their inside (clockwise on screen) and
    // outlined with Line; either may be 0.
    void Rectangle(int32_t x, int32_t y, int32_t w, int32_t h, int Fill, int Line);
    void Ellipse(int32_t cx, int32_t cy, int32_t rx, int32_t ry, int Fill, int Line);
    void Polygon(const std::vector<std::pair<int32_t, int32_t>>& Points, int Fill, int Line);

    // The body of a DefineShape tag of the given version after the id.
    std::vector<uint8_t> Encode(int Version) const;
    // The shape records alone, with the given style index widths, and the end record.
    void EncodeRecords(TSwfBitWriter& w, unsigned FillBits, unsigned LineBits) const;
    TSwfRect Bounds() const;

private:
    struct TGroup {
        std::vector<TFill> Fills;
        std::vector<TLine> Lines;
    };
    std::vector<TGroup> groups_{1};
    std::vector<TRecord> records_;
    int32_t minX_ = INT32_MAX, minY_ = INT32_MAX, maxX_ = INT32_MIN, maxY_ = INT32_MIN;
    int32_t x_ = 0, y_ = 0;

    void Extend(int32_t x, int32_t y);
    void EncodeRecordsFrom(TSwfBitWriter& w, unsigned& FillBits, unsigned& LineBits, size_t& Next,
                           const std::function<void(TSwfBitWriter&)>& NewStyles) const;
};

// A shape tween: pairs of styles, the start outline drawn with styles in
// Start, the end outline with the same edges (moves, lines and curves only) in End.
class TSwfMorphBuilder : public TObject {
public:
    int Fill(const TSwfFill& StartFill, const TSwfFill& EndFill);
    int Line(uint16_t StartWidth, uint16_t EndWidth, TSwfRgba StartColor, TSwfRgba EndColor,
             const TSwfLineStyle& Style = {});
    TSwfShapeBuilder Start, End;
    // The body of DefineMorphShape (Version 1) or DefineMorphShape2 after the id.
    std::vector<uint8_t> Encode(int Version) const;

private:
    std::vector<std::pair<TSwfFill, TSwfFill>> fills_;
    struct TLinePair {
        uint16_t W0, W1;
        TSwfRgba C0, C1;
        TSwfLineStyle Style;
    };
    std::vector<TLinePair> lines_;
};

// A sequence of tags with its frames: the main timeline or a movie clip's.
class TSwfTagWriter : public TObject {
public:
    void Tag(uint16_t Code, std::span<const uint8_t> Body, bool LongHeader = false);
    // PlaceObject2: a new object at Depth.
    void Place(uint16_t Depth, uint16_t Id, const TSwfMatrix& m = {}, std::optional<TSwfColorTransform> cx = {});
    // PlaceObject2 with the move flag: changes the object at Depth.
    void Move(uint16_t Depth, std::optional<TSwfMatrix> m, std::optional<TSwfColorTransform> cx = {},
              std::optional<uint16_t> NewId = {});
    // PlaceObject2 placing a mask layer that reaches up to ClipDepth.
    void PlaceMask(uint16_t Depth, uint16_t Id, uint16_t ClipDepth, const TSwfMatrix& m = {});
    void PlaceObject1(uint16_t Depth, uint16_t Id, const TSwfMatrix& m, std::optional<TSwfColorTransform> cx = {});
    void PlaceObject3(uint16_t Depth, uint16_t Id, const TSwfMatrix& m);
    // PlaceObject2 of a shape tween at Ratio (0..65535); MoveRatio changes the ratio only.
    void PlaceRatio(uint16_t Depth, uint16_t Id, uint16_t Ratio, const TSwfMatrix& m = {});
    void MoveRatio(uint16_t Depth, uint16_t Ratio);
    void Remove(uint16_t Depth);                     // RemoveObject2
    void RemoveObject1(uint16_t Depth, uint16_t Id);
    void ShowFrame();
    void End();

    int Frames() const { return frames_; }
    const std::vector<uint8_t>& Data() const { return data_; }

private:
    std::vector<uint8_t> data_;
    int frames_ = 0;
};

class TSwfWriter : public TObject {
public:
    // Stage size in pixels; Version is the file format version.
    TSwfWriter(int WidthPx, int HeightPx, double FramesPerSecond, uint8_t Version = 10);

    void SetBackground(TSwfRgba c);
    uint16_t DefineShape(const TSwfShapeBuilder& Shape, int ShapeVersion = 3);
    uint16_t DefineSprite(const TSwfTagWriter& Timeline);
    uint16_t DefineMorphShape(const TSwfMorphBuilder& Morph, int Version = 1);

    // Pictures. Pixels are straight (not premultiplied) 0xAARRGGBB, rows top
    // down. Format 3 (colour table, 256 colours at most), 4 (15 bits, opaque
    // only) or 5 (32 bits); Version 2 keeps alpha.
    uint16_t DefineBitsLossless(int Format, int Width, int Height, const std::vector<uint32_t>& Pixels, int Version = 1);
    uint16_t DefineBitsJpeg2(std::span<const uint8_t> Image);
    // A JPEG with one byte of alpha per pixel (compressed here); empty Alpha writes none.
    uint16_t DefineBitsJpeg3(std::span<const uint8_t> Image, std::span<const uint8_t> Alpha);
    // The movie's shared JPEG tables and a picture using them.
    void JpegTables(std::span<const uint8_t> Tables);
    uint16_t DefineBits(std::span<const uint8_t> ImageWithoutTables);
    // A font of Version 1 (outlines only), 2 or 3 (names, character codes and,
    // given Advances, a layout). Glyphs are drawn with fill style 1 in font
    // units (EM square 1024, or 20480 in version 3).
    uint16_t DefineFont(int Version, const std::string& Name, const std::vector<const TSwfShapeBuilder*>& Glyphs,
                        const std::vector<uint16_t>& Codes = {}, const std::vector<int16_t>& Advances = {},
                        uint16_t Ascent = 0, uint16_t Descent = 0);
    // A static text; a record's font, colour, height and position are written
    // where they change from the record before.
    uint16_t DefineText(int Version, const TSwfRect& Bounds, const TSwfMatrix& m, const std::vector<TSwfTextRecord>& Records);
    // A text field with its initial text (as given: HTML when Field.Html).
    uint16_t DefineEditText(const TSwfEditText& Field);
    // A definition tag written by hand into the dictionary.
    void DefinitionTag(uint16_t Code, std::span<const uint8_t> Body) { defs_.Tag(Code, Body, true); }
    // Reserves an id without defining it, for tags written by hand.
    uint16_t NextId() { return nextId_++; }

    TSwfTagWriter Main;  // the main timeline

    // The file; the frame count in the header is the number of ShowFrame tags
    // on the main timeline unless FrameCountOverride is set.
    std::vector<uint8_t> Finish(bool Compressed = false) const;
    std::optional<uint16_t> FrameCountOverride;

private:
    TSwfRect stage_;
    double fps_;
    uint8_t version_;
    TSwfTagWriter defs_;
    uint16_t nextId_ = 1;
};
