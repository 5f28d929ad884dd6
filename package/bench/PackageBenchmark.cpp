// Builds an installation package the way the builder does (each movie file
// deflated into a movie container, that container deflated again as one
// stream of the package) and times it against bare zlib level-9 passes over
// the same bytes. Fails (exit code 1) when the container code costs more than
// 15% over those passes, or when the build's peak memory exceeds three times
// the package size. The times compared are processor times of the building
// thread, so other load on the machine does not decide the result.
//
// Peak memory is counted exactly: this program replaces the global operator
// new/delete and sums the usable size of every live block; zlib's working
// memory is drawn from the same operator new by the stream wrappers. The peak
// is taken over the whole build, from opening the first file to saving the
// package, above what was live before it started.

#include "CompileUnit.h"
#include "FileStream.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <malloc.h>
#include <unistd.h>
#include <new>
#include <string>
#include <vector>
#include <zlib.h>

namespace {

std::atomic<std::int64_t> liveBytes{0};
std::atomic<std::int64_t> peakBytes{0};

// Out of line, so the compiler does not pair an inlined free with a new.
[[gnu::noinline]] void* Allocate(std::size_t n) {
    void* p = std::malloc(n ? n : 1);
    if (p) {
        const std::int64_t now = liveBytes += static_cast<std::int64_t>(malloc_usable_size(p));
        std::int64_t peak = peakBytes.load(std::memory_order_relaxed);
        while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {
        }
    }
    return p;
}

[[gnu::noinline]] void Release(void* p) {
    if (!p) return;
    liveBytes -= static_cast<std::int64_t>(malloc_usable_size(p));
    std::free(p);
}

}  // namespace

