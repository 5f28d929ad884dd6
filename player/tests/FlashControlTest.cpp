// The player control on a form: what it shows on screen, its playback through
// a short timeline, bad files, settings by property name and the way input
// aimed at it reaches the application's hook and the window beneath.
#include "Application.h"
#include "Form.h"
#include "FormDesc.h"
#include "Pump.h"
#include "ShockwaveFlash.h"
#include "SwfTestMovies.h"
#include "TypInfo.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

std::ostream& operator<<(std::ostream& os, const TSwfRgba& c) {
    return os << "(" << int(c.R) << "," << int(c.G) << "," << int(c.B) << ")";
}

namespace {

constexpr int T = TwipsPerPixel;
constexpr TSwfRgba White{255, 255, 255, 255};

TSwfRgba FrameColour(int Frame) {
    return {uint8_t(40 + 20 * Frame), uint8_t(200 - 15 * Frame), uint8_t(10 * Frame), 255};
}

// Frames Frames x 100 x 80 pixels; frame k is filled with FrameColour(k), so
// the screen tells which frame is up.
std::vector<uint8_t> ColourFrames(int Frames, double Rate) {
    TSwfWriter w(100, 80, Rate);
    w.SetBackground(TestBackground);
    std::vector<uint16_t> ids;
    for (int k = 0; k < Frames; ++k) {
        TSwfShapeBuilder s;
        s.Rectangle(0, 0, 100 * T, 80 * T, s.SolidFill(FrameColour(k)), 0);
        ids.push_back(w.DefineShape(s));
    }
    for (int k = 0; k < Frames; ++k) {
        if (k > 0) w.Main.Remove(1);
        w.Main.Place(1, ids[size_t(k)]);
        w.Main.ShowFrame();
    }
    return w.Finish();
}

std::string TempPath(const std::string& Name) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + "flash_control_test_" + std::to_string(GetCurrentProcessId()) + "_" + Name;
}

class TTempFile {
public:
    TTempFile(const std::string& Name, const std::vector<uint8_t>& Bytes) : path(TempPath(Name)) {
        std::ofstream f(path, std::ios::binary);
        f.write(reinterpret_cast<const char*>(Bytes.data()), std::streamsize(Bytes.size()));
    }
    ~TTempFile() { std::remove(path.c_str()); }
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;
    std::string path;
};

TSwfRgba ScreenPixel(int X, int Y) {
    HDC screen = GetDC(nullptr);
    COLORREF c = GetPixel(screen, X, Y);
    ReleaseDC(nullptr, screen);
    return {GetRValue(c), GetGValue(c), GetBValue(c), 255};
}

// Records what reaches the form beneath the player.
class TInputLog : public TObject {
public:
    std::vector<std::string> seen;
    void MouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
        seen.push_back((Button == mbRight ? "right " : "left ") + std::to_string(X) + "," + std::to_string(Y));
    }
    void KeyDown(TObject*, WORD& Key, TShiftState) { seen.push_back("key " + std::to_string(Key)); }
};

// Drops right-button presses as the programs' message hooks do, and notes
// which window each mouse press was aimed at.
class TRightClickFilter : public TObject {
public:
    std::vector<HWND> presses;
    void Hook(MSG& Msg, bool& Handled) {
        if (Msg.message == WM_LBUTTONDOWN || Msg.message == WM_RBUTTONDOWN) presses.push_back(Msg.hwnd);
        if (Msg.message == WM_RBUTTONDOWN) Handled = true;
    }
};

// A borderless form at the screen's top-left corner with the player at
// (PlayerLeft, PlayerTop), so client and screen positions are easy to relate.
class FlashControlTest : public ::testing::Test {
protected:
    static constexpr int PlayerLeft = 10, PlayerTop = 20;

