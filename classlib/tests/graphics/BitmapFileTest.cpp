#include "BitmapFile.h"
#include "Exceptions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

void Put32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = static_cast<uint8_t>(x >> (8 * i));
}

std::vector<uint8_t> TwoByTwo() {
    const uint32_t px[] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF};
    return EncodeBmp24(2, 2, px);
}

TEST(BitmapFile, EncodedFileParsesBack) {
    const auto file = TwoByTwo();
    const TBmpLayout b = ParseBmp(file.data(), file.size(), true);
    EXPECT_EQ(b.Width, 2);
    EXPECT_EQ(b.Height, 2);
    EXPECT_FALSE(b.TopDown);
    EXPECT_EQ(b.BitCount, 24);
    EXPECT_EQ(b.BitsOffset, 54u);
    EXPECT_EQ(b.BitsSize, 16u);  // two rows of 6 bytes padded to 8
    // Bottom row first: blue-green-red bytes of the bottom-left pixel ($000000FF).
    EXPECT_EQ(file[54], 0xFF);
    EXPECT_EQ(file[55], 0x00);
    EXPECT_EQ(file[56], 0x00);
}

TEST(BitmapFile, PackedPaletteBitmapReadsItsPalette) {
    // 40-byte header, 8 bits, 2 colours used, 1x1 pixel.
    std::vector<uint8_t> v(40 + 8 + 4, 0);
    Put32(v, 0, 40);
    Put32(v, 4, 1);
    Put32(v, 8, static_cast<uint32_t>(-1));  // top-down
    v[12] = 1;
    v[14] = 8;
    Put32(v, 32, 2);
    Put32(v, 40, 0x00112233);
    Put32(v, 44, 0x00445566);
    v[48] = 1;
    const TBmpLayout b = ParseBmp(v.data(), v.size(), false);
    EXPECT_TRUE(b.TopDown);
    ASSERT_EQ(b.Palette.size(), 2u);
    EXPECT_EQ(b.Palette[1], 0x00445566u);
    EXPECT_EQ(b.BitsOffset, 48u);
}

TEST(BitmapFile, MalformedDataIsRefused) {
    struct Case {
        const char* what;
        void (*spoil)(std::vector<uint8_t>&);
    };
    const Case cases[] = {
        {"no BM magic", [](std::vector<uint8_t>& v) { v[0] = 'X'; }},
        {"truncated pixels", [](std::vector<uint8_t>& v) { v.resize(v.size() - 1); }},
        {"header only", [](std::vector<uint8_t>& v) { v.resize(20); }},
        {"pixel offset past the end", [](std::vector<uint8_t>& v) { Put32(v, 10, 1000); }},
        {"pixel offset inside the header", [](std::vector<uint8_t>& v) { Put32(v, 10, 20); }},
        {"zero width", [](std::vector<uint8_t>& v) { Put32(v, 18, 0); }},
        {"negative width", [](std::vector<uint8_t>& v) { Put32(v, 18, static_cast<uint32_t>(-2)); }},
        {"huge height", [](std::vector<uint8_t>& v) { Put32(v, 22, 0x7FFFFFFF); }},
        {"odd bit count", [](std::vector<uint8_t>& v) { v[28] = 7; }},
        {"unknown header size", [](std::vector<uint8_t>& v) { Put32(v, 14, 20); }},
        {"RLE with 24 bits", [](std::vector<uint8_t>& v) { Put32(v, 30, 1); }},
        {"two planes", [](std::vector<uint8_t>& v) { v[26] = 2; }},
    };
    for (const Case& c : cases) {
        auto v = TwoByTwo();
        c.spoil(v);
        EXPECT_THROW(ParseBmp(v.data(), v.size(), true), EInvalidGraphic) << c.what;
    }
}

