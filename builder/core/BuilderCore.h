#pragma once
// The builder's logic behind its main window: start-up decisions, the movie
// list, project files, the build of an installation package and Install Now.
// It reads and changes the window only through TBuilderView; the things that
// differ between a real run and a test (new build identifiers, starting a
// program) come in as services.

#include "BuilderView.h"
#include "Object.h"
#include "Streams.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TProject;

struct TBuilderServices {
    // A new GUID in its 38-character brace form.
    std::function<std::string()> NewBuildId;
    // Starts a program or document with parameters (the shell's "open").
    std::function<void(const std::string& File, const std::string& Parameters)> StartProgram;
};

// Which popup menu items of the movie list can be chosen.
struct TMoviePopupState {
    bool Add = true;
    bool Remove = false;
    bool MoveUp = false;
    bool MoveDown = false;
    bool Play = false;
};

class TBuilderCore : public TObject {
public:
    TBuilderCore(TBuilderView& View, TBuilderServices Services);
    std::string ClassName() const override { return "TBuilderCore"; }

    // Folder of the builder program with its trailing separator; the
    // installer, runtime and default logo are read from there.
    std::string BuilderFolder;
    // The logo the window shows; saved and built with the project.
    std::string LogoPath;
    // The project file last opened or saved in this window, if any: a build
    // must not write its package over it.
    std::string ProjectFile;

    // Start-up: shows the default "logo.jpg" of the builder's folder. A
    // missing or unreadable logo is reported and start-up goes on.
    void ShowDefaultLogo();
    // Start-up: a ".swf" first argument is previewed on the movie page, a
    // ".qlm" one opened as a project (any letter case); anything else is left.
    void OpenStartupFile(const std::vector<std::string>& Args);
    void ChangeLogo(const std::string& FileName);
    // A file the user picked in a file dialog, whose name the system code
    // page cannot hold (the dialog then gives "?" in its place, a character
    // no file name has), is refused with a box saying why: projects keep
    // paths in that code page, and no later step could reach the file.
    bool AcceptPickedFile(const std::string& FileName);

    // The movie list.
    void AddMovie();
    void RemoveMovie();
    void MoveMovieUp();
    void MoveMovieDown();
    void PlayMovie();
    TMoviePopupState PopupState();

    // Project files: one compressed stream holding the project text. A logo
    // that cannot be shown is reported after the rest has been loaded, and
    // the window keeps its own.
    void LoadProject(const std::string& FileName);
    void SaveProject(const std::string& FileName);

    // Writes the installation package named in the output field, logging each
    // step. Returns true when the package was written, false when a check
    // failed (reported in a box); file and stream errors are raised.
    bool Build();
    // The movie container: one compressed stream per listed movie, in order.
    std::unique_ptr<TMemoryStream> CompileMovies();
    // Builds, then starts the package just written with "/auto"; starts
    // nothing when the build did not write it.
    void InstallNow();

private:
    // The name of the package written, or nothing after a failed check.
    std::optional<std::string> BuildPackage();
    void FillProject(TProject& Project);
    bool CheckFailed(const std::string& Text, int Page);
    std::string InputNamedBy(const std::string& OutputFile);

    TBuilderView& view_;
    TBuilderServices services_;
};
