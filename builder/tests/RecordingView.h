#pragma once
// A stand-in for the main window: keeps the fields as plain values and
// records every box, error, page switch and log line in order.

#include "BuilderFiles.h"
#include "BuilderView.h"
#include "Exceptions.h"
#include "SysUtils.h"

#include <string>
#include <utility>
#include <vector>

struct TMovieItem {
    std::string Caption;
    int Image = -1;
    bool operator==(const TMovieItem&) const = default;
};

// Everything the window shows, so a test can tell that nothing changed.
struct TWindowState {
    std::string Title, Publisher, Homepage, Email, Copyright, Logo;
    bool RandomPlay = false, ShowLicense = false, LicenseEnabled = false;
    std::vector<std::string> LicenseLines;
    std::string OutputFile, MovieEdit, Thumbnail;
    std::vector<TMovieItem> Movies;
    std::vector<std::string> Images;  // the image list: the movie each thumbnail was taken from
    int Selected = -1;
    int Page = 0;
    bool operator==(const TWindowState&) const = default;
};

class TRecordingView : public TBuilderView {
public:
    TWindowState State;
    std::vector<std::pair<std::string, std::string>> Boxes;  // caption, text
    std::vector<std::string> Errors;
    std::vector<int> Pages;
    std::vector<std::string> Log;
    std::vector<std::string> Previews;  // paths previewed, in order

    void ShowMessage(const std::string& Caption, const std::string& Text) override { Boxes.emplace_back(Caption, Text); }
    void ShowError(const std::string& Text) override { Errors.push_back(Text); }
    void SetActivePage(int Index) override {
        State.Page = Index;
        Pages.push_back(Index);
    }
    void ClearLog() override { Log.clear(); }
    void AddLogLine(const std::string& Line) override { Log.push_back(Line); }

    std::string Title() override { return State.Title; }
    void SetTitle(const std::string& Text) override { State.Title = Text; }
    // Like the picture loader: a missing file is the file stream's error.
    void LoadLogo(const std::string& FileName) override {
        if (!TBuilderFiles::Exists(FileName)) throw EFOpenError(Format("Cannot open file %s", FileName));
        State.Logo = FileName;
    }
    std::string Publisher() override { return State.Publisher; }
    void SetPublisher(const std::string& Text) override { State.Publisher = Text; }
    std::string Homepage() override { return State.Homepage; }
    void SetHomepage(const std::string& Text) override { State.Homepage = Text; }
    std::string Email() override { return State.Email; }
    void SetEmail(const std::string& Text) override { State.Email = Text; }
    std::string Copyright() override { return State.Copyright; }
    void SetCopyright(const std::string& Text) override { State.Copyright = Text; }

    bool RandomPlay() override { return State.RandomPlay; }
    void SetRandomPlay(bool Checked) override { State.RandomPlay = Checked; }
    bool ShowLicense() override { return State.ShowLicense; }
    void SetShowLicense(bool Checked) override { State.ShowLicense = Checked; }
    void SetLicenseEnabled(bool Enabled) override { State.LicenseEnabled = Enabled; }
    std::vector<std::string> LicenseLines() override { return State.LicenseLines; }
    void SetLicenseLines(const std::vector<std::string>& Lines) override { State.LicenseLines = Lines; }

    std::string OutputFile() override { return State.OutputFile; }
    void SetOutputFile(const std::string& Text) override { State.OutputFile = Text; }

    std::string MovieEdit() override { return State.MovieEdit; }
    // The window previews an existing movie and takes its thumbnail from the
    // movie page, which therefore has to be showing.
    void SetMovieEdit(const std::string& Path) override {
        State.MovieEdit = Path;
        if (!TBuilderFiles::Exists(Path)) return;
        Previews.push_back(Path);
        State.Thumbnail = State.Page == pgFlashMovies ? Path : "(wrong page)";
    }
    int AddThumbnail() override {
        State.Images.push_back(State.Thumbnail);
        return static_cast<int>(State.Images.size()) - 1;
    }

    int MovieCount() override { return static_cast<int>(State.Movies.size()); }
    std::string MovieCaption(int Index) override { return State.Movies.at(static_cast<std::size_t>(Index)).Caption; }
    int MovieImage(int Index) override { return State.Movies.at(static_cast<std::size_t>(Index)).Image; }
    void AppendMovie(const std::string& Caption, int Image) override { State.Movies.push_back({Caption, Image}); }
    void SetMovie(int Index, const std::string& Caption, int Image) override {
        State.Movies.at(static_cast<std::size_t>(Index)) = {Caption, Image};
    }
    void DeleteMovie(int Index) override {
        State.Movies.erase(State.Movies.begin() + Index);
        if (State.Selected >= MovieCount()) State.Selected = -1;
    }
    int SelectedMovie() override { return State.Selected; }
};
