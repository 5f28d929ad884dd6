#include "BuilderFixture.h"

#include "Exceptions.h"
#include "SafeSave.h"

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

class SafeSave : public ::testing::Test {
protected:
    TTestFolder dir;
};

TMemoryStream& StreamOf(TMemoryStream& Stream, const std::string& Text) {
    Stream.Clear();
    Stream.WriteBuffer(Text.data(), static_cast<std::int64_t>(Text.size()));
    return Stream;
}

TEST_F(SafeSave, ReplacesAnExistingFileWholeAndLeavesNothingBeside) {
    const std::string file = dir.Write("out.exe", std::string(5000, 'o'));
    TMemoryStream data;
    SaveReplacing(StreamOf(data, "new"), file);
    EXPECT_EQ(TTestFolder::Read(file), "new");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"out.exe"});
}

TEST_F(SafeSave, KeepsAFileOfTheHelperNameThatWasAlreadyThere) {
    const std::string file = dir.File("out.exe");
    dir.Write("out.exe.~partial", "the user's own");
    TMemoryStream data;
    SaveReplacing(StreamOf(data, "new"), file);
    EXPECT_EQ(TTestFolder::Read(file), "new");
    EXPECT_EQ(TTestFolder::Read(dir.File("out.exe.~partial")), "the user's own");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"out.exe", "out.exe.~partial"}));
}

TEST_F(SafeSave, AFolderOfThatNameIsNotReplaced) {
    std::filesystem::create_directory(dir.File("out.exe"));
    dir.Write("out.exe/inside", "kept");
    TMemoryStream data;
    try {
        SaveReplacing(StreamOf(data, "new"), dir.File("out.exe"));
        FAIL() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file " + dir.File("out.exe"));
    }
    EXPECT_EQ(TTestFolder::Read(dir.File("out.exe/inside")), "kept");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"out.exe"});
}

#ifndef _WIN32
// The disk filling up while the package is written: the file-size limit
// makes writes fail part-way, as a full disk does.
TEST_F(SafeSave, AWriteThatFailsPartWayKeepsTheOldFile) {
    const std::string file = dir.Write("out.exe", "the earlier package");
    TMemoryStream data;
    StreamOf(data, std::string(200000, 'n'));

    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 65536;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string message;
    try {
        SaveReplacing(data, file);
    } catch (const Exception& e) {
        message = e.Message();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(message, "Stream write error");
    EXPECT_EQ(TTestFolder::Read(file), "the earlier package");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"out.exe"});
}
#endif

}  // namespace
