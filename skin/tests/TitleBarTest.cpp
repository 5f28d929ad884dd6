// The title bar on real windows: what it paints where (read back from the
// screen), what the mouse does to its form, its system menu, the heights and
// values each style gives, and its two refusals.
#include "FormTextHex.h"
#include "SkinPixels.h"
#include "TestBitmaps.h"
#include "SkinPublic.h"
#include "TestSkinControls.h"
#include "TitleBar.h"
#include "TitleBarLayout.h"
#include "TitleBarPopupMenu.h"
#include "ThemeFileWriter.h"

#include "Application.h"
#include "DialogAnswerer.h"
#include "Form.h"
#include "FormReader.h"
#include "GraphicsHandles.h"
#include "MenuDriver.h"
#include "Pump.h"
#include "SysUtils.h"
#include "UserInput.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int FormWidth = 320;
constexpr int FormHeight = 160;
constexpr int FormLeft = 80;
constexpr int FormTop = 80;
constexpr int HookAnswer = 77;

enum ButtonIndex { ControlBoxIndex = 0, CloseIndex = 1, MaxIndex = 2, MinIndex = 3 };

// ---- the user's mouse, in bar coordinates

void MoveTo(HWND Window, int X, int Y, WPARAM Keys = 0) {
    POINT p{X, Y};
    ClientToScreen(Window, &p);
    SetCursorPos(p.x, p.y);
    PostMessageA(Window, WM_MOUSEMOVE, Keys, MAKELPARAM(X, Y));
    PumpFor(40);
}

void Press(HWND Window, int X, int Y) {
    MoveTo(Window, X, Y);
    PostMessageA(Window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
    PumpFor(40);
}

void Release(HWND Window, int X, int Y) {
    MoveTo(Window, X, Y, MK_LBUTTON);
    PostMessageA(Window, WM_LBUTTONUP, 0, MAKELPARAM(X, Y));
    PumpFor(40);
}

void Click(HWND Window, int X, int Y, bool Double = false) {
    MoveTo(Window, X, Y);
    ClickAt(Window, X, Y, Double);
}

void MouseAway() {
    SetCursorPos(2, 2);
    PumpFor(20);
}

// ---- pixels

// What the window shows, read back from the screen.
void Capture(TWinControl* Control, TBitmap& Shot) {
    Control->Repaint();
    PumpFor(20);
    Shot.SetSize(Control->Width(), Control->Height());
    TWindowDC dc(Control->Handle());
    BitBlt(Shot.Canvas()->Handle(), 0, 0, Control->Width(), Control->Height(), dc.Get(), 0, 0, SRCCOPY);
}

// How many pixels of the Picture-sized block at (X, Y) of Shot differ from Picture.
int BlockDifference(TBitmap& Shot, int X, int Y, TPicture* Picture) {
    TBitmap* picture = Picture->Bitmap();
    int differ = 0;
    for (int y = 0; y < picture->Height(); ++y)
        for (int x = 0; x < picture->Width(); ++x) {
            if (X + x < 0 || Y + y < 0 || X + x >= Shot.Width() || Y + y >= Shot.Height()) {
                ++differ;
                continue;
            }
            if ((PixelAt(Shot, X + x, Y + y) & 0xFFFFFF) != (picture->ScanLine(y)[x] & 0xFFFFFF)) ++differ;
        }
    return differ;
}

// Pixels that differ between two captures inside columns [Left, Right).
int ColumnsDifference(TBitmap& A, TBitmap& B, int Left, int Right) {
    int differ = 0;
    for (int y = 0; y < A.Height(); ++y)
        for (int x = Left; x < Right; ++x)
            if ((PixelAt(A, x, y) & 0xFFFFFF) != (PixelAt(B, x, y) & 0xFFFFFF)) ++differ;
    return differ;
}

bool SamePicture(TPicture* A, TPicture* B) {
    TBitmap *a = A->Bitmap(), *b = B->Bitmap();
    if (a->Width() != b->Width() || a->Height() != b->Height()) return false;
    for (int y = 0; y < a->Height(); ++y)
        for (int x = 0; x < a->Width(); ++x)
            if ((a->ScanLine(y)[x] & 0xFFFFFF) != (b->ScanLine(y)[x] & 0xFFFFFF)) return false;
    return true;
}

// ---- a form with a bar

class TitleBarForm : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterClass<TskTestFormFrame>();
        MouseAway();
        form = CreateOwned<TForm>();
        form->SetBorderStyle(bsNone);
        form->SetColor(0x00404040);
        form->SetBounds(FormLeft, FormTop, FormWidth, FormHeight);
        saved = form->WindowProc;
        form->WindowProc = TWndMethod::Bind<&TitleBarForm::FormHook>(this);
    }
    void TearDown() override {
        if (form) form->WindowProc = saved;
    }

    // In a frame: a registered stand-in for the form frame fills the form.
    void MaximiseAndRestore(bool InFrame);

    TskTitleBar* MakeBar(TskUIStyle Style, bool InFrame = true) {
        TWinControl* parent = form.get();
        if (InFrame) {
            frame = Create<TskTestFormFrame>(form.get());
            frame->SetParent(form.get());
            frame->SetAlign(alClient);
            parent = frame;
        }
        bar = Create<TskTitleBar>(form.get());
        bar->SetParent(parent);
        bar->SetUIStyle(Style);
        form->Show();
        PumpFor(60);
        return bar;
    }

    HWND BarWindow() { return bar->Handle(); }
    TskTitleBarButton* Button(int Index) { return bar->Buttons()->Items(Index); }
    int W() { return bar->Width(); }
    // The middle of a row button in the WinXP layout (close W - 23, max W - 45, min W - 67).
    TPoint Middle(int Index) {
        const int left = Index == CloseIndex ? W() - 23 : Index == MaxIndex ? W() - 45 : W() - 67;
        return {left + 10, bar->ButtonTop() + 10};
    }
    TPoint Blank() { return {W() / 2, 8}; }

    // Records what reaches the form from the bar and keeps the system's move
    // loop out of the test (it would wait for a real mouse).
    void FormHook(TMessage& Message) {
        if (Message.Msg == WM_NCLBUTTONDOWN || Message.Msg == WM_NCMOUSEMOVE || Message.Msg == WM_NCLBUTTONUP) {
            seen.push_back({Message.Msg, Message.WParam, Message.LParam});
            Message.Result = HookAnswer;
            return;
        }
        if (Message.Msg == WM_WINDOWPOSCHANGING) {
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
            if (!(pos->flags & SWP_NOSIZE)) sizesAsked.push_back({pos->cx, pos->cy});
        }
        saved(Message);
    }

    struct TSeen {
        UINT Msg;
        WPARAM WParam;
        LPARAM LParam;
    };
    std::vector<TSeen> seen;
    std::vector<TPoint> sizesAsked;  // by the form's window moves
    TOwned<TForm> form;
    TWndMethod saved;
    TskTestFormFrame* frame = nullptr;
    TskTitleBar* bar = nullptr;
};

