#pragma once
// What the builder's logic needs of its main window. The window implements it
// with its controls; the tests implement it with a recorder. Nothing here
// knows about Win32, so the logic builds and runs anywhere.

#include <string>
#include <vector>

// Page indexes of the main window's page control.
enum TBuilderPage { pgInformation = 0, pgFlashMovies = 1, pgSettings = 2, pgOutput = 3 };

class TBuilderView {
public:
    virtual ~TBuilderView() = default;

    // A modal box with an OK button only.
    virtual void ShowMessage(const std::string& Caption, const std::string& Text) = 0;
    // What the application shows for an exception that it catches.
    virtual void ShowError(const std::string& Text) = 0;
    virtual void SetActivePage(int Index) = 0;

    virtual void ClearLog() = 0;
    virtual void AddLogLine(const std::string& Line) = 0;

    // Information page. LoadLogo puts a picture file into the logo panel and
    // raises the picture loader's error when it cannot.
    virtual std::string Title() = 0;
    virtual void SetTitle(const std::string& Text) = 0;
    virtual void LoadLogo(const std::string& FileName) = 0;
    virtual std::string Publisher() = 0;
    virtual void SetPublisher(const std::string& Text) = 0;
    virtual std::string Homepage() = 0;
    virtual void SetHomepage(const std::string& Text) = 0;
    virtual std::string Email() = 0;
    virtual void SetEmail(const std::string& Text) = 0;
    virtual std::string Copyright() = 0;
    virtual void SetCopyright(const std::string& Text) = 0;

    // Settings page.
    virtual bool RandomPlay() = 0;
    virtual void SetRandomPlay(bool Checked) = 0;
    virtual bool ShowLicense() = 0;
    virtual void SetShowLicense(bool Checked) = 0;
    virtual void SetLicenseEnabled(bool Enabled) = 0;
    virtual std::vector<std::string> LicenseLines() = 0;
    virtual void SetLicenseLines(const std::vector<std::string>& Lines) = 0;

    // Output page.
    virtual std::string OutputFile() = 0;
    virtual void SetOutputFile(const std::string& Text) = 0;

    // Movie page. Setting the movie edit previews the movie and captures its
    // thumbnail when the file exists; AddThumbnail appends a copy of the last
    // thumbnail to the image list and returns its index there.
    virtual std::string MovieEdit() = 0;
    virtual void SetMovieEdit(const std::string& Path) = 0;
    virtual int AddThumbnail() = 0;

    // The movie list: items with a caption (the movie's path) and an index
    // into the image list; Selected is -1 when no item is selected.
    virtual int MovieCount() = 0;
    virtual std::string MovieCaption(int Index) = 0;
    virtual int MovieImage(int Index) = 0;
    virtual void AppendMovie(const std::string& Caption, int Image) = 0;
    virtual void SetMovie(int Index, const std::string& Caption, int Image) = 0;
    virtual void DeleteMovie(int Index) = 0;
    virtual int SelectedMovie() = 0;
};
