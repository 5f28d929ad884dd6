#include "Exceptions.h"
#include "FileStream.h"
#include "TestFolder.h"

#include <gtest/gtest.h>
#include <string>

#ifdef _WIN32
#include <windows.h>

#include <filesystem>
#endif

namespace {

std::string Content(TMemoryStream& s) {
    return std::string(static_cast<const char*>(s.Memory()), static_cast<std::size_t>(s.Size()));
}

TEST(FileStream, CreateWriteReopenRead) {
    TTestFolder dir;
    const std::string name = dir.File("a.bin");
    {
        TFileStream f(name, fmCreate);
        f.WriteBuffer("abcdef", 6);
        EXPECT_EQ(f.Size(), 6);
        f.SetSize(4);
        EXPECT_EQ(f.Position(), 4);
    }
    TFileStream f(name, fmOpenRead | fmShareDenyNone);
    EXPECT_EQ(f.Size(), 4);
    char buf[4];
    f.Seek(1, soBeginning);
    EXPECT_EQ(f.Read(buf, 4), 3);
    EXPECT_EQ(std::string(buf, 3), "bcd");
    EXPECT_EQ(f.FileName(), name);
    EXPECT_THROW(f.WriteBuffer("x", 1), EWriteError);
}

TEST(FileStream, CreateEmptiesAnExistingFile) {
    TTestFolder dir;
    const std::string name = dir.File("b.bin");
    { TFileStream(name, fmCreate).WriteBuffer("12345", 5); }
    { TFileStream f(name, fmCreate); }
    EXPECT_EQ(TFileStream(name, fmOpenRead).Size(), 0);
}

TEST(FileStream, OpenFailureNamesTheFileAsGiven) {
    TTestFolder dir;
    const std::string name = dir.File("missing.swf");
    try {
        TFileStream f(name, fmOpenRead | fmShareDenyNone);
        FAIL() << "opened";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file " + name);
    }
}

TEST(FileStream, CreateFailureNamesTheFileAsGiven) {
    TTestFolder dir;
    const std::string name = dir.File("no-such-folder") + "/out.exe";
    try {
        TFileStream f(name, fmCreate);
        FAIL() << "created";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file " + name);
    }
}

TEST(FileStream, MemoryStreamSavesAndLoadsFiles) {
    TTestFolder dir;
    TMemoryStream m;
    std::string bytes(70000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
    m.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    m.SaveToFile(dir.File("m.dat"));
    TMemoryStream back;
    back.LoadFromFile(dir.File("m.dat"));
    EXPECT_EQ(Content(back), bytes);
    EXPECT_THROW(back.LoadFromFile(dir.File("none.dat")), EFOpenError);
}

#ifdef _WIN32
// Sharing is enforced by Windows only.
TEST(FileStream, ShareModesDecideWhoElseMayOpen) {
    TTestFolder dir;
    const std::string name = dir.File("shared.dat");
    { TFileStream(name, fmCreate).WriteBuffer("data", 4); }
    {
        TFileStream writer(name, fmOpenReadWrite | fmShareDenyNone);
        TFileStream reader(name, fmOpenRead | fmShareDenyNone);  // a reader next to a writer
        EXPECT_EQ(reader.Size(), 4);
    }
    {
        TFileStream reader(name, fmOpenRead | fmShareDenyWrite);
        EXPECT_THROW(TFileStream(name, fmOpenWrite | fmShareDenyNone), EFOpenError);
        TFileStream second(name, fmOpenRead | fmShareDenyWrite);
    }
    {
        TFileStream only(name, fmOpenRead | fmShareExclusive);
        EXPECT_THROW(TFileStream(name, fmOpenRead | fmShareDenyNone), EFOpenError);
    }
    {
        TFileStream creating(name, fmCreate | fmShareDenyWrite);
        EXPECT_THROW(TFileStream(name, fmOpenReadWrite | fmShareDenyNone), EFOpenError);
    }
}
#endif

#ifdef _WIN32
std::string Read(TFileStream& F) {
    std::string s(static_cast<std::size_t>(F.Size()), '\0');
    F.ReadBuffer(s.data(), F.Size());
    return s;
}

// A path longer than the classic 260 characters (a movie deep in a folder
// tree) is reached like any other, for writing and reading.
TEST(FileStream, PathsLongerThanTheClassicLimit) {
    TTestFolder dir;
    std::string path = dir.Path();
    std::wstring wide = L"\\\\?\\" + std::filesystem::path(dir.Path()).wstring();
    std::vector<std::wstring> folders;
    for (char c : {'m', 'o', 'v', 'i'}) {
        const std::string part(62, c);
        path += "\\" + part;
        wide += L"\\" + std::wstring(part.begin(), part.end());
        ASSERT_TRUE(CreateDirectoryW(wide.c_str(), nullptr));
        folders.push_back(wide);
    }
    path += "\\movie.swf";
    ASSERT_GT(path.size(), 277u);
    {
        TFileStream f(path, fmCreate);
        f.WriteBuffer("FWS long", 8);
    }
    {
        TFileStream f(path, fmOpenRead | fmShareDenyNone);
        EXPECT_EQ(Read(f), "FWS long");
        EXPECT_EQ(f.FileName(), path);
    }
    EXPECT_TRUE(DeleteFileW((wide + L"\\movie.swf").c_str()));
    for (auto it = folders.rbegin(); it != folders.rend(); ++it) RemoveDirectoryW(it->c_str());
}

// A file in a folder whose name the system code page cannot hold (Japanese,
// Cyrillic) is opened by its wide name; messages show the name as the code
// page can.
TEST(FileStream, WideNamesOutsideTheCodePage) {
    TTestFolder dir;
    const std::wstring folder = std::filesystem::path(dir.Path()).wstring() + L"\\\u30c6\u30b9\u30c8";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring file = folder + L"\\\u0444\u0430\u0439\u043b.scr";
    {
        TFileStream f(file, fmCreate);
        f.WriteBuffer("wide", 4);
    }
    {
        TFileStream f(file, fmOpenRead | fmShareDenyNone);
        EXPECT_EQ(Read(f), "wide");
        EXPECT_EQ(f.FileName(), CodePagePath(file));
    }
    EXPECT_THROW(TFileStream(folder + L"\\\u0444.scr", fmOpenRead), EFOpenError);
    DeleteFileW(file.c_str());
    RemoveDirectoryW(folder.c_str());
}
#endif

}  // namespace