    void SetUp() override {
        form = CreateOwned<TForm>();
        form->SetBorderStyle(bsNone);
        form->SetFormStyle(fsStayOnTop);
        form->SetBounds(0, 0, 420, 300);
        form->SetColor(clBlack);
        flash = Create<TShockwaveFlash>(form.get());
        flash->SetParent(form.get());
        flash->SetBounds(PlayerLeft, PlayerTop, 200, 160);
        form->Show();
        PumpFor(50);
    }
    void TearDown() override {
        Application->OnMessage = {};
        form.reset();
    }

    // Waits until the screen pixel at (X, Y) of the player is Colour.
    bool ShowsAt(int X, int Y, TSwfRgba Colour, DWORD TimeoutMs = 3000) {
        return PumpUntil([&] { return ScreenPixel(PlayerLeft + X, PlayerTop + Y) == Colour; }, TimeoutMs);
    }
    TSwfRgba At(int X, int Y) { return ScreenPixel(PlayerLeft + X, PlayerTop + Y); }

    TOwned<TForm> form;
    TShockwaveFlash* flash = nullptr;
};

TEST_F(FlashControlTest, FirstFrameOnScreen) {
    TTempFile movie("three.swf", ThreeFrameMovie());
    flash->SetMovie(movie.path);
    EXPECT_TRUE(flash->Playing());
    EXPECT_EQ(flash->TotalFrames(), 3);
    // What the builder does before taking a thumbnail from the screen.
    flash->GotoFrame(0);
    flash->Stop();
    flash->SetLoop(false);
    EXPECT_EQ(flash->CurrentFrame(), 0);
    // The 100 x 80 stage at twice its size; the rectangle covers 20..100 x 20..60.
    ASSERT_TRUE(ShowsAt(60, 40, TestRed)) << At(60, 40);
    EXPECT_EQ(At(5, 5), TestBackground);
    EXPECT_EQ(At(21, 21), TestRed);
    EXPECT_EQ(At(98, 58), TestRed);
    EXPECT_EQ(At(102, 40), TestBackground);
    EXPECT_EQ(At(150, 100), TestBackground);
    EXPECT_FALSE(flash->Playing());

    flash->GotoFrame(1);
    EXPECT_EQ(flash->CurrentFrame(), 1);
    ASSERT_TRUE(ShowsAt(140, 100, TestRed)) << At(140, 100);
    EXPECT_EQ(At(60, 40), TestBackground);
}

// A wider player than the stage: the stage is fitted to the height and
// centred, with the background colour in the margins on both sides.
TEST_F(FlashControlTest, ShowAllKeepsTheAspectRatio) {
    flash->SetBounds(PlayerLeft, PlayerTop, 400, 160);
    TTempFile movie("three.swf", ThreeFrameMovie());
    flash->SetMovie(movie.path);
    flash->Stop();
    // Stage 200 x 160 at x 100..300; the rectangle at 120..200 x 20..60.
    ASSERT_TRUE(ShowsAt(160, 40, TestRed)) << At(160, 40);
    EXPECT_EQ(At(60, 40), TestBackground);
    EXPECT_EQ(At(5, 150), TestBackground);
    EXPECT_EQ(At(395, 5), TestBackground);
    EXPECT_EQ(At(121, 21), TestRed);
    EXPECT_EQ(At(118, 40), TestBackground);
}

TEST_F(FlashControlTest, TheScreenShowsTheCurrentFrameWhilePlaying) {
    TTempFile movie("colours.swf", ColourFrames(6, 30));
    flash->SetMovie(movie.path);
    std::set<int> seen;
    int mismatches = 0;
    ASSERT_TRUE(PumpUntil([&] {
        const int frame = flash->CurrentFrame();
        seen.insert(frame);
        if (At(50, 40) != FrameColour(frame)) ++mismatches;
        return seen.size() == 6;
    }, 5000)) << "frames seen: " << seen.size();
    EXPECT_EQ(mismatches, 0);
}

