#pragma once
// What both build benchmarks share: the bare zlib level-9 passes a build
// cannot do without, and the interleaved timing of a build against them in
// processor time of this thread, keeping the best run of each.

#include "BuilderCore.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <zlib.h>

inline std::size_t Deflate(const std::string& Bytes) {
    uLongf n = compressBound(static_cast<uLong>(Bytes.size()));
    std::string out(n, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &n, reinterpret_cast<const Bytef*>(Bytes.data()),
              static_cast<uLong>(Bytes.size()), 9);
    return n;
}

// The runtime, each movie, the movie container, the project text and the
// logo, each deflated once at level 9.
template <class Inputs>
std::size_t BarePasses(const Inputs& In) {
    std::size_t total = Deflate(In.runtime);
    for (const std::string& m : In.movies) total += Deflate(m);
    total += Deflate(In.movieContainer) + Deflate(In.projectText) + Deflate(In.logo);
    return total;
}

inline double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct TBuildTiming {
    double bestBuild = 1e9;
    double bestBare = 1e9;

    template <class Inputs>
    void Run(benchmark::State& State, TBuilderCore& Core, const Inputs& In) {
        for (auto _ : State) {
            const double c0 = CpuSeconds();
            if (!Core.Build()) State.SkipWithError("the build did not write its package");
            const double c1 = CpuSeconds();
            benchmark::DoNotOptimize(BarePasses(In));
            const double c2 = CpuSeconds();
            bestBuild = std::min(bestBuild, c1 - c0);
            bestBare = std::min(bestBare, c2 - c1);
            State.SetIterationTime(c1 - c0);
        }
        State.counters["bare_deflate_cpu_ms"] = bestBare * 1000;
        State.counters["build_cpu_ms"] = bestBuild * 1000;
    }

    // Prints the result; the exit code of the benchmark program.
    int Report(double MaxRatio) const {
        const double ratio = bestBuild / bestBare;
        std::printf("build %.1f ms, bare zlib level-9 passes %.1f ms (best processor time of this thread): ratio %.3f "
                    "(limit %.2f)\n",
                    bestBuild * 1000, bestBare * 1000, ratio, MaxRatio);
        if (ratio > MaxRatio) {
            std::printf("FAILED: the build costs more than %.2f times the bare deflate passes\n", MaxRatio);
            return 1;
        }
        return 0;
    }
};
