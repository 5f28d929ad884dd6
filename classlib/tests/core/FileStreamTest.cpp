#include "Exceptions.h"
#include "FileStream.h"
#include "TestFolder.h"

#include <gtest/gtest.h>
#include <string>

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

}  // namespace