// ---- layout

TEST_F(TitleBarForm, WinXPInAFrameDrawsItsButtonsWhereTheLayoutSays) {
    MakeBar(TskUIStyle::WinXP);
    EXPECT_EQ(bar->Height(), 26);
    EXPECT_EQ(bar->ButtonTop(), 2);
    EXPECT_EQ(W(), FormWidth);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Button(i)->PicNormal()->Width(), 21) << i;
        EXPECT_EQ(Button(i)->PicNormal()->Height(), 21) << i;
    }
    TBitmap shot;
    Capture(bar, shot);
    EXPECT_EQ(BlockDifference(shot, W() - 23, 2, Button(CloseIndex)->PicNormal()), 0);
    EXPECT_EQ(BlockDifference(shot, W() - 45, 2, Button(MaxIndex)->PicNormal()), 0);
    EXPECT_EQ(BlockDifference(shot, W() - 67, 2, Button(MinIndex)->PicNormal()), 0);
    EXPECT_EQ(BlockDifference(shot, 2, 2, Button(ControlBoxIndex)->PicNormal()), 0);
    // The caption's end pictures start three pixels up and left (right): the
    // frame's border shows those rows. Columns 0 and 1 and the last are free of buttons.
    TBitmap* left = bar->Sections()->Items(0)->Picture()->Bitmap();
    TBitmap* right = bar->Sections()->Items(1)->Picture()->Bitmap();
    ASSERT_GE(left->Width(), 5);
    ASSERT_GE(right->Width(), 4);
    int differ = 0;
    for (int y = 0; y < bar->Height(); ++y) {
        for (int x : {0, 1})
            if ((PixelAt(shot, x, y) & 0xFFFFFF) != (left->ScanLine(y + 3)[x + 3] & 0xFFFFFF)) ++differ;
        if ((PixelAt(shot, W() - 1, y) & 0xFFFFFF) != (right->ScanLine(y + 3)[right->Width() - 4] & 0xFFFFFF)) ++differ;
    }
    EXPECT_EQ(differ, 0);
    // The pictures differ from each other, so the places above are told apart.
    EXPECT_FALSE(SamePicture(Button(CloseIndex)->PicNormal(), Button(MaxIndex)->PicNormal()));
    EXPECT_FALSE(SamePicture(Button(MinIndex)->PicNormal(), Button(MaxIndex)->PicNormal()));

    // Hiding maximise moves minimise next to close.
    Button(MaxIndex)->SetVisible(false);
    Capture(bar, shot);
    EXPECT_EQ(BlockDifference(shot, W() - 23, 2, Button(CloseIndex)->PicNormal()), 0);
    EXPECT_EQ(BlockDifference(shot, W() - 45, 2, Button(MinIndex)->PicNormal()), 0);
}

TEST_F(TitleBarForm, CaptionAndIconStartWhereTheLeftItemsEnd) {
    MakeBar(TskUIStyle::WinXP);
    const std::string text = "Tessaloom";
    struct {
        const char* name;
        bool drawAppIcon;
        bool controlBox;
        int leftOffset;
        int captionX;
    } const cases[] = {
        {"application icon", true, true, -1, 23},
        {"control-box picture", false, true, -1, 28},
        {"no control box, no offset", false, false, 0, 6},
    };
    for (const auto& c : cases) {
        bar->SetDrawAppIcon(c.drawAppIcon);
        Button(ControlBoxIndex)->SetVisible(c.controlBox);
        if (c.leftOffset >= 0) bar->SetLeftBtnXOffset(c.leftOffset);
        bar->SetCaption("");
        TBitmap bare, shot;
        Capture(bar, bare);
        bar->SetCaption(text);
        Capture(bar, shot);
        ASSERT_GT(ColumnsDifference(bare, shot, 0, W()), 0) << c.name << ": no caption drawn";
        // The same text drawn by hand where it belongs must give the same pixels.
        TCanvas* canvas = bare.Canvas();
        canvas->SetFont(bar->Font());
        canvas->Brush()->SetStyle(bsClear);
        const int height = canvas->TextHeight(text);
        const int y = 2 + (21 - height) / 2;
        canvas->TextOut(c.captionX, y, text);
        EXPECT_EQ(ColumnsDifference(bare, shot, 0, W()), 0) << c.name << " text height " << height;
    }

    // The icon: a 16 x 16 copy of the application's icon at (5, 2).
    bar->SetCaption("");
    bar->SetLeftBtnXOffset(2);
    bar->SetDrawAppIcon(true);
    Button(ControlBoxIndex)->SetVisible(true);
    TBitmap withIcon, reference;
    Capture(bar, withIcon);
    Button(ControlBoxIndex)->SetVisible(false);
    Capture(bar, reference);
    EXPECT_GT(ColumnsDifference(withIcon, reference, 5, 21), 0);
    HICON icon = static_cast<HICON>(CopyImage(Application->Icon()->Handle(), IMAGE_ICON, 16, 16, LR_COPYFROMRESOURCE));
    ASSERT_NE(icon, nullptr);
    DrawIconEx(reference.Canvas()->Handle(), 5, 2, icon, 16, 16, 0, nullptr, DI_NORMAL);
    DestroyIcon(icon);
    EXPECT_EQ(ColumnsDifference(withIcon, reference, 0, 40), 0);
}

