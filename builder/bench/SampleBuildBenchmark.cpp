// Times a build of the bundled sample project (its generated movies, several
// MB, and its logo) through the builder's logic, against the bare zlib level-9
// passes over the same bytes in the same run. Fails (exit code 1) when the
// build costs more than 1.3 times those passes.
//
// The project is opened as the window opens it (LoadProject), so the build
// reads the very files the sample names. The native build has no Windows
// programs, so the installer and the runtime beside the builder are stood in
// for by this benchmark's own program file: real machine code, which deflates
// like the real ones. Both sides are measured in processor time of this
// thread, interleaved, best run of each, so other load does not decide it.

#include "BuildTiming.h"
#include "BuilderCore.h"
#include "DecompileUnit.h"
#include "RecordingView.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr double MaxTimeRatio = 1.3;

std::string ReadFile(const fs::path& Path) {
    std::ifstream in(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TBuilderServices Services() {
    TBuilderServices s;
    s.NewBuildId = [] { return std::string("{5A3C1E2F-0B4D-4E6F-8A9B-C0D1E2F3A4B5}"); };
    s.StartProgram = [](const std::string&, const std::string&) {};
    return s;
}

// The builder's window with the sample project opened in it, its output sent
// to a folder of the benchmark's own.
struct Window {
    TRecordingView view;
    TBuilderCore core{view, Services()};
    Window(const fs::path& BuilderFolder, const fs::path& Output) {
        core.BuilderFolder = (BuilderFolder / "").string();
        core.LoadProject(SAMPLE_PROJECT_FILE);
        view.SetOutputFile(Output.string());
    }
};

// What the build must deflate, read back from the files the project names.
struct Inputs {
    std::string runtime, logo, movieContainer, projectText;
    std::vector<std::string> movies;
};

struct Fixture {
    fs::path dir, output;
    Inputs in;
};

Fixture& Files() {
    static Fixture f = [] {
        Fixture x;
        x.dir = fs::temp_directory_path() / ("tessaloom-sample-bench-" + std::to_string(::getpid()));
        fs::create_directories(x.dir);
        const fs::path self = fs::read_symlink("/proc/self/exe");
        fs::copy_file(self, x.dir / "installar.dat");
        fs::copy_file(self, x.dir / "screensaver.dat");
        x.output = x.dir / "SampleScreensaverSetup.exe";

        Window w(x.dir, x.output);
        if (w.view.State.Movies.empty() || !w.view.Errors.empty() || !w.view.Boxes.empty()) {
            std::fprintf(stderr, "the sample project %s did not open cleanly\n", SAMPLE_PROJECT_FILE);
            std::exit(2);
        }
        x.in.runtime = ReadFile(x.dir / "screensaver.dat");
        x.in.logo = ReadFile(w.core.LogoPath);
        for (const TMovieItem& m : w.view.State.Movies) x.in.movies.push_back(ReadFile(m.Caption));
        auto container = w.core.CompileMovies();
        x.in.movieContainer.assign(static_cast<const char*>(container->Memory()),
                                   static_cast<std::size_t>(container->Size()));
        // The project text exactly as the build stores it: from a package of this run.
        if (!w.core.Build()) std::exit(2);
        TMemoryStream package;
        package.LoadFromFile(x.output.string());
        TDecompileStream reader;
        reader.Decompile(&package);
        auto text = reader.GetStream(3, true);
        x.in.projectText.assign(static_cast<const char*>(text->Memory()), static_cast<std::size_t>(text->Size()));
        return x;
    }();
    return f;
}

TBuildTiming timing;

void SampleBuildVersusBareDeflate(benchmark::State& state) {
    Fixture& f = Files();
    Window w(f.dir, f.output);
    timing.Run(state, w.core, f.in);
}

BENCHMARK(SampleBuildVersusBareDeflate)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const Fixture& f = Files();
    std::size_t movieBytes = 0;
    for (const std::string& m : f.in.movies) movieBytes += m.size();
    const auto packageSize = fs::file_size(f.output);
    std::error_code ec;
    fs::remove_all(f.dir, ec);

    std::printf("sample project %s\nmovies: %zu bytes in %zu files; package: %llu bytes\n", SAMPLE_PROJECT_FILE,
                movieBytes, f.in.movies.size(), static_cast<unsigned long long>(packageSize));
    return timing.Report(MaxTimeRatio);
}
