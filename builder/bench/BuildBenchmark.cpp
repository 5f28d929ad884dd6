// Times a whole build of an installation package through the builder's logic
// (files read, movies deflated into their container, the container deflated
// again, project text, logo, the package written beside and moved into place)
// against the bare zlib level-9 passes over the same bytes in the same run.
// Fails (exit code 1) when the build costs more than 1.3 times those passes.
// Both sides are measured in processor time of this thread, interleaved, and
// the best run of each is compared, so load from other programs does not
// decide the result.

#include "BuildTiming.h"
#include "BuilderCore.h"
#include "DecompileUnit.h"
#include "RecordingView.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr double MaxTimeRatio = 1.3;

// Movie-like bytes: a Flash header, then alternating runs of tag records with
// small varying numbers (shapes, scripts: they compress well) and of noise
// (embedded pictures and sound: they do not).
std::string MovieBytes(unsigned Seed, std::size_t Size) {
    static const char* const tags[] = {"\x3f\x03", "DefineBits", "\x40\x00\x00\x00", "onClipEvent", "stop();",
                                       "\xbf\x06", "loadMovie", "_level0"};
    std::string s = "FWS\x07";
    s.reserve(Size + 64);
    std::uint32_t x = Seed ^ 0x9e3779b9u;
    auto next = [&x] {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        return x;
    };
    while (s.size() < Size) {
        const std::size_t run = 2048 + next() % 30000;
        const std::size_t end = std::min(Size, s.size() + run);
        if (next() % 3 == 0) {
            while (s.size() < end) s += static_cast<char>(next());
        } else {
            while (s.size() < end) {
                s += tags[next() % 8];
                s += static_cast<char>(next() % 16);
                s += static_cast<char>(next() % 4);
            }
        }
    }
    s.resize(Size);
    return s;
}

struct Fixture {
    fs::path dir;
    std::string installer, runtime, logo;
    std::vector<std::string> movieNames, movies;
    std::string movieContainer;  // the container's bytes, for the bare side
    std::string projectText;     // as the build writes it, for the bare side
};

void WriteFile(const fs::path& Path, const std::string& Bytes) {
    std::ofstream out(Path, std::ios::binary | std::ios::trunc);
    out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
}

std::string ReadFile(const fs::path& Path) {
    std::ifstream in(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A window filled in as a user would for the fixture's project.
struct Window {
    TRecordingView view;
    TBuilderCore core;
    explicit Window(const Fixture& F) : core(view, Services()) {
        core.BuilderFolder = (F.dir / "").string();
        core.LogoPath = (F.dir / "logo.jpg").string();
        view.State.Title = "Benchmark";
        view.State.Publisher = "Publisher";
        view.State.LicenseLines = {"Line one", "Line two"};
        view.State.OutputFile = (F.dir / "package.exe").string();
        for (const std::string& name : F.movieNames) view.State.Movies.push_back({(F.dir / name).string(), 0});
    }
    static TBuilderServices Services() {
        TBuilderServices s;
        s.NewBuildId = [] { return std::string("{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}"); };
        s.StartProgram = [](const std::string&, const std::string&) {};
        return s;
    }
};

std::vector<std::string> ContainerStreams(const std::string& Bytes);

Fixture& Files() {
    static Fixture f = [] {
        Fixture x;
        x.dir = fs::temp_directory_path() / ("tessaloom-build-bench-" + std::to_string(::getpid()));
        fs::create_directories(x.dir);
        x.installer = MovieBytes(7, 160 * 1024);
        x.runtime = MovieBytes(8, 450 * 1024);
        x.logo = MovieBytes(9, 30 * 1024);
        WriteFile(x.dir / "installar.dat", x.installer);
        WriteFile(x.dir / "screensaver.dat", x.runtime);
        WriteFile(x.dir / "logo.jpg", x.logo);
        const std::size_t sizes[] = {1500000, 1100000, 1700000, 700000, 1300000};
        for (unsigned i = 0; i < 5; ++i) {
            x.movieNames.push_back("movie " + std::to_string(i) + ".swf");
            x.movies.push_back(MovieBytes(100 + i, sizes[i]));
            WriteFile(x.dir / x.movieNames.back(), x.movies.back());
        }
        // One build outside the timing gives the exact bytes both sides deflate.
        Window w(x);
        auto container = w.core.CompileMovies();
        x.movieContainer.assign(static_cast<const char*>(container->Memory()), static_cast<std::size_t>(container->Size()));
        w.core.Build();
        x.projectText = ContainerStreams(ReadFile(x.dir / "package.exe")).at(3);
        return x;
    }();
    return f;
}

std::vector<std::string> ContainerStreams(const std::string& Bytes) {
    TMemoryStream source;
    source.WriteBuffer(Bytes.data(), static_cast<std::int64_t>(Bytes.size()));
    TDecompileStream reader;
    reader.Decompile(&source);
    std::vector<std::string> streams;
    for (int i = 1; i < reader.Count(); ++i) {
        auto s = reader.GetStream(i, true);
        streams.emplace_back(static_cast<const char*>(s->Memory()), static_cast<std::size_t>(s->Size()));
    }
    streams.insert(streams.begin(), std::string());  // stream 0 is raw and not read back
    return streams;
}

TBuildTiming timing;

void BuildVersusBareDeflate(benchmark::State& state) {
    const Fixture& f = Files();
    Window w(f);
    timing.Run(state, w.core, f);
}

BENCHMARK(BuildVersusBareDeflate)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const Fixture& f = Files();
    std::size_t movieBytes = 0;
    for (const std::string& m : f.movies) movieBytes += m.size();
    const auto packageSize = fs::file_size(f.dir / "package.exe");
    std::error_code ec;
    fs::remove_all(f.dir, ec);

    std::printf("movies: %zu bytes in %zu files; package: %llu bytes\n", movieBytes, f.movies.size(),
                static_cast<unsigned long long>(packageSize));
    return timing.Report(MaxTimeRatio);
}