TEST_F(FlashControlTest, WithoutLoopPlaybackStopsOnTheLastFrame) {
    TTempFile movie("colours.swf", ColourFrames(5, 40));
    flash->SetMovie(movie.path);
    flash->SetLoop(false);
    ASSERT_TRUE(flash->Playing());
    ASSERT_TRUE(PumpUntil([&] { return !flash->Playing(); }, 5000));
    // The runtime's poll: the last frame is on screen.
    EXPECT_EQ(flash->CurrentFrame(), flash->TotalFrames() - 1);
    EXPECT_TRUE(ShowsAt(50, 40, FrameColour(4)));
    PumpFor(150);
    EXPECT_EQ(flash->CurrentFrame(), 4);
    EXPECT_FALSE(flash->Playing());

    // Play at the end starts over: what the builder's preview loop relies on.
    flash->Play();
    EXPECT_TRUE(flash->Playing());
    EXPECT_EQ(flash->CurrentFrame(), 0);
    EXPECT_TRUE(PumpUntil([&] { return !flash->Playing(); }, 5000));
    EXPECT_EQ(flash->CurrentFrame(), 4);
}

TEST_F(FlashControlTest, WithLoopPlaybackWrapsToTheFirstFrame) {
    TTempFile movie("colours.swf", ColourFrames(4, 40));
    flash->SetMovie(movie.path);
    ASSERT_TRUE(flash->Loop());
    int last = flash->CurrentFrame(), wraps = 0;
    bool sawLast = false;
    ASSERT_TRUE(PumpUntil([&] {
        const int frame = flash->CurrentFrame();
        sawLast = sawLast || frame == 3;
        if (frame < last) ++wraps;
        last = frame;
        return wraps == 2;
    }, 5000));
    EXPECT_TRUE(sawLast);
    EXPECT_TRUE(flash->Playing());
}

TEST_F(FlashControlTest, StopHoldsTheFrameAndGotoFrameStaysInTheMovie) {
    TTempFile movie("colours.swf", ColourFrames(5, 40));
    flash->SetMovie(movie.path);
    ASSERT_TRUE(PumpUntil([&] { return flash->CurrentFrame() >= 2; }, 5000));
    flash->Stop();
    const int held = flash->CurrentFrame();
    PumpFor(200);  // eight frame intervals
    EXPECT_EQ(flash->CurrentFrame(), held);
    EXPECT_FALSE(flash->Playing());
    EXPECT_TRUE(ShowsAt(50, 40, FrameColour(held)));

    struct TCase { int To, Expected; };
    for (TCase c : {TCase{3, 3}, TCase{99, 4}, TCase{-2, 0}, TCase{1, 1}}) {
        flash->GotoFrame(c.To);
        EXPECT_EQ(flash->CurrentFrame(), c.Expected) << c.To;
        EXPECT_TRUE(ShowsAt(50, 40, FrameColour(c.Expected))) << c.To;
        EXPECT_FALSE(flash->Playing());
    }
    // A jump while playing keeps playing from there.
    flash->Play();
    flash->GotoFrame(0);
    EXPECT_TRUE(flash->Playing());
    EXPECT_TRUE(PumpUntil([&] { return flash->CurrentFrame() >= 2; }, 5000));
}

// A new movie starts from frame 0 whatever the last one did; Loop stays as set.
TEST_F(FlashControlTest, SettingAMovieStartsItOver) {
    TTempFile a("a.swf", ColourFrames(3, 40)), b("b.swf", ThreeFrameMovie());
    flash->SetLoop(false);
    flash->SetMovie(a.path);
    ASSERT_TRUE(PumpUntil([&] { return !flash->Playing(); }, 5000));
    flash->SetMovie(b.path);
    EXPECT_EQ(flash->Movie(), b.path);
    EXPECT_TRUE(flash->Playing());
    EXPECT_EQ(flash->CurrentFrame(), 0);
    EXPECT_FALSE(flash->Loop());
    EXPECT_TRUE(ShowsAt(60, 40, TestRed));
}

struct TBadFile {
    const char* Name;
    std::vector<uint8_t> Bytes;
    bool Write;
};

