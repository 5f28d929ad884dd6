#pragma once
// A builder core on a recording window, with its folder in a fresh temporary
// folder holding an installer, a runtime, a logo and three movies.

#include "BuilderCore.h"
#include "PackageBytes.h"
#include "RecordingView.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

// Bytes that look a little like a movie: a header, repeated records, noise.
inline std::string MovieLike(unsigned Seed, std::size_t Size) {
    std::string s = "FWS\x08";
    unsigned x = Seed * 7919u + 17u;
    while (s.size() < Size) {
        x = x * 1103515245u + 12345u;
        if ((x >> 28) < 5) s += "PlaceObject" + std::to_string(x % 97);
        else s += static_cast<char>(x >> 20);
    }
    s.resize(Size);
    return s;
}

class BuilderTest : public ::testing::Test {
protected:
    BuilderTest() : core(view, Services()) {
        core.BuilderFolder = dir.Folder();
        installer = MovieLike(1, 3000);
        runtime = MovieLike(2, 5000);
        logo = MovieLike(3, 700);
        dir.Write("installar.dat", installer);
        dir.Write("screensaver.dat", runtime);
        core.LogoPath = dir.Write("logo.jpg", logo);
        for (unsigned i = 0; i < 3; ++i) movies.push_back(dir.Write("movie" + std::to_string(i) + ".swf", MovieLike(10 + i, 4000 + 900 * i)));
    }

    TBuilderServices Services() {
        TBuilderServices s;
        s.NewBuildId = [this] { return Format("{00000000-0000-0000-0000-%012d}", ++ids); };
        s.StartProgram = [this](const std::string& File, const std::string& Parameters) { started.emplace_back(File, Parameters); };
        return s;
    }

    // Puts a movie into the list the way the user does: name it, then Add.
    void AddMovie(const std::string& Path) {
        view.SetActivePage(pgFlashMovies);
        view.SetMovieEdit(Path);
        core.AddMovie();
    }

    // A window filled in completely, ready to build.
    void FillWindow() {
        view.State.Title = "Deep Sea";
        view.State.Publisher = "Example Publisher";
        view.State.Homepage = "http://example.org/";
        view.State.Email = "mail@example.org";
        view.State.Copyright = "(c) Example";
        view.State.RandomPlay = true;
        view.State.ShowLicense = true;
        view.State.LicenseLines = {"First line", "", "Third line"};
        view.State.OutputFile = dir.File("package.exe");
        for (const std::string& m : movies) AddMovie(m);
        view.Pages.clear();
    }

    TTestFolder dir;
    TRecordingView view;
    int ids = 0;
    std::vector<std::pair<std::string, std::string>> started;
    TBuilderCore core;
    std::string installer, runtime, logo;
    std::vector<std::string> movies;
};
