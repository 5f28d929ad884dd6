#include "Exceptions.h"
#include "Streams.h"
#include "ZlibStreams.h"

#include <gtest/gtest.h>
#include <string>
#include <zlib.h>

namespace {

std::string Content(TMemoryStream& s) {
    return std::string(static_cast<const char*>(s.Memory()), static_cast<std::size_t>(s.Size()));
}

std::string Compress(const std::string& text) {
    TMemoryStream in, out;
    in.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
    ZCompressStream(&in, &out, 9);
    return Content(out);
}

std::string Sample() {
    std::string s;
    unsigned x = 1;
    for (int i = 0; i < 300000; ++i) {
        x = x * 1103515245 + 12345;
        s += (i / 1000) % 2 ? static_cast<char>(x >> 16) : "movie "[i % 6];
    }
    return s;
}

TEST(Zlib, CompressesToRfc1950AtLevel9ThatZlibItselfReads) {
    const std::string text = Sample();
    const std::string packed = Compress(text);
    ASSERT_GE(packed.size(), 6u);
    EXPECT_EQ(static_cast<unsigned char>(packed[0]), 0x78);
    EXPECT_EQ(static_cast<unsigned char>(packed[1]), 0xDA);  // best compression
    std::string back(text.size(), '\0');
    uLongf n = static_cast<uLongf>(back.size());
    ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(back.data()), &n,
                         reinterpret_cast<const Bytef*>(packed.data()), static_cast<uLong>(packed.size())),
              Z_OK);
    EXPECT_EQ(back, text);
}

TEST(Zlib, CompressesTheWholeSourceWhateverItsPosition) {
    TMemoryStream in, out, back;
    in.WriteBuffer("abcdefgh", 8);
    in.SetPosition(5);
    ZCompressStream(&in, &out);
    ZDecompressBuffer(out.Memory(), out.Size(), 8, &back);
    EXPECT_EQ(Content(back), "abcdefgh");
}

TEST(Zlib, RoundTripsEmptyAndLargeData) {
    for (const std::string& text : {std::string(), Sample()}) {
        const std::string packed = Compress(text);
        TMemoryStream back;
        ZDecompressBuffer(packed.data(), static_cast<std::int64_t>(packed.size()),
                          static_cast<std::int64_t>(text.size()), &back);
        EXPECT_EQ(Content(back), text);
    }
}

struct BadCase {
    const char* name;
    std::string data;
    std::int64_t outSize;
    const char* message;
};

TEST(Zlib, DecompressionFailuresCarryTheirTexts) {
    const std::string good = Compress("hello, hello, hello");
    std::string badCheck = good;
    badCheck.back() = static_cast<char>(badCheck.back() ^ 1);
    const BadCase cases[] = {
        {"garbage", "not zlib at all", 5, "error"},
        {"raw bytes", "0123456789", 10, "error"},
        {"bad checksum", badCheck, 19, "error"},
        {"cut off", good.substr(0, good.size() - 6), 19, "Stream read error"},
        {"trailer missing", good.substr(0, good.size() - 2), 19, "Stream read error"},
        {"nothing stored", "", 19, "Stream read error"},
        {"fewer bytes", good, 20, "Stream read error"},
        {"more bytes", good, 18, "Stream read error"},
        {"more than zero", good, 0, "Stream read error"},
    };
    for (const BadCase& c : cases) {
        TMemoryStream out;
        try {
            ZDecompressBuffer(c.data.data(), static_cast<std::int64_t>(c.data.size()), c.outSize, &out);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), c.message) << c.name;
            if (std::string(c.message) == "error") EXPECT_TRUE(dynamic_cast<const EDecompressionError*>(&e)) << c.name;
            else EXPECT_TRUE(dynamic_cast<const EReadError*>(&e)) << c.name;
        }
    }
}

TEST(Zlib, AHugeRecordedSizeDoesNotMakeTheOutputGrowBeyondTheData) {
    // A recorded size of 2 GB for a few bytes of data fails once the data ends.
    const std::string packed = Compress(std::string(1000, 'a'));
    TMemoryStream out;
    EXPECT_THROW(ZDecompressBuffer(packed.data(), static_cast<std::int64_t>(packed.size()), 0x7FFFFFFF, &out),
                 EReadError);
    EXPECT_LE(out.Size(), 1000);
}

}  // namespace