TEST_F(TitleBarForm, LongCaptionEndsInDotsAndANarrowBarClipsTheDots) {
    MakeBar(TskUIStyle::WinXP);
    const std::string text = "A caption far too long for the room that this title bar leaves it";
    bar->SetCaption("");
    TBitmap bare, shot;
    Capture(bar, bare);
    bar->SetCaption(text);
    Capture(bar, shot);
    TCanvas* canvas = bare.Canvas();
    canvas->SetFont(bar->Font());
    canvas->Brush()->SetStyle(bsClear);
    const int space = (W() - 67) - 28;
    ASSERT_GT(canvas->TextWidth(text), space);
    // The longest start of the caption that fits with the dots.
    std::string expected;
    for (size_t n = text.size(); n > 0; --n) {
        if (canvas->TextWidth(text.substr(0, n) + "...") <= space) {
            expected = text.substr(0, n) + "...";
            break;
        }
    }
    ASSERT_FALSE(expected.empty());
    canvas->TextOut(28, 2 + (21 - canvas->TextHeight(expected)) / 2, expected);
    EXPECT_EQ(ColumnsDifference(bare, shot, 0, W()), 0) << expected;
    // Nothing spills onto the buttons.
    EXPECT_EQ(BlockDifference(shot, W() - 67, 2, Button(MinIndex)->PicNormal()), 0);

    // A bar narrower than "...": the dots are clipped to the room, the paint ends.
    auto* holder = Create<TPanel>(form.get());
    holder->SetParent(frame);
    holder->SetBevelOuter(bvNone);
    holder->SetBounds(0, 40, 9, 40);
    bar->SetParent(holder);
    bar->SetUIStyle(TskUIStyle::WinXP);  // out of the frame: full-height pictures
    for (int i = 0; i < 4; ++i) Button(i)->SetVisible(false);
    ASSERT_EQ(bar->Width(), 9);
    bar->SetCaption("");
    Capture(bar, bare);
    bar->SetCaption(text);
    Capture(bar, shot);
    ASSERT_GT(ColumnsDifference(bare, shot, 0, 9), 0) << "the clipped dots are drawn";
    canvas = bare.Canvas();
    canvas->SetFont(bar->Font());
    canvas->Brush()->SetStyle(bsClear);
    ASSERT_GT(canvas->TextWidth("..."), 9 + 1 - 2 - 2);
    const int saved = canvas->SaveDC();
    canvas->IntersectClipRect({2, 0, 8, bar->Height()});
    canvas->TextOut(2, 5 + (21 - canvas->TextHeight("...")) / 2, "...");
    canvas->RestoreDC(saved);
    EXPECT_EQ(ColumnsDifference(bare, shot, 0, 9), 0);
}

// ---- hover and press

TEST_F(TitleBarForm, HoveredAndPressedButtonsShowTheirPictures) {
    MakeBar(TskUIStyle::WinXP);
    ASSERT_FALSE(SamePicture(Button(CloseIndex)->PicNormal(), Button(CloseIndex)->PicMouseOn()));
    ASSERT_FALSE(SamePicture(Button(CloseIndex)->PicMouseOn(), Button(CloseIndex)->PicMouseDown()));
    ASSERT_FALSE(SamePicture(Button(CloseIndex)->PicNormal(), Button(CloseIndex)->PicMouseDown()));
    const TPoint close = Middle(CloseIndex);
    TBitmap shot;

    MoveTo(BarWindow(), close.X, close.Y);
    Capture(bar, shot);
    EXPECT_EQ(bar->HotButtonIndex(), CloseIndex);
    EXPECT_EQ(BlockDifference(shot, W() - 23, 2, Button(CloseIndex)->PicMouseOn()), 0);
    EXPECT_EQ(BlockDifference(shot, W() - 45, 2, Button(MaxIndex)->PicNormal()), 0);

    Press(BarWindow(), close.X, close.Y);
    Capture(bar, shot);
    EXPECT_TRUE(bar->MousePressed());
    EXPECT_EQ(BlockDifference(shot, W() - 23, 2, Button(CloseIndex)->PicMouseDown()), 0);

    // Sliding off while pressed: the button is plain again, the one under the mouse lights.
    const TPoint max = Middle(MaxIndex);
    MoveTo(BarWindow(), max.X, max.Y, MK_LBUTTON);
    Capture(bar, shot);
    EXPECT_EQ(BlockDifference(shot, W() - 23, 2, Button(CloseIndex)->PicNormal()), 0);
    EXPECT_EQ(BlockDifference(shot, W() - 45, 2, Button(MaxIndex)->PicMouseDown()), 0);

    const TPoint blank = Blank();
    Release(BarWindow(), blank.X, blank.Y);
    EXPECT_FALSE(bar->MousePressed());
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(form->WindowState(), wsNormal);
}

// ---- clicks

TEST_F(TitleBarForm, TheButtonUnderTheMouseAtReleaseRuns) {
    enum Effect { Nothing, Closed, Maximized, Minimized };
    const struct {
        const char* name;
        int press;    // button index, -1 for the blank caption
        int release;  // likewise
        Effect effect;
    } cases[] = {
        {"close", CloseIndex, CloseIndex, Closed},
        {"minimise", MinIndex, MinIndex, Minimized},
        {"press minimise, release on close", MinIndex, CloseIndex, Closed},
        {"press close, release on maximise", CloseIndex, MaxIndex, Maximized},
        {"press close, release on the caption", CloseIndex, -1, Nothing},
        {"press maximise, release right of the row", MaxIndex, -2, Nothing},
    };
    for (const auto& c : cases) {
        SetUp();
        MakeBar(TskUIStyle::WinXP);
        auto at = [&](int Index) {
            if (Index == -1) return Blank();
            if (Index == -2) return TPoint{W() - 1, 10};
            return Middle(Index);
        };
        const TPoint down = at(c.press), up = at(c.release);
        Press(BarWindow(), down.X, down.Y);
        Release(BarWindow(), up.X, up.Y);
        PumpFor(60);
        const Effect got = !form->Visible()                            ? Closed
                           : form->WindowState() == wsMaximized ? Maximized
                           : form->WindowState() == wsMinimized ? Minimized
                                                                : Nothing;
        EXPECT_EQ(got, c.effect) << c.name;
        EXPECT_TRUE(seen.empty()) << c.name << ": a press on a button never drags";
        TearDown();
        form.reset();
        seen.clear();
    }
}

TEST_F(TitleBarForm, CustomAndHelpButtonsFireTheirEventsWithTheirIndex) {
    MakeBar(TskUIStyle::WinXP);
    TskTitleBarButton* help = bar->Buttons()->Add();
    help->SetButtonType(TskTitleBarBtnType::skHelp);
    TskTitleBarButton* custom = bar->Buttons()->Add();
    custom->SetButtonType(TskTitleBarBtnType::skCustom);
    custom->SetPicNormal(Button(MinIndex)->PicNormal());  // custom buttons get no theme pictures
    struct TRecorder {
        std::vector<std::string> calls;
        void Help(TObject*, int Index) { calls.push_back("help " + std::to_string(Index)); }
        void Custom(TObject*, int Index) { calls.push_back("custom " + std::to_string(Index)); }
    } recorder;
    bar->OnHelpBtnClick = TskTitleBarButtonClickEvent::Bind<&TRecorder::Help>(&recorder);
    bar->OnCustomBtnsClick = TskTitleBarButtonClickEvent::Bind<&TRecorder::Custom>(&recorder);
    // Row from the right: close, max, min, help, custom.
    Click(BarWindow(), W() - 89 + 10, 12);
    Click(BarWindow(), W() - 111 + 10, 12);
    EXPECT_EQ(recorder.calls, (std::vector<std::string>{"help 4", "custom 5"}));
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(form->WindowState(), wsNormal);
}

