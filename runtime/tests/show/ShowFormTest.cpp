// The playback window in this process: created from its description, given
// an installed screensaver file made by the installer's class, and driven by
// input messages posted to its windows as the system queues a user's input.

#include "Application.h"
#include "DialogAnswerer.h"
#include "FullScreenCheck.h"
#include "PasswordFlag.h"
#include "PlainWindow.h"
#include "Pump.h"
#include "SaverFixture.h"
#include "ShowUnit.h"
#include "StdControls.h"
#include "SwfScriptWriter.h"
#include "WaveOutVolume.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <map>
#include <set>
#include <thread>

namespace {

using saver::TMovie;
using saver::TSaverParts;

// The system the test form gets: everything real except the file it reads
// (the test's installed file instead of the test program), the wave device
// (recorded) and, when asked, the platform family.
struct TTestSetup {
    std::string OwnFile;
    bool Win9x = false;
    // Stands for a machine with a sound card: the wave mapper answers with this
    // volume. Without it the real wave mapper of the system is asked.
    std::optional<std::uint32_t> SimulatedDevice;
    std::vector<std::string> VolumeCalls;
    // Called when the window is about to appear for the first time.
    std::function<void(class TTestShowForm&)> OnFirstSight;
};
TTestSetup gSetup;

// Threads started in this process since it began, counted by a callback that
// the loader runs for every new thread.
std::atomic<int> gThreadsStarted{0};
void NTAPI CountThreadStart(PVOID, DWORD Reason, PVOID) {
    if (Reason == DLL_THREAD_ATTACH) ++gThreadsStarted;
}
// Among the program's TLS callbacks, which the C run-time lays out between
// its own markers of these sections and the loader calls on thread starts.
__attribute__((section(".CRT$XLT"), used)) const PIMAGE_TLS_CALLBACK CountThreadStartCallback = CountThreadStart;

std::string Hex(std::uint32_t V) {
    char text[16];
    snprintf(text, sizeof text, "%08X", V);
    return text;
}

class TRecordingVolume : public TWaveVolume {
public:
    bool GetVolume(std::uint32_t& Volume) override {
        bool ok;
        if (gSetup.SimulatedDevice) {
            Volume = *gSetup.SimulatedDevice;
            ok = true;
        } else {
            ok = real_.GetVolume(Volume);
        }
        gSetup.VolumeCalls.push_back(ok ? "get " + Hex(Volume) : "get: no device");
        return ok;
    }
    bool SetVolume(std::uint32_t Volume) override {
        bool ok = true;
        if (gSetup.SimulatedDevice)
            *gSetup.SimulatedDevice = Volume;
        else
            ok = real_.SetVolume(Volume);
        gSetup.VolumeCalls.push_back("set " + Hex(Volume) + (ok ? "" : ": failed"));
        return ok;
    }

private:
    TWaveOutVolume real_;
};

class TForced9x : public TPlatformFamily {
public:
    bool IsWin9x() override { return true; }
};

class TTestShowForm : public TShowForm {
protected:
    void Dispatch(TMessage& Message) override {
        // A window shown maximised gets no WM_SHOWWINDOW: its first
        // appearance is the position change that shows it.
        const bool appearing =
            (Message.Msg == WM_SHOWWINDOW && Message.WParam) ||
            (Message.Msg == WM_WINDOWPOSCHANGING &&
             (reinterpret_cast<const WINDOWPOS*>(Message.LParam)->flags & SWP_SHOWWINDOW));
        if (appearing && !seen_) {
            seen_ = true;
            if (gSetup.OnFirstSight) gSetup.OnFirstSight(*this);
        }
        TShowForm::Dispatch(Message);
    }

    std::unique_ptr<TSystem> MakeSystem() override {
        struct TTestSystem : TSystem {
            std::unique_ptr<TSystem> Real;
            TRecordingVolume Volume;
            TForced9x Platform;
        };
        auto s = std::make_unique<TTestSystem>();
        s->Real = TShowForm::MakeSystem();
        s->Services = s->Real->Services;
        const std::string path = gSetup.OwnFile;
        s->Services.OpenOwnFile = [path] {
            return std::unique_ptr<TStream>(std::make_unique<TFileStream>(path, fmOpenRead | fmShareDenyNone));
        };
        s->Services.Volume = &s->Volume;
        if (gSetup.Win9x) s->Services.Platform = &s->Platform;
        return s;
    }

private:
    bool seen_ = false;
};

// The cursor's show count of this thread (below 0: hidden).
int CursorCount() {
    ShowCursor(TRUE);
    return ShowCursor(FALSE);
}

// Every message a window's procedure receives, recorded by number.
class TMessageRecorder {
public:
    explicit TMessageRecorder(HWND Window) : window_(Window) {
        Recorders()[Window] = this;
        old_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TMessageRecorder::Proc)));
    }
    TMessageRecorder(const TMessageRecorder&) = delete;
    TMessageRecorder& operator=(const TMessageRecorder&) = delete;
    ~TMessageRecorder() {
        if (IsWindow(window_)) SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old_));
        Recorders().erase(window_);
    }
    int Count(UINT Message) const { return seen_.count(Message) ? seen_.at(Message) : 0; }