// Whatever the file holds, the player shows a stage, counts at least one
// frame, and without Loop reaches its last frame, so a runtime polling for the
// end moves on.
TEST_F(FlashControlTest, BadFilesShowAnEmptyStageOfAtLeastOneFrame) {
    std::vector<uint8_t> cut = ThreeFrameMovie(true);
    cut.resize(cut.size() / 2);
    std::vector<uint8_t> zws{'Z', 'W', 'S', 13, 40, 0, 0, 0, 1, 2, 3, 4, 5};
    const std::vector<TBadFile> cases{
        {"missing.swf", {}, false},
        {"empty.swf", {}, true},
        {"text.swf", {'h', 'e', 'l', 'l', 'o'}, true},
        {"lzma.swf", zws, true},
        {"cut.swf", cut, true},
    };
    for (const TBadFile& c : cases) {
        SCOPED_TRACE(c.Name);
        std::unique_ptr<TTempFile> file;
        std::string path = TempPath(c.Name);
        if (c.Write) {
            file = std::make_unique<TTempFile>(c.Name, c.Bytes);
            path = file->path;
        }
        flash->SetLoop(false);
        flash->SetMovie(path);
        EXPECT_NE(flash->MovieStatus(), TSwfStatus::Ok);
        EXPECT_GE(flash->TotalFrames(), 1);
        EXPECT_TRUE(PumpUntil([&] { return !flash->Playing(); }, 3000));
        EXPECT_EQ(flash->CurrentFrame(), flash->TotalFrames() - 1);
        if (std::string(c.Name) != "cut.swf") {
            EXPECT_EQ(flash->TotalFrames(), 1);
            EXPECT_TRUE(ShowsAt(100, 80, White)) << At(100, 80);
        }
    }
    // The control still plays a good movie afterwards.
    TTempFile good("good.swf", ThreeFrameMovie());
    flash->SetMovie(good.path);
    flash->Stop();
    EXPECT_EQ(flash->MovieStatus(), TSwfStatus::Ok);
    EXPECT_TRUE(ShowsAt(60, 40, TestRed));
}