TEST_F(TitleBarForm, DoubleClicks) {
    enum Effect { Nothing, Closed, Maximized };
    const struct {
        const char* name;
        int at;  // button index, -1 for the blank caption
        bool startMaximized;
        bool secondMax;
        bool appIcon;
        Effect effect;
    } cases[] = {
        {"caption maximises", -1, false, false, false, Maximized},
        {"caption restores", -1, true, false, false, Nothing},
        {"only the first maximise button runs", -1, false, true, false, Maximized},
        {"minimise button does nothing more", MinIndex, false, false, false, Nothing},
        {"control box closes", ControlBoxIndex, false, false, false, Closed},
        {"icon closes", ControlBoxIndex, false, false, true, Closed},
    };
    for (const auto& c : cases) {
        SetUp();
        MakeBar(TskUIStyle::WinXP);
        bar->SetDrawAppIcon(c.appIcon);
        if (c.secondMax) bar->Buttons()->Add()->SetButtonType(TskTitleBarBtnType::skMax);
        if (c.startMaximized) {
            form->SetWindowState(wsMaximized);
            PumpFor(60);
        }
        TPoint p = c.at == -1 ? Blank() : c.at == ControlBoxIndex ? TPoint{10, 10} : Middle(c.at);
        if (c.at == MinIndex) {
            // Minimising would hide the outcome; the double click itself must add nothing.
            bar->Buttons()->Items(MinIndex)->SetButtonType(TskTitleBarBtnType::skCustom);
        }
        if (c.at == ControlBoxIndex) {
            // The first click of the pair opens the system menu; the user's
            // second click comes once it is gone.
            {
                TMenuDriver escape({VK_ESCAPE});
                Click(BarWindow(), p.X, p.Y);
                EXPECT_TRUE(escape.Found()) << c.name;
            }
            MoveTo(BarWindow(), p.X, p.Y);
            TMenuDriver escapeAgain({VK_ESCAPE});
            PostMessageA(BarWindow(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.X, p.Y));
            PostMessageA(BarWindow(), WM_LBUTTONUP, 0, MAKELPARAM(p.X, p.Y));
            PumpFor(150);
            escapeAgain.Found();
        } else {
            Click(BarWindow(), p.X, p.Y, true);
        }
        PumpFor(60);
        const Effect got = !form->Visible() ? Closed : form->WindowState() == wsMaximized ? Maximized : Nothing;
        EXPECT_EQ(got, c.effect) << c.name;
        TearDown();
        form.reset();
        seen.clear();
    }
}

TEST_F(TitleBarForm, ThePressOnTheCaptionHandsTheDragToTheSystem) {
    const struct {
        const char* name;
        int at;  // -1 blank
        bool maximized;
        bool sent;
    } cases[] = {
        {"blank caption of a normal form", -1, false, true},
        {"blank caption of a maximised form", -1, true, false},
        {"close button", CloseIndex, false, false},
        {"maximise button", MaxIndex, false, false},
    };
    for (const auto& c : cases) {
        SetUp();
        MakeBar(TskUIStyle::WinXP);
        if (c.maximized) {
            form->SetWindowState(wsMaximized);
            PumpFor(60);
        }
        const TPoint p = c.at == -1 ? Blank() : Middle(c.at);
        Press(BarWindow(), p.X, p.Y);
        ASSERT_EQ(seen.size(), c.sent ? 1u : 0u) << c.name;
        if (c.sent) {
            EXPECT_EQ(seen[0].Msg, static_cast<UINT>(WM_NCLBUTTONDOWN)) << c.name;
            EXPECT_EQ(seen[0].WParam, static_cast<WPARAM>(HTCAPTION)) << c.name;
            EXPECT_EQ(seen[0].LParam, 0) << c.name;
            EXPECT_FALSE(bar->MousePressed()) << c.name;
            EXPECT_NE(GetCapture(), BarWindow()) << c.name;
        } else {
            EXPECT_TRUE(bar->MousePressed()) << c.name;
        }
        // Let go over nothing.
        Release(BarWindow(), W() / 2, 8);
        TearDown();
        form.reset();
        seen.clear();
    }
}

TEST_F(TitleBarForm, NonClientMouseMessagesGoOnToTheForm) {
    MakeBar(TskUIStyle::WinXP);
    for (UINT msg : {WM_NCMOUSEMOVE, WM_NCLBUTTONDOWN, WM_NCLBUTTONUP}) {
        seen.clear();
        const LRESULT r = SendMessageA(BarWindow(), msg, HTCAPTION, MAKELPARAM(123, 45));
        EXPECT_EQ(r, HookAnswer) << msg;
        ASSERT_EQ(seen.size(), 1u) << msg;
        EXPECT_EQ(seen[0].Msg, msg);
        EXPECT_EQ(seen[0].WParam, static_cast<WPARAM>(HTCAPTION));
        EXPECT_EQ(seen[0].LParam, MAKELPARAM(123, 45));
    }
    EXPECT_TRUE(GetClassLongPtrA(BarWindow(), GCL_STYLE) & CS_DBLCLKS);
}

