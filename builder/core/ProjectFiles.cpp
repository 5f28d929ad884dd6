#include "BuilderCore.h"

#include "BuilderFiles.h"
#include "CompileUnit.h"
#include "DecompileUnit.h"
#include "Exceptions.h"
#include "FileStream.h"
#include "ProjectUnit.h"
#include "SafeSave.h"
#include "SysUtils.h"

void TBuilderCore::FillProject(TProject& Project) {
    Project.Title = view_.Title();
    Project.LogoFile = LogoPath;
    Project.Publisher = view_.Publisher();
    Project.Homepage = view_.Homepage();
    Project.Email = view_.Email();
    Project.Copyright = view_.Copyright();
    Project.FlashList->Clear();
    for (int i = 0, n = view_.MovieCount(); i < n; ++i) Project.FlashList->Add(view_.MovieCaption(i));
    Project.RandomPlay = view_.RandomPlay();
    Project.ShowLicense = view_.ShowLicense();
    Project.LicenseText->Clear();
    for (const std::string& line : view_.LicenseLines()) Project.LicenseText->Add(line);
    Project.OutputFile = view_.OutputFile();
}

void TBuilderCore::LoadProject(const std::string& FileName) {
    if (!TBuilderFiles::Exists(FileName)) return;

    // The whole text is parsed before the window is touched, so a damaged
    // file leaves the window as it was.
    TProject project;
    {
        TFileStream file(FileName, fmOpenRead | fmShareDenyNone);
        TDecompileStream reader;
        reader.Decompile(&file);
        project.ProjectStream->LoadFromStream(reader.GetStream(0, true).get());
    }
    project.LoadFromStream();

    view_.SetActivePage(pgInformation);
    view_.SetTitle(project.Title);
    // A project moved to another computer often lacks its logo: the rest of
    // it still comes in, the window keeps the logo it shows, and the user is
    // told which file was not found once the project is in.
    std::string logoProblem;
    try {
        view_.LoadLogo(project.LogoFile);
        LogoPath = project.LogoFile;
    } catch (const Exception& e) {
        logoProblem = TBuilderFiles::Exists(project.LogoFile)
                          ? Format("The Logo File Of The Project Cannot Be Read:\r\n%s\r\n%s\r\n"
                                   "The Current Logo Is Kept",
                                   project.LogoFile, e.Message())
                          : Format("The Logo File Of The Project Is Missing:\r\n%s\r\nThe Current Logo Is Kept",
                                   project.LogoFile);
    }
    view_.SetPublisher(project.Publisher);
    view_.SetHomepage(project.Homepage);
    view_.SetEmail(project.Email);
    view_.SetCopyright(project.Copyright);

    // The thumbnails are taken from the screen, so the movie page must be
    // the one showing while the movies are added.
    // A movie that is not there is left out without a word, as the movie
    // page does; one the system cannot even look for is named to the user.
    view_.SetActivePage(pgFlashMovies);
    std::string unreachable;
    for (int i = 0, n = project.FlashList->Count(); i < n; ++i) {
        const std::string movie = project.FlashList->Strings(i);
        if (TBuilderFiles::Unreachable(movie)) unreachable += "\r\n" + movie;
        view_.SetMovieEdit(movie);
        AddMovie();
    }

    view_.SetActivePage(pgSettings);
    view_.SetRandomPlay(project.RandomPlay);
    view_.SetShowLicense(project.ShowLicense);
    view_.SetLicenseEnabled(project.ShowLicense);
    std::vector<std::string> lines;
    for (int i = 0, n = project.LicenseText->Count(); i < n; ++i) lines.push_back(project.LicenseText->Strings(i));
    view_.SetLicenseLines(lines);

    view_.SetActivePage(pgOutput);
    view_.SetOutputFile(project.OutputFile);
    view_.SetActivePage(pgInformation);
    ProjectFile = FileName;
    if (!logoProblem.empty()) view_.ShowMessage("Message", logoProblem);
    if (!unreachable.empty())
        view_.ShowMessage("Message", "These Movies Of The Project Cannot Be Reached And Were Left Out:" + unreachable);
}

void TBuilderCore::SaveProject(const std::string& FileName) {
    TProject project;
    FillProject(project);
    project.BuildId.clear();
    project.SaveToStream();
    TCompileStream writer;
    writer.AddStream(project.ProjectStream.get(), true);
    SaveReplacing(*writer.Compile(), FileName);
    ProjectFile = FileName;
}
