#include "FileSearch.h"
#include "TestFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Find(const std::string& Pattern, int Attr, int* Status = nullptr) {
    std::vector<std::string> names;
    TSearchRec f;
    int rc = FindFirst(Pattern, Attr, f);
    if (Status) *Status = rc;
    while (rc == 0) {
        names.push_back(f.Name);
        rc = FindNext(f);
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FileSearch, AttributeMaskDecidesWhichEntriesAppear) {
    TTestFolder dir("find");
    dir.Write("plain.txt", "abc");
    SetFileAttributesA(dir.Write("readonly.txt", "").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(dir.Write("hidden.txt", "").c_str(), FILE_ATTRIBUTE_HIDDEN);
    CreateDirectoryA(dir.File("sub").c_str(), nullptr);
    const std::string all = dir.Path() + "\\*";
    using V = std::vector<std::string>;
    struct Case {
        int attr;
        V names;
    };
    const Case cases[] = {
        {0, V{"plain.txt", "readonly.txt"}},
        {faReadOnly, V{"plain.txt", "readonly.txt"}},
        {faHidden, V{"hidden.txt", "plain.txt", "readonly.txt"}},
        {faDirectory, V{".", "..", "plain.txt", "readonly.txt", "sub"}},
        {faAnyFile, V{".", "..", "hidden.txt", "plain.txt", "readonly.txt", "sub"}},
    };
    for (const Case& c : cases) EXPECT_EQ(Find(all, c.attr), c.names) << c.attr;
    EXPECT_EQ(Find(dir.Path() + "\\*.txt", 0), (V{"plain.txt", "readonly.txt"}));
}

TEST(FileSearch, RecordDescribesTheFile) {
    TTestFolder dir("find-rec");
    dir.Write("data.bin", "12345");
    TSearchRec f;
    ASSERT_EQ(FindFirst(dir.File("data.bin"), faAnyFile, f), 0);
    EXPECT_EQ(f.Name, "data.bin");
    EXPECT_EQ(f.Size, 5);
    EXPECT_EQ(f.Attr & faDirectory, 0);
    EXPECT_EQ(FindNext(f), ERROR_NO_MORE_FILES);
    FindClose(f);
    EXPECT_EQ(FindNext(f), ERROR_NO_MORE_FILES);
}

TEST(FileSearch, NothingFound) {
    TTestFolder dir("find-none");
    int rc = 0;
    EXPECT_TRUE(Find(dir.Path() + "\\*.swf", faAnyFile, &rc).empty());
    EXPECT_EQ(rc, ERROR_FILE_NOT_FOUND);
    SetFileAttributesA(dir.Write("hidden.swf", "").c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(Find(dir.Path() + "\\*.swf", 0, &rc).empty());
    EXPECT_NE(rc, 0);
}

TEST(ShortPath, LongNamesGetAShortFormThatOpensTheSameFile) {
    TTestFolder dir("short path");
    dir.Write("A Rather Long File Name.screensaver", "x");
    const std::string shortName = ExtractShortPathName(dir.File("A Rather Long File Name.screensaver"));
    ASSERT_FALSE(shortName.empty());
    EXPECT_EQ(shortName.find(' '), std::string::npos);
    EXPECT_NE(GetFileAttributesA(shortName.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ExtractShortPathName(dir.File("missing.txt")), "");
}

}  // namespace