// A real drag through the system's input: the press on the caption hands
// over to the system's move loop, which follows the pointer until release.
TEST(TitleBarDrag, DraggingTheCaptionMovesTheForm) {
    auto form = CreateOwned<TForm>();
    form->SetBorderStyle(bsNone);
    form->SetBounds(200, 200, 320, 120);
    auto* bar = Create<TskTitleBar>(form.get());
    bar->SetParent(form.get());
    bar->SetUIStyle(TskUIStyle::WinXP);
    form->Show();
    SetForegroundWindow(form->Handle());
    PumpFor(200);
    const TPoint start = bar->ClientToScreen(TPoint{150, 10});
    SetCursorPos(start.X, start.Y);
    PumpFor(100);
    auto send = [](DWORD Flags, int DX, int DY) {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = Flags;
        in.mi.dx = DX;
        in.mi.dy = DY;
        SendInput(1, &in, sizeof in);
    };
    // The moves and the release come from another thread while this one sits in the move loop.
    std::thread user([&] {
        Sleep(300);
        for (int i = 0; i < 10; ++i) {
            SetCursorPos(start.X + 6 * (i + 1), start.Y + 4 * (i + 1));
            send(MOUSEEVENTF_MOVE, 0, 0);
            Sleep(40);
        }
        Sleep(100);
        send(MOUSEEVENTF_LEFTUP, 0, 0);
    });
    send(MOUSEEVENTF_LEFTDOWN, 0, 0);
    PumpFor(1500);
    user.join();
    PumpFor(200);
    RECT r;
    GetWindowRect(form->Handle(), &r);
    EXPECT_EQ(r.left, 260);
    EXPECT_EQ(r.top, 240);
}

// ---- system menu

TEST_F(TitleBarForm, SystemMenuOffersWhatTheVisibleButtonsOffer) {
    const struct {
        bool min, max, close;
    } cases[] = {{true, true, true}, {false, true, true}, {true, false, false}, {false, false, true}};
    for (const auto& c : cases) {
        SetUp();
        MakeBar(TskUIStyle::WinXP);
        Button(MinIndex)->SetVisible(c.min);
        Button(MaxIndex)->SetVisible(c.max);
        Button(CloseIndex)->SetVisible(c.close);
        TskTitleBarPopupMenu* menu = bar->SystemMenu();
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(menu->Items()->Count(), 4);
        EXPECT_EQ(menu->Items()->Items(0)->Caption(), "Mi&nimize");
        EXPECT_EQ(menu->Items()->Items(1)->Caption(), "Ma&ximize/Restore");
        EXPECT_TRUE(menu->Items()->Items(2)->IsLine());
        EXPECT_EQ(menu->Items()->Items(3)->Caption(), "&Close");
        EXPECT_EQ(menu->AutoHotkeys(), maManual);
        RECT shown{};
        {
            TMenuDriver escape({VK_ESCAPE});
            Click(BarWindow(), 10, 10);
            ASSERT_TRUE(escape.Found());
            shown = escape.Shown();
        }
        const TPoint below = bar->ClientToScreen(TPoint{0, bar->Height()});
        EXPECT_EQ(shown.left, below.X);
        EXPECT_EQ(shown.top, below.Y);
        EXPECT_EQ(menu->Items()->Items(0)->Enabled(), c.min);
        EXPECT_EQ(menu->Items()->Items(1)->Enabled(), c.max);
        EXPECT_EQ(menu->Items()->Items(3)->Enabled(), c.close);
        TearDown();
        form.reset();
    }
}

TEST_F(TitleBarForm, SystemMenuItemsActOnTheForm) {
    const struct {
        int item;
        TWindowState state;
        bool visible;
    } cases[] = {{0, wsMinimized, true}, {1, wsMaximized, true}, {3, wsNormal, false}};
    for (const auto& c : cases) {
        SetUp();
        MakeBar(TskUIStyle::WinXP);
        {
            TMenuDriver choose(nullptr, bar->SystemMenu()->Items()->Items(c.item)->Command());
            Click(BarWindow(), 10, 10);
            EXPECT_TRUE(choose.Found());
        }
        PumpFor(100);
        EXPECT_EQ(form->Visible(), c.visible) << c.item;
        if (c.visible) {
            EXPECT_EQ(form->WindowState(), c.state) << c.item;
        }
        TearDown();
        form.reset();
    }
}

TEST_F(TitleBarForm, AControlBoxMenuReplacesTheSystemMenuUntilItIsFreed) {
    MakeBar(TskUIStyle::WinXP);
    auto* own = Create<TPopupMenu>(form.get());
    auto* item = Create<TMenuItem>(own);
    item->SetCaption("Own item");
    own->Items()->Add(item);
    struct TRecorder {
        int clicks = 0;
        void Click(TObject*) { ++clicks; }
    } recorder;
    item->OnClick = TNotifyEvent::Bind<&TRecorder::Click>(&recorder);
    Button(ControlBoxIndex)->SetControlBoxMenu(own);
    {
        TMenuDriver choose(nullptr, item->Command());
        Click(BarWindow(), 10, 10);
        ASSERT_TRUE(choose.Found());
    }
    PumpFor(100);
    EXPECT_EQ(recorder.clicks, 1);

    // Freed, the menu is forgotten and the system menu comes back.
    own->Free();
    EXPECT_EQ(Button(ControlBoxIndex)->ControlBoxMenu(), nullptr);
    {
        TMenuDriver choose(nullptr, bar->SystemMenu()->Items()->Items(1)->Command());
        Click(BarWindow(), 10, 10);
        ASSERT_TRUE(choose.Found());
    }
    PumpFor(100);
    EXPECT_EQ(form->WindowState(), wsMaximized);
}

TEST_F(TitleBarForm, AnInactiveFormsCaptionIsInTheInactiveCaptionColour) {
    MakeBar(TskUIStyle::WinXP);
    bar->SetCaption("WWWWWWWW");
    auto captionColours = [&](std::uint32_t Colour) {
        TBitmap shot;
        Capture(bar, shot);
        int count = 0;
        for (int y = 0; y < bar->Height(); ++y)
            for (int x = 28; x < W() - 67; ++x)
                if ((PixelAt(shot, x, y) & 0xFFFFFF) == Colour) ++count;
        return count;
    };
    const COLORREF inactive = GetSysColor(COLOR_INACTIVECAPTION);
    const std::uint32_t inactivePixel = (GetRValue(inactive) << 16) | (GetGValue(inactive) << 8) | GetBValue(inactive);
    EXPECT_GT(captionColours(0xFFFFFF), 20);
    bar->SetFormActive(false);
    EXPECT_EQ(captionColours(0xFFFFFF), 0);
    EXPECT_GT(captionColours(inactivePixel), 20);
    EXPECT_EQ(bar->Font()->Color(), clWhite);  // only the painting changes
}

