#include "BuilderFiles.h"
#include "Exceptions.h"
#include "TestFolder.h"

#include <filesystem>

namespace {

class BuilderFiles : public ::testing::Test {
protected:
    TTestFolder dir;
};

TEST_F(BuilderFiles, ExistsOnlyForFiles) {
    const std::string file = dir.Write("a.swf", "x");
    EXPECT_TRUE(TBuilderFiles::Exists(file));
    EXPECT_FALSE(TBuilderFiles::Exists(dir.File("b.swf")));
    EXPECT_FALSE(TBuilderFiles::Exists(dir.Folder()));
    EXPECT_FALSE(TBuilderFiles::Exists(""));
}

TEST_F(BuilderFiles, SameFileHoweverItIsSpelled) {
    const std::string a = dir.Write("a.swf", "x"), b = dir.Write("b.swf", "x");
    const std::string sep = dir.Folder().substr(dir.Folder().size() - 1);
    EXPECT_TRUE(TBuilderFiles::Same(a, a));
    EXPECT_TRUE(TBuilderFiles::Same(a, dir.Folder() + "." + sep + "a.swf"));
    EXPECT_FALSE(TBuilderFiles::Same(a, b)) << "equal bytes are not the same file";
    EXPECT_FALSE(TBuilderFiles::Same(a, dir.File("missing.swf")));
    EXPECT_FALSE(TBuilderFiles::Same(dir.File("missing.swf"), dir.File("missing.swf")));
#ifdef _WIN32
    EXPECT_TRUE(TBuilderFiles::Same(a, dir.File("A.SWF"))) << "Windows names ignore letter case";
#endif
}

#ifdef _WIN32
TEST_F(BuilderFiles, AReadOnlyFileIsNotReplaced) {
    const std::string target = dir.Write("out.exe", "old");
    const std::string partial = dir.Write("out.exe.~partial", "new");
    std::filesystem::permissions(target, std::filesystem::perms::owner_write, std::filesystem::perm_options::remove);
    try {
        TBuilderFiles::MoveIntoPlace(partial, target);
        FAIL() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file " + target);
    }
    EXPECT_EQ(TTestFolder::Read(target), "old");
    std::filesystem::permissions(target, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
}
#endif

}  // namespace
