#include "DiskFileSystem.h"
#include "Exceptions.h"
#include "Fakes.h"
#include "MovieFiles.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(DiskFileSystem, WritesReplacesAndDeletes) {
    TTestFolder dir("disk");
    TDiskFileSystem fs;
    const std::string path = dir.File("m.swf");
    EXPECT_FALSE(fs.FileExists(path));
    auto data = StreamOf(std::string(100000, 'x') + "end");
    fs.WriteFile(path, *data);
    EXPECT_TRUE(fs.FileExists(path));
    EXPECT_EQ(TTestFolder::Read(path), BytesOf(*data));
    auto shorter = StreamOf("short");
    fs.WriteFile(path, *shorter);
    EXPECT_EQ(TTestFolder::Read(path), "short");
    EXPECT_TRUE(fs.RemoveFile(path));
    EXPECT_FALSE(fs.FileExists(path));
    EXPECT_FALSE(fs.RemoveFile(path));

    dir.Folder("folder.swf");
    EXPECT_FALSE(fs.FileExists(dir.File("folder.swf"))) << "a folder is not a file";
}

TEST(DiskFileSystem, AFileThatCannotBeCreatedRaisesTheCreateError) {
    TTestFolder dir("disk-fail");
    TDiskFileSystem fs;
    auto data = StreamOf("x");
    const std::string path = dir.File("no such folder\\m.swf");
    try {
        fs.WriteFile(path, *data);
        FAIL() << "no exception";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file " + path);
    }
}

TEST(DiskFileSystem, MoviesLandWithDollarPrefixesBesideALeftover) {
    TTestFolder dir("movies");
    dir.Write("a.swf", "left from an earlier run");
    TCompileStream writer;
    for (const char* m : {"A1", "A2", "B"}) {
        auto s = StreamOf(m);
        writer.AddStream(s.get(), true);
    }
    TDecompileStream movies;
    movies.Decompile(writer.Compile());
    TStringList list;
    list.Add("C:\\one\\a.swf");
    list.Add("C:\\two\\a.swf");
    list.Add("C:\\two\\b.swf");
    TDiskFileSystem fs;
    std::vector<std::string> written;
    ExtractMovies(movies, list, dir.Path() + "\\", fs, written);
    EXPECT_EQ(written, (std::vector<std::string>{dir.File("$a.swf"), dir.File("$$a.swf"), dir.File("b.swf")}));
    EXPECT_EQ(TTestFolder::Read(dir.File("a.swf")), "left from an earlier run");
    EXPECT_EQ(TTestFolder::Read(dir.File("$a.swf")), "A1");
    EXPECT_EQ(TTestFolder::Read(dir.File("$$a.swf")), "A2");
    EXPECT_EQ(TTestFolder::Read(dir.File("b.swf")), "B");
}

}  // namespace
