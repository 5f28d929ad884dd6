#include "Fakes.h"
#include "MovieFiles.h"

#include <gtest/gtest.h>

namespace {

const std::string kTemp = "C:\\Temp\\";

std::unique_ptr<TDecompileStream> Container(const std::vector<std::string>& Movies) {
    TCompileStream writer;
    for (const std::string& m : Movies) {
        auto s = StreamOf(m);
        writer.AddStream(s.get(), true);
    }
    auto reader = std::make_unique<TDecompileStream>();
    reader->Decompile(writer.Compile());
    return reader;
}

TEST(MovieFiles, EqualNamesAndLeftoversGetDollarPrefixes) {
    TMemoryFileSystem fs;
    fs.Files[kTemp + "b.swf"] = "left from an earlier run";
    TStringList list;
    for (const char* p : {"C:\\one\\a.swf", "D:\\two\\a.swf", "x/y/a.swf", "C:\\b.swf"}) list.Add(p);
    auto movies = Container({"A1", "A2", "A3", "B"});
    std::vector<std::string> written;
    ExtractMovies(*movies, list, kTemp, fs, written);

    const std::vector<std::string> expected = {kTemp + "a.swf", kTemp + "$a.swf", kTemp + "$$a.swf", kTemp + "$b.swf"};
    EXPECT_EQ(written, expected);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(list.Strings(i), expected[static_cast<std::size_t>(i)]);
    EXPECT_EQ(fs.Files[kTemp + "a.swf"], "A1");
    EXPECT_EQ(fs.Files[kTemp + "$a.swf"], "A2");
    EXPECT_EQ(fs.Files[kTemp + "$$a.swf"], "A3");
    EXPECT_EQ(fs.Files[kTemp + "$b.swf"], "B");
    EXPECT_EQ(fs.Files[kTemp + "b.swf"], "left from an earlier run");
}

TEST(MovieFiles, AFailedWriteStopsAndWrittenNamesOnlyCompleteFiles) {
    TMemoryFileSystem fs;
    fs.Unwritable.insert(kTemp + "two.swf");
    TStringList list;
    for (const char* p : {"one.swf", "two.swf", "three.swf"}) list.Add(p);
    auto movies = Container({"1", "2", "3"});
    std::vector<std::string> written;
    EXPECT_THROW(ExtractMovies(*movies, list, kTemp, fs, written), EFCreateError);
    EXPECT_EQ(written, std::vector<std::string>{kTemp + "one.swf"});
    EXPECT_FALSE(fs.FileExists(kTemp + "three.swf"));
}

TEST(MovieFiles, AListLongerThanTheContainerIsAReadError) {
    TMemoryFileSystem fs;
    TStringList list;
    list.Add("one.swf");
    list.Add("two.swf");
    auto movies = Container({"1"});
    std::vector<std::string> written;
    try {
        ExtractMovies(*movies, list, kTemp, fs, written);
        FAIL() << "no exception";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Stream read error");
    }
    EXPECT_EQ(written, std::vector<std::string>{kTemp + "one.swf"});
    EXPECT_FALSE(fs.FileExists(kTemp + "two.swf"));
}

}  // namespace
