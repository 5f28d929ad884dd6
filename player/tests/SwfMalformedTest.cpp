// Whatever a file holds, reading ends within its bytes, the movie has at least
// one frame, and every frame can be shown.
#include "SwfMovie.h"
#include "SwfScene.h"
#include "SwfTestMovies.h"

#include <gtest/gtest.h>

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

TEST(SwfBadInput, MissingFileReadsAsAnEmptyStage) {
    auto m = TSwfMovie::FromFile("no such folder/no such movie.swf");
    EXPECT_EQ(m->Status, TSwfStatus::NotSwf);
    EXPECT_EQ(m->TotalFrames(), 1);
    EXPECT_NE(m->Problem.find("cannot open"), std::string::npos);
}

}  // namespace
