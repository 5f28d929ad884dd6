#include "FileStream.h"
#include "SystemServices.h"
#include "TestFolder.h"
#include "WaitUntil.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace {

TEST(SystemServices, BuildIdentifiersAreNewBraceGuids) {
    const TBuilderServices services = SystemBuilderServices(nullptr);
    const std::string a = services.NewBuildId(), b = services.NewBuildId();
    const std::regex guid(R"(\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\})");
    EXPECT_TRUE(std::regex_match(a, guid)) << a;
    EXPECT_TRUE(std::regex_match(b, guid)) << b;
    EXPECT_NE(a, b);
}

// Install Now and the help file are handed to the shell as the builder
// holds them: in the system code page, a folder outside it by its short form.
// The program started must be the one named, with its parameters.
TEST(SystemServices, StartsAProgramInAFolderNamedOutsideTheCodePage) {
    TTestFolder dir;
    for (const wchar_t* name : {L"\u30a4\u30f3\u30b9\u30c8\u30fc\u30eb", L"\u0443\u0441\u0442\u0430\u043d\u043e\u0432\u043a\u0430"}) {
        const std::filesystem::path folder = std::filesystem::path(dir.Path()) / name;
        std::filesystem::create_directories(folder);
        const std::filesystem::path program = folder / L"setup.bat", report = folder / L"started.txt";
        std::ofstream(program) << "@echo started %1> \"%~dp0started.txt\"\r\n";
        const std::optional<std::string> held = CodePageName(program.wstring());
        ASSERT_TRUE(held) << "no code-page name for the program";
        EXPECT_EQ(held->find('?'), std::string::npos) << *held;

        SystemBuilderServices(nullptr).StartProgram(*held, "/auto");
        std::string text;
        EXPECT_TRUE(WaitUntil(
            [&] {
                std::ifstream in(report);
                std::getline(in, text);
                return !text.empty();
            },
            15000))
            << *held;
        EXPECT_EQ(text, "started /auto") << *held;
    }
}

}  // namespace
