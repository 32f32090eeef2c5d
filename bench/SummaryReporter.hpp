#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

// Google Benchmark's console output, and after the last run the figures that matter for the
// level side by side: each as the median over the repetitions, with their spread, and the
// ratios against their targets.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& reports) override;
    void printSummary(std::ostream& out) const;

private:
    struct Figure {
        std::vector<double> values;
        double median() const;
        double spread() const;  // (max - min) / median
    };

    const Figure* find(const std::string& name) const;
    void printTime(std::ostream& out, const std::string& label, const std::string& name) const;
    // The bytes per cell that a map's tiles, their geometry and the process's growth take.
    void printMemory(std::ostream& out, const std::string& label, const std::string& name) const;
    void printCount(std::ostream& out, const std::string& label, const std::string& name) const;
    // The area a frame's draw calls cover, in pixels and in screens.
    void printPainted(std::ostream& out, const std::string& label, const std::string& name) const;
    void printRatio(std::ostream& out, const std::string& label, double ratio, double target) const;
    // Median milliseconds of a figure, or a negative number when it was not measured.
    double millis(const std::string& name) const;

    std::map<std::string, Figure> m_figures;
};