private:
    static std::map<HWND, TMessageRecorder*>& Recorders() {
        static std::map<HWND, TMessageRecorder*> all;
        return all;
    }
    static LRESULT CALLBACK Proc(HWND Wnd, UINT Msg, WPARAM W, LPARAM L) {
        TMessageRecorder* self = Recorders().at(Wnd);
        ++self->seen_[Msg];
        return CallWindowProcA(self->old_, Wnd, Msg, W, L);
    }
    HWND window_;
    WNDPROC old_;
    std::map<UINT, int> seen_;
};

// A message box of this thread, read and answered from a timer that its own
// modal loop runs; notes the cursor's count at the moment the box is up.
struct TBoxWatch {
    static TBoxWatch*& Current() {
        static TBoxWatch* current = nullptr;
        return current;
    }
    TBoxWatch() {
        Current() = this;
        timer_ = SetTimer(nullptr, 0, 50, &TBoxWatch::Tick);
    }
    TBoxWatch(const TBoxWatch&) = delete;
    TBoxWatch& operator=(const TBoxWatch&) = delete;
    ~TBoxWatch() {
        KillTimer(nullptr, timer_);
        Current() = nullptr;
    }
    static BOOL CALLBACK FindBox(HWND Wnd, LPARAM Found) {
        char cls[32] = {};
        GetClassNameA(Wnd, cls, sizeof cls);
        if (std::string(cls) == "#32770" && IsWindowVisible(Wnd)) {
            *reinterpret_cast<HWND*>(Found) = Wnd;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        TBoxWatch* self = Current();
        if (!self || self->Seen) return;
        HWND box = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &TBoxWatch::FindBox, reinterpret_cast<LPARAM>(&box));
        if (!box) return;
        self->Seen = true;
        self->Box = ReadDialog(box);
        self->CursorCountThen = CursorCount();
        self->Owner = GetWindow(box, GW_OWNER);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    bool Seen = false;
    TSeenDialog Box;
    int CursorCountThen = 0;
    HWND Owner = nullptr;

private:
    UINT_PTR timer_;
};

constexpr const char* kTitle = "Vidad Ididederuzi";

class ShowFormTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        RegisterStandardControls();
        RegisterShowFormClasses();
        Application->SetTitle(kTitle);
    }
    void SetUp() override {
        gSetup = TTestSetup{};
        tag_ = std::to_string(GetCurrentProcessId()) + "-" + testing::UnitTest::GetInstance()->current_test_info()->name();
        for (char& c : tag_)
            if (c == '/') c = '-';
        gSetup.OwnFile = saver::TempFolder() + "show-test-" + tag_ + ".scr";
        cursorBefore_ = CursorCount();
    }
    void TearDown() override {
        form_.reset();
        DeleteFileA(gSetup.OwnFile.c_str());
        for (const auto& f : cleanUp_) {
            DeleteFileA(f.c_str());
            RemoveDirectoryA(f.c_str());
        }
    }

    // A movie name no other test or run uses.
    std::string Name(const std::string& Base) const { return "sf-" + tag_ + "-" + Base + ".swf"; }
    std::string Temp(const std::string& FileName) {
        cleanUp_.push_back(saver::TempFolder() + FileName);
        return cleanUp_.back();
    }

    void Start(const TSaverParts& Parts) {
        saver::WriteWhole(gSetup.OwnFile, saver::InstalledFile(Parts));
        form_ = CreateOwned<TTestShowForm>();
        form_->Show();
        SetForegroundWindow(form_->Handle());
        PumpFor(150);
    }
    TSaverParts Parts(const std::vector<std::string>& Samples, bool Random = false) const {
        TSaverParts p;
        for (std::size_t i = 0; i < Samples.size(); ++i)
            p.Movies.push_back({"C:\\art\\" + std::to_string(i) + "\\" + Name(Samples[i]), saver::Sample(Samples[i])});
        p.RandomPlay = Random;
        return p;
    }
    bool Visible() const { return IsWindowVisible(form_->Handle()) != FALSE; }
    bool ClosesWithin(DWORD Ms) {
        return PumpUntil([&] { return !Visible(); }, Ms);
    }
    void Post(HWND Window, UINT Msg, WPARAM W, LPARAM L) { ASSERT_TRUE(PostMessageA(Window, Msg, W, L)); }
    // A mouse move to a screen position, queued for the window under it.
    void MoveTo(TScreenPoint P) {
        HWND w = form_->Handle();
        POINT client{P.X, P.Y};
        ScreenToClient(w, &client);
        Post(w, WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<WORD>(client.x), static_cast<WORD>(client.y)));
    }
    TScreenPoint StartPoint() const { return form_->Playback()->Filter().StartPoint; }
    std::string Playing() const { return form_->Flash()->Movie(); }

    std::string tag_;
    int cursorBefore_ = 0;
    std::vector<std::string> cleanUp_;
    TOwned<TTestShowForm> form_;
};

