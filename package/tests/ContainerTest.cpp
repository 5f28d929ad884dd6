#include "CompileUnit.h"
#include "DecompileUnit.h"
#include "Exceptions.h"

#include <gtest/gtest.h>
#include <string>
#include <zlib.h>

namespace {

std::string Bytes(TMemoryStream& s) {
    return std::string(static_cast<const char*>(s.Memory()), static_cast<std::size_t>(s.Size()));
}

std::unique_ptr<TMemoryStream> StreamOf(const std::string& text) {
    auto s = std::make_unique<TMemoryStream>();
    s->WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
    return s;
}

std::string Movie(int seed, std::size_t size) {
    std::string s(size, '\0');
    unsigned x = static_cast<unsigned>(seed);
    for (std::size_t i = 0; i < size; ++i) {
        x = x * 1664525 + 1013904223;
        s[i] = (i / 4096) % 3 == 0 ? static_cast<char>(x >> 24) : "FWS\x09frame"[i % 9];
    }
    return s;
}

TEST(Container, OneRawStreamOfTenBytesIs22BytesExactly) {
    TCompileStream writer;
    auto source = StreamOf("0123456789");
    writer.AddStream(source.get(), false);
    const std::string expected = std::string("0123456789") + std::string("\x0A\0\0\0\x0A\0\0\0\x01\0\0\0", 12);
    EXPECT_EQ(Bytes(*writer.Compile()), expected);
    EXPECT_EQ(writer.Count(), 1);
    EXPECT_EQ(writer.Compile(), writer.Data());
    EXPECT_EQ(Bytes(*writer.Data()), expected);  // a second Compile adds nothing

    TDecompileStream reader;
    auto container = StreamOf(expected);
    reader.Decompile(container.get());
    auto back = reader.GetStream(0, false);
    EXPECT_EQ(Bytes(*back), "0123456789");
    EXPECT_EQ(back->Position(), 10);
}

TEST(Container, EmptyContainerIsTheCountAlone) {
    TCompileStream writer;
    EXPECT_EQ(Bytes(*writer.Compile()), std::string(4, '\0'));
    TDecompileStream reader;
    reader.Decompile(writer.Data());
    EXPECT_EQ(reader.Count(), 0);
    EXPECT_EQ(reader.GetStream(0, true)->Size(), 0);
}

TEST(Container, IndexAtOrPastCountGivesAnEmptyStream) {
    TCompileStream writer;
    auto a = StreamOf("abc");
    writer.AddStream(a.get(), true);
    writer.AddStream(a.get(), true);
    TDecompileStream reader;
    reader.Decompile(writer.Compile());
    for (int index : {2, 3, 1000000}) EXPECT_EQ(reader.GetStream(index, true)->Size(), 0) << index;
    EXPECT_THROW(reader.GetStream(-1, true), EListError);
}

TEST(Container, CompressedStreamsRoundTripByteForByte) {
    const std::string movies[] = {Movie(1, 300000), Movie(2, 1), Movie(3, 70000), std::string()};
    TCompileStream writer;
    for (const std::string& m : movies) {
        auto s = StreamOf(m);
        writer.AddStream(s.get(), true);
    }
    TMemoryStream* container = writer.Compile();
    // Compressed streams are zlib level 9 streams that zlib itself accepts.
    const std::string all = Bytes(*container);
    EXPECT_EQ(static_cast<unsigned char>(all[0]), 0x78);
    EXPECT_EQ(static_cast<unsigned char>(all[1]), 0xDA);

    container->SetPosition(17);  // the reader takes it from the start anyway
    TDecompileStream reader;
    reader.Decompile(container);
    ASSERT_EQ(reader.Count(), 4);
    std::int64_t total = 0;
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(reader.UnpackedSizes()[static_cast<std::size_t>(i)], static_cast<std::int32_t>(movies[i].size()));
        total += reader.StoredSizes()[static_cast<std::size_t>(i)];
        auto back = reader.GetStream(i, true);
        EXPECT_EQ(Bytes(*back), movies[i]) << "stream " << i;
    }
    EXPECT_EQ(total + 4 * 8 + 4, container->Size());
}

