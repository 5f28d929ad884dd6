// The main window's own behaviour: pages, the Information and Settings pages,
// Save As, the Help menu and the About box.

#include "DialogDriver.h"
#include "GraphicsHandles.h"
#include "AboutForm.h"
#include "Pump.h"
#include "Picture.h"
#include "Screen.h"
#include "TopWindows.h"
#include "WindowFixture.h"

#include <filesystem>

namespace {

TEST_F(MainWindow, PagesFollowTheEditMenuAndTheTabs) {
    EXPECT_EQ(ActivePage(), 0) << "Information first";
    auto* pages = Find<TskPageControl>("skPageControl1");
    ASSERT_NE(pages, nullptr);
    struct Case {
        const char* item;
        int page;
    };
    for (const Case& c : {Case{"Output", 3}, Case{"Flash Movies", 1}, Case{"Settings", 2}, Case{"Information", 0}}) {
        ChooseMenu("Edit", c.item);
        EXPECT_EQ(ActivePage(), c.page) << c.item;
        EXPECT_EQ(pages->TopPanel()->TabIndex(), c.page) << c.item << ": the tab shows it too";
    }
    // A click on a tab shows its page.
    for (int page : {2, 3, 1, 0}) {
        ClickTab(page);
        EXPECT_TRUE(PumpUntil([&] { return ActivePage() == page; }, 3000)) << "tab " << page;
        EXPECT_EQ(pages->TopPanel()->TabIndex(), page);
    }
}

// The four pages in their order and captions, each filling the control's
// body 3 pixels inside its frame and below the strip; only the page in
// front takes input.
TEST_F(MainWindow, FourSkinnedPagesBelowTheStrip) {
    auto* pages = Find<TskPageControl>("skPageControl1");
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->UIStyle(), TskUIStyle::WinXP);
    EXPECT_EQ(pages->FileTheme(), Find<TskFileTheme>("skBuiltInFileTheme"));
    EXPECT_EQ(pages->LeftMargin(), 10);
    EXPECT_EQ(pages->BorderColor(), static_cast<TColor>(0x00686868));
    EXPECT_EQ(pages->Color(), clWhite);
    EXPECT_EQ(pages->Align(), alClient);
    EXPECT_EQ(pages->TopPanel()->Width(), pages->Width()) << "the strip spans the control";
    const struct {
        const char* name;
        const char* caption;
    } sheets[] = {{"skTabSheet1", "Information"}, {"skTabSheet2", "Flash Movies"}, {"skTabSheet3", "Settings"},
                  {"skTabSheet4", "Output"}};
    ASSERT_EQ(pages->PageCount(), 4);
    for (int i = 0; i < 4; ++i) {
        TskTabSheet* sheet = pages->Pages(i);
        EXPECT_EQ(sheet, Find<TskTabSheet>(sheets[i].name)) << i;
        EXPECT_EQ(sheet->Caption(), sheets[i].caption) << i;
        EXPECT_EQ(pages->TopPanel()->Tabs()->Strings(i), sheets[i].caption) << i;
        EXPECT_EQ(sheet->BoundsRect(), Rect(3, 22, pages->Width() - 3, pages->Height() - 3)) << i;
        EXPECT_EQ(sheet->Enabled(), i == 0) << i;
    }
}