// The whole window is drawn by each paint; erasing it first would flash the
// form's colour between frames.
TEST_F(FlashControlTest, NeverErasesItsBackground) {
    TTempFile movie("three.swf", ThreeFrameMovie());
    flash->SetMovie(movie.path);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT all{0, 0, 8, 8};
    HBRUSH sentinel = CreateSolidBrush(RGB(1, 2, 3));
    FillRect(dc, &all, sentinel);
    DeleteObject(sentinel);
    EXPECT_NE(SendMessageA(flash->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 0);
    EXPECT_EQ(GetPixel(dc, 4, 4), RGB(1, 2, 3));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

// Stored descriptions create the player by class name and set its
// properties by name.
TEST_F(FlashControlTest, CreatedAndSetByName) {
    TComponent* made = CreateComponentByClassName("TShockwaveFlash", form.get());
    auto* player = dynamic_cast<TShockwaveFlash*>(made);
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->ClassName(), "TShockwaveFlash");
    const char* settings[][2] = {
        {"WMode", "Window"}, {"Quality2", "High"}, {"Scale", "ShowAll"}, {"AllowScriptAccess", "always"}};
    for (auto [name, value] : settings) {
        SetStrProp(player, name, value);
        EXPECT_EQ(GetStrProp(player, name), value);
    }
    EXPECT_EQ(player->AllowScriptAccess(), "always");
    SetOrdProp(player, "Loop", 0);
    EXPECT_FALSE(player->Loop());
    TTempFile movie("three.swf", ThreeFrameMovie());
    SetStrProp(player, "Movie", movie.path);
    EXPECT_EQ(GetOrdProp(player, "TotalFrames"), 3);
    EXPECT_EQ(GetOrdProp(player, "Playing"), 1);
    EXPECT_FALSE(GetPropInfo(player, "TotalFrames").Info->Writable());
}

// Every property that the programs' stored forms set on their player is
// published and takes the stored value.
TEST_F(FlashControlTest, TakesTheSettingsOfTheProgramsForms) {
    struct TCase { const char* File; const char* Name; };
    for (TCase c : {TCase{"runtime/ShowForm.form", "Flash"}, TCase{"builder/MainForm.form", "ShockwaveFlash"}}) {
        SCOPED_TRACE(c.File);
        std::ifstream in(std::string(TESSALOOM_SOURCE_DIR) + "/" + c.File, std::ios::binary);
        ASSERT_TRUE(in) << "cannot read the form";
        std::ostringstream text;
        text << in.rdbuf();
        const TFormDescription d = ParseFormDescription(text.str(), c.File);
        const TFormObject* stored = d.FindObject(c.Name);
        ASSERT_NE(stored, nullptr);
        ASSERT_EQ(stored->ClassName, "TShockwaveFlash");
        auto* player = dynamic_cast<TShockwaveFlash*>(CreateComponentByClassName(stored->ClassName, form.get()));
        ASSERT_NE(player, nullptr);
        player->SetParent(form.get());
        for (const TFormProperty& p : stored->Properties) {
            const TFormValue& v = p.Value;
            ASSERT_TRUE(v.Kind == TFormValueKind::Integer || v.Kind == TFormValueKind::String ||
                        v.Kind == TFormValueKind::Identifier) << p.Name;
            SetPropText(player, p.Name, v.Kind == TFormValueKind::Integer ? std::to_string(v.Integer) : v.Text);
        }
        EXPECT_EQ(player->WMode(), "Window");
        EXPECT_EQ(player->Quality2(), "High");
        EXPECT_EQ(player->Scale(), "ShowAll");
        player->Free();
    }
}

// The mouse goes through the player to the form beneath, and the
// application's hook sees every press first and may drop it.
TEST_F(FlashControlTest, InputReachesTheHookThenTheWindowBeneath) {
    TTempFile movie("three.swf", ThreeFrameMovie());
    flash->SetMovie(movie.path);
    TInputLog log;
    form->OnMouseDown = TMouseEvent::Bind<&TInputLog::MouseDown>(&log);
    form->OnKeyDown = TKeyEvent::Bind<&TInputLog::KeyDown>(&log);
    TRightClickFilter filter;
    Application->OnMessage = TMessageEvent::Bind<&TRightClickFilter::Hook>(&filter);

    // Messages aimed straight at the player's window go on to the form, in
    // the form's coordinates.
    HWND player = flash->Handle();
    PostMessageA(player, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 7));
    PostMessageA(player, WM_LBUTTONUP, 0, MAKELPARAM(5, 7));
    PostMessageA(player, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 7));
    PostMessageA(player, WM_RBUTTONUP, 0, MAKELPARAM(5, 7));
    PostMessageA(player, WM_KEYDOWN, VK_F7, 0);
    ASSERT_TRUE(PumpUntil([&] { return log.seen.size() >= 2; }, 3000));
    PumpFor(50);
    EXPECT_EQ(log.seen, (std::vector<std::string>{"left 15,27", "key " + std::to_string(VK_F7)}));
    EXPECT_EQ(filter.presses, (std::vector<HWND>{player, player}));

    // A real click on the player lands on the form.
    log.seen.clear();
    filter.presses.clear();
    SetForegroundWindow(form->Handle());
    SetCursorPos(PlayerLeft + 50, PlayerTop + 60);
    INPUT in[4]{};
    for (INPUT& i : in) i.type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    in[2].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[3].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(SendInput(4, in, sizeof(INPUT)), 4u);
    ASSERT_TRUE(PumpUntil([&] { return !log.seen.empty(); }, 3000));
    PumpFor(50);
    EXPECT_EQ(log.seen, (std::vector<std::string>{"left 60,80"}));
    ASSERT_EQ(filter.presses.size(), 2u);
    EXPECT_EQ(filter.presses[0], form->Handle());
}

}  // namespace