TEST_F(TitleBarForm, TheFrameReadsTheSectionPictures) {
    MakeBar(TskUIStyle::WinXP);
    EXPECT_TRUE(bar->HasThreeSectionPictures());
    TBitmap* left = nullptr;
    TBitmap* right = nullptr;
    TBitmap* client = nullptr;
    bar->LeftSectionGraphic(left);
    bar->RightSectionGraphic(right);
    bar->ClientSectionGraphic(client);
    EXPECT_EQ(left, bar->Sections()->Items(0)->Picture()->Graphic());
    EXPECT_EQ(right, bar->Sections()->Items(1)->Picture()->Graphic());
    EXPECT_EQ(client, bar->Sections()->Items(2)->Picture()->Graphic());
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(left->Height(), 29);

    // A missing section leaves the caller's variable alone.
    bar->Sections()->Delete(2);
    EXPECT_FALSE(bar->HasThreeSectionPictures());
    TBitmap* untouched = left;
    bar->ClientSectionGraphic(untouched);
    EXPECT_EQ(untouched, left);
}

TEST_F(TitleBarForm, RepaintsHoldNoGraphicsObjects) {
    MakeBar(TskUIStyle::WinXP);
    bar->SetDrawAppIcon(true);
    bar->SetCaption("A caption long enough to be shortened on every single paint of the bar");
    MoveTo(BarWindow(), Middle(CloseIndex).X, Middle(CloseIndex).Y);
    bar->Repaint();
    const long live = LiveGdiObjects();
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    for (int i = 0; i < 300; ++i) bar->Repaint();
    EXPECT_EQ(LiveGdiObjects(), live);
    // Wine answers 0 here; Windows counts.
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi + 2);
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), user + 2);
    EXPECT_EQ(bar->HotButtonIndex(), CloseIndex);
}

// ---- styles

TEST_F(TitleBarForm, EachStyleGivesItsHeightOffsetsAndPictures) {
    const struct {
        TskUIStyle style;
        int left, right, top, frame, minWidth, roundCorner;
        bool transparent;
        int heightInFrame;
        TColor font;
    } cases[] = {
        {TskUIStyle::MacOS, 3, -2, 4, 17, 130, 0, false, 20, clBlack},
        {TskUIStyle::WinXP, 2, -2, 5, 21, 150, 13, false, 26, clWhite},
        {TskUIStyle::DeepBlue, 0, 0, 2, 19, 130, 0, false, 29, clWhite},
        {TskUIStyle::Protein, 0, 0, 2, 19, 130, 0, true, 20, clWhite},
        {TskUIStyle::BlueGlass, 4, -3, 6, 19, 270, 11, true, 30, clWhite},
    };
    for (bool inFrame : {true, false}) {
        for (const auto& c : cases) {
            SetUp();
            MakeBar(c.style, inFrame);
            const std::string name = std::string(UIStyleName(c.style)) + (inFrame ? " in a frame" : " plain");
            EXPECT_EQ(bar->Height(), c.heightInFrame + (inFrame ? 0 : 3)) << name;
            EXPECT_EQ(bar->LeftBtnXOffset(), c.left) << name;
            EXPECT_EQ(bar->RightBtnXOffset(), c.right) << name;
            EXPECT_EQ(bar->ButtonTop(), c.top - (inFrame ? 3 : 0)) << name;
            EXPECT_EQ(bar->ButtonImageHeight(), c.frame) << name;
            EXPECT_EQ(form->Constraints()->MinWidth(), c.minWidth) << name;
            EXPECT_EQ(bar->RoundCorner(), c.roundCorner) << name;
            EXPECT_EQ(bar->Font()->Color(), c.font) << name;
            ASSERT_EQ(bar->Sections()->Count(), 3) << name;
            EXPECT_EQ(bar->Sections()->Items(0)->Picture()->Height(), c.heightInFrame + 3) << name;
            EXPECT_EQ(bar->Sections()->Items(2)->Align(), TskTitleBarAlign::skClient) << name;
            EXPECT_TRUE(bar->Sections()->Items(2)->Stretch()) << name;
            EXPECT_EQ(bar->Sections()->Items(1)->Align(), TskTitleBarAlign::skRight) << name;
            EXPECT_EQ(bar->SystemMenu()->UIStyle(), c.style) << name;
            for (int i = 0; i < 4; ++i) {
                EXPECT_EQ(Button(i)->PicNormal()->Width(), c.frame) << name << " button " << i;
                EXPECT_EQ(Button(i)->Transparent(), c.transparent) << name << " button " << i;
                EXPECT_EQ(Button(i)->UIStyle(), c.style) << name;
            }
            // The height follows the left picture whatever AutoSize says.
            bar->SetHeight(50);
            bar->SetAutoSize(false);
            EXPECT_EQ(bar->Height(), c.heightInFrame + (inFrame ? 0 : 3)) << name;
            TearDown();
            form.reset();
        }
    }
}

TEST_F(TitleBarForm, MaximiseButtonShowsRestorePicturesWhileTheFormIsMaximised) {
    for (bool inFrame : {false, true}) {
        SetUp();
        MaximiseAndRestore(inFrame);
        TearDown();
        form.reset();
        sizesAsked.clear();
    }
}

void TitleBarForm::MaximiseAndRestore(bool InFrame) {
    SCOPED_TRACE(InFrame ? "in a frame" : "plain form");
    MakeBar(TskUIStyle::WinXP, InFrame);
    TskTitleBarButton reference;
    reference.SetUIStyle(TskUIStyle::WinXP);
    reference.SetButtonType(TskTitleBarBtnType::skMax);  // no bar: the maximise pictures
    ASSERT_TRUE(SamePicture(Button(MaxIndex)->PicNormal(), reference.PicNormal()));
    Click(BarWindow(), Middle(MaxIndex).X, Middle(MaxIndex).Y);
    // A plain form is maximised, then laid on the work area one pixel short
    // at the bottom; one with a frame is left to the frame.
    const TRect area = GetDesktopWorkArea();
    const TPoint placed{area.Width(), area.Height() - 1};
    EXPECT_EQ(std::count(sizesAsked.begin(), sizesAsked.end(), placed), InFrame ? 0 : 1);
    if (!InFrame) {
        // Wine takes the resize of a maximised window for a restore (the
        // window falls back to its normal size at the work area's corner), so
        // the plain form's state after the click is Wine's, not ours.
        return;
    }
    ASSERT_EQ(form->WindowState(), wsMaximized);
    EXPECT_FALSE(SamePicture(Button(MaxIndex)->PicNormal(), reference.PicNormal()));
    MouseAway();
    Click(BarWindow(), Middle(MaxIndex).X, Middle(MaxIndex).Y);
    EXPECT_EQ(form->WindowState(), wsNormal);
    EXPECT_TRUE(SamePicture(Button(MaxIndex)->PicNormal(), reference.PicNormal()));
}

