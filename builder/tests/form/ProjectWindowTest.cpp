// Project files through the File menu: save, open into a fresh window, open
// into a window that already lists movies, missing and malformed files.

#include "PackageBytes.h"
#include "CompileUnit.h"
#include "DialogDriver.h"
#include "FileStream.h"
#include "ProjectUnit.h"
#include "WindowFixture.h"

#include <filesystem>

namespace {


// Everything of the window that a project holds.
struct TShown {
    std::string title, logo, publisher, homepage, email, copyright;
    std::vector<std::string> movies;
    bool random, licence, licenceEnabled;
    std::vector<std::string> licenceLines;
    std::string output;
    bool operator==(const TShown&) const = default;
};

void PrintTo(const TShown& s, std::ostream* os) {
    *os << "{" << s.title << ", " << s.logo << ", " << s.publisher << ", " << s.homepage << ", " << s.email << ", "
        << s.copyright << ", " << s.movies.size() << " movies, " << s.random << s.licence << s.licenceEnabled << ", "
        << s.licenceLines.size() << " licence lines, " << s.output << "}";
}

std::vector<std::string> Lines(TCustomMemo* Memo) {
    std::vector<std::string> lines;
    for (int i = 0; i < Memo->Lines()->Count(); ++i) lines.push_back(Memo->Lines()->Strings(i));
    return lines;
}

class ProjectFileWindow : public MainWindow {
protected:
    TShown Shown(TMainForm* w) {
        return TShown{In<TCustomEdit>(w, "TitleEdit")->Text(),
                      w->LogoPath(),
                      In<TCustomEdit>(w, "AuthorEdit")->Text(),
                      In<TCustomEdit>(w, "HomepageEdit")->Text(),
                      In<TCustomEdit>(w, "EmailEdit")->Text(),
                      In<TCustomEdit>(w, "CopyrightEdit")->Text(),
                      Captions(w),
                      In<TskCheckBox>(w, "RandomCheckBox")->Checked(),
                      In<TskCheckBox>(w, "LicenseCheckBox")->Checked(),
                      IsWindowEnabled(In<TCustomMemo>(w, "LicenseMemo")->Handle()) != FALSE,
                      Lines(In<TCustomMemo>(w, "LicenseMemo")),
                      In<TCustomEdit>(w, "SaveEdit")->Text()};
    }

    // File | Open Project, choosing Name in the dialog.
    void OpenProject(const std::string& Name, TMainForm* Window) {
        TFileDialogDriver user(Name, IDOK);
        ChooseMenu("File", "Open Project", Window);
        user.Join();
        EXPECT_TRUE(user.Found());
        EXPECT_EQ(user.FileTypes, (std::vector<std::string>{"Nimbrel Screensaver Project (*.QLM)"}));
        PumpFor(200);
    }

    // File | Open Project, accepting the name the dialog offers; the boxes
    // that follow are answered with OK and returned.
    std::vector<TSeenDialog> OpenOffered(const std::string& Name, size_t Boxes) {
        Find<TOpenDialog>("OpenProjectDialog")->FileName = Name;
        TDialogAnswerer user;
        ChooseMenu("File", "Open Project");
        EXPECT_TRUE(user.WaitFor(1 + Boxes, 5000));
        PumpFor(300);
        std::vector<TSeenDialog> seen = user.Seen();
        EXPECT_FALSE(seen.empty());
        if (!seen.empty()) {
            EXPECT_EQ(seen[0].Caption, "Open") << "first the file dialog";
            seen.erase(seen.begin());
        }
        return seen;
    }

