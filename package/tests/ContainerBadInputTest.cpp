// Containers arrive in files a user can be sent: every malformed one must
// fail with its exact error, never crash or read outside its bytes.

#include "CompileUnit.h"
#include "DecompileUnit.h"
#include "Exceptions.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <zlib.h>

namespace {

std::string Int32(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    return {static_cast<char>(u), static_cast<char>(u >> 8), static_cast<char>(u >> 16), static_cast<char>(u >> 24)};
}

std::string Zlib(const std::string& text) {
    uLongf n = compressBound(static_cast<uLong>(text.size()));
    std::string out(n, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &n, reinterpret_cast<const Bytef*>(text.data()),
              static_cast<uLong>(text.size()), 9);
    out.resize(n);
    return out;
}

// One stream of data with the given recorded sizes.
std::string One(const std::string& data, std::int32_t unpacked, std::int32_t stored) {
    return data + Int32(unpacked) + Int32(stored) + Int32(1);
}

struct Case {
    const char* name;
    std::string container;
    const char* decompileError;  // nullptr: Decompile succeeds
    const char* getError;        // error of GetStream(0, true), nullptr: succeeds
};

TEST(ContainerBadInput, EachMalformedContainerFailsWithItsError) {
    const std::string z = Zlib("payload");
    const std::string big = Zlib(std::string(100000, 'a'));
    std::string badCheck = z;
    badCheck.back() = static_cast<char>(badCheck.back() ^ 0x55);
    const Case cases[] = {
        {"empty file", "", "Stream read error", nullptr},
        {"three bytes", "\x01\0\0", "Stream read error", nullptr},
        {"negative count", Int32(-1), "Stream read error", nullptr},
        {"most negative count", "abcdefgh" + Int32(INT32_MIN), "Stream read error", nullptr},
        {"count larger than the file", Int32(1), "Stream read error", nullptr},
        {"huge count", std::string(64, 'x') + Int32(0x7FFFFFFF), "Stream read error", nullptr},
        {"table one byte short", std::string(7, '\0') + Int32(1), "Stream read error", nullptr},
        {"negative stored size", One("abc", 3, -3), "Stream read error", nullptr},
        {"negative unpacked size", One(z, -1, static_cast<std::int32_t>(z.size())), "Stream read error", nullptr},
        {"stored size runs into the table", One("abc", 3, 4), "Stream read error", nullptr},
        {"stored size runs past the file", One("abc", 3, 0x7FFFFFFF), "Stream read error", nullptr},
        {"sizes sum past the table",
         "abcd" + Int32(2) + Int32(2) + Int32(3) + Int32(3) + Int32(2), "Stream read error", nullptr},
        {"garbage instead of zlib", One("garbage!", 100, 8), nullptr, "error"},
        {"raw stream read with decompression", One("0123456789", 10, 10), nullptr, "error"},
        {"zlib with a bad checksum", One(badCheck, 7, static_cast<std::int32_t>(badCheck.size())), nullptr, "error"},
        {"cut-off zlib", One(big.substr(0, big.size() / 2), 100000, static_cast<std::int32_t>(big.size() / 2)),
         nullptr, "Stream read error"},
        {"inflates to fewer bytes", One(z, 8, static_cast<std::int32_t>(z.size())), nullptr, "Stream read error"},
        {"inflates to more bytes", One(z, 6, static_cast<std::int32_t>(z.size())), nullptr, "Stream read error"},
        {"huge unpacked size", One(big, 0x7FFFFFFF, static_cast<std::int32_t>(big.size())), nullptr,
         "Stream read error"},
        {"valid, with a gap before the table", "zz" + One(z, 7, static_cast<std::int32_t>(z.size())), nullptr,
         "error"},
        {"valid", One(z, 7, static_cast<std::int32_t>(z.size())), nullptr, nullptr},
    };
    for (const Case& c : cases) {
        TMemoryStream source;
        source.WriteBuffer(c.container.data(), static_cast<std::int64_t>(c.container.size()));
        TDecompileStream reader;
        try {
            reader.Decompile(&source);
            EXPECT_EQ(c.decompileError, nullptr) << c.name << ": Decompile accepted it";
        } catch (const Exception& e) {
            EXPECT_NE(c.decompileError, nullptr) << c.name << ": " << e.what();
            if (c.decompileError) {
                EXPECT_STREQ(e.what(), c.decompileError) << c.name;
            }
            EXPECT_TRUE(dynamic_cast<const EReadError*>(&e)) << c.name;
            EXPECT_EQ(reader.Count(), 0) << c.name;
            EXPECT_EQ(reader.GetStream(0, true)->Size(), 0) << c.name;
            continue;
        }
        try {
            auto s = reader.GetStream(0, true);
            EXPECT_EQ(c.getError, nullptr) << c.name << ": GetStream accepted it";
            EXPECT_EQ(std::string(static_cast<const char*>(s->Memory()), static_cast<std::size_t>(s->Size())),
                      "payload") << c.name;
        } catch (const Exception& e) {
            EXPECT_NE(c.getError, nullptr) << c.name << ": " << e.what();
            if (c.getError) {
                EXPECT_STREQ(e.what(), c.getError) << c.name;
            }
        }
    }
}

TEST(ContainerBadInput, ARecordedSizeAloneNeverReservesMemory) {
    // 2 GB claimed for a stream of 20 stored bytes: the result's memory follows
    // what the data can yield, not the claim.
    const std::string z = Zlib("tiny");
    TMemoryStream source;
    const std::string c = One(z, 0x7FFFFFFF, static_cast<std::int32_t>(z.size()));
    source.WriteBuffer(c.data(), static_cast<std::int64_t>(c.size()));
    TDecompileStream reader;
    reader.Decompile(&source);
    EXPECT_THROW(reader.GetStream(0, true), EReadError);
}

TEST(ContainerBadInput, PrependingBytesBreaksTheContainer) {
    TCompileStream writer;
    TMemoryStream s;
    s.WriteBuffer("movie bytes", 11);
    writer.AddStream(&s, true);
    TMemoryStream* container = writer.Compile();
    std::string bytes(static_cast<const char*>(container->Memory()), static_cast<std::size_t>(container->Size()));
    bytes = "XX" + bytes;
    TMemoryStream shifted;
    shifted.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    TDecompileStream reader;
    reader.Decompile(&shifted);
    EXPECT_THROW(reader.GetStream(0, true), EDecompressionError);
}

TEST(ContainerBadInput, ADecompileThatFailsLeavesNoStreamsOfAnEarlierContainer) {
    TCompileStream writer;
    TMemoryStream s;
    s.WriteBuffer("abc", 3);
    writer.AddStream(&s, true);
    TDecompileStream reader;
    reader.Decompile(writer.Compile());
    ASSERT_EQ(reader.Count(), 1);
    TMemoryStream bad;
    bad.WriteBuffer("\x05\0\0\0", 4);
    EXPECT_THROW(reader.Decompile(&bad), EReadError);
    EXPECT_EQ(reader.Count(), 0);
    EXPECT_EQ(reader.GetStream(0, true)->Size(), 0);

    // Likewise for a container handed over in memory.
    reader.Decompile(writer.Compile());
    ASSERT_EQ(reader.Count(), 1);
    auto taken = std::make_unique<TMemoryStream>();
    taken->WriteBuffer("\x05\0\0\0", 4);
    EXPECT_THROW(reader.Decompile(std::move(taken)), EReadError);
    EXPECT_EQ(reader.Count(), 0);
    EXPECT_EQ(reader.Data()->Size(), 0);
}

}  // namespace
