// How long the sample screensaver takes from being started with /s until its
// first movie frame is on screen, against the least this platform allows.
//
// What is measured, all in wall-clock time of this run, best of interleaved
// rounds:
// - first frame: from CreateProcess of "<installed>.scr /s" until the screen
//   shows the first movie (most of a row of pixels in the movie's background
//   colour), looked for every millisecond or so;
// - bare start: from CreateProcess of the same file with "/p 0" until that
//   process has ended, the screen watched meanwhile as for the first frame.
//   That switch initialises the program and ends at once, so it is what
//   starting this program costs under Wine (loading it and its libraries,
//   the class library's start) without any of the playback path;
// - the same two for a bare full-screen window program (BareWindow.cpp): its
//   first frame less its bare start is what the window system alone costs
//   here to put any full-screen picture on screen;
// - reading and inflating: this process opening the installed file, loading
//   it whole as a package and inflating every stream after the program (the
//   movie container and each movie in it, the project text, the logo), with
//   the same classes the program uses.
// The bare start also holds the ending of a process, which the first-frame
// time does not: if anything, that favours the program.
//
// The ratio is (screensaver's first frame - its bare start) / (bare window's
// first frame - its bare start + reading and inflating): what the playback
// path costs against the floor of showing a full-screen window and reading
// the file. It is reported, and decides nothing: machines are noisy. The
// test fails only when a program does not start, show or end as it should.

#include "DecompileUnit.h"
#include "Desktop.h"
#include "FileStream.h"
#include "Process.h"
#include "SampleScreensaver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

using namespace desktop;

