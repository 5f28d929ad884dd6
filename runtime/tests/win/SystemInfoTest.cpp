#include "FileSearch.h"
#include "IniFile.h"
#include "SysUtils.h"
#include "SystemInfoUnit.h"
#include "TestFolder.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

namespace {

std::vector<std::string> Sorted(const TStrings& List) {
    std::vector<std::string> v;
    for (int i = 0; i < List.Count(); ++i) v.push_back(List.Strings(i));
    std::sort(v.begin(), v.end());
    return v;
}

TEST(SystemInfo, FolderPathsEndInOneBackslash) {
    TSystemInfo info;
    const std::string windows = info.GetWindowsPath();
    ASSERT_GE(windows.size(), 4u);
    EXPECT_EQ(windows.back(), '\\');
    EXPECT_NE(windows[windows.size() - 2], '\\');
    char expected[MAX_PATH];
    GetWindowsDirectoryA(expected, MAX_PATH);
    EXPECT_EQ(windows, std::string(expected) + "\\");

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    EXPECT_EQ(info.GetTempDirectory(), temp);
    EXPECT_EQ(info.GetTempDirectory().back(), '\\');
}

TEST(SystemInfo, CacheDirectoryIsTheShellFolderWithoutBackslash) {
    TSystemInfo info;
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(info.GetCacheDirectory(CSIDL_WINDOWS, nullptr), windows);
    const std::string appData = info.GetCacheDirectory(CSIDL_APPDATA, nullptr);
    ASSERT_FALSE(appData.empty());
    EXPECT_NE(appData.back(), '\\');
    // Many calls: what the shell allocates is given back each time.
    for (int i = 0; i < 2000; ++i) ASSERT_EQ(info.GetCacheDirectory(CSIDL_APPDATA, nullptr), appData);
    EXPECT_EQ(info.GetCacheDirectory(0x7F, nullptr), "");
}

TEST(SystemInfo, FindAllListsEveryFileBelowInUpperCase) {
    TTestFolder dir("findall");
    dir.Write("a.txt", "a");
    dir.Folder("Sub");
    dir.Write("Sub\\b.Txt", "b");
    dir.Folder("Sub\\deeper");
    dir.Write("Sub\\deeper\\c.dat", "c");
    dir.Write("Sub\\deeper\\hidden.sys", "h");
    SetFileAttributesA(dir.File("Sub\\deeper\\hidden.sys").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    dir.Folder("empty");

    int pumps = 0;
    TSystemInfo info([&] { ++pumps; });
    TStringList list;
    list.Add("kept");
    std::string folder = dir.Path();
    info.FindAll(folder, list);
    EXPECT_EQ(folder, dir.Path());

    const std::string up = UpperCase(dir.Path());
    const std::vector<std::string> expected = {up + "\\A.TXT", up + "\\SUB\\B.TXT", up + "\\SUB\\DEEPER\\C.DAT",
                                               up + "\\SUB\\DEEPER\\HIDDEN.SYS", "kept"};
    EXPECT_EQ(Sorted(list), expected);
    EXPECT_EQ(pumps, 4) << "once per folder visited";

    // Depth first: the subfolder's files sit together.
    std::vector<std::string> inOrder;
    for (int i = 1; i < list.Count(); ++i) inOrder.push_back(list.Strings(i));
    const auto c = std::find(inOrder.begin(), inOrder.end(), up + "\\SUB\\DEEPER\\C.DAT");
    const auto h = std::find(inOrder.begin(), inOrder.end(), up + "\\SUB\\DEEPER\\HIDDEN.SYS");
    EXPECT_EQ(std::abs(c - h), 1);
}

TEST(SystemInfo, FindAllOnEmptyOrMissingFoldersAddsNothing) {
    TTestFolder dir("findall-empty");
    int pumps = 0;
    TSystemInfo info([&] { ++pumps; });
    TStringList list;
    info.FindAll(dir.Path(), list);
    info.FindAll(dir.File("missing"), list);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(pumps, 2);
}

TEST(SystemInfo, FindAllWithoutACallbackProcessesPendingMessagesOnAnEmptyFolder) {
    TTestFolder dir("findall-pump");
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // gives this thread its queue
    constexpr UINT kPending = WM_APP + 23;
    ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), kPending, 0, 0));
    TStringList list;
    TSystemInfo().FindAll(dir.Path(), list);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, kPending, kPending, PM_REMOVE)) << "the message is still waiting";
}

TEST(SystemInfo, FindAllDoesNotLoopThroughALinkToAnOuterFolder) {
    TTestFolder dir("findall-loop");
    dir.Write("a.txt", "a");
    dir.Folder("sub");
    dir.Write("sub\\b.txt", "b");
    if (!CreateSymbolicLinkA(dir.File("sub\\up").c_str(), dir.Path().c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY))
        GTEST_SKIP() << "no directory links on this system (error " << GetLastError() << ")";
    TSystemInfo info;
    TStringList list;
    info.FindAll(dir.Path(), list);
    const std::string up = UpperCase(dir.Path());
    EXPECT_EQ(Sorted(list), (std::vector<std::string>{up + "\\A.TXT", up + "\\SUB\\B.TXT"}));
}

// "system.ini" in the Windows folder, put back as it was afterwards.
class SystemIni : public testing::Test {
protected:
    void SetUp() override {
        path_ = TSystemInfo().GetWindowsPath() + "system.ini";
        original_ = TTestFolder::Read(path_);
    }
    void TearDown() override {
        if (original_ == "(missing)") {
            DeleteFileA(path_.c_str());
            return;
        }
        HANDLE h = CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD n = 0;
        WriteFile(h, original_.data(), static_cast<DWORD>(original_.size()), &n, nullptr);
        CloseHandle(h);
    }
    std::string path_;
    std::string original_;
};

TEST_F(SystemIni, DefaultScreensaverIsWrittenAsTheShortPath) {
    TTestFolder dir("default saver");
    dir.Write("A Long Screensaver Name.scr", "MZ");
    const std::string saver = dir.File("A Long Screensaver Name.scr");
    const std::string shortName = ExtractShortPathName(saver);
    ASSERT_FALSE(shortName.empty());

    TSystemInfo().SetDefaultScreensaver(saver);
    EXPECT_EQ(TIniFile(path_).ReadString("boot", "SCRNSAVE.EXE", "?"), shortName);

    TSystemInfo().SetDefaultScreensaver(dir.File("missing.scr"));
    EXPECT_EQ(TIniFile(path_).ReadString("boot", "SCRNSAVE.EXE", "?"), "");
}

}  // namespace