// The skinned strip and pages draw through temporary pictures and fonts on
// every paint; none may outlive its paint, on any page.
TEST_F(MainWindow, RepaintsOfEveryPageKeepGdiObjectsFlat) {
    auto repaint = [&](int i) {
        if (i % 250 == 0) {
            ClickTab(i / 250 % 4);
            ASSERT_TRUE(PumpUntil([&] { return ActivePage() == i / 250 % 4; }, 3000)) << i;
        }
        RedrawWindow(form->Handle(), nullptr, nullptr,
                     RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    };
    for (int i = 0; i < 1000; i += 50) repaint(i);  // every page drawn once before counting
    PumpFor(50);
    const long before = LiveGdiObjects();
    for (int i = 0; i < 1000; ++i) repaint(i);
    PumpFor(50);
    EXPECT_EQ(LiveGdiObjects(), before);
}

// The window wears the skinned frame; the application-events component holds
// the message hook, so the frame leaves it alone (Alt+Space then does not
// open the title bar's menu) and the native menu bar stays off.
TEST_F(MainWindow, FrameLeavesTheApplicationHookToTheEventsComponent) {
    auto* frame = Find<TskForm>("skMainForm");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->UIStyle(), TskUIStyle::WinXP);
    EXPECT_EQ(frame->Menu(), Find<TMainMenu>("MainMenu"));
    EXPECT_EQ(form->Menu(), nullptr);
    EXPECT_EQ(GetMenu(form->Handle()), nullptr);
    EXPECT_EQ(GetWindowLongPtrA(form->Handle(), GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_TRUE(Application->OnMessage);
    EXPECT_NE(Application->OnMessage.Target(), static_cast<void*>(frame));
    EXPECT_EQ(frame->FrameCaption(), "Nimbrel Tessaloom");
    EXPECT_EQ(frame->MenuBar()->ButtonCount(), Find<TMainMenu>("MainMenu")->Items()->Count());
}

TEST_F(MainWindow, StartsWithTheDefaultLogoBesideTheProgram) {
    EXPECT_EQ(form->Caption(), "Nimbrel Tessaloom");
    EXPECT_EQ(form->ClientWidth(), 566);
    EXPECT_EQ(form->ClientHeight(), 474);
    EXPECT_EQ(Find<TCustomEdit>("TitleEdit")->Text(), "Virur Uvivederirez");
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    EXPECT_EQ(form->LogoPath(), std::filesystem::path(exe).parent_path().string() + "\\logo.jpg");
    auto* logo = Find<TskImagePanel>("LogoPanel");
    EXPECT_EQ(logo->Picture()->Width(), 128);
    EXPECT_EQ(logo->Picture()->Height(), 128);
    ASSERT_NE(form->Thumbnail, nullptr);
    EXPECT_EQ(form->Thumbnail->Width(), 128);
}

TEST_F(MainWindow, ChangeLogoTakesTheChosenPicture) {
    // A 16 x 8 bitmap to choose, and a file of a kind no picture loader knows.
    TBitmap small;
    small.SetSize(16, 8);
    const std::string bmp = dir.File("small.bmp");
    TPicture picture;
    picture.SetBitmap(&small);
    picture.SaveToFile(bmp);
    const std::string text = dir.Write("notes.txt", "not a picture");

    struct Case {
        std::string file;
        int button;
        std::string error;
        std::string logoPath;
        int width;
    };
    const std::string start = form->LogoPath();
    for (const Case& c : {Case{bmp, IDCANCEL, "", start, 128}, Case{bmp, IDOK, "", bmp, 16},
                          Case{text, IDOK, "Unknown picture file extension (.txt)", text, 16}}) {
        // The user takes the name the dialog offers, or cancels; a box that
        // follows is answered with OK.
        Find<TOpenPictureDialog>("OpenLogoDialog")->FileName = c.file;
        TDialogAnswerer user(c.button);
        Click("ChangeLogoBtn");
        ASSERT_TRUE(user.WaitFor(c.error.empty() ? 1 : 2, 5000)) << c.file;
        PumpFor(200);
        const std::vector<TSeenDialog> seen = user.Seen();
        ASSERT_EQ(seen.size(), c.error.empty() ? 1u : 2u) << c.file;
        EXPECT_EQ(seen[0].Caption, "Open");
        if (!c.error.empty()) {
            EXPECT_EQ(seen[1].Caption, "Nimbrel Tessaloom");
            EXPECT_EQ(seen[1].Text, c.error);
        }
        EXPECT_EQ(form->LogoPath(), c.logoPath) << c.file;
        EXPECT_EQ(Find<TskImagePanel>("LogoPanel")->Picture()->Width(), c.width) << c.file;
    }
}

TEST_F(MainWindow, LicenceCheckBoxEnablesTheAgreementAndKeepsItsText) {
    ChooseMenu("Edit", "Settings");
    auto* memo = Find<TCustomMemo>("LicenseMemo");
    auto* group = Find<TskGroupBox>("LicenseGroup");
    EXPECT_FALSE(IsWindowEnabled(memo->Handle()));
    EXPECT_FALSE(group->Enabled());
    for (bool checked : {true, false, true}) {
        Click("LicenseCheckBox");
        EXPECT_EQ(Find<TskCheckBox>("LicenseCheckBox")->Checked(), checked);
        EXPECT_EQ(group->Enabled(), checked);
        EXPECT_EQ(IsWindowEnabled(memo->Handle()) != FALSE, checked);
        if (checked && memo->Lines()->Count() == 0) Type("LicenseMemo", "Agree before you install.");
    }
    Click("LicenseCheckBox");
    EXPECT_EQ(memo->Text(), "Agree before you install.") << "unchecking keeps the text";
}

TEST_F(MainWindow, SaveAsPutsTheChosenNameIntoTheOutputField) {
    ChooseMenu("Edit", "Output");
    struct Case {
        std::string typed;
        int button;
        std::string expected;
    };
    const std::string named = dir.File("screensaver package.exe");
    for (const Case& c : {Case{dir.File("first"), IDOK, dir.File("first.exe")}, Case{named, IDCANCEL, dir.File("first.exe")},
                          Case{named, IDOK, named}}) {
        TFileDialogDriver user(c.typed, c.button);
        Click("SaveBtn");
        user.Join();
        EXPECT_TRUE(user.Found());
        EXPECT_EQ(user.FileTypes, (std::vector<std::string>{"Installation File (*.exe)"}));
        EXPECT_TRUE(PumpUntil([&] { return Find<TCustomEdit>("SaveEdit")->Text() == c.expected; }, 3000))
            << Find<TCustomEdit>("SaveEdit")->Text();
    }
}

TEST_F(MainWindow, HelpWebPageAndNewProjectGoThroughTheShell) {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    struct Case {
        const char* menu;
        const char* item;
        std::string file;
    };
    for (const Case& c : {Case{"Help", "Content", dir.Folder() + "Tessaloom.chm"}, Case{"Help", "Web Page", kProductWebPage},
                          Case{"File", "New Project", exe}}) {
        Started.clear();
        ChooseMenu(c.menu, c.item);
        EXPECT_EQ(Started, (std::vector<std::pair<std::string, std::string>>{{c.file, ""}})) << c.item;
    }
    EXPECT_NE(std::string(kProductWebPage).find("example.org"), std::string::npos);
}

TEST_F(MainWindow, ExitClosesTheWindow) {
    ChooseMenu("File", "Exit");
    EXPECT_FALSE(form->Showing());
    EXPECT_EQ(form->Thumbnail, nullptr) << "freed on close";
}

// A shell call the About box would make.
struct TShellCall {
    HWND Parent;
    bool DefaultVerb;
    std::string File;
    int Show;
    bool operator==(const TShellCall&) const = default;
};

// Listens in on the About box while it is shown: a timer on the GUI thread,
// which runs inside the box's modal loop, finds the box, takes over its shell
// calls and, when given a script, plays the user with it (on the GUI thread,
// so the script may look at the box's controls).
class TAboutSpy : public TObject {
public:
    explicit TAboutSpy(std::function<void(TAboutForm&)> Script = {})
        : script_(std::move(Script)), timer_(Create<TTimer>(nullptr)) {
        timer_->SetInterval(30);
        timer_->OnTimer = TNotifyEvent::Bind<&TAboutSpy::Tick>(this);
        timer_->SetEnabled(true);
    }
    std::vector<TShellCall> Calls;
    HWND Box = nullptr;

private:
    void Tick(TObject*) {
        for (int i = 0; i < Screen->FormCount(); ++i)
            if (auto* box = dynamic_cast<TAboutForm*>(Screen->Forms(i))) {
                if (!IsWindowVisible(box->Handle())) return;
                timer_->SetEnabled(false);
                Box = box->Handle();
                box->ShellOpen = [this](HWND Parent, const char* Verb, const std::string& File, int Show) {
                    Calls.push_back({Parent, Verb == nullptr, File, Show});
                };
                if (script_) {
                    PumpFor(150);
                    script_(*box);
                }
                return;
            }
    }
    std::function<void(TAboutForm&)> script_;
    TOwned<TTimer> timer_;
};

// A window of the given class anywhere below Parent.
HWND FindDescendant(HWND Parent, const char* Class) {
    struct Search {
        const char* Class;
        HWND Found;
    } search{Class, nullptr};
    EnumChildWindows(
        Parent,
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            char name[64] = {};
            GetClassNameA(w, name, sizeof name);
            if (std::string(name) != s->Class) return TRUE;
            s->Found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

TEST_F(MainWindow, AboutBoxShowsModallyAndClosesWithOk) {
    const int components = form->ComponentCount();
    TAboutSpy spy;
    std::atomic<bool> seen{false}, openAfterClick{false};
    std::string caption, texts;
    std::thread user([&] {
        HWND box = nullptr;
        for (int i = 0; i < 500 && !box; ++i) {
            box = FindTopWindow(GetCurrentProcessId(), "TAboutForm");
            if (!box) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (!box) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        char buf[256] = {};
        GetWindowTextA(box, buf, sizeof buf);
        caption = buf;
        EnumChildWindows(
            box,
            [](HWND w, LPARAM p) -> BOOL {
                char t[256] = {};
                GetWindowTextA(w, t, sizeof t);
                *reinterpret_cast<std::string*>(p) += std::string(t) + "|";
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&texts));
        // A click on the banner, inside the frame and the flat panel round it.
        HWND banner = FindDescendant(box, "TskImagePanel");
        PostMessageA(banner, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 30));
        PostMessageA(banner, WM_LBUTTONUP, 0, MAKELPARAM(100, 30));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        openAfterClick = IsWindowVisible(box) != FALSE;
        seen = true;
        // Enter presses the default button.
        PostMessageA(box, WM_KEYDOWN, VK_RETURN, 0);
    });
    ChooseMenu("Help", "About");
    user.join();
    EXPECT_TRUE(seen);
    EXPECT_EQ(caption, "About");
    EXPECT_NE(texts.find("OK|"), std::string::npos) << texts;
    // One shell call: the maker's home page, the default verb, the box as
    // parent, shown normally.
    EXPECT_EQ(spy.Calls, (std::vector<TShellCall>{{spy.Box, true, kMakerHomePage, SW_SHOWNORMAL}}));
    EXPECT_TRUE(openAfterClick) << "and the box stays open";
    EXPECT_TRUE(PumpUntil([] { return FindTopWindow(GetCurrentProcessId(), "TAboutForm") == nullptr; }, 3000));
    EXPECT_EQ(form->ComponentCount(), components) << "the box is freed after showing";
}

// The pointer moved to client point X, Y of Window, as the system reports it.
void PointerOn(HWND Window, int X, int Y) {
    POINT at{X, Y};
    ClientToScreen(Window, &at);
    SetCursorPos(at.x, at.y);
    PostMessageA(Window, WM_MOUSEMOVE, 0, MAKELPARAM(X, Y));
    PumpFor(100);
}

COLORREF ScreenAt(HWND Window, int X, int Y) {
    RECT r{};
    GetWindowRect(Window, &r);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, r.left + X, r.top + Y);
    ReleaseDC(nullptr, screen);
    return c;
}

TEST_F(MainWindow, AboutBoxBannerSinksUnderThePointerAndTheTitleBarCloses) {
    COLORREF away = 0, over = 0, awayAgain = 0;
    TCursor cursor = crDefault;
    TAboutSpy spy([&](TAboutForm& Box) {
        auto* panel = dynamic_cast<TWinControl*>(Box.FindComponent("FlatPanel1"));
        auto* banner = dynamic_cast<TWinControl*>(Box.FindComponent("ImagePanel"));
        auto* frame = dynamic_cast<TWinControl*>(Box.FindComponent("skForm"));
        if (!panel || !banner || !frame) {
            ADD_FAILURE() << "the box lacks its frame, flat panel or banner";
            Box.Close();
            return;
        }
        cursor = banner->Cursor();
        // The bottom right corner of the flat panel's frame: the border colour
        // while flat, the highlight of a sunken edge under the pointer.
        const int right = panel->Width() - 1, bottom = panel->Height() - 1;
        PointerOn(frame->Handle(), 5, frame->Height() - 5);
        away = ScreenAt(panel->Handle(), right, bottom);
        PointerOn(banner->Handle(), 100, 30);
        PumpUntil([&] { return ScreenAt(panel->Handle(), right, bottom) != away; }, 2000);
        over = ScreenAt(panel->Handle(), right, bottom);
        PointerOn(frame->Handle(), 5, frame->Height() - 5);
        PumpUntil([&] { return ScreenAt(panel->Handle(), right, bottom) == away; }, 2000);
        awayAgain = ScreenAt(panel->Handle(), right, bottom);

        // The title bar's close button, the only one, at its right end.
        HWND bar = FindDescendant(Box.Handle(), "TskTitleBar");
        if (!bar) {
            ADD_FAILURE() << "no title bar";
            Box.Close();
            return;
        }
        RECT r{};
        GetClientRect(bar, &r);
        const int x = r.right - 23 + 10;
        PointerOn(bar, x, 12);
        PostMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 12));
        PostMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(x, 12));
        if (!PumpUntil([&] { return Box.ModalResult() != mrNone; }, 3000)) {
            ADD_FAILURE() << "the title bar's close button did not close the box";
            Box.Close();
        }
    });
    ChooseMenu("Help", "About");
    EXPECT_TRUE(PumpUntil([] { return FindTopWindow(GetCurrentProcessId(), "TAboutForm") == nullptr; }, 3000));
    EXPECT_EQ(cursor, crHandPoint);
    EXPECT_EQ(away, static_cast<COLORREF>(ColorToRGB(clBtnShadow))) << "flat away from the banner";
    EXPECT_EQ(over, static_cast<COLORREF>(ColorToRGB(clBtnHighlight))) << "sunken under the pointer";
    EXPECT_EQ(awayAgain, away) << "flat again after leaving";
    EXPECT_TRUE(spy.Calls.empty());
    SetCursorPos(2, 2);
}

TEST_F(MainWindow, OpeningTheAboutBoxManyTimesLeavesHandlesAndWindowsFlat) {
    auto openAndClose = [&] {
        TAboutSpy spy([](TAboutForm& Box) { Box.Close(); });
        form->MMAboutClick(nullptr);
    };
    auto counts = [] {
        return std::pair<DWORD, DWORD>{GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                                       GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)};
    };
    openAndClose();  // what the first showing creates once for good (classes, cached pictures)
    PumpFor(100);
    const auto before = counts();
    for (int i = 0; i < 50; ++i) openAndClose();
    PumpFor(100);
    const auto after = counts();
    EXPECT_LE(after.first, before.first + 2) << "GDI objects";
    EXPECT_LE(after.second, before.second + 2) << "window objects";
    EXPECT_EQ(FindTopWindow(GetCurrentProcessId(), "TAboutForm"), nullptr);
}

}  // namespace