namespace {

constexpr int Rounds = 10;
// The background of the sample's first movie (orbits), as $00RRGGBB.
constexpr DWORD FirstMovieBackground = (10 << 16) | (16 << 8) | 44;

std::string TempFolder(const std::string& Name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + Name;
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
    std::filesystem::create_directories(path, ec);
    return path;
}

// Looks at a row a tenth of the way down the screen: inside the stage of every
// sample movie, above anything drawn near the top of the first. Watching the
// screen every millisecond must not itself slow the start it measures, so the
// contexts and the bitmap are made once and each look is a single copy.
class TRowWatch {
public:
    TRowWatch() : width_(GetSystemMetrics(SM_CXSCREEN)), y_(GetSystemMetrics(SM_CYSCREEN) / 10) {
        screen_ = GetDC(nullptr);
        memory_ = CreateCompatibleDC(screen_);
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -1, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        bitmap_ = CreateDIBSection(screen_, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(memory_, bitmap_);
    }
    ~TRowWatch() {
        SelectObject(memory_, old_);
        DeleteObject(bitmap_);
        DeleteDC(memory_);
        ReleaseDC(nullptr, screen_);
    }
    TRowWatch(const TRowWatch&) = delete;
    TRowWatch& operator=(const TRowWatch&) = delete;

    // Most of the row shows the first movie's background.
    bool FirstMovieShows() {
        BitBlt(memory_, 0, 0, width_, 1, screen_, 0, y_, SRCCOPY);
        GdiFlush();
        const auto same = std::count_if(bits_, bits_ + width_, [](DWORD c) { return (c & 0x00FFFFFF) == FirstMovieBackground; });
        return same * 2 > width_;
    }

private:
    int width_, y_;
    HDC screen_ = nullptr, memory_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    DWORD* bits_ = nullptr;
};

double ReadAndInflate(const std::string& Installed) {
    const double t0 = Now();
    TFileStream file(Installed, fmOpenRead | fmShareDenyNone);
    TDecompileStream package;
    package.Decompile(&file);
    auto container = package.GetStream(1, true);
    TDecompileStream movies;
    movies.Decompile(container.get());
    size_t bytes = 0;
    for (int i = 0; i < movies.Count(); ++i) bytes += static_cast<size_t>(movies.GetStream(i, true)->Size());
    bytes += static_cast<size_t>(package.GetStream(2, true)->Size() + package.GetStream(3, true)->Size());
    const double t1 = Now();
    EXPECT_GT(bytes, 3u * 1000 * 1000);
    return t1 - t0;
}

// A program started the two ways: with "/p 0", which ends at once, and with
// "/s", which shows its full-screen window of class WindowClass.
struct TTimedProgram {
    std::string Path;
    std::string WindowClass;
    double BestBare = 1e9, BestFirst = 1e9;
};

// Watched the way the first frame is, so that both starts share whatever the
// watching costs them.
double BareStart(const TTimedProgram& Program) {
    TRowWatch watch;
    const double t0 = Now();
    TProcess p(Program.Path, "/p 0");
    EXPECT_TRUE(p.Started());
    double ended = -1;
    WaitFor(
        [&] {
            watch.FirstMovieShows();
            if (!p.Running()) ended = Now();
            return ended > 0;
        },
        30000, 1);
    EXPECT_GT(ended, 0) << Program.Path << " did not end at once with /p";
    return ended > 0 ? ended - t0 : 1e9;
}

double FirstFrame(const TTimedProgram& Program) {
    TRowWatch watch;
    EXPECT_FALSE(watch.FirstMovieShows()) << "the screen already shows the movie before the start";
    const double t0 = Now();
    TProcess p(Program.Path, "/s");
    EXPECT_TRUE(p.Started());
    double shown = -1;
    WaitFor(
        [&] {
            if (watch.FirstMovieShows()) shown = Now();
            return shown > 0 || !p.Running();
        },
        30000, 1);
    EXPECT_GT(shown, 0) << "no first frame of " << Program.Path << " came on screen";
    // Ended by a key, as a user ends it, so it cleans up after itself.
    if (HWND w = FindTop(ByCaptionOrClass("class=" + Program.WindowClass))) PostMessageA(w, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(p.Wait(15000)) << Program.Path << " did not close on a key";
    return shown > 0 ? shown - t0 : 1e9;
}

void TimeOneRound(TTimedProgram& Program) {
    Program.BestBare = std::min(Program.BestBare, BareStart(Program));
    Program.BestFirst = std::min(Program.BestFirst, FirstFrame(Program));
}

// Built beside this test.
std::string BareWindowProgram() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::filesystem::path(path).replace_filename("startup_bare_window.exe").string();
}

TEST(ScreensaverStartup, FirstFrameAgainstABareWindowAndReadingItsOwnFile) {
    const std::string folder = TempFolder("tsl-startup-timing");
    TSampleScreensaver sample;
    ASSERT_NO_THROW(sample = MakeSampleScreensaver(folder));

    TTimedProgram saver{sample.Installed, "TShowForm"};
    TTimedProgram bare{BareWindowProgram(), "TessaloomBareWindow"};
    ASSERT_TRUE(std::filesystem::exists(bare.Path)) << bare.Path;
    double bestRead = 1e9;
    for (int round = 0; round < Rounds; ++round) {
        bestRead = std::min(bestRead, ReadAndInflate(sample.Installed));
        TimeOneRound(saver);
        TimeOneRound(bare);
        if (HasFailure()) break;
    }
    RemoveScreensaverKey(sample.BuildId);
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    ASSERT_FALSE(HasFailure());

    const double floor = (bare.BestFirst - bare.BestBare) + bestRead;
    const double ratio = (saver.BestFirst - saver.BestBare) / floor;
    std::printf("screensaver: first frame %.1f ms after the start, bare start %.1f ms\n", saver.BestFirst * 1000,
                saver.BestBare * 1000);
    std::printf("bare full-screen window program: first frame %.1f ms, bare start %.1f ms\n", bare.BestFirst * 1000,
                bare.BestBare * 1000);
    std::printf("reading and inflating the screensaver's own file: %.1f ms\n", bestRead * 1000);
    std::printf("start-up ratio %.2f: the screensaver's first frame less its bare start, to the bare window's first "
                "frame less its bare start plus the reading and inflating\n",
                ratio);
    RecordProperty("first_frame_ms", static_cast<int>(saver.BestFirst * 1000));
    RecordProperty("bare_start_ms", static_cast<int>(saver.BestBare * 1000));
    RecordProperty("read_inflate_ms", static_cast<int>(bestRead * 1000));
    RecordProperty("bare_window_first_frame_ms", static_cast<int>(bare.BestFirst * 1000));
    RecordProperty("bare_window_bare_start_ms", static_cast<int>(bare.BestBare * 1000));
    RecordProperty("startup_ratio_percent", static_cast<int>(ratio * 100));
}

}  // namespace
