#pragma once

#include <benchmark/benchmark.h>

// Runs the benchmarks the command line selects; the caller sets up its environment and its
// application object first.
inline int RunBenchmarks(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
