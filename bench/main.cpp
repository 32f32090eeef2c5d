// Runs the benchmarks, then prints the level's figures side by side. Needs a display (the
// frames are drawn into a 1920 by 1080 window); bench/run.sh provides one. With --startup it
// instead times the way to the title's first frame, once (bench/startup.sh runs it repeatedly);
// with --startup-floor, that of a bare window.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <iostream>

#include "BenchGame.hpp"
#include "StartUp.hpp"
#include "SummaryReporter.hpp"

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--startup") == 0) {
        // When main() began, for the time the process took to get here.
        std::cout << "main_entered_at_unix_ns "
                  << std::chrono::duration_cast<std::chrono::nanoseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count()
                  << "\n";
        return measureStartUp(std::cout);
    }
    if (argc == 2 && std::strcmp(argv[1], "--startup-floor") == 0) {
        return measureBareWindow(std::cout);
    }
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