void* operator new(std::size_t n) {
    if (void* p = Allocate(n)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n) { return operator new(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return Allocate(n); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return Allocate(n); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr double MaxTimeRatio = 1.15;
constexpr double MaxMemoryRatio = 3.0;

// Movie-like bytes: stretches of tag records drawn from a small vocabulary
// (compress well, as shapes and scripts do) between stretches of noise (as
// embedded JPEG and MP3 data, which do not compress).
std::string MovieBytes(unsigned seed, std::size_t size) {
    static const char* words[] = {"DefineShape", "PlaceObject2", "ShowFrame", "DoAction", "\x3f\x03\x12\x00",
                                  "\x00\x00\x80\x3f", "gotoAndPlay", "_root.clip", "\x88\x13\x00\x00"};
    std::string s = "FWS\x06";
    unsigned x = seed * 2654435761u + 1;
    auto next = [&x] { return x = x * 1664525u + 1013904223u; };
    while (s.size() < size) {
        const std::size_t run = 4096 + next() % 61440;
        if (next() % 2) {
            for (std::size_t i = 0; i < run; ++i) s += static_cast<char>(next() >> 24);
        } else {
            while (s.size() < size && run > 0 && s.size() % run != 0) {
                s += words[next() % 9];
                s += static_cast<char>(next() % 8);
            }
            for (std::size_t i = 0; i < run / 16; ++i) {
                s += words[next() % 9];
                s += static_cast<char>('0' + next() % 4);
            }
        }
    }
    s.resize(size);
    return s;
}

struct Input {
    std::string name;
    std::string bytes;
};

struct Fixture {
    fs::path dir;
    Input installer, runtime, logo, projectText;
    std::vector<Input> movies;
    std::int64_t packageSize = 0;
};

void WriteFile(const fs::path& path, const std::string& bytes) {
    TFileStream f(path.string(), fmCreate);
    f.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

Fixture& Files() {
    static Fixture f = [] {
        Fixture x;
        x.dir = fs::temp_directory_path() / ("tessaloom-bench-" + std::to_string(::getpid()));
        fs::create_directories(x.dir);
        x.installer = {"installar.dat", MovieBytes(101, 180 * 1024)};
        x.runtime = {"screensaver.dat", MovieBytes(102, 420 * 1024)};
        x.logo = {"logo.jpg", MovieBytes(103, 24 * 1024)};
        x.projectText = {"project.txt", "Title\r\nlogo.jpg\r\nPub\r\nhttp://x/\r\nm@x\r\n(c)\r\n6\r\n"};
        const std::size_t sizes[] = {1400000, 900000, 1700000, 600000, 1200000, 800000};
        for (unsigned i = 0; i < 6; ++i) {
            x.movies.push_back({"movie" + std::to_string(i) + ".swf", MovieBytes(i + 1, sizes[i])});
            x.projectText.bytes += x.movies.back().name + "\r\n";
        }
        x.projectText.bytes += "YES\r\nNO\r\nNO\r\n0\r\n0\r\n\r\n\r\nout.exe\r\n{ID}\r\nNO\r\n";
        for (const Input* in : {&x.installer, &x.runtime, &x.logo, &x.projectText}) WriteFile(x.dir / in->name, in->bytes);
        for (const Input& m : x.movies) WriteFile(x.dir / m.name, m.bytes);
        return x;
    }();
    return f;
}

void AddFile(TCompileStream& writer, const fs::path& path, bool compress) {
    TFileStream file(path.string(), fmOpenRead | fmShareDenyNone);
    writer.AddStream(&file, compress);
}

// The builder's sequence; returns the package size.
std::int64_t BuildPackage(const Fixture& f) {
    TCompileStream package;
    AddFile(package, f.dir / f.installer.name, false);
    AddFile(package, f.dir / f.runtime.name, true);
    {
        TCompileStream movies;
        for (const Input& m : f.movies) AddFile(movies, f.dir / m.name, true);
        package.AddStream(movies.Compile(), true);
    }
    AddFile(package, f.dir / f.projectText.name, true);
    AddFile(package, f.dir / f.logo.name, true);
    TMemoryStream* result = package.Compile();
    result->SaveToFile((f.dir / "package.exe").string());
    return result->Size();
}

std::string Deflate(const std::string& bytes) {
    uLongf n = compressBound(static_cast<uLong>(bytes.size()));
    std::string out(n, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &n, reinterpret_cast<const Bytef*>(bytes.data()),
              static_cast<uLong>(bytes.size()), 9);
    out.resize(n);
    return out;
}

// The same level-9 passes with nothing around them. The movie container's
// bytes are prepared once, outside the timing.
const std::string& MovieContainerBytes(const Fixture& f) {
    static const std::string bytes = [&f] {
        TCompileStream movies;
        for (const Input& m : f.movies) AddFile(movies, f.dir / m.name, true);
        TMemoryStream* c = movies.Compile();
        return std::string(static_cast<const char*>(c->Memory()), static_cast<std::size_t>(c->Size()));
    }();
    return bytes;
}

std::int64_t BareDeflatePasses(const Fixture& f) {
    std::int64_t total = 0;
    total += static_cast<std::int64_t>(Deflate(f.runtime.bytes).size());
    for (const Input& m : f.movies) total += static_cast<std::int64_t>(Deflate(m.bytes).size());
    total += static_cast<std::int64_t>(Deflate(MovieContainerBytes(f)).size());
    total += static_cast<std::int64_t>(Deflate(f.projectText.bytes).size());
    total += static_cast<std::int64_t>(Deflate(f.logo.bytes).size());
    return total;
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Processor time of this thread (user and system): other programs on a busy
// machine do not count against either side.
double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double bestContainer = 1e9, bestBare = 1e9;
double bestContainerWall = 1e9, bestBareWall = 1e9;
std::int64_t buildPeak = 0, packageSize = 0, movieBytes = 0;

// Each iteration times both sides back to back, so a busy machine slows
// both alike; the best time of each side is compared.
void PackageVersusBareDeflate(benchmark::State& state) {
    const Fixture& f = Files();
    MovieContainerBytes(f);
    movieBytes = 0;
    for (const Input& m : f.movies) movieBytes += static_cast<std::int64_t>(m.bytes.size());
    for (auto _ : state) {
        const std::int64_t before = liveBytes.load();
        peakBytes = before;
        const auto t0 = Clock::now();
        const double c0 = CpuSeconds();
        packageSize = BuildPackage(f);
        const double c1 = CpuSeconds();
        const auto t1 = Clock::now();
        buildPeak = std::max(buildPeak, peakBytes.load() - before);
        benchmark::DoNotOptimize(BareDeflatePasses(f));
        const double c2 = CpuSeconds();
        const auto t2 = Clock::now();
        bestContainer = std::min(bestContainer, c1 - c0);
        bestBare = std::min(bestBare, c2 - c1);
        bestContainerWall = std::min(bestContainerWall, Seconds(t1 - t0));
        bestBareWall = std::min(bestBareWall, Seconds(t2 - t1));
        state.SetIterationTime(Seconds(t1 - t0));
    }
    state.counters["package_bytes"] = static_cast<double>(packageSize);
    state.counters["bare_deflate_cpu_ms"] = bestBare * 1000;
    state.counters["container_cpu_ms"] = bestContainer * 1000;
}

BENCHMARK(PackageVersusBareDeflate)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(Files().dir, ec);

    const double timeRatio = bestContainer / bestBare;
    const double memoryRatio = static_cast<double>(buildPeak) / static_cast<double>(packageSize);
    std::printf("movies: %lld bytes in %zu files; package: %lld bytes\n", static_cast<long long>(movieBytes),
                Files().movies.size(), static_cast<long long>(packageSize));
    std::printf("package build %.1f ms, bare zlib level-9 passes %.1f ms (best processor time of this thread; "
                "wall clock %.1f / %.1f ms): ratio %.3f (limit %.2f)\n",
                bestContainer * 1000, bestBare * 1000, bestContainerWall * 1000, bestBareWall * 1000, timeRatio,
                MaxTimeRatio);
    std::printf("peak memory of the build %lld bytes = %.2f x package size (limit %.1f; counted through the "
                "replaced operator new/delete, zlib included)\n",
                static_cast<long long>(buildPeak), memoryRatio, MaxMemoryRatio);
    bool ok = true;
    if (timeRatio > MaxTimeRatio) {
        std::printf("FAILED: the container code adds more than 15%% over bare deflate\n");
        ok = false;
    }
    if (memoryRatio > MaxMemoryRatio) {
        std::printf("FAILED: peak memory exceeds 3 x the package size\n");
        ok = false;
    }
    return ok ? 0 : 1;
}
