// The program started with a command line, as the shell starts it: what it
// opens 300 ms after its window shows, read from its window by another process.

#include "CompileUnit.h"
#include "Process.h"
#include "ProjectUnit.h"
#include "TestFolder.h"
#include "WaitUntil.h"
#include "WindowFixture.h"

#include <filesystem>
#include <fstream>

namespace {

// A running tessaloom.exe, closed (or ended) when the test is done with it.
class TBuilderProcess : public TProcess {
public:
    TBuilderProcess(const std::string& Exe, const std::string& Argument)
        : TProcess(Exe, Argument.empty() ? "" : "\"" + Argument + "\"") {}
    // Asked to close as its user would close it; if it has not ended in
    // time, the process is ended after this.
    ~TBuilderProcess() {
        if (HWND w = Window("TMainForm")) PostMessageA(w, WM_CLOSE, 0, 0);
        Wait(5000);
    }
};

// The texts of a window's children of one class, and the first such child.
std::vector<std::string> ChildTexts(HWND Parent, const char* Class, HWND* First = nullptr) {
    struct Collect {
        const char* cls;
        std::vector<std::string> texts;
        HWND first;
    } c{Class, {}, nullptr};
    EnumChildWindows(
        Parent,
        [](HWND w, LPARAM p) -> BOOL {
            auto* c = reinterpret_cast<Collect*>(p);
            char cls[64] = {};
            GetClassNameA(w, cls, sizeof cls);
            if (lstrcmpiA(cls, c->cls) == 0) {
                char text[1024] = {};
                SendMessageA(w, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
                c->texts.push_back(text);
                if (!c->first) c->first = w;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&c));
    if (First) *First = c.first;
    return c.texts;
}

// The index of the builder's page in front: the skinned page control keeps
// every page but the one in front disabled; each page is known by a button
// it holds. -1 when none is in front.
int PageInFront(HWND Window) {
    HWND pages = nullptr;
    ChildTexts(Window, "TskPageControl", &pages);
    if (!pages) return -1;
    const char* marks[] = {"Change Logo (128x128)", "Open File", "Play flash movies randomly", "Install Now"};
    for (HWND sheet = GetWindow(pages, GW_CHILD); sheet; sheet = GetWindow(sheet, GW_HWNDNEXT)) {
        char cls[64] = {};
        GetClassNameA(sheet, cls, sizeof cls);
        if (lstrcmpiA(cls, "TskTabSheet") != 0 || !IsWindowEnabled(sheet)) continue;
        std::vector<std::string> texts;
        for (const char* kind : {"TskButton", "TskCheckBox"}) {
            const std::vector<std::string> found = ChildTexts(sheet, kind);
            texts.insert(texts.end(), found.begin(), found.end());
        }
        for (int i = 0; i < 4; ++i)
            if (std::find(texts.begin(), texts.end(), marks[i]) != texts.end()) return i;
    }
    return -1;
}

TEST(BuilderProgram, OpensTheFileNamedOnItsCommandLine) {
    TTestFolder dir;
    const std::string movie = dir.Write("MOVIE.SWF", ColourMovie({{200, 30, 30}}, 10));
    const std::string lower = dir.Write("movie.swf", ColourMovie({{30, 30, 200}}, 10));
    TProject project;
    project.Title = "Opened At Start";
    project.LogoFile = BinFolder() + "logo.jpg";
    const std::string qlm = dir.File("project.qlm"), QLM = dir.File("UPPER.QLM");
    WriteProjectFile(project, qlm);
    std::filesystem::copy_file(qlm, QLM);
    const std::string notes = dir.Write("notes.txt", "no movie");

    struct Case {
        std::string argument;
        int page;
        std::string shownText;  // an edit holding it; empty: no edit holds the argument
    };
    const std::vector<Case> cases{
        {"", 0, ""},
        {lower, 1, lower},
        {movie, 1, movie},
        {qlm, 0, "Opened At Start"},
        {QLM, 0, "Opened At Start"},
        {notes, 0, ""},
    };
    for (const Case& c : cases) {
        TBuilderProcess builder(BinFolder() + "tessaloom.exe", c.argument);
        ASSERT_TRUE(builder.Started());
        HWND window = builder.WaitForWindow("TMainForm", 15000);
        ASSERT_NE(window, nullptr) << c.argument;
        char caption[64] = {};
        GetWindowTextA(window, caption, sizeof caption);
        EXPECT_STREQ(caption, "Nimbrel Tessaloom");
        Sleep(1500);
        EXPECT_EQ(PageInFront(window), c.page) << c.argument;
        const std::vector<std::string> edits = ChildTexts(window, "TskEdit");
        const bool shown = std::find(edits.begin(), edits.end(), c.shownText) != edits.end();
        EXPECT_TRUE(c.shownText.empty() || shown) << c.argument;
        const bool holdsArgument =
            !c.argument.empty() && std::find(edits.begin(), edits.end(), c.argument) != edits.end();
        EXPECT_EQ(holdsArgument, c.page == 1) << c.argument;
    }
}

// A project in a folder whose name the system code page cannot hold
// (Japanese, Cyrillic) is opened from the command line all the same.
TEST(BuilderProgram, OpensAProjectFromAFolderNamedOutsideTheCodePage) {
    TTestFolder dir;
    TProject project;
    project.Title = "Opened From Afar";
    project.LogoFile = BinFolder() + "logo.jpg";
    project.SaveToStream();
    TCompileStream writer;
    writer.AddStream(project.ProjectStream.get(), true);
    const std::string bytes(static_cast<const char*>(writer.Compile()->Memory()), size_t(writer.Compile()->Size()));
    for (const wchar_t* name : {L"\u30d7\u30ed\u30b8\u30a7\u30af\u30c8", L"\u043f\u0440\u043e\u0435\u043a\u0442"}) {
        const std::filesystem::path folder = std::filesystem::path(dir.Path()) / name;
        std::filesystem::create_directories(folder);
        const std::filesystem::path file = folder / (std::wstring(name) + L".qlm");
        {
            std::ofstream out(file, std::ios::binary);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        }
        const std::wstring exe = std::filesystem::path(BinFolder() + "tessaloom.exe").wstring();
        TProcess builder(exe, L"\"" + file.wstring() + L"\"");
        ASSERT_TRUE(builder.Started());
        HWND window = builder.WaitForWindow("TMainForm", 15000);
        if (!window) {
            HWND box = builder.Window("#32770", TWindowFilter::AnyWindow);
            char text[512] = {};
            if (box) GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            FAIL() << file.string() << ": exit code " << builder.ExitCode() << ", a box saying: " << text;
        }
        std::vector<std::string> edits;
        const bool opened = WaitUntil(
            [&] {
                edits = ChildTexts(window, "TskEdit");
                return std::find(edits.begin(), edits.end(), "Opened From Afar") != edits.end();
            },
            10000);
        EXPECT_TRUE(opened) << "the project's title is shown";
        EXPECT_EQ(builder.Window("#32770"), nullptr) << "no message box";
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(builder.Wait(5000));
    }
}

// Installed in a folder whose name the system code page cannot hold, the
// builder still finds the files beside it: its default logo loads without
// an error box.
TEST(BuilderProgram, FindsTheFilesBesideItInAFolderNamedOutsideTheCodePage) {
    TTestFolder dir;
    const std::filesystem::path folder = std::filesystem::path(dir.Path()) / L"\u30c6\u30b9\u30c8";
    std::filesystem::create_directories(folder);
    for (const char* name : {"tessaloom.exe", "logo.jpg"})
        std::filesystem::copy_file(std::filesystem::path(BinFolder() + name), folder / name);
    TProcess builder((folder / L"tessaloom.exe").wstring(), L"");
    ASSERT_TRUE(builder.Started());
    HWND window = builder.WaitForWindow("TMainForm", 15000);
    ASSERT_NE(window, nullptr);
    Sleep(1500);
    HWND box = builder.Window("#32770", TWindowFilter::AnyWindow);
    char text[512] = {};
    if (box) GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    EXPECT_EQ(box, nullptr) << text;
    if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(builder.Wait(5000));
}

// A damaged installation without "logo.jpg": the error is shown, and the
// movie named on the command line is still opened.
TEST(BuilderProgram, AMissingDefaultLogoIsReportedAndStartUpGoesOn) {
    TTestFolder dir;
    const std::string exe = dir.File("tessaloom.exe");
    std::filesystem::copy_file(BinFolder() + "tessaloom.exe", exe);
    const std::string movie = dir.Write("movie.swf", ColourMovie({{30, 30, 200}}, 10));
    TBuilderProcess builder(exe, movie);
    ASSERT_TRUE(builder.Started());
    HWND box = builder.WaitForWindow("#32770", 15000);
    ASSERT_NE(box, nullptr);
    char caption[64] = {}, text[512] = {};
    GetWindowTextA(box, caption, sizeof caption);
    GetWindowTextA(GetDlgItem(box, 0xFFFF), text, sizeof text);
    EXPECT_STREQ(caption, "Nimbrel Tessaloom");
    EXPECT_EQ(std::string(text), "Cannot open file " + dir.File("logo.jpg"));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    HWND window = builder.WaitForWindow("TMainForm", 5000);
    ASSERT_NE(window, nullptr);
    Sleep(1500);
    EXPECT_EQ(PageInFront(window), 1);
    const std::vector<std::string> edits = ChildTexts(window, "TskEdit");
    EXPECT_NE(std::find(edits.begin(), edits.end(), movie), edits.end());
}

}  // namespace