    // A project file written directly, naming these movies.
    std::string WriteProject(const std::string& Name, const std::vector<std::string>& FlashList) {
        TProject project;
        project.Title = "Written";
        project.LogoFile = form->LogoPath();
        for (const std::string& m : FlashList) project.FlashList->Add(m);
        const std::string file = dir.File(Name);
        WriteProjectFile(project, file);
        return file;
    }
};

TEST_F(ProjectFileWindow, SavedProjectOpensInAFreshWindowWithEveryField) {
    // The user fills in every page.
    Type("TitleEdit", "Deep Sea");
    Type("AuthorEdit", "Example Publisher");
    Type("HomepageEdit", "https://publisher.example.org/");
    Type("EmailEdit", "mail@example.org");
    Type("CopyrightEdit", "(c) Example Publisher");
    const std::string logo = dir.Write("own logo.jpg", TTestFolder::Read(form->LogoPath()));
    {
        TFileDialogDriver user(logo, IDOK);
        Click("ChangeLogoBtn");
    }
    AddMovie(Movies[2]);
    AddMovie(Movies[0]);
    ChooseMenu("Edit", "Settings");
    Click("RandomCheckBox");
    Click("LicenseCheckBox");
    Type("LicenseMemo", "First line\r\rThird line", nullptr, "First line\r\n\r\nThird line");
    ChooseMenu("Edit", "Output");
    Type("SaveEdit", dir.File("package.exe"));
    const TShown filled = Shown(form.get());
    EXPECT_EQ(filled.logo, logo);

    {
        TFileDialogDriver user(dir.File("deep sea"), IDOK);
        ChooseMenu("File", "Save Project");
        user.Join();
        EXPECT_TRUE(user.Found());
        EXPECT_EQ(user.FileTypes, (std::vector<std::string>{"Nimbrel Screensaver Project (*.QLM)"}));
    }
    const std::string file = dir.File("deep sea.qlm");
    const std::string bytes = TTestFolder::Read(file);
    ASSERT_GT(bytes.size(), 12u);
    // One compressed stream, then its two sizes and the count 1.
    int32_t tail[3];
    std::memcpy(tail, bytes.data() + bytes.size() - 12, 12);
    EXPECT_EQ(tail[2], 1);
    EXPECT_EQ(size_t(tail[1]) + 12, bytes.size());
    const std::vector<std::string> streams = InflatedStreams(bytes);
    ASSERT_EQ(streams.size(), 1u);
    EXPECT_EQ(int32_t(streams[0].size()), tail[0]);
    EXPECT_EQ(SplitLines(streams[0])[0], "Deep Sea");

    auto fresh = NewWindow();
    OpenProject(file, fresh.get());
    EXPECT_EQ(Shown(fresh.get()), filled);
    EXPECT_EQ(ActivePage(fresh.get()), 0) << "opening ends on the first page";
    // Each reopened movie came with its own thumbnail.
    for (int i = 0; i < 2; ++i) {
        const TColor centre = ImagePixels(i, fresh.get()).first;
        EXPECT_TRUE(Near(centre, FirstColours[i == 0 ? 2 : 0])) << ColourText(centre);
    }
}

// A movie deep in a folder tree, its path past the classic 260 characters,
// is opened with the project like any other and goes into the package.
TEST_F(ProjectFileWindow, AMovieWithALongPathIsNeitherDroppedNorLeftOutOfThePackage) {
    std::string path = dir.Path();
    std::wstring wide = L"\\\\?\\" + std::filesystem::path(dir.Path()).wstring();
    std::vector<std::wstring> made;
    for (char c : {'d', 'e', 'e', 'p'}) {
        const std::string part(60, c);
        path += "\\" + part;
        wide += L"\\" + std::wstring(part.begin(), part.end());
        ASSERT_TRUE(CreateDirectoryW(wide.c_str(), nullptr));
        made.push_back(wide);
    }
    path += "\\long.swf";
    wide += L"\\long.swf";
    ASSERT_GE(path.size(), 277u);
    const std::string movie = TTestFolder::Read(Movies[1]);
    {
        TFileStream f(path, fmCreate);
        f.WriteBuffer(movie.data(), static_cast<std::int64_t>(movie.size()));
    }
    struct TRemove {
        std::wstring File;
        std::vector<std::wstring> Folders;
        ~TRemove() {
            DeleteFileW(File.c_str());
            for (auto it = Folders.rbegin(); it != Folders.rend(); ++it) RemoveDirectoryW(it->c_str());
        }
    } remove{wide, made};

    const std::string file = WriteProject("long.qlm", {Movies[0], path});
    const std::vector<TSeenDialog> boxes = OpenOffered(file, 0);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Captions(), (std::vector<std::string>{Movies[0], path}));

    ChooseMenu("Edit", "Output");
    Type("SaveEdit", dir.File("package.exe"));
    Click("BuildBtn");
    const std::vector<std::string> streams = InflatedStreams(TTestFolder::Read(dir.File("package.exe")), true);
    ASSERT_EQ(streams.size(), 5u);
    const std::vector<std::string> listed = InflatedStreams(streams[2]);
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[1], movie);
}

TEST_F(ProjectFileWindow, OpeningAppendsAndShowsOneBoxPerListedMovie) {
    AddMovie(Movies[1]);
    AddMovie(Movies[2]);
    const std::string file = WriteProject("three.qlm", {Movies[0], Movies[1], Movies[2]});
    const std::vector<TSeenDialog> boxes = OpenOffered(file, 2);
    ASSERT_EQ(boxes.size(), 2u);
    for (const TSeenDialog& box : boxes) {
        EXPECT_EQ(box.Caption, "Message");
        EXPECT_EQ(box.Text, "This Movie Is Already In The List");
    }
    EXPECT_EQ(Captions(), (std::vector<std::string>{Movies[1], Movies[2], Movies[0]}));
    EXPECT_EQ(Find<TCustomEdit>("TitleEdit")->Text(), "Written");
}

std::string Int32(int32_t V) { return std::string(reinterpret_cast<const char*>(&V), 4); }

TEST_F(ProjectFileWindow, MissingAndMalformedFilesLeaveTheWindowAsItWas) {
    AddMovie(Movies[0]);
    Type("TitleEdit", "Kept");
    ChooseMenu("Edit", "Settings");
    const TShown before = Shown(form.get());
    // A compressed stream holding text that is no project.
    TMemoryStream text;
    text.WriteBuffer("T\r\nL\r\nP\r\nH\r\nE\r\nC\r\ntwo\r\n", 25);
    TCompileStream writer;
    writer.AddStream(&text, true);
    std::string notANumber(static_cast<const char*>(writer.Compile()->Memory()), size_t(writer.Compile()->Size()));

    struct Case {
        std::string name;
        std::string bytes;  // none: no file is written
        std::string error;  // none: no box at all
    };
    const std::vector<Case> cases{
        {"missing.qlm", "", ""},
        {"short.qlm", "ab", "Stream read error"},
        {"empty container.qlm", Int32(0), "List index out of bounds (0)"},
        {"not a number.qlm", notANumber, "'two' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        const std::string file = c.bytes.empty() ? dir.File(c.name) : dir.Write(c.name, c.bytes);
        const std::vector<TSeenDialog> boxes = OpenOffered(file, c.error.empty() ? 0 : 1);
        if (c.error.empty()) {
            EXPECT_TRUE(boxes.empty()) << c.name;
        } else {
            ASSERT_EQ(boxes.size(), 1u) << c.name;
            EXPECT_EQ(boxes[0].Caption, "Nimbrel Tessaloom");
            EXPECT_EQ(boxes[0].Text, c.error) << c.name;
        }
        EXPECT_EQ(Shown(form.get()), before) << c.name;
        EXPECT_EQ(ActivePage(), 2) << c.name;
    }
}

}  // namespace