TEST_F(TitleBarForm, CustomBarKeepsItsLookWhenTheStyleChanges) {
    MakeBar(TskUIStyle::WinXP);
    const int height = bar->Height(), left = bar->LeftBtnXOffset(), sectionWidth = bar->Sections()->Items(0)->Picture()->Width();
    TPicture close;
    close.Assign(Button(CloseIndex)->PicNormal());
    bar->SetCustom(true);
    bar->SetUIStyle(TskUIStyle::MacOS);
    EXPECT_EQ(bar->UIStyle(), TskUIStyle::MacOS);
    EXPECT_EQ(bar->Height(), height);
    EXPECT_EQ(bar->LeftBtnXOffset(), left);
    EXPECT_EQ(bar->Font()->Color(), clWhite);
    EXPECT_EQ(bar->Sections()->Items(0)->Picture()->Width(), sectionWidth);
    EXPECT_TRUE(SamePicture(Button(CloseIndex)->PicNormal(), &close));
    // A button's own style still loads its pictures.
    Button(CloseIndex)->SetUIStyle(TskUIStyle::MacOS);
    EXPECT_EQ(Button(CloseIndex)->PicNormal()->Width(), 17);
    // And maximising no longer switches to the restore pictures.
    TPicture maxPicture;
    maxPicture.Assign(Button(MaxIndex)->PicNormal());
    Click(BarWindow(), Middle(MaxIndex).X, Middle(MaxIndex).Y);
    ASSERT_EQ(form->WindowState(), wsMaximized);
    EXPECT_TRUE(SamePicture(Button(MaxIndex)->PicNormal(), &maxPicture));
}

// ---- a theme file

std::string TempThemeName(const char* Stem) {
    char path[MAX_PATH + 1] = {};
    return IncludeTrailingPathDelimiter(std::string(path, GetTempPathA(MAX_PATH, path))) + Stem + "_" +
           std::to_string(GetCurrentProcessId()) + ".skn";
}

// A theme whose left caption picture is 40 rows high, buttons 11 x 11 at
// row 7, and the given control font colour.
struct TThemeOnDisk {
    explicit TThemeOnDisk(std::int32_t FontColor) : Name(TempThemeName("titlebar")) {
        TskThemeFileWriter writer;
        writer.AddBitmap("TitleBarLeftImage", MakeBitmap(12, 40));
        writer.AddBitmap("TitleBarRightImage", MakeBitmap(12, 40));
        writer.AddBitmap("TitleBarClientImage", MakeBitmap(4, 40));
        writer.AddBitmap("TitleBarButtonImage", MakeBitmap(18 * 11, 11));
        writer.AddInteger("TitleBarButtonTopInt", 7);
        writer.AddInteger("TitleBarButtonLeftOffsetInt", 1);
        writer.AddInteger("FormMinWidthInt", 222);
        writer.AddInteger("ControlFontColor", FontColor);
        const auto bytes = writer.Bytes();
        HANDLE file = CreateFileA(Name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    ~TThemeOnDisk() { DeleteFileA(Name.c_str()); }
    std::string Name;
};

TEST_F(TitleBarForm, AFileThemeGivesItsValuesAndTheCaptionColourFromItsControlFontColour) {
    const struct {
        std::int32_t fontColor;
        TColor caption;
    } cases[] = {{0x10000, clBlack}, {0x30000, clBlack}, {0x40000, clBlack}, {0x50000, clBlack},
                 {0x20000, clWhite}, {0x000000, clWhite}};
    for (const auto& c : cases) {
        SetUp();
        MakeBar(TskUIStyle::WinXP, false);
        TThemeOnDisk file(c.fontColor);
        auto* theme = Create<TskFileTheme>(form.get());
        theme->SetThemeFile(file.Name);
        ASSERT_TRUE(theme->IsLoaded());
        bar->Font()->SetColor(0x00123456);
        // Handing over the theme keeps the caption colour; the style then reads the file.
        bar->SetFileTheme(theme);
        EXPECT_EQ(bar->Font()->Color(), 0x00123456) << c.fontColor;
        bar->SetUIStyle(TskUIStyle::FromThemeFile);
        EXPECT_EQ(bar->Font()->Color(), c.caption) << c.fontColor;
        EXPECT_EQ(bar->Height(), 40);
        EXPECT_EQ(bar->ButtonTop(), 7);
        EXPECT_EQ(bar->LeftBtnXOffset(), 1);
        EXPECT_EQ(bar->ButtonImageHeight(), 11);
        EXPECT_EQ(form->Constraints()->MinWidth(), 222);
        EXPECT_EQ(Button(CloseIndex)->PicNormal()->Width(), 11);
        EXPECT_EQ(Button(CloseIndex)->UIStyle(), TskUIStyle::FromThemeFile);
        EXPECT_EQ(bar->SystemMenu()->UIStyle(), TskUIStyle::FromThemeFile);
        EXPECT_EQ(bar->SystemMenu()->FileTheme(), theme);
        // The theme going away leaves DeepBlue.
        theme->Free();
        EXPECT_EQ(bar->FileTheme(), nullptr);
        EXPECT_EQ(bar->UIStyle(), TskUIStyle::DeepBlue);
        EXPECT_EQ(bar->Height(), 32);
        EXPECT_EQ(Button(CloseIndex)->PicNormal()->Width(), 19);
        EXPECT_EQ(bar->Font()->Color(), clWhite);
        TearDown();
        form.reset();
    }
}

// ---- refusals

TEST_F(TitleBarForm, SecondClientSectionAndSecondControlBoxAreRefusedWithABox) {
    MakeBar(TskUIStyle::WinXP);
    TDialogAnswerer answerer(IDOK);
    bar->Sections()->Items(0)->SetAlign(TskTitleBarAlign::skClient);
    ASSERT_TRUE(answerer.WaitFor(1));
    EXPECT_EQ(bar->Sections()->Items(0)->Align(), TskTitleBarAlign::skLeft);
    // The client section itself counts too.
    bar->Sections()->Items(2)->SetAlign(TskTitleBarAlign::skClient);
    ASSERT_TRUE(answerer.WaitFor(2));

    Button(CloseIndex)->SetButtonType(TskTitleBarBtnType::skControlBox);
    ASSERT_TRUE(answerer.WaitFor(3));
    EXPECT_EQ(Button(CloseIndex)->ButtonType(), TskTitleBarBtnType::skClose);
    Button(ControlBoxIndex)->SetButtonType(TskTitleBarBtnType::skControlBox);
    ASSERT_TRUE(answerer.WaitFor(4));

    const auto boxes = answerer.Seen();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].Text, "Sorry, only one section's Align property can be \"skClient\"");
    EXPECT_EQ(boxes[1].Text, "Sorry, only one section's Align property can be \"skClient\"");
    EXPECT_EQ(boxes[2].Text, "Sorry, only one button's ButtonType property can be \"skControlBox\"");
    EXPECT_EQ(boxes[3].Text, "Sorry, only one button's ButtonType property can be \"skControlBox\"");

