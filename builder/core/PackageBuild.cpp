#include "BuilderCore.h"

#include "BuilderFiles.h"
#include "CompileUnit.h"
#include "Exceptions.h"
#include "FileStream.h"
#include "ProjectUnit.h"
#include "SafeSave.h"
#include "SysUtils.h"

namespace {

const char* const Separator = "========================================";

void AddFile(TCompileStream& Writer, const std::string& FileName, bool Compress) {
    TFileStream file(FileName, fmOpenRead | fmShareDenyNone);
    Writer.AddStream(&file, Compress);
}

// The installer names the screensaver file after the title, dropping blanks
// at either end and dots at its end; a title of nothing else would leave no
// name of its own, and every such screensaver would replace the others.
bool TitleNamesAFile(const std::string& Title) {
    const std::string trimmed = Trim(Title);
    return trimmed.find_first_not_of(" .") != std::string::npos;
}

}  // namespace

std::unique_ptr<TMemoryStream> TBuilderCore::CompileMovies() {
    TCompileStream writer;
    for (int i = 0, n = view_.MovieCount(); i < n; ++i) AddFile(writer, view_.MovieCaption(i), true);
    auto result = std::make_unique<TMemoryStream>();
    result->LoadFromStream(writer.Compile());
    return result;
}

bool TBuilderCore::CheckFailed(const std::string& Text, int Page) {
    view_.ShowMessage("Error", Text);
    view_.SetActivePage(Page);
    return true;
}

// Writing the package over one of the files it is made from would destroy
// that file (the installer or runtime beside the builder, the logo or a
// movie): the first such input is returned.
std::string TBuilderCore::InputNamedBy(const std::string& OutputFile) {
    std::vector<std::string> inputs = {BuilderFolder + "installar.dat", BuilderFolder + "screensaver.dat", LogoPath};
    for (int i = 0, n = view_.MovieCount(); i < n; ++i) inputs.push_back(view_.MovieCaption(i));
    for (const std::string& input : inputs)
        if (TBuilderFiles::Same(OutputFile, input)) return input;
    return {};
}

std::optional<std::string> TBuilderCore::BuildPackage() {
    view_.ClearLog();
    view_.AddLogLine("Start to Build the Screensaver Installar");
    view_.AddLogLine(Separator);
    view_.AddLogLine("Checking input data...");

    // The name is used as typed; only the check ignores surrounding blanks.
    const std::string output = view_.OutputFile();
    std::string input;
    bool failed = false;
    if (Trim(view_.Title()).empty())
        failed = CheckFailed("Please Enter A Title", pgInformation);
    else if (!TitleNamesAFile(view_.Title()))
        failed = CheckFailed("The Title Must Hold A Character Other Than Blanks And Dots:\r\n"
                             "The Installed Screensaver File Is Named After It",
                             pgInformation);
    else if (view_.MovieCount() == 0)
        failed = CheckFailed("Please Add Flash Movies", pgFlashMovies);
    else if (Trim(output).empty())
        failed = CheckFailed("Please Enter Output File", pgOutput);
    else if (!(input = InputNamedBy(output)).empty())
        failed = CheckFailed(Format("The Output File Is One Of The Files The Package Is Built From:\r\n%s\r\n"
                                    "Please Choose Another Output File",
                                    input),
                             pgOutput);
    else if (!ProjectFile.empty() && TBuilderFiles::Same(output, ProjectFile))
        failed = CheckFailed(Format("The Output File Is The Open Project File:\r\n%s\r\n"
                                    "Please Choose Another Output File",
                                    ProjectFile),
                             pgOutput);

    if (!failed) {
        TCompileStream package;
        view_.AddLogLine("Loading Installar Program...");
        AddFile(package, BuilderFolder + "installar.dat", false);
        view_.AddLogLine("Loading Screensaver Program...");
        AddFile(package, BuilderFolder + "screensaver.dat", true);
        view_.AddLogLine("Loading and Compressing Flash Movies...");
        package.AddStream(CompileMovies().get(), true);

        TProject project;
        FillProject(project);
        project.BuildId = services_.NewBuildId();
        project.SaveToStream();
        package.AddStream(project.ProjectStream.get(), true);
        AddFile(package, LogoPath, true);

        view_.AddLogLine("Saving data...");
        SaveReplacing(*package.Compile(), output);
        view_.AddLogLine("Screensaver Installation Package Has Been Built Successfully");
    }
    view_.AddLogLine(Separator);
    view_.AddLogLine("Completed");
    if (failed) return std::nullopt;
    return output;
}

bool TBuilderCore::Build() { return BuildPackage().has_value(); }

void TBuilderCore::InstallNow() {
    // Only a package this build has just written is started: never an older
    // file of that name, nor whatever program the output field names.
    if (const auto package = BuildPackage()) services_.StartProgram(*package, "/auto");
}
