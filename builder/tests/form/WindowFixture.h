#pragma once
// The builder's main window, made in the test process and driven the way a
// user drives it: typing into its edits, clicking its buttons, the list and
// the tabs, choosing items of its real menu bar and popup menu, answering its
// dialogs and message boxes. The builder's folder is a fresh temporary folder
// holding an installer, a runtime and small movies whose frames are plain
// colours, so the screen tells which frame was taken.

#include "Application.h"
#include "Bitmap.h"
#include "CompileUnit.h"
#include "DialogAnswerer.h"
#include "Dialogs.h"
#include "Edit.h"
#include "FormFrame.h"
#include "ImageList.h"
#include "ListView.h"
#include "MainForm.h"
#include "Memo.h"
#include "MenuDriver.h"
#include "Menus.h"
#include "ProjectUnit.h"
#include "Pump.h"
#include "ShockwaveFlash.h"
#include "SkinCheckBox.h"
#include "SkinGroupBox.h"
#include "SkinImagePanel.h"
#include "SkinPageControl.h"
#include "SwfWriter.h"
#include "TestFolder.h"
#include "Timer.h"
#include "UserInput.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// A Linux path of the build tree as the programs under Wine see it.
inline std::string WinePath(std::string Path) {
    for (char& c : Path)
        if (c == '/') c = '\\';
    return "Z:" + Path;
}

// The folder of the built programs (tessaloom.exe, installar.dat, logo.jpg).
inline std::string BinFolder() { return WinePath(TESSALOOM_BIN_DIR) + "\\"; }

// A project file written straight from Project, without the window.
inline void WriteProjectFile(TProject& Project, const std::string& File) {
    Project.SaveToStream();
    TCompileStream writer;
    writer.AddStream(Project.ProjectStream.get(), true);
    writer.Compile()->SaveToFile(File);
}

// A colour of the test movies' frames, as a Windows colour ($00BBGGRR).
struct TFrameColour {
    uint8_t R, G, B;
    TColor Color() const { return TColor(R | (G << 8) | (B << 16)); }
};

// A square movie whose frame k is filled with Colours[k].
inline std::string ColourMovie(const std::vector<TFrameColour>& Colours, double Rate) {
    constexpr int T = 20, Size = 100;
    TSwfWriter w(Size, Size, Rate);
    w.SetBackground({255, 255, 255, 255});
    std::vector<uint16_t> ids;
    for (const TFrameColour& c : Colours) {
        TSwfShapeBuilder s;
        s.Rectangle(0, 0, Size * T, Size * T, s.SolidFill({c.R, c.G, c.B, 255}), 0);
        ids.push_back(w.DefineShape(s));
    }
    for (size_t k = 0; k < ids.size(); ++k) {
        if (k > 0) w.Main.Remove(1);
        w.Main.Place(1, ids[k]);
        w.Main.ShowFrame();
    }
    const std::vector<uint8_t> bytes = w.Finish();
    return std::string(bytes.begin(), bytes.end());
}

// Close enough for colours that went through the screen and a stretch.
inline bool Near(TColor A, TColor B, int Tolerance = 24) {
    for (int shift : {0, 8, 16})
        if (std::abs(int((A >> shift) & 0xFF) - int((B >> shift) & 0xFF)) > Tolerance) return false;
    return true;
}

inline std::string ColourText(TColor C) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%06X", unsigned(C) & 0xFFFFFF);
    return buf;
}

// Replaces a control's window procedure for a while to count the messages of
// one kind that reach it.
class TMessageCounter : public TObject {
public:
    TMessageCounter(TControl* Control, UINT Msg) : control_(Control), msg_(Msg), old_(Control->WindowProc) {
        Control->WindowProc = TWndMethod::Bind<&TMessageCounter::Proc>(this);
    }
    ~TMessageCounter() override { control_->WindowProc = old_; }
    int Count = 0;

private:
    void Proc(TMessage& Message) {
        if (Message.Msg == msg_) ++Count;
        old_(Message);
    }
    TControl* control_;
    UINT msg_;
    TWndMethod old_;
};

// Reads the states of a popup menu's items while it is open, then chooses one
// of them with the keyboard (or closes the menu when Choose is 0).
class TPopupUser {
public:
    TPopupUser(HMENU Menu, std::vector<UINT> Commands, UINT Choose)
        : thread_([this, Menu, Commands = std::move(Commands), Choose] {
              const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
              HWND window = nullptr;
              while (std::chrono::steady_clock::now() < deadline) {
                  window = FindWindowA("#32768", nullptr);
                  if (window && IsWindowVisible(window)) break;
                  window = nullptr;
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
              }
              if (!window) return;
              std::this_thread::sleep_for(std::chrono::milliseconds(100));
              for (UINT c : Commands) Enabled.push_back((GetMenuState(Menu, c, MF_BYCOMMAND) & MF_GRAYED) == 0);
              found_ = true;
              if (!Choose) {
                  PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
                  return;
              }
              for (int i = 0; i < 20; ++i) {
                  const bool lit = (GetMenuState(Menu, Choose, MF_BYCOMMAND) & MF_HILITE) != 0;
                  PostMessageA(window, WM_KEYDOWN, lit ? VK_RETURN : VK_DOWN, 0);
                  if (lit) return;
                  std::this_thread::sleep_for(std::chrono::milliseconds(80));
              }
          }) {}
    ~TPopupUser() { Join(); }
    TPopupUser(const TPopupUser&) = delete;
    TPopupUser& operator=(const TPopupUser&) = delete;
    void Join() {
        if (thread_.joinable()) thread_.join();
    }
    bool Found() {
        Join();
        return found_;
    }
    std::vector<bool> Enabled;

private:
    std::atomic<bool> found_{false};
    std::thread thread_;
};

class MainWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        RegisterBuilderClasses();
        Application->SetTitle("Nimbrel Tessaloom");
    }

    void SetUp() override {
        installer = "MZ installer stand-in " + std::string(3000, 'i');
        runtime = "MZ runtime stand-in " + std::string(5000, 'r');
        dir.Write("installar.dat", installer);
        dir.Write("screensaver.dat", runtime);
        const std::vector<std::pair<std::string, std::vector<TFrameColour>>> movies{
            {"red.swf", {{200, 30, 30}, {30, 30, 200}, {30, 200, 30}}},
            {"green.swf", {{30, 180, 60}, {200, 200, 30}}},
            {"blue.swf", {{40, 60, 210}, {200, 30, 30}}},
        };
        for (const auto& [name, colours] : movies) {
            Movies.push_back(dir.Write(name, ColourMovie(colours, 10)));
            FirstColours.push_back(colours.front().Color());
        }
        form = NewWindow();
    }

    void TearDown() override {
        if (form) form.reset();
        PumpFor(50);
    }

    // A window shown as the program shows it, its builder folder then moved
    // to the test's folder and its shell calls recorded.
    TOwned<TMainForm> NewWindow() {
        TOwned<TMainForm> w(Create<TMainForm>(nullptr));
        SystemStart = w->StartProgram;
        w->StartProgram = [this](const std::string& File, const std::string& Parameters) {
            Started.emplace_back(File, Parameters);
        };
        w->Show();
        SetForegroundWindow(w->Handle());
        // The start-up timer has run once it is off again.
        auto* timer = dynamic_cast<TTimer*>(w->FindComponent("OpenTimer"));
        EXPECT_TRUE(PumpUntil([&] { return timer && !timer->Enabled(); }, 3000));
        w->SetBuilderFolder(dir.Folder());
        return w;
    }

    template <class T>
    static T* In(TMainForm* Window, const char* Name) {
        auto* c = dynamic_cast<T*>(Window->FindComponent(Name));
        EXPECT_NE(c, nullptr) << Name;
        return c;
    }
    template <class T>
    T* Find(const char* Name) {
        return In<T>(form.get(), Name);
    }

    // The index of the page in front, -1 when none is.
    int ActivePage(TMainForm* Window = nullptr) {
        const TskTabSheet* page = In<TskPageControl>(Window ? Window : form.get(), "skPageControl1")->ActivePage();
        return page ? page->PageIndex() : -1;
    }

    // A click in the middle of the tab of page Index, where the strip drew it.
    void ClickTab(int Index, TMainForm* Window = nullptr) {
        TskTabControlTopPanel* strip = In<TskPageControl>(Window ? Window : form.get(), "skPageControl1")->TopPanel();
        const TRect r = strip->TabRect(Index);
        ASSERT_FALSE(r.IsEmpty()) << "tab " << Index << " is not drawn";
        ClickAt(strip->Handle(), (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }

    // Chooses a menu item as a user does: a click on the menu bar's button,
    // then the item in the menu that drops below it.
    void ChooseMenu(const std::string& Menu, const std::string& Item, TMainForm* Window = nullptr) {
        Window = Window ? Window : form.get();
        auto* frame = In<TskForm>(Window, "skMainForm");
        ASSERT_NE(frame, nullptr);
        TToolBar* bar = frame->MenuBar();
        ASSERT_NE(bar, nullptr) << "no menu bar";
        for (int i = 0; i < bar->ButtonCount(); ++i) {
            TToolButton* button = bar->Buttons(i);
            TMenuItem* top = button->MenuItem();
            if (!top || top->Caption() != Menu) continue;
            for (int j = 0; j < top->Count(); ++j) {
                if (top->Items(j)->Caption() != Item) continue;
                TMenuDriver driver(nullptr, top->Items(j)->Command());
                ClickAt(bar->Handle(), button->Left() + button->Width() / 2, button->Top() + button->Height() / 2);
                EXPECT_TRUE(PumpUntil([&] { return driver.Found(); }, 10000)) << "no menu below " << Menu;
                PumpFor(80);
                return;
            }
        }
        ADD_FAILURE() << "no menu item " << Menu << " | " << Item;
    }

    // A click on a button (or check box) of the window as a user makes it:
    // the pointer comes in, the left button goes down and up in the middle.
    void Click(const char* Name, TMainForm* Window = nullptr) {
        auto* control = In<TWinControl>(Window ? Window : form.get(), Name);
        const int x = control->Width() / 2, y = control->Height() / 2;
        PostMessageA(control->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        ClickAt(control->Handle(), x, y);
    }

    // Types Text into an edit in place of what it holds, key by key.
    // Expected is what the edit then holds, when that differs from the keys
    // (Enter in a memo makes a line break).
    void Type(const char* Name, const std::string& Text, TMainForm* Window = nullptr, std::string Expected = "\x01") {
        if (Expected == "\x01") Expected = Text;
        auto* edit = In<TWinControl>(Window ? Window : form.get(), Name);
        SetFocus(edit->Handle());
        PostMessageA(edit->Handle(), EM_SETSEL, 0, -1);
        if (Text.empty()) PostMessageA(edit->Handle(), WM_CHAR, VK_BACK, 0);
        TypeChars(edit->Handle(), Text);
        EXPECT_TRUE(PumpUntil([&] { return edit->Text() == Expected; }, 10000)) << Name << " holds " << edit->Text();
    }

    // Names a movie in the movie edit and adds it with the Add button.
    void AddMovie(const std::string& Path, TMainForm* Window = nullptr) {
        Window = Window ? Window : form.get();
        ChooseMenu("Edit", "Flash Movies", Window);
        Type("FlashEdit", Path, Window);
        Click("AddBtn", Window);
    }

    std::vector<std::string> Captions(TMainForm* Window = nullptr) {
        auto* list = In<TCustomListView>(Window ? Window : form.get(), "FlashListView");
        std::vector<std::string> captions;
        for (int i = 0; i < list->Items()->Count(); ++i) captions.push_back(list->Items()->Item(i)->Caption());
        return captions;
    }

    // The centre of item Index of the movie list, in the list's client area.
    POINT ItemPoint(int Index) {
        auto* list = Find<TCustomListView>("FlashListView");
        RECT r{LVIR_ICON, 0, 0, 0};
        SendMessageA(list->Handle(), LVM_GETITEMRECT, Index, reinterpret_cast<LPARAM>(&r));
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    // A point of the movie list where no item is.
    POINT EmptyPoint() {
        auto* list = Find<TCustomListView>("FlashListView");
        RECT client{};
        GetClientRect(list->Handle(), &client);
        for (POINT p : {POINT{client.right - 3, client.bottom - 3}, POINT{3, client.bottom - 3}, POINT{client.right - 3, 3}}) {
            LVHITTESTINFO hit{};
            hit.pt = p;
            if (SendMessageA(list->Handle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) < 0) return p;
        }
        ADD_FAILURE() << "the list has no empty spot";
        return POINT{3, 3};
    }

    // A left click on item Index of the movie list.
    void ClickItem(int Index, bool Double = false) {
        auto* list = Find<TCustomListView>("FlashListView");
        // The user scrolls the item into view first.
        SendMessageA(list->Handle(), LVM_ENSUREVISIBLE, Index, FALSE);
        PumpFor(30);
        const POINT p = ItemPoint(Index);
        ClickAt(list->Handle(), p.x, p.y, Double);
        const bool ok = PumpUntil([&] { return list->Selected() && list->Selected()->Index() == Index; }, 3000);
        if (!ok) {
            LVHITTESTINFO hit{};
            hit.pt = p;
            const auto h = SendMessageA(list->Handle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
            RECT r{LVIR_BOUNDS, 0, 0, 0};
            SendMessageA(list->Handle(), LVM_GETITEMRECT, Index, reinterpret_cast<LPARAM>(&r));
            ADD_FAILURE() << "click at " << p.x << "," << p.y << " hits " << h << " flags " << hit.flags << " bounds " << r.left << ","
                          << r.top << "," << r.right << "," << r.bottom << " selected " << (list->Selected() ? list->Selected()->Index() : -1)
                          << " focus " << (GetFocus() == list->Handle());
        }
        PumpFor(50);
    }

    // The centre pixel and a pixel near the corner of image Index of the thumbnails.
    std::pair<TColor, TColor> ImagePixels(int Index, TMainForm* Window = nullptr) {
        TBitmap image;
        image.SetSize(128, 128);
        In<TImageList>(Window ? Window : form.get(), "ScreenshotList")->GetBitmap(Index, &image);
        return {image.Canvas()->Pixels(64, 64), image.Canvas()->Pixels(20, 20)};
    }

    TTestFolder dir;
    std::string installer, runtime;
    std::vector<std::string> Movies;
    std::vector<TColor> FirstColours;
    std::vector<std::pair<std::string, std::string>> Started;
    // What the window starts programs with when the test does not listen in.
    std::function<void(const std::string&, const std::string&)> SystemStart;
    TOwned<TMainForm> form;
};
