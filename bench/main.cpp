// Runs the benchmarks, then prints the level's figures side by side. Needs a display (the
// frames are drawn into a 1920 by 1080 window); bench/run.sh provides one.
#include <benchmark/benchmark.h>

#include <iostream>

#include "BenchGame.hpp"
#include "SummaryReporter.hpp"

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printSummary(std::cout);
    BenchGame::shutdown();
    benchmark::Shutdown();
    return 0;
}
