// The builder opening a project file and the files it names, on any bytes
// (see FuzzInput.h for how they are cut into a project, a logo and movies).
// Opening may fail with the library's errors, never crash or run without end.
// A project that opens shows each existing movie it names once, in order;
// those movies pack into a container holding exactly their bytes; and saved
// again and reopened, it gives the same window.

#include "BitmapFile.h"
#include "BuilderCore.h"
#include "BuilderFiles.h"
#include "CompileUnit.h"
#include "DecompileUnit.h"
#include "Exceptions.h"
#include "FuzzInput.h"
#include "ProjectUnit.h"
#include "RecordingView.h"
#include "SwfMovie.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#ifndef TESSALOOM_FUZZ_FILES
#error "the build names the folder for the files this target writes"
#endif

namespace {

using namespace ProjectFuzzInput;
namespace fs = std::filesystem;

// The window as far as loading reaches it natively: a ".bmp" logo is read by
// the bitmap reader, a movie shown in the preview by the movie reader.
class TFuzzView : public TRecordingView {
public:
    // A logo that cannot be read leaves the shown one as it was, as the
    // window's picture does: read it before recording it.
    void LoadLogo(const std::string& FileName) override {
        if (FileName.ends_with(".bmp") && TBuilderFiles::Exists(FileName)) {
            const std::string bytes = ReadFile(FileName);
            ParseBmp(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), true);
        }
        TRecordingView::LoadLogo(FileName);
    }
    void SetMovieEdit(const std::string& Path) override {
        TRecordingView::SetMovieEdit(Path);
        if (TBuilderFiles::Exists(Path) && TSwfMovie::FromFile(Path)->Frames.empty()) std::abort();
    }

    static std::string ReadFile(const std::string& Path) {
        std::ifstream f(Path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    }
};

// One folder per process, so that parallel workers never share files; it is
// emptied for every input. libFuzzer ends without running destructors, so
// each process removes the folders of processes that are gone.
const fs::path& Folder() {
    static const fs::path folder = [] {
        const fs::path all = TESSALOOM_FUZZ_FILES;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(all, ec)) {
            const std::string name = entry.path().filename().string();
            char* end = nullptr;
            const long pid = std::strtol(name.c_str(), &end, 10);
            if (pid > 0 && *end == '\0' && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
                fs::remove_all(entry.path(), ec);
        }
        return all / std::to_string(::getpid());
    }();
    return folder;
}

void WriteFile(const fs::path& Path, std::string_view Bytes) {
    std::ofstream(Path, std::ios::binary).write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
}

std::string Replaced(std::string Text, std::string_view From, const std::string& To) {
    for (std::size_t at = 0; (at = Text.find(From, at)) != std::string::npos; at += To.size())
        Text.replace(at, From.size(), To);
    return Text;
}

std::string ProjectFileFromParts(std::string_view Input) {
    std::vector<std::string> parts(1);
    for (char c : Input) {
        if (c == PartSeparator && parts.size() < 2 + MaxMovies)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    const std::string folder = Folder().string() + "/";
    if (parts.size() > 1) WriteFile(Folder() / LogoName, parts[1]);
    for (std::size_t i = 2; i < parts.size(); ++i)
        WriteFile(Folder() / (std::string(MoviePrefix) + std::to_string(i - 1) + std::string(MovieSuffix)), parts[i]);

    TMemoryStream text;
    const std::string project = Replaced(parts[0], MoviesFolder, folder);
    text.WriteBuffer(project.data(), static_cast<std::int64_t>(project.size()));
    TCompileStream writer;
    writer.AddStream(&text, true);
    TMemoryStream* file = writer.Compile();
    return std::string(static_cast<const char*>(file->Memory()), static_cast<std::size_t>(file->Size()));
}

TBuilderServices NoServices() {
    return {[] { return std::string("{00000000-0000-0000-0000-000000000000}"); },
            [](const std::string&, const std::string&) { std::abort(); }};
}

// The movies the window must list: each existing one the project names, once.
std::vector<std::string> ExpectedMovies(const std::string& ProjectFile) {
    TMemoryStream source;
    const std::string bytes = TFuzzView::ReadFile(ProjectFile);
    source.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    TDecompileStream reader;
    reader.Decompile(&source);
    TProject project;
    project.ProjectStream->LoadFromStream(reader.GetStream(0, true).get());
    project.LoadFromStream();
    std::vector<std::string> movies;
    for (int i = 0; i < project.FlashList->Count(); ++i) {
        const std::string m = project.FlashList->Strings(i);
        if (TBuilderFiles::Exists(m) && std::find(movies.begin(), movies.end(), m) == movies.end()) movies.push_back(m);
    }
    return movies;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    if (Size == 0) return 0;
    std::error_code ec;
    fs::remove_all(Folder(), ec);
    fs::create_directories(Folder());

    const std::string_view input(reinterpret_cast<const char*>(Data) + 1, Size - 1);
    const std::string projectFile = (Folder() / "project.qlm").string();
    WriteFile(projectFile, Data[0] & 1 ? std::string(input) : ProjectFileFromParts(input));

    TFuzzView view;
    TBuilderCore core(view, NoServices());
    try {
        core.LoadProject(projectFile);
    } catch (const Exception&) {
        return 0;
    }

    std::vector<std::string> listed;
    for (const TMovieItem& m : view.State.Movies) listed.push_back(m.Caption);
    if (listed != ExpectedMovies(projectFile)) std::abort();

    auto container = core.CompileMovies();
    TDecompileStream movies;
    movies.Decompile(container.get());
    if (movies.Count() != static_cast<int>(listed.size())) std::abort();
    for (int i = 0; i < movies.Count(); ++i) {
        auto s = movies.GetStream(i, true);
        const std::string packed(static_cast<const char*>(s->Memory()), static_cast<std::size_t>(s->Size()));
        if (packed != TFuzzView::ReadFile(listed[static_cast<std::size_t>(i)])) std::abort();
    }

    const std::string savedFile = (Folder() / "saved.qlm").string();
    core.SaveProject(savedFile);
    TFuzzView again;
    TBuilderCore reopened(again, NoServices());
    reopened.LoadProject(savedFile);
    // The movie edit keeps the last name the project gave, which need not be
    // a movie that was listed and saved.
    TWindowState first = view.State, second = again.State;
    first.MovieEdit = second.MovieEdit = first.Thumbnail = second.Thumbnail = "";
    if (!(first == second)) std::abort();
    return 0;
}