    // Once the control box is something else, another button may become one.
    Button(ControlBoxIndex)->SetButtonType(TskTitleBarBtnType::skCustom);
    Button(CloseIndex)->SetButtonType(TskTitleBarBtnType::skControlBox);
    PumpFor(200);
    EXPECT_EQ(answerer.Count(), 4u);
    EXPECT_EQ(Button(CloseIndex)->ButtonType(), TskTitleBarBtnType::skControlBox);
}

// ---- stored pictures

TEST_F(TitleBarForm, StoredPicturesWinOverThoseTheTypeAndStyleLoad) {
    RegisterClass<TskTitleBar>();
    const std::vector<std::uint8_t> file = MakeBitmap(21, 21);
    std::vector<std::uint8_t> data{7, 'T', 'B', 'i', 't', 'm', 'a', 'p'};
    data.insert(data.end(), file.begin(), file.end());
    const std::string text = "Form1: TForm\n"
                             "  Bar: TskTitleBar\n"
                             "    UIStyle = WinXP\n"
                             "    Buttons = (\n"
                             "      item\n"
                             "        UIStyle = WinXP\n"
                             "        ButtonType = skClose\n"
                             "        PicNormal.Data = {\n          " +
                             FormTextHex(data, "          ") +
                             "}\n"
                             "      end)\n"
                             "  end\n"
                             "end\n";
    ReadFormDescriptionText(form.get(), text, "Form1");
    bar = dynamic_cast<TskTitleBar*>(form->FindComponent("Bar"));
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->Buttons()->Count(), 1);
    TBitmap stored;
    stored.LoadFromMemory(file.data(), file.size());
    TPicture storedPicture;
    storedPicture.SetBitmap(&stored);
    EXPECT_TRUE(SamePicture(Button(0)->PicNormal(), &storedPicture));
    // What was not stored comes from the type and the style.
    TskTitleBarButton reference;
    reference.SetUIStyle(TskUIStyle::WinXP);
    reference.SetButtonType(TskTitleBarBtnType::skClose);
    EXPECT_TRUE(SamePicture(Button(0)->PicMouseOn(), reference.PicMouseOn()));
    EXPECT_FALSE(SamePicture(Button(0)->PicNormal(), reference.PicNormal()));

    // Assign keeps the same order.
    TskTitleBarButtons copy(nullptr);
    copy.Assign(bar->Buttons());
    ASSERT_EQ(copy.Count(), 1);
    EXPECT_EQ(copy.Items(0)->ButtonType(), TskTitleBarBtnType::skClose);
    EXPECT_TRUE(SamePicture(copy.Items(0)->PicNormal(), &storedPicture));
    EXPECT_TRUE(SamePicture(copy.Items(0)->PicMouseOn(), reference.PicMouseOn()));
}

// ---- looked at

// Each style's bar on a plain form of its own, read back from the screen.
// TITLEBAR_LOOK_MS keeps them up that long for a screenshot.
TEST(TitleBarLook, EveryStyleShowsItsButtonsOnScreen) {
    std::vector<TOwned<TForm>> forms;
    std::vector<TskTitleBar*> bars;
    SetCursorPos(2, 2);
    int top = 10;
    for (TskUIStyle style : BuiltInUIStyles()) {
        auto form = CreateOwned<TForm>();
        form->SetBorderStyle(bsNone);
        form->SetColor(0x00E0E0E0);
        form->SetBounds(40, top, 360, 70);
        auto* bar = Create<TskTitleBar>(form.get());
        bar->SetParent(form.get());
        bar->SetUIStyle(style);
        bar->SetCaption(std::string(UIStyleName(style)) + " title bar of a long caption for shortening");
        bar->SetDrawAppIcon(style == TskUIStyle::WinXP);
        form->Show();
        bars.push_back(bar);
        forms.push_back(std::move(form));
        top += 90;
    }
    PumpFor(200);
    if (const char* hold = std::getenv("TITLEBAR_LOOK_MS")) PumpFor(static_cast<DWORD>(std::atoi(hold)));
    for (TskTitleBar* bar : bars) {
        TBitmap screen;
        screen.SetSize(bar->Width(), bar->Height());
        const TPoint origin = bar->ClientToScreen(TPoint{0, 0});
        TWindowDC desktop(nullptr);
        BitBlt(screen.Canvas()->Handle(), 0, 0, bar->Width(), bar->Height(), desktop.Get(), origin.X, origin.Y, SRCCOPY);
        TskTitleBarButton* close = bar->Buttons()->Items(CloseIndex);
        const int x = bar->Width() + 1 + bar->RightBtnXOffset() - close->PicNormal()->Width() - 1;
        if (!close->Transparent()) {
            EXPECT_EQ(BlockDifference(screen, x, bar->ButtonTop(), close->PicNormal()), 0) << UIStyleName(bar->UIStyle());
        } else {
            // Fuchsia is left out, the caption picture shows there; every other pixel matches.
            TBitmap* picture = close->PicNormal()->Bitmap();
            int differ = 0, fuchsia = 0, fuchsiaShown = 0;
            for (int y = 0; y < picture->Height(); ++y)
                for (int px = 0; px < picture->Width(); ++px) {
                    const std::uint32_t want = picture->ScanLine(y)[px] & 0xFFFFFF;
                    const std::uint32_t got = PixelAt(screen, x + px, bar->ButtonTop() + y) & 0xFFFFFF;
                    if (want == 0xFF00FF) {
                        ++fuchsia;
                        if (got == 0xFF00FF) ++fuchsiaShown;
                    } else if (got != want) {
                        ++differ;
                    }
                }
            EXPECT_EQ(differ, 0) << UIStyleName(bar->UIStyle());
            EXPECT_GT(fuchsia, 0) << UIStyleName(bar->UIStyle());
            EXPECT_EQ(fuchsiaShown, 0) << UIStyleName(bar->UIStyle());
        }
    }
}

}  // namespace
