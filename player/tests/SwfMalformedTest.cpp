// Whatever a file holds, reading ends within its bytes, the movie has at least
// one frame, and every frame can be shown.
#include "SwfBitReader.h"
#include "SwfMovie.h"
#include "SwfScene.h"
#include "SwfTestMovies.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <functional>
#include <string>

namespace {

template <size_t N>
std::vector<uint8_t> Bytes(const char (&s)[N]) {
    return {s, s + N - 1};
}

// A header and then the given stage rectangle, rate and frame count.
std::vector<uint8_t> WithStage(const TSwfRect& r, uint16_t frames = 1) {
    TSwfBitWriter w;
    w.Rect(r);
    w.U16(12 << 8);
    w.U16(frames);
    w.U16(0);
    auto body = w.Data();
    std::vector<uint8_t> file = {'F', 'W', 'S', 8};
    uint32_t len = static_cast<uint32_t>(8 + body.size());
    for (int i = 0; i < 4; ++i) file.push_back(uint8_t(len >> (8 * i)));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

// Frame 0 shows a shape; then a tag claims far more bytes than follow.
std::vector<uint8_t> TagPastTheEnd() {
    TSwfWriter w(100, 80, 24);
    TSwfShapeBuilder s;
    s.Rectangle(0, 0, 400, 400, s.SolidFill(TestRed), 0);
    w.Main.Place(1, w.DefineShape(s));
    w.Main.ShowFrame();
    auto file = w.Finish();
    file.resize(file.size() - 2);                  // drop the end tag
    for (uint8_t b : {0x3F, 0x03, 0x00, 0xCA, 0x9A, 0x3B, 0x01, 0x02}) file.push_back(b);  // 1e9 bytes of tag 12
    return file;
}

std::vector<uint8_t> ShapeWithEndlessStyles() {
    TSwfWriter w(100, 80, 24);
    TSwfBitWriter b;
    b.U16(1);
    b.Rect({0, 100, 0, 100});
    b.U8(0xFF);
    b.U16(0xFFFF);  // 65535 fills, none present
    w.Main.Tag(32, b.Data());
    w.Main.Place(1, 1);
    w.Main.ShowFrame();
    return w.Finish();
}

std::vector<uint8_t> PlacementCutShort() {
    TSwfWriter w(100, 80, 24);
    w.Main.Tag(26, std::vector<uint8_t>{0x06});  // flags promise depth, id and matrix
    w.Main.ShowFrame();
    w.Main.ShowFrame();
    return w.Finish();
}

std::vector<uint8_t> Cut(std::vector<uint8_t> v, size_t keep) {
    v.resize(std::min(keep, v.size()));
    return v;
}

std::vector<uint8_t> WithStatedLength(std::vector<uint8_t> v, uint32_t len) {
    for (int i = 0; i < 4; ++i) v[4 + i] = uint8_t(len >> (8 * i));
    return v;
}

// A movie whose dictionary holds one hand-made definition tag, placed at depth 1.
std::vector<uint8_t> WithDefinition(uint16_t code, const std::vector<uint8_t>& body) {
    TSwfWriter w(100, 80, 24);
    w.DefinitionTag(code, body);
    w.Main.Place(1, 1);
    w.Main.ShowFrame();
    return w.Finish();
}

std::vector<uint8_t> GradientStopsPastTheData() {
    TSwfBitWriter b;
    b.U16(1);
    b.Rect({0, 100, 0, 100});
    b.U8(1);      // one fill
    b.U8(0x10);   // linear gradient
    b.Matrix({});
    b.U8(0x0F);   // 15 stops, two present
    for (int i = 0; i < 2; ++i) {
        b.U8(uint8_t(i * 255));
        b.Color({1, 2, 3, 255}, true);
    }
    return WithDefinition(32, b.Data());
}

std::vector<uint8_t> Lossless(uint8_t format, uint16_t width, uint16_t height, std::vector<uint8_t> pixels, int version = 1) {
    TSwfBitWriter b;
    b.U16(1);
    b.U8(format);
    b.U16(width);
    b.U16(height);
    if (format == 3) b.U8(0);
    uLongf size = compressBound(uLong(pixels.size()));
    std::vector<uint8_t> packed(size);
    compress2(packed.data(), &size, pixels.data(), uLong(pixels.size()), 9);
    packed.resize(size);
    b.Bytes(packed);
    return WithDefinition(version == 1 ? 20 : 36, b.Data());
}

std::vector<uint8_t> LosslessWithDamagedStream() {
    TSwfBitWriter b;
    b.U16(1);
    b.U8(5);
    b.U16(4);
    b.U16(4);
    for (int i = 0; i < 20; ++i) b.U8(uint8_t(0x55 + i));
    return WithDefinition(20, b.Data());
}

std::vector<uint8_t> Jpeg3AlphaOffsetPastTheData() {
    TSwfBitWriter b;
    b.U16(1);
    b.U32(5000);
    b.Bytes(std::vector<uint8_t>{0xFF, 0xD8, 0xFF, 0xD9});
    return WithDefinition(35, b.Data());
}

// A tween whose styles and edges are written by the writer, then bent.
std::vector<uint8_t> Morph(const std::function<void(std::vector<uint8_t>&)>& bend, bool moreEndEdges = false) {
    TSwfMorphBuilder m;
    TSwfFill a, b;
    int f = m.Fill(a, b);
    m.Start.Rectangle(0, 0, 400, 400, f, 0);
    m.End.MoveTo(0, 0);
    for (auto [x, y] : {std::pair{800, 0}, {800, 800}, {0, 800}, {0, 0}}) m.End.LineTo(x, y);
    if (moreEndEdges) m.End.LineTo(100, 100);
    auto body = m.Encode(1);
    bend(body);
    std::vector<uint8_t> tag = {1, 0};
    tag.insert(tag.end(), body.begin(), body.end());
    return WithDefinition(46, tag);
}

// The offset to the end edges sits after the two bounds rectangles.
size_t MorphOffsetAt(const std::vector<uint8_t>& body) {
    TSwfBitReader r(body);
    r.Rect();
    r.Rect();
    return r.Position();
}

// A font of two box glyphs written by the writer, then bent.
std::vector<uint8_t> Font(int version, const std::function<void(std::vector<uint8_t>&)>& bend) {
    TSwfShapeBuilder a, b;
    a.Rectangle(0, -800, 600, 800, 1, 0);
    b.Rectangle(0, -800, 200, 800, 1, 0);
    TSwfWriter w(100, 80, 24);
    w.DefineFont(version, "Boxes", {&a, &b}, {'a', 'b'}, {700, 300}, 900, 100);
    w.Main.ShowFrame();
    auto file = w.Finish();
    // The font is the first tag after the header.
    TSwfBitReader r(std::span<const uint8_t>(file).subspan(8));
    r.Rect();
    r.U16();
    r.U16();
    uint32_t length = r.U16() & 0x3F;
    if (length == 0x3F) length = r.U32();
    auto tag = r.Take(length);
    std::vector<uint8_t> body(tag.begin() + 2, tag.end());  // after the font id, which DefinitionTag leaves out
    bend(body);
    body.insert(body.begin(), {1, 0});
    TSwfWriter again(100, 80, 24);
    again.DefinitionTag(version == 1 ? 10 : version == 2 ? 48 : 75, body);
    again.Main.ShowFrame();
    return again.Finish();
}

std::vector<uint8_t> Text(const std::function<void(TSwfBitWriter&)>& records, bool withFont = true) {
    TSwfShapeBuilder a;
    a.Rectangle(0, -800, 600, 800, 1, 0);
    TSwfWriter w(100, 80, 24);
    if (withFont) w.DefineFont(2, "Boxes", {&a}, {'a'});
    TSwfBitWriter b;
    b.U16(100);
    b.Rect({0, 1000, 0, 1000});
    b.Matrix({});
    records(b);
    w.DefinitionTag(11, b.Data());
    w.Main.Place(1, 100);
    w.Main.ShowFrame();
    return w.Finish();
}

struct TBadCase {
    const char* Name;
    std::function<std::vector<uint8_t>()> Make;
    TSwfStatus Status;
    int Frames;  // 0: any number from 1 on
    bool StageEmpty;
};

const TBadCase BadCases[] = {
    {"Empty", [] { return std::vector<uint8_t>{}; }, TSwfStatus::NotSwf, 1, true},
    {"NotAMovie", [] { return Bytes("GIF89a\x01\x00\x01\x00"); }, TSwfStatus::NotSwf, 1, true},
    {"HeaderCutShort", [] { return Bytes("FWS\x09\x10"); }, TSwfStatus::Truncated, 1, true},
    {"FrameRectCutShort", [] { return Bytes("FWS\x09\x20\x00\x00\x00\xF8\x00"); }, TSwfStatus::Truncated, 1, true},
    {"FrameRectInverted", [] { return WithStage({2000, 0, 0, 1600}); }, TSwfStatus::Malformed, 1, true},
    {"FrameRectEmpty", [] { return WithStage({0, 0, 0, 0}); }, TSwfStatus::Malformed, 1, true},
    {"FrameRectHugeBits", [] { return WithStage({-(1 << 30), (1 << 30) - 1, -(1 << 30), (1 << 30) - 1}); }, TSwfStatus::Ok, 1, false},
    {"TagLengthPastTheEnd", TagPastTheEnd, TSwfStatus::Truncated, 1, false},
    {"NoEndTag", [] { auto v = ThreeFrameMovie(); v.resize(v.size() - 2); return v; }, TSwfStatus::Truncated, 3, false},
    {"CutInsideTagHeader", [] { auto v = ThreeFrameMovie(); return Cut(v, v.size() - 3); }, TSwfStatus::Truncated, 3, false},
    {"CutInHalf", [] { auto v = ThreeFrameMovie(); return Cut(v, v.size() / 2); }, TSwfStatus::Truncated, 0, false},
    {"StatedLengthShorterThanData", [] { return WithStatedLength(ThreeFrameMovie(), 40); }, TSwfStatus::Truncated, 1, false},
    {"BadCompressedStream", [] { return Bytes("CWS\x0a\x00\x10\x00\x00garbage that is no zlib stream"); }, TSwfStatus::Malformed, 1, true},
    {"CompressedStreamCutShort", [] { auto v = ThreeFrameMovie(true); return Cut(v, v.size() - 12); }, TSwfStatus::Malformed, 0, false},
    {"CompressedWithAbsurdLength", [] { return WithStatedLength(ThreeFrameMovie(true), 0xFFFFFFFF); }, TSwfStatus::Ok, 3, false},
    {"CompressedWithLengthTooShort", [] { return WithStatedLength(ThreeFrameMovie(true), 30); }, TSwfStatus::Truncated, 1, false},
    {"Lzma", [] { return Bytes("ZWS\x0d\x40\x00\x00\x00\x05\x00\x00\x00\x5d\x00\x00"); }, TSwfStatus::Unsupported, 1, true},
    {"NoFrames", [] { return WithStage({0, 2000, 0, 2000}, 0); }, TSwfStatus::Ok, 1, false},
    {"StatedFrameCountTooHigh", [] {
         TSwfWriter w(10, 10, 12);
         w.Main.ShowFrame();
         w.Main.ShowFrame();
         w.FrameCountOverride = 500;
         return w.Finish();
     }, TSwfStatus::Ok, 2, false},
    {"ShapeStyleCountPastTheData", ShapeWithEndlessStyles, TSwfStatus::Malformed, 1, false},
    {"PlacementCutShort", PlacementCutShort, TSwfStatus::Malformed, 2, false},
    {"GradientStopsPastTheData", GradientStopsPastTheData, TSwfStatus::Malformed, 1, false},
    {"UnknownFillTypeAmongTheStyles", [] {
         TSwfBitWriter b;
         b.U16(1);
         b.Rect({0, 100, 0, 100});
         b.U8(2);     // two fills: a solid one, then one of no known type
         b.U8(0x00);
         b.Color(TestRed, true);
         b.U8(0x77);
         b.Bytes(std::vector<uint8_t>(12, 0x11));
         return WithDefinition(32, b.Data());
     }, TSwfStatus::Malformed, 1, false},
    {"LosslessAboveThePixelLimit", [] { return Lossless(5, 65535, 65535, std::vector<uint8_t>(64, 0)); }, TSwfStatus::Malformed, 1, false},
    {"LosslessDataShortOfThePicture", [] { return Lossless(5, 8, 8, std::vector<uint8_t>(8 * 8 * 4 - 1, 0)); }, TSwfStatus::Malformed, 1, false},
    {"LosslessColourTableShort", [] { return Lossless(3, 8, 8, std::vector<uint8_t>(2, 0)); }, TSwfStatus::Malformed, 1, false},
    {"LosslessUnknownFormat", [] { return Lossless(7, 2, 2, std::vector<uint8_t>(16, 0)); }, TSwfStatus::Malformed, 1, false},
    {"Lossless2With15BitPixels", [] { return Lossless(4, 2, 2, std::vector<uint8_t>(8, 0), 2); }, TSwfStatus::Malformed, 1, false},
    {"LosslessZeroWidth", [] { return Lossless(5, 0, 2, {}); }, TSwfStatus::Malformed, 1, false},
    {"LosslessDamagedStream", LosslessWithDamagedStream, TSwfStatus::Malformed, 1, false},
    {"Jpeg3AlphaOffsetPastTheData", Jpeg3AlphaOffsetPastTheData, TSwfStatus::Malformed, 1, false},
    {"MorphOffsetPastTheData", [] { return Morph([](auto& b) { b[MorphOffsetAt(b) + 2] = 0x7F; }); }, TSwfStatus::Malformed, 1, false},
    {"MorphEndEdgesCutShort", [] { return Morph([](auto& b) { b.resize(b.size() - 3); }); }, TSwfStatus::Malformed, 1, false},
    {"MorphEdgeCountsDiffer", [] { return Morph([](auto&) {}, true); }, TSwfStatus::Malformed, 1, false},
    {"MorphUnknownFillType", [] { return Morph([](auto& b) { b[MorphOffsetAt(b) + 5] = 0x77; }); }, TSwfStatus::Malformed, 1, false},
    // Offsets within a font after its id: flags, language, name length, the
    // five letters of "Boxes", the glyph count at 8, 32-bit glyph offsets
    // from 10, the code table's offset at 18.
    {"FontAsWritten", [] { return Font(2, [](auto&) {}); }, TSwfStatus::Ok, 1, false},
    {"FontGlyphCountPastTheData", [] { return Font(2, [](auto& b) { b[8] = 0xFF; b[9] = 0x7F; }); }, TSwfStatus::Malformed, 1, false},
    {"FontGlyphOffsetPastTheCodeTable", [] { return Font(3, [](auto& b) { b[14] = 0xFF; }); }, TSwfStatus::Malformed, 1, false},
    {"FontCodeTableOffsetPastTheData", [] { return Font(2, [](auto& b) { b[20] = 0xFF; b[21] = 0x7F; }); }, TSwfStatus::Malformed, 1, false},
    // The layout ends with two bounds of 7 bytes and a kerning count: 19 bytes
    // from the end is inside the advances.
    {"FontLayoutCutShort", [] { return Font(2, [](auto& b) { b.resize(b.size() - 19); }); }, TSwfStatus::Malformed, 1, false},
    {"FontOfTheFirstKindWithATablePastTheData", [] { return Font(1, [](auto& b) { b[0] = 0xFE; b[1] = 0x7F; }); }, TSwfStatus::Malformed, 1, false},
    {"TextGlyphBitsBeyondAWord", [] { return Text([](TSwfBitWriter& b) { b.U8(200); b.U8(8); b.U8(0); }); }, TSwfStatus::Malformed, 1, false},
    {"TextRecordsCutShort", [] {
         return Text([](TSwfBitWriter& b) {
             b.U8(8);
             b.U8(8);
             b.U8(0x89);  // font and x offset
             b.U16(1);
             b.U16(0);
             b.U16(240);
             b.U8(50);  // 50 glyphs, 2 present
             b.U16(0);
         });
     }, TSwfStatus::Malformed, 1, false},
    {"TextNamingAMissingFontAndGlyph", [] {
         return Text([](TSwfBitWriter& b) {
             b.U8(8);
             b.U8(8);
             for (uint16_t font : {uint16_t(1), uint16_t(55)}) {
                 b.U8(0x88);
                 b.U16(font);
                 b.U16(240);
                 b.U8(2);
                 b.U8(0);
                 b.U8(30);
                 b.U8(9);  // glyph 9 of a font of one
                 b.U8(30);
             }
             b.U8(0);
         });
     }, TSwfStatus::Ok, 1, false},
    {"EditTextCutShort", [] {
         TSwfWriter w(100, 80, 24);
         TSwfBitWriter b;
         b.U16(9);
         b.Rect({0, 1000, 0, 1000});
         b.U8(0x85);  // text, colour, font
         b.U8(0);
         b.U16(1);
         w.DefinitionTag(37, b.Data());
         w.Main.Place(1, 9);
         w.Main.ShowFrame();
         return w.Finish();
     }, TSwfStatus::Malformed, 1, false},
    {"BitmapFillOfAMissingPicture", [] {
         TSwfWriter w(100, 80, 24);
         TSwfShapeBuilder s;
         s.Rectangle(0, 0, 400, 400, s.BitmapFill(77), 0);
         w.Main.Place(1, w.DefineShape(s));
         w.Main.ShowFrame();
         return w.Finish();
     }, TSwfStatus::Ok, 1, false},
    {"TagsNotDrawn", [] {
         // Video, script-machinery and filter-bearing tags: skipped by their length.
         TSwfWriter w(100, 80, 24);
         for (uint16_t code : {60, 61, 82, 72, 87, 41, 77, 86}) w.Main.Tag(code, std::vector<uint8_t>(30, 0xAB));
         TSwfShapeBuilder s;
         s.Rectangle(0, 0, 400, 400, s.SolidFill(TestRed), 0);
         w.Main.Place(1, w.DefineShape(s));
         w.Main.ShowFrame();
         return w.Finish();
     }, TSwfStatus::Ok, 1, false},
    {"RatioCutShort", [] {
         TSwfWriter w(100, 80, 24);
         w.Main.Tag(26, std::vector<uint8_t>{0x11, 0x01, 0x00, 0x05});  // move with a ratio, cut inside it
         w.Main.ShowFrame();
         return w.Finish();
     }, TSwfStatus::Malformed, 1, false},
};

void PrintTo(const TBadCase& c, std::ostream* os) { *os << c.Name; }

class SwfBadInputTest : public ::testing::TestWithParam<TBadCase> {};

TEST_P(SwfBadInputTest, ReadsSafelyAndShowsEveryFrame) {
    const TBadCase& c = GetParam();
    std::vector<uint8_t> bytes = c.Make();
    // Reading from a copy of exactly this size lets the sanitizers catch any
    // read past the end.
    auto m = TSwfMovie::FromBytes(std::span<const uint8_t>(bytes.data(), bytes.size()));
    EXPECT_EQ(m->Status, c.Status) << SwfStatusText(m->Status) << ": " << m->Problem;
    if (c.Frames) {
        EXPECT_EQ(m->TotalFrames(), c.Frames);
    } else {
        EXPECT_GE(m->TotalFrames(), 1);
    }
    EXPECT_EQ(m->Stage().IsEmpty(), c.StageEmpty);
    if (c.Status != TSwfStatus::Ok) {
        EXPECT_FALSE(m->Problem.empty());
    }
    TSwfScene scene(*m);
    TSwfFrameImage image;
    for (int f = 0; f < m->TotalFrames(); ++f) {
        scene.GotoFrame(f);
        scene.Compose(image);
        for (const auto& item : image.Items)
            for (const auto& seg : item.Segments) ASSERT_TRUE(std::isfinite(seg.To.X) && std::isfinite(seg.To.Y));
    }
}

INSTANTIATE_TEST_SUITE_P(Files, SwfBadInputTest, ::testing::ValuesIn(BadCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(SwfBadInput, TagLengthPastTheEndKeepsTheFramesBefore) {
    auto m = TSwfMovie::FromBytes(TagPastTheEnd());
    TSwfScene scene(*m);
    TSwfFrameImage image;
    scene.GotoFrame(0);
    scene.Compose(image);
    EXPECT_EQ(image.Items.size(), 1u);
}

TEST(SwfBadInput, EveryPrefixOfAMovieReadsSafely) {
    for (bool compressed : {false, true}) {
        auto full = ThreeFrameMovie(compressed);
        for (size_t n = 0; n <= full.size(); ++n) {
            std::vector<uint8_t> part(full.begin(), full.begin() + n);
            auto m = TSwfMovie::FromBytes(part);
            ASSERT_GE(m->TotalFrames(), 1) << n;
            // Inflating stops at the stated length, so a stream that lacks
            // only its checksum and end marker still holds the whole movie.
            size_t whole = compressed ? full.size() - 5 : full.size();
            if (n < whole) {
                EXPECT_NE(m->Status, TSwfStatus::Ok) << "prefix of " << n << " bytes";
            }
            TSwfScene scene(*m);
            TSwfFrameImage image;
            scene.GotoFrame(m->TotalFrames() - 1);
            scene.Compose(image);
        }
    }
}

// A picture that cannot be read leaves no pixels behind, and nothing beyond
// the limit is allocated for a stated size the data cannot hold.
TEST(SwfBadInput, DamagedPicturesHaveNoPixels) {
    for (auto bytes : {Lossless(5, 65535, 65535, std::vector<uint8_t>(64, 0)), Lossless(5, 8, 8, std::vector<uint8_t>(10, 0)),
                       LosslessWithDamagedStream()}) {
        auto m = TSwfMovie::FromBytes(bytes);
        const TSwfBitmap* b = m->FindBitmap(1);
        ASSERT_TRUE(b);
        EXPECT_EQ(b->Pixels(nullptr), nullptr);
        EXPECT_TRUE(b->Image.Pixels.empty());
    }
}

// A tween whose end edges do not pair up draws the edges that do.
TEST(SwfBadInput, MorphWithUnpairedEdgesKeepsThePairs) {
    auto m = TSwfMovie::FromBytes(Morph([](auto&) {}, true));
    const TSwfCharacter* c = m->Find(1);
    ASSERT_TRUE(c && c->Kind == TSwfCharacter::Morph);
    EXPECT_EQ(c->MorphDef.StartEdges.size(), 4u);
    EXPECT_EQ(MorphAt(c->MorphDef, 0.5).Paths.size(), 1u);
}

TEST(SwfBadInput, MissingFileReadsAsAnEmptyStage) {
    auto m = TSwfMovie::FromFile("no such folder/no such movie.swf");
    EXPECT_EQ(m->Status, TSwfStatus::NotSwf);
    EXPECT_EQ(m->TotalFrames(), 1);
    EXPECT_NE(m->Problem.find("cannot open"), std::string::npos);
}

}  // namespace
