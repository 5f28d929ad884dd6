#include "Exceptions.h"
#include "Streams.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>

namespace {

std::string Content(TMemoryStream& s) {
    return std::string(static_cast<const char*>(s.Memory()), static_cast<std::size_t>(s.Size()));
}

void Put(TStream& s, const std::string& text) { s.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size())); }

// A stream that hands out at most a few bytes per call, like a pipe.
class Trickle : public TStream {
public:
    explicit Trickle(std::string d) : data(std::move(d)) {}
    std::int64_t Read(void* b, std::int64_t n) override {
        n = std::min<std::int64_t>({n, 3, static_cast<std::int64_t>(data.size()) - pos});
        std::copy_n(data.data() + pos, n, static_cast<char*>(b));
        pos += n;
        return n;
    }
    std::int64_t Write(const void*, std::int64_t) override { return 0; }
    std::int64_t Seek(std::int64_t o, TSeekOrigin origin) override {
        pos = (origin == soBeginning ? 0 : origin == soCurrent ? pos : static_cast<std::int64_t>(data.size())) + o;
        return pos;
    }
    std::string data;
    std::int64_t pos = 0;
};

TEST(MemoryStream, WriteReadSeekAndSize) {
    TMemoryStream s;
    Put(s, "hello world");
    EXPECT_EQ(s.Size(), 11);
    EXPECT_EQ(s.Position(), 11);
    s.SetPosition(6);
    char buf[5];
    s.ReadBuffer(buf, 5);
    EXPECT_EQ(std::string(buf, 5), "world");
    EXPECT_EQ(s.Read(buf, 5), 0);
    EXPECT_EQ(s.Seek(-5, soEnd), 6);
    EXPECT_EQ(s.Seek(2, soCurrent), 8);
    s.SetPosition(0);
    Put(s, "J");
    EXPECT_EQ(Content(s), "Jello world");
}

TEST(MemoryStream, ShortTransfersRaiseReadError) {
    TMemoryStream s;
    Put(s, "abc");
    s.SetPosition(1);
    char buf[3];
    try {
        s.ReadBuffer(buf, 3);
        FAIL() << "no error";
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
}

TEST(MemoryStream, WritingPastTheEndFillsTheGapWithZeros) {
    TMemoryStream s;
    s.SetPosition(3);
    Put(s, "x");
    EXPECT_EQ(Content(s), std::string("\0\0\0x", 4));
}

TEST(MemoryStream, SetSizeKeepsBytesZeroFillsAndClampsPosition) {
    TMemoryStream s;
    Put(s, "abcdef");
    s.SetSize(3);
    EXPECT_EQ(s.Position(), 3);
    EXPECT_EQ(Content(s), "abc");
    s.SetSize(5);
    EXPECT_EQ(Content(s), std::string("abc\0\0", 5));
    EXPECT_THROW(s.Seek(-1, soBeginning), EStreamError);
    s.Clear();
    EXPECT_EQ(s.Size(), 0);
    EXPECT_EQ(s.Position(), 0);
}

TEST(MemoryStream, CapacityIsKeptWhileAppending) {
    TMemoryStream s;
    s.SetCapacity(1000);
    const void* block = s.Memory();
    for (int i = 0; i < 100; ++i) Put(s, "0123456789");
    EXPECT_EQ(s.Memory(), block);
    EXPECT_EQ(s.Size(), 1000);
}

TEST(MemoryStream, LoadFromStreamTakesTheWholeSourceFromItsStart) {
    Trickle source("0123456789");
    source.pos = 7;
    TMemoryStream s;
    Put(s, "old content that is longer");
    s.LoadFromStream(&source);
    EXPECT_EQ(Content(s), "0123456789");
    EXPECT_EQ(s.Position(), 0);
    TMemoryStream copy;
    s.SetPosition(4);
    s.SaveToStream(&copy);
    EXPECT_EQ(Content(copy), "0123456789");
}

TEST(Stream, CopyFromZeroCopiesTheWholeSourceAndCountFromPosition) {
    Trickle source(std::string(200000, 'q') + "end");
    source.pos = 50;
    TMemoryStream dest;
    EXPECT_EQ(dest.CopyFrom(&source, 0), 200003);
    EXPECT_EQ(Content(dest).substr(199998), "qqend");
    EXPECT_EQ(dest.Size(), 200003);

    TMemoryStream part;
    source.pos = 199999;
    EXPECT_EQ(part.CopyFrom(&source, 4), 4);
    EXPECT_EQ(Content(part), "qend");
    source.pos = 199999;
    EXPECT_THROW(part.CopyFrom(&source, 5), EReadError);
}

TEST(Stream, WriteBufferOnAStreamThatTakesNothingRaisesWriteError) {
    Trickle sink("");
    try {
        sink.WriteBuffer("x", 1);
        FAIL() << "no error";
    } catch (const EWriteError& e) {
        EXPECT_STREQ(e.what(), "Stream write error");
    }
    sink.WriteBuffer("x", 0);  // nothing to write is no failure
}

}  // namespace