// Inputs that declare more than they hold, each as its own heap block of the
// exact size, so that the sanitizers see any read past the end.
TEST(BitmapFile, TruncatedTablesAreRefused) {
    struct Case {
        const char* what;
        bool fileHeader;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        // A packed bitmap with a 44-byte header and bit-field compression,
        // one byte where the three masks should follow (found by fuzzing).
        {"masks after a 44-byte header", false,
         {0x2C, 0x00, 0x00, 0x00, 0x0C, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x00, 0x20,
          0x00, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00,
          0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x07, 0xFF, 0x00, 0x0C, 0x00, 0x00, 0x00}},
        // The picture of a theme file that reached the same read: a file with
        // a 41-byte header and bit fields, nothing after the header.
        {"masks after a 41-byte header in a file", true,
         {0x42, 0x4D, 0x5A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x54, 0x00, 0x00, 0x00,
          0x29, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x01, 0x00,
          0x10, 0x00, 0x03, 0x00, 0x00, 0x00, 0x83, 0x83, 0x83, 0x83, 0x83, 0x83, 0x83, 0x83,
          0x83, 0x83, 0x83, 0x83, 0x83, 0x01, 0x00, 0x00, 0x64, 0x83, 0x83, 0x83, 0x00}},
    };
    for (const Case& c : cases) {
        const std::vector<uint8_t> v = c.bytes;
        EXPECT_THROW(ParseBmp(v.data(), v.size(), c.fileHeader), EInvalidGraphic) << c.what;
    }
}

// A packed bitmap of Width x 1 pixels with a header of HeaderSize bytes and
// Tail bytes after it, the masks or colour table as the caller writes them.
std::vector<uint8_t> Packed(uint32_t HeaderSize, uint16_t BitCount, uint32_t Compression, size_t Tail) {
    std::vector<uint8_t> v(HeaderSize + Tail, 0);
    Put32(v, 0, HeaderSize);
    Put32(v, 4, 1);
    Put32(v, 8, 1);
    v[12] = 1;
    v[14] = static_cast<uint8_t>(BitCount);
    Put32(v, 16, Compression);
    return v;
}

TEST(BitmapFile, MasksAreReadWhereTheHeaderSizePutsThem) {
    struct Case {
        uint32_t headerSize;
        size_t masksAt;  // 40 inside the header, else right after it
    };
    for (const Case c : {Case{40, 40}, Case{44, 44}, Case{51, 51}, Case{52, 40}, Case{56, 40}, Case{124, 40}}) {
        const size_t after = c.masksAt == c.headerSize ? 12 : 0;
        auto v = Packed(c.headerSize, 32, kBmpBitFields, after + 4);
        Put32(v, c.masksAt, 0x00FF0000);
        Put32(v, c.masksAt + 4, 0x0000FF00);
        Put32(v, c.masksAt + 8, 0x000000FF);
        const TBmpLayout b = ParseBmp(v.data(), v.size(), false);
        EXPECT_EQ(b.Masks[0], 0x00FF0000u) << c.headerSize;
        EXPECT_EQ(b.Masks[2], 0x000000FFu) << c.headerSize;
        EXPECT_EQ(b.BitsOffset, c.headerSize + after) << c.headerSize;
        // One byte fewer and the pixel row or the masks no longer fit.
        v.pop_back();
        EXPECT_THROW(ParseBmp(v.data(), v.size(), false), EInvalidGraphic) << c.headerSize;
        if (after) {
            v.resize(c.headerSize + 11);
            EXPECT_THROW(ParseBmp(v.data(), v.size(), false), EInvalidGraphic) << c.headerSize;
        }
    }
}

TEST(BitmapFile, PackedTrueColourBitmapSkipsItsColourTable) {
    // 24 bits with two colour-table entries: the pixels follow the table.
    auto v = Packed(40, 24, kBmpRGB, 8 + 4);
    Put32(v, 32, 2);
    const TBmpLayout b = ParseBmp(v.data(), v.size(), false);
    EXPECT_EQ(b.BitsOffset, 48u);
    EXPECT_TRUE(b.Palette.empty());
    // A table said to be larger than the data.
    Put32(v, 32, 0x40000000);
    EXPECT_THROW(ParseBmp(v.data(), v.size(), false), EInvalidGraphic);
}

TEST(BitmapFile, PaletteLargerThanDataIsRefused) {
    std::vector<uint8_t> v(40 + 4, 0);
    Put32(v, 0, 40);
    Put32(v, 4, 1);
    Put32(v, 8, 1);
    v[12] = 1;
    v[14] = 8;  // 256 palette entries expected, none there
    EXPECT_THROW(ParseBmp(v.data(), v.size(), false), EInvalidGraphic);
}

TEST(BitmapFile, ErrorText) {
    const uint8_t junk[4] = {1, 2, 3, 4};
    try {
        ParseBmp(junk, sizeof junk, true);
        FAIL();
    } catch (const EInvalidGraphic& e) {
        EXPECT_STREQ(e.what(), "Bitmap image is not valid");
    }
}

}  // namespace
