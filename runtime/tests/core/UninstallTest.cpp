#include "Fakes.h"
#include "Uninstall.h"

#include <gtest/gtest.h>

namespace {

TEST(Uninstall, BatchLines) {
    const std::string text = RemoveBatchText("C:\\Program Files\\100% Clouds.scr", "C:\\Temp\\remove.bat", 30);
    const std::string expected =
        "set tries=0\r\n"
        ":try\r\n"
        "del \"C:\\Program Files\\100%% Clouds.scr\"\r\n"
        "if not exist \"C:\\Program Files\\100%% Clouds.scr\" goto done\r\n"
        "set /a tries=tries+1\r\n"
        "if %tries% geq 30 goto done\r\n"
        "ping -n 2 127.0.0.1 >nul\r\n"
        "goto try\r\n"
        ":done\r\n"
        "del \"C:\\Temp\\remove.bat\"\r\n"
        "cls\r\n";
    EXPECT_EQ(text, expected);
}

TEST(Uninstall, QuotingDoublesEveryPercent) {
    EXPECT_EQ(BatchQuoted("a%b%%c"), "\"a%%b%%%%c\"");
    EXPECT_EQ(BatchQuoted("%PATH%"), "\"%%PATH%%\"");
}

TEST(Uninstall, WritesReplacesStartsAndTerminates) {
    TMemoryFileSystem fs;
    fs.Files["C:\\Temp\\remove.bat"] = "old";
    std::vector<std::string> steps;
    TUninstallActions actions;
    actions.StartBatch = [&](const std::string& b) {
        steps.push_back("start " + b);
        return false;
    };
    actions.Terminate = [&] { steps.push_back("terminate"); };
    RemoveScreensaver(fs, "C:\\Temp\\", "C:\\S\\x.scr", actions);
    EXPECT_EQ(fs.Files["C:\\Temp\\remove.bat"], RemoveBatchText("C:\\S\\x.scr", "C:\\Temp\\remove.bat"));
    EXPECT_EQ(steps, (std::vector<std::string>{"start C:\\Temp\\remove.bat", "terminate"}));
}

TEST(Uninstall, AnUnwritableBatchRaisesAndTheProgramGoesOn) {
    TMemoryFileSystem fs;
    fs.Unwritable.insert("C:\\Temp\\remove.bat");
    bool started = false, terminated = false;
    TUninstallActions actions{[&](const std::string&) { return started = true; }, [&] { terminated = true; }};
    EXPECT_THROW(RemoveScreensaver(fs, "C:\\Temp\\", "C:\\S\\x.scr", actions), EFCreateError);
    EXPECT_FALSE(started);
    EXPECT_FALSE(terminated);
}

}  // namespace