TEST(Container, EmptySourceCompressedIsAShortZlibStreamThatReadsBackEmpty) {
    TCompileStream writer;
    TMemoryStream empty;
    writer.AddStream(&empty, true);
    TMemoryStream* container = writer.Compile();
    EXPECT_EQ(writer.UnpackedSizes()[0], 0);
    EXPECT_GT(writer.StoredSizes()[0], 0);
    EXPECT_EQ(container->Size(), writer.StoredSizes()[0] + 12);
    TDecompileStream reader;
    reader.Decompile(container);
    EXPECT_EQ(reader.GetStream(0, true)->Size(), 0);
    EXPECT_EQ(reader.GetStream(0, false)->Size(), 0);
}

TEST(Container, AddStreamTakesTheWholeSourceWhateverItsPosition) {
    auto source = StreamOf("whole source");
    TCompileStream writer;
    source->SetPosition(6);
    writer.AddStream(source.get(), false);
    source->SetPosition(12);
    writer.AddStream(source.get(), true);
    TDecompileStream reader;
    reader.Decompile(writer.Compile());
    EXPECT_EQ(Bytes(*reader.GetStream(0, false)), "whole source");
    EXPECT_EQ(Bytes(*reader.GetStream(1, true)), "whole source");
}

TEST(Container, PackageLayoutWithARawProgramFirstAndANestedContainer) {
    TCompileStream movies;
    auto m1 = StreamOf(Movie(7, 5000)), m2 = StreamOf(Movie(8, 9000));
    movies.AddStream(m1.get(), true);
    movies.AddStream(m2.get(), true);

    TCompileStream package;
    auto program = StreamOf("MZ program bytes");
    package.AddStream(program.get(), false);
    package.AddStream(movies.Compile(), true);
    TDecompileStream reader;
    reader.Decompile(package.Compile());
    EXPECT_EQ(Bytes(*reader.Data()).substr(0, 16), "MZ program bytes");

    TDecompileStream inner;
    inner.Decompile(reader.GetStream(1, true).get());
    EXPECT_EQ(Bytes(*inner.GetStream(1, true)), Movie(8, 9000));
    // The inflated container taken over as it is, not copied.
    auto inflated = reader.GetStream(1, true);
    const TMemoryStream* held = inflated.get();
    TDecompileStream adopted;
    adopted.Decompile(std::move(inflated));
    EXPECT_EQ(adopted.Data(), held);
    ASSERT_EQ(adopted.Count(), 2);
    EXPECT_EQ(Bytes(*adopted.GetStream(0, true)), Movie(7, 5000));
    EXPECT_EQ(Bytes(*adopted.GetStream(1, true)), Movie(8, 9000));
    // Stream 0 is raw: demanding decompression fails, as raw bytes are no zlib data.
    EXPECT_THROW(reader.GetStream(0, true), EDecompressionError);
}

TEST(Container, ARawStreamWithDecompressFalseIsCopiedAndACompressedOneIsInflatedAnyway) {
    TCompileStream writer;
    auto s = StreamOf(std::string(1000, 'z'));
    writer.AddStream(s.get(), true);
    TDecompileStream reader;
    reader.Decompile(writer.Compile());
    EXPECT_EQ(Bytes(*reader.GetStream(0, false)), std::string(1000, 'z'));
}

// A source that claims more than the format's 32-bit sizes can record.
class HugeSource : public TStream {
public:
    std::int64_t Read(void*, std::int64_t) override { return 0; }
    std::int64_t Write(const void*, std::int64_t) override { return 0; }
    std::int64_t Seek(std::int64_t o, TSeekOrigin) override { return o; }
    std::int64_t Size() override { return std::int64_t{1} << 31; }
};

TEST(Container, SourcesBeyond32BitSizesAreRefusedAndLeaveTheContainerIntact) {
    TCompileStream writer;
    auto a = StreamOf("kept");
    writer.AddStream(a.get(), false);
    HugeSource huge;
    for (bool compress : {false, true}) {
        try {
            writer.AddStream(&huge, compress);
            ADD_FAILURE() << "accepted";
        } catch (const EWriteError& e) {
            EXPECT_STREQ(e.what(), "Stream write error");
        }
    }
    EXPECT_EQ(writer.Count(), 1);
    EXPECT_EQ(Bytes(*writer.Compile()), std::string("kept\x04\0\0\0\x04\0\0\0\x01\0\0\0", 16));
    EXPECT_THROW(writer.AddStream(a.get(), false), EInvalidOperation);
}

}  // namespace
