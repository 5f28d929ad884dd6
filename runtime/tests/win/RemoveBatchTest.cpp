#include "DiskFileSystem.h"
#include "HiddenBatch.h"
#include "TestFolder.h"
#include "Uninstall.h"
#include "WaitUntil.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace {

using Clock = std::chrono::steady_clock;

// The program file as the running screensaver holds it: it cannot be deleted
// until the handle is closed.
class HeldFile {
public:
    explicit HeldFile(const std::string& Path) {
        handle_ = CreateFileA(Path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    ~HeldFile() { Release(); }
    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Release() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
};

TEST(RemoveBatch, DeletesTheProgramOnceItHasEndedThenItself) {
    TTestFolder dir("remove %TEMP%");
    const std::string program = dir.File("100% Clouds.scr");
    HeldFile held(program);
    ASSERT_TRUE(held.Held());
    ASSERT_FALSE(DeleteFileA(program.c_str())) << "the held file must resist deletion";

    TDiskFileSystem fs;
    dir.Write("remove.bat", "an older batch");
    bool terminated = false;
    TUninstallActions actions{StartHiddenBatch, [&] { terminated = true; }};
    RemoveScreensaver(fs, dir.Path() + "\\", program, actions);
    EXPECT_TRUE(terminated);

    Sleep(1500);
    EXPECT_TRUE(FileExists(program)) << "deleted while still in use";
    held.Release();
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(program); }, 30000)) << "program file not removed";
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(dir.File("remove.bat")); }, 10000))
        << "batch not removed";
}

TEST(RemoveBatch, GivesUpAfterItsAttemptsWaitingBetweenThem) {
    TTestFolder dir("remove-giveup");
    const std::string program = dir.File("locked.scr");
    const std::string batch = dir.File("remove.bat");
    HeldFile held(program);
    ASSERT_TRUE(held.Held());
    dir.Write("remove.bat", RemoveBatchText(program, batch, 3));

    const auto start = Clock::now();
    ASSERT_TRUE(StartHiddenBatch(batch));
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(batch); }, 60000)) << "the batch never gave up";
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    EXPECT_GE(seconds, 1.5) << "three attempts with a pause between them";
    EXPECT_TRUE(FileExists(program));
}

TEST(RemoveBatch, AMissingBatchDoesNotStart) {
    EXPECT_FALSE(StartHiddenBatch("C:\\no such folder\\remove.bat"));
}

}  // namespace
