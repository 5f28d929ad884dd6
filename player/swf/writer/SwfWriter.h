#pragma once
// Builds small movie files: the fixtures of the tests and the sample movies.
// Only what those need is here; every field goes out in its file encoding, so
// reading a written movie back exercises the reader's real paths.

#include "../SwfTypes.h"

#include <Object.h>

#include <cstdint>
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
    struct TFill {
        enum TKind : uint8_t { Solid, LinearGradient, RadialGradient, Bitmap } Kind = Solid;
        TSwfRgba Color;
        std::vector<std::pair<uint8_t, TSwfRgba>> Stops;
        TSwfMatrix Matrix;
        uint16_t BitmapId = 0;
    };
    struct TLine {
        uint16_t Width = 20;
        TSwfRgba Color;
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
    int LineStyle(uint16_t WidthTwips, TSwfRgba c);
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