TEST_F(ShowFormTest, CoversTheScreenStaysOnTopAndHidesTheCursorWhilePlaying) {
    Temp(Name("tide"));
    Start(Parts({"tide"}));
    HWND w = form_->Handle();
    char cls[64] = {};
    GetClassNameA(w, cls, sizeof cls);
    EXPECT_STREQ(cls, "TShowForm");
    EXPECT_EQ(FindWindowA("TShowForm", nullptr), w);

    saver::ExpectCoversTheScreenOnTop(w);
    EXPECT_FALSE(GetWindowLongA(w, GWL_STYLE) & WS_CAPTION);
    EXPECT_EQ(CursorCount(), cursorBefore_ - 1) << "the cursor is hidden while playing";

    // Another program's window brought to the front stays beneath it.
    {
        TPlainWindow other("ShowFormTestOther", 100, 100, 600, 400, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, "other");
        SetForegroundWindow(other.Handle());
        SetWindowPos(other.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        PumpFor(100);
        EXPECT_EQ(GetAncestor(WindowFromPoint(POINT{300, 300}), GA_ROOT), w);
    }

    form_.reset();
    EXPECT_EQ(CursorCount(), cursorBefore_) << "shown again when the window goes";
}

TEST_F(ShowFormTest, MoviesLandInTheTemporaryFolderWithoutReplacingAnyFileAndOnlyTheirsAreDeleted) {
    // Two movies of one name from different folders, and the same name left
    // behind by an earlier run that did not clean up.
    const std::string name = Name("same");
    const std::string leftover = Temp(name);
    saver::WriteWhole(leftover, "left by an earlier run");
    TSaverParts p;
    p.Movies = {{"C:\\one\\" + name, saver::Sample("tide")}, {"D:\\two\\" + name, saver::Sample("orbits")}};
    const std::string first = Temp("$" + name), second = Temp("$$" + name);
    Start(p);

    EXPECT_EQ(saver::ReadWhole(first), saver::Sample("tide"));
    EXPECT_EQ(saver::ReadWhole(second), saver::Sample("orbits"));
    EXPECT_EQ(saver::ReadWhole(leftover), "left by an earlier run");
    EXPECT_EQ(Playing(), first);
    EXPECT_EQ(form_->Playback()->WrittenFiles(), (std::vector<std::string>{first, second}));

    form_.reset();
    EXPECT_FALSE(saver::Exists(first));
    EXPECT_FALSE(saver::Exists(second));
    EXPECT_EQ(saver::ReadWhole(leftover), "left by an earlier run");
}

// What the window holds at the moment it first appears.
struct TFirstSight {
    bool Seen = false;
    std::vector<std::string> Written;  // the movies' files as they were then, in list order
    std::string Playing;
    int CursorCount = 0;
    bool Shown = false;
    int ThreadsStarted = 0;
};

TEST_F(ShowFormTest, BeforeItFirstAppearsEveryMovieIsWrittenTheFirstLoadedAndTheCursorHidden) {
    const std::vector<std::string> samples = {"orbits", "tide", "equalizer"};
    std::vector<std::string> paths;
    for (const std::string& sample : samples) paths.push_back(Temp(Name(sample)));
    TFirstSight sight;
    gSetup.OnFirstSight = [&](TTestShowForm& Form) {
        sight.Seen = true;
        for (const std::string& path : paths) sight.Written.push_back(saver::Exists(path) ? saver::ReadWhole(path) : "");
        sight.Playing = Form.Flash()->Movie();
        sight.CursorCount = CursorCount();
        sight.Shown = Form.Playback()->Shown();
        sight.ThreadsStarted = gThreadsStarted;
    };
    const int threadsBefore = gThreadsStarted;
    Start(Parts(samples));
    ASSERT_TRUE(sight.Seen);
    for (std::size_t i = 0; i < samples.size(); ++i)
        EXPECT_TRUE(sight.Written[i] == saver::Sample(samples[i]))
            << samples[i] << ": " << sight.Written[i].size() << " bytes written then";
    EXPECT_EQ(sight.Playing, paths[0]) << "the first movie is in the player";
    EXPECT_EQ(sight.CursorCount, cursorBefore_ - 1) << "the cursor is hidden";
    EXPECT_TRUE(sight.Shown);
    EXPECT_EQ(sight.ThreadsStarted, threadsBefore) << "the window started a thread";
    EXPECT_EQ(gThreadsStarted, threadsBefore) << "the window started a thread";
}

TEST(ThreadCount, SeesAThreadThatStarts) {
    // The count the test above relies on does see new threads.
    const int before = gThreadsStarted;
    std::thread([] {}).join();
    EXPECT_EQ(gThreadsStarted, before + 1);
}

TEST_F(ShowFormTest, OneMovieLoopsInThePlayerWithTheTimerOff) {
    const std::string movie = Temp(Name("tide"));
    Start(Parts({"tide"}));
    TShockwaveFlash* flash = form_->Flash();
    EXPECT_EQ(Playing(), movie);
    EXPECT_TRUE(flash->Loop());
    EXPECT_FALSE(form_->Timer()->Enabled());

    flash->GotoFrame(flash->TotalFrames() - 1);
    ASSERT_TRUE(PumpUntil([&] { return flash->CurrentFrame() < flash->TotalFrames() - 1; }, 2000))
        << "the last frame is followed by the first";
    EXPECT_TRUE(flash->Playing());
    EXPECT_EQ(Playing(), movie);
}

// The colour of the screen's top-left corner: the movie's background, since
// the 4:3 stage leaves a margin above it.
COLORREF Corner() {
    HDC dc = GetDC(nullptr);
    const COLORREF c = GetPixel(dc, 1, 1);
    ReleaseDC(nullptr, dc);
    return c;
}
const COLORREF kOrbitsBackground = RGB(10, 16, 44);
const COLORREF kTideBackground = RGB(150, 200, 235);

class TwoMovies : public ShowFormTest, public testing::WithParamInterface<bool> {};

TEST_P(TwoMovies, AdvanceOnlyAtTheLastFrameAndAlternate) {
    const std::string orbits = Temp(Name("orbits")), tide = Temp(Name("tide"));
    Start(Parts({"orbits", "tide"}, GetParam()));
    TShockwaveFlash* flash = form_->Flash();
    EXPECT_TRUE(form_->Timer()->Enabled());
    EXPECT_EQ(form_->Timer()->Interval(), 300u);
    EXPECT_FALSE(flash->Loop());
    EXPECT_EQ(Playing(), orbits);
    EXPECT_TRUE(PumpUntil([] { return Corner() == kOrbitsBackground; }, 2000)) << std::hex << Corner();

    // Three seconds of movie: several polls pass without a change.
    PumpFor(1000);
    ASSERT_LT(flash->CurrentFrame(), flash->TotalFrames() - 1);
    EXPECT_EQ(Playing(), orbits);

    for (const std::string& next : {tide, orbits, tide}) {
        flash->GotoFrame(flash->TotalFrames() - 1);
        ASSERT_TRUE(PumpUntil([&] { return Playing() == next; }, 1500)) << "still " << Playing();
        EXPECT_FALSE(flash->Loop());
    }
    EXPECT_TRUE(PumpUntil([] { return Corner() == kTideBackground; }, 2000)) << std::hex << Corner();
}

INSTANTIATE_TEST_SUITE_P(InListOrderAndRandomly, TwoMovies, testing::Bool(),
                         [](const auto& Info) { return Info.param ? "Random" : "InOrder"; });

// Ten frames at 20 per second whose script stops it on frame 2.
std::string SelfStoppingMovie() {
    TSwfWriter w(400, 300, 20, 6);
    w.SetBackground({200, 60, 60});
    TSwfShapeBuilder s;
    s.Rectangle(0, 0, 50 * TwipsPerPixel, 50 * TwipsPerPixel, s.SolidFill({255, 255, 255, 255}), 0);
    const uint16_t id = w.DefineShape(s);
    for (int f = 0; f < 10; ++f) {
        if (f == 0)
            w.Main.Place(1, id);
        else
            w.Main.Move(1, TSwfMatrix::Translate(f * 20 * TwipsPerPixel, 0));
        if (f == 2) DoAction(w.Main, TSwfActionWriter().Stop());
        w.Main.ShowFrame();
    }
    w.Main.End();
    const std::vector<uint8_t> bytes = w.Finish();
    return std::string(bytes.begin(), bytes.end());
}

// A movie whose script loops it gives way after one round; one that stops
// itself before its last frame is held about ten seconds, then gives way.
TEST_F(ShowFormTest, MoviesThatLoopOrStopThemselvesStillGiveWayToTheNext) {
    TSaverParts p;
    p.Movies = {{"C:\\s\\" + Name("lantern"), saver::Sample("lantern")}, {"C:\\s\\" + Name("halt"), SelfStoppingMovie()}};
    const std::string lantern = Temp(Name("lantern")), halt = Temp(Name("halt"));
    Start(p);
    TShockwaveFlash* flash = form_->Flash();
    ASSERT_EQ(Playing(), lantern);
    ASSERT_EQ(flash->TotalFrames(), 33);
    int highest = 0;
    ASSERT_TRUE(PumpUntil(
        [&] {
            if (Playing() == lantern) highest = std::max(highest, flash->CurrentFrame());
            return Playing() == halt;
        },
        6000));
    EXPECT_GE(highest, 20) << "it played its swing";
    EXPECT_LE(highest, 30) << "its last frame is never shown";

    ASSERT_TRUE(PumpUntil([&] { return !flash->Playing(); }, 2000));
    const DWORD stopped = GetTickCount();
    EXPECT_EQ(flash->CurrentFrame(), 2);
    ASSERT_TRUE(PumpUntil([&] { return Playing() == lantern; }, 16000)) << "held for ever";
    const DWORD held = GetTickCount() - stopped;
    EXPECT_GE(held, 9000u);
    EXPECT_LE(held, 14000u);
}

TEST_F(ShowFormTest, MoviesOfOneFrameAreReplacedAtEveryTickOfTheTimer) {
    // Bytes the player cannot read show as an empty stage of one frame.
    TSaverParts p;
    p.Movies = {{"C:\\a\\" + Name("one"), "not a movie"}, {"C:\\a\\" + Name("two"), "nor this"}};
    const std::string one = Temp(Name("one")), two = Temp(Name("two"));
    Start(p);
    ASSERT_EQ(form_->Flash()->TotalFrames(), 1);
    std::vector<std::string> played{Playing()};
    const DWORD start = GetTickCount();
    PumpUntil(
        [&] {
            if (Playing() != played.back()) played.push_back(Playing());
            return false;
        },
        1600);
    const DWORD elapsed = GetTickCount() - start;
    // One change per 300 ms tick, give or take the ticks Wine delays.
    EXPECT_GE(played.size(), 4u);
    EXPECT_LE(played.size(), elapsed / 300 + 2);
    for (std::size_t i = 0; i < played.size(); ++i) EXPECT_EQ(played[i], i % 2 ? two : one) << i;
}

TEST_F(ShowFormTest, RandomOrderNeverPlaysOneMovieTwiceInARow) {
    for (const char* s : {"orbits", "tide", "equalizer"}) Temp(Name(s));
    Start(Parts({"orbits", "tide", "equalizer"}, true));
    TShockwaveFlash* flash = form_->Flash();
    std::set<std::string> seen{Playing()};
    for (int i = 0; i < 8; ++i) {
        const std::string before = Playing();
        flash->GotoFrame(flash->TotalFrames() - 1);
        ASSERT_TRUE(PumpUntil([&] { return Playing() != before; }, 1500)) << "stuck on " << before;
        seen.insert(Playing());
    }
    EXPECT_GE(seen.size(), 2u);
}

// One input message and what it must do.
struct TInputCase {
    const char* Name;
    bool IgnoreMouse;
    UINT Message;
    int Dx, Dy;  // mouse moves: distance from the reference point
    bool Closes;
};

void PrintTo(const TInputCase& C, std::ostream* Out) { *Out << C.Name; }

class Input : public ShowFormTest, public testing::WithParamInterface<TInputCase> {};

TEST_P(Input, ClosesTheWindowOrNot) {
    const TInputCase& c = GetParam();
    saver::TSettingsKey key(TSaverParts{}.BuildId);
    key.Set("ignore", c.IgnoreMouse);
    Temp(Name("tide"));
    Start(Parts({"tide"}));
    ASSERT_EQ(form_->Playback()->Filter().IgnoreMouse, c.IgnoreMouse) << "read from the registry";
    HWND player = form_->Flash()->Handle();
    TMessageRecorder atPlayer(player), atForm(form_->Handle());

    if (c.Message == WM_MOUSEMOVE) {
        const TScreenPoint s = StartPoint();
        MoveTo({s.X + c.Dx, s.Y + c.Dy});
    } else if (c.Message >= WM_KEYFIRST && c.Message <= WM_KEYLAST) {
        Post(player, c.Message, VK_SPACE, 1);
    } else {
        Post(player, c.Message, c.Message == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(50, 60));
    }
    if (c.Closes)
        EXPECT_TRUE(ClosesWithin(2000));
    else {
        PumpFor(400);
        EXPECT_TRUE(Visible());
    }
    if (c.Message == WM_RBUTTONDOWN) {
        EXPECT_EQ(atPlayer.Count(WM_RBUTTONDOWN), 0) << "the player never gets the right button";
        EXPECT_EQ(atForm.Count(WM_RBUTTONDOWN), 0);
    }
    if (c.Message == WM_LBUTTONDOWN) {
        EXPECT_EQ(atPlayer.Count(WM_LBUTTONDOWN), 1) << "other input goes on as usual";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Input,
    testing::Values(TInputCase{"TenPixelsBothWays", false, WM_MOUSEMOVE, 10, -10, false},
                    TInputCase{"ElevenRight", false, WM_MOUSEMOVE, 11, 0, true},
                    TInputCase{"ElevenUp", false, WM_MOUSEMOVE, 0, -11, true},
                    TInputCase{"ElevenLeftPastTheScreenEdge", false, WM_MOUSEMOVE, -11, 3, true},
                    TInputCase{"FarMoveWithIgnore", true, WM_MOUSEMOVE, 300, 200, false},
                    TInputCase{"KeyDown", false, WM_KEYDOWN, 0, 0, true},
                    TInputCase{"KeyUp", false, WM_KEYUP, 0, 0, true},
                    TInputCase{"SysKeyDown", false, WM_SYSKEYDOWN, 0, 0, true},
                    TInputCase{"KeyDownWithIgnore", true, WM_KEYDOWN, 0, 0, true},
                    TInputCase{"LeftButton", false, WM_LBUTTONDOWN, 0, 0, true},
                    TInputCase{"MiddleButtonWithIgnore", true, WM_MBUTTONDOWN, 0, 0, true},
                    TInputCase{"RightButton", false, WM_RBUTTONDOWN, 0, 0, true}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(ShowFormTest, RealMouseMovementThroughTheSystemCloses) {
    SetCursorPos(400, 300);
    Temp(Name("tide"));
    Start(Parts({"tide"}));
    const TScreenPoint s = StartPoint();
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_MOVE;
    in.mi.dx = 5;
    in.mi.dy = 5;
    SendInput(1, &in, sizeof in);
    PumpFor(300);
    EXPECT_TRUE(Visible()) << "a small shake of the mouse";
    in.mi.dx = 40;
    in.mi.dy = 0;
    SendInput(1, &in, sizeof in);
    EXPECT_TRUE(ClosesWithin(2000)) << "start " << s.X << "," << s.Y;
}

struct TMuteCase {
    const char* Name;
    bool Mute;
    bool Device;
};

void PrintTo(const TMuteCase& C, std::ostream* Out) { *Out << C.Name; }

class Mute : public ShowFormTest, public testing::WithParamInterface<TMuteCase> {};

TEST_P(Mute, SilencesTheWaveMapperWhilePlayingAndPutsItBack) {
    const TMuteCase& c = GetParam();
    saver::TSettingsKey key(TSaverParts{}.BuildId);
    key.Set("mute", c.Mute);
    if (c.Device) gSetup.SimulatedDevice = 0x8000C000;
    Temp(Name("tide"));
    Start(Parts({"tide"}));
    const std::vector<std::string> whilePlaying = gSetup.VolumeCalls;
    form_.reset();
    const std::vector<std::string> all = gSetup.VolumeCalls;

    if (!c.Mute) {
        EXPECT_TRUE(all.empty()) << "the volume is never touched";
        return;
    }
    if (c.Device) {
        EXPECT_EQ(whilePlaying, (std::vector<std::string>{"get 8000C000", "set 00000000"}));
        EXPECT_EQ(all, (std::vector<std::string>{"get 8000C000", "set 00000000", "set 8000C000"}));
        EXPECT_EQ(*gSetup.SimulatedDevice, 0x8000C000u);
        return;
    }
    // The system's own wave mapper: muted and restored where there is one;
    // where there is none (a display-only test machine) nothing is set.
    ASSERT_FALSE(whilePlaying.empty());
    if (whilePlaying[0] == "get: no device") {
        EXPECT_EQ(all, (std::vector<std::string>{"get: no device"}));
    } else {
        const std::string saved = whilePlaying[0].substr(4);
        EXPECT_EQ(whilePlaying, (std::vector<std::string>{"get " + saved, "set 00000000"}));
        EXPECT_EQ(all.back(), "set " + saved);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, Mute,
                         testing::Values(TMuteCase{"MuteOnASoundCard", true, true},
                                         TMuteCase{"MuteOnThisMachine", true, false},
                                         TMuteCase{"NoMuteOnASoundCard", false, true}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

// The wave output as a sound card hears it: each sample scaled by the wave
// mapper's volume (the simulated device's), left channel kept.
class TVolumeHonouringOut : public TSwfAudioOut {
public:
    explicit TVolumeHonouringOut(std::vector<int16_t>& Heard) : heard_(Heard) {}
    size_t Room() override { return 2205; }
    void Write(std::span<const int16_t> Samples) override {
        const std::uint32_t left = (gSetup.SimulatedDevice ? *gSetup.SimulatedDevice : 0xFFFFFFFFu) & 0xFFFF;
        for (size_t i = 0; i + 1 < Samples.size(); i += 2)
            heard_.push_back(static_cast<int16_t>(Samples[i] * static_cast<int64_t>(left) / 0xFFFF));
    }
    void Flush() override {}

private:
    std::vector<int16_t>& heard_;
};

class MovieSound : public ShowFormTest, public testing::WithParamInterface<bool> {};

// The lantern sample chimes as it swings: heard at full volume, silent muted.
TEST_P(MovieSound, IsHeardUnlessMuted) {
    const bool mute = GetParam();
    saver::TSettingsKey key(TSaverParts{}.BuildId);
    key.Set("mute", mute);
    gSetup.SimulatedDevice = 0xFFFFFFFF;
    std::vector<int16_t> heard;
    TShockwaveFlash::OpenAudioOut = [&heard] { return std::make_unique<TVolumeHonouringOut>(heard); };
    Temp(Name("lantern"));
    Start(Parts({"lantern"}));
    EXPECT_TRUE(PumpUntil([&] { return heard.size() > 44100; }, 5000)) << heard.size() << " samples written";
    const bool sounded = std::any_of(heard.begin(), heard.end(), [](int16_t v) { return v != 0; });
    EXPECT_EQ(sounded, !mute);
    form_.reset();
    TShockwaveFlash::OpenAudioOut = [] { return OpenWaveOut(); };
}

INSTANTIATE_TEST_SUITE_P(MutedOrNot, MovieSound, testing::Bool(),
                         [](const auto& Info) { return Info.param ? "Muted" : "Heard"; });

struct TFailureCase {
    const char* Name;
    bool WithMovies;
};

void PrintTo(const TFailureCase& C, std::ostream* Out) { *Out << C.Name; }

class Failure : public ShowFormTest, public testing::WithParamInterface<TFailureCase> {};

TEST_P(Failure, ShowsTheCursorAndAnErrorBoxAndStillClosesOnInput) {
    const TFailureCase& c = GetParam();
    TSaverParts p;
    std::string blocked, written, expected = "This screensaver contains no movies.";
    if (c.WithMovies) {
        // The second movie's place is taken by a folder: it cannot be written.
        p = Parts({"tide", "orbits"});
        written = Temp(Name("tide"));
        blocked = Temp(Name("orbits"));
        ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));
        expected = "Cannot create file " + blocked;
    }
    TBoxWatch watch;
    Start(p);
    ASSERT_TRUE(PumpUntil([&] { return watch.Seen; }, 3000)) << "no error box";
    EXPECT_EQ(watch.Box.Caption, kTitle);
    EXPECT_EQ(watch.Box.Text, expected);
    EXPECT_EQ(watch.CursorCountThen, cursorBefore_) << "the cursor is back before the box";
    EXPECT_EQ(watch.Owner, form_->Handle()) << "the box sits above the window that stays on top";
    PumpFor(200);
    ASSERT_TRUE(Visible());
    if (c.WithMovies) {
        EXPECT_TRUE(saver::Exists(written));
    }

    Post(form_->Flash()->Handle(), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_TRUE(ClosesWithin(2000));
    form_.reset();
    EXPECT_EQ(CursorCount(), cursorBefore_);
    if (c.WithMovies) {
        EXPECT_FALSE(saver::Exists(written)) << "what this run wrote is removed";
        EXPECT_TRUE(GetFileAttributesA(blocked.c_str()) & FILE_ATTRIBUTE_DIRECTORY) << "what it did not write stays";
    }
}

INSTANTIATE_TEST_SUITE_P(Table, Failure,
                         testing::Values(TFailureCase{"NoMovies", false}, TFailureCase{"UnwritableMovie", true}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

std::string Variable(const char* Name) {
    char value[256] = {};
    GetEnvironmentVariableA(Name, value, sizeof value);
    return value;
}

struct TPasswordCase {
    const char* Name;
    int Flag;             // "ScreenSaveUserPassword"
    const char* Answer;   // what the test's PASSWORD.CPL answers
    bool Asked, Closes;
};

void PrintTo(const TPasswordCase& C, std::ostream* Out) { *Out << C.Name; }

class Win9xPassword : public ShowFormTest, public testing::WithParamInterface<TPasswordCase> {};

TEST_P(Win9xPassword, DecidesTheClose) {
    const TPasswordCase& c = GetParam();
    TPasswordFlag flag(c.Flag);
    SetEnvironmentVariableA("TESSALOOM_PASSWORD_ANSWER", c.Answer);
    SetEnvironmentVariableA("TESSALOOM_PASSWORD_CALL", nullptr);
    gSetup.Win9x = true;
    SetCursorPos(200, 200);
    Temp(Name("tide"));
    Start(Parts({"tide"}));
    // The user gives up with the mouse somewhere else.
    SetCursorPos(700, 500);
    Post(form_->Flash()->Handle(), WM_KEYDOWN, 'A', 1);
    const bool closed = ClosesWithin(c.Closes ? 2000 : 600);
    EXPECT_EQ(closed, c.Closes);
    EXPECT_EQ(Variable("TESSALOOM_PASSWORD_CALL"),
              c.Asked ? "verify " + std::to_string(reinterpret_cast<UINT_PTR>(form_->Handle())) : "");
    if (!c.Closes) {
        EXPECT_EQ(CursorCount(), cursorBefore_ - 1) << "hidden again after a refusal";
        POINT now{};
        GetCursorPos(&now);
        EXPECT_EQ(StartPoint(), (TScreenPoint{now.x, now.y})) << "where the user gave up is the new reference";
        EXPECT_FALSE(form_->Playback()->Filter().InPasswordCheck);
        MoveTo({now.x + 8, now.y + 8});
        PumpFor(300);
        EXPECT_TRUE(Visible()) << "a small move from the new reference";
    }
    SetEnvironmentVariableA("TESSALOOM_PASSWORD_ANSWER", nullptr);
}

INSTANTIATE_TEST_SUITE_P(Table, Win9xPassword,
                         testing::Values(TPasswordCase{"Accepted", 1, "accept", true, true},
                                         TPasswordCase{"Refused", 1, "refuse", true, false},
                                         TPasswordCase{"NoPasswordSet", 0, "refuse", false, true}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(ShowFormTest, OnWin9xACloseAsItFirstAppearsAsksForThePassword) {
    TPasswordFlag flag(1);
    SetEnvironmentVariableA("TESSALOOM_PASSWORD_ANSWER", "refuse");
    SetEnvironmentVariableA("TESSALOOM_PASSWORD_CALL", nullptr);
    gSetup.Win9x = true;
    Temp(Name("tide"));
    gSetup.OnFirstSight = [](TTestShowForm& Form) { Form.Close(); };
    Start(Parts({"tide"}));
    EXPECT_EQ(Variable("TESSALOOM_PASSWORD_CALL"), "verify " + std::to_string(reinterpret_cast<UINT_PTR>(form_->Handle())));
    EXPECT_TRUE(Visible()) << "a refused password keeps the window";
    EXPECT_EQ(CursorCount(), cursorBefore_ - 1);
    SetEnvironmentVariableA("TESSALOOM_PASSWORD_ANSWER", nullptr);
}

}  // namespace
