#include "SummaryReporter.hpp"

#include <algorithm>
#include <iomanip>

namespace {

constexpr double kFrameBudgetMs = 1000.0 / 144.0;

}  // namespace

// Per benchmark: its time per iteration in milliseconds, and each counter as "name.counter".
void SummaryReporter::ReportRuns(const std::vector<Run>& reports) {
    for (const Run& run : reports) {
        if (run.run_type != Run::RT_Iteration || run.error_occurred) {
            continue;
        }
        const std::string& name = run.run_name.function_name;
        const double ms =
            run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3;
        m_figures[name].values.push_back(ms);
        m_figures[name + ".cpu_ms"].values.push_back(
            run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3);
        for (const auto& counter : run.counters) {
            m_figures[name + "." + counter.first].values.push_back(counter.second.value);
        }
    }
    ConsoleReporter::ReportRuns(reports);
}

double SummaryReporter::Figure::median() const {
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t middle = sorted.size() / 2;
    return sorted.size() % 2 == 1 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2.0;
}

double SummaryReporter::Figure::spread() const {
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    const double middle = median();
    return middle > 0.0 ? (*high - *low) / middle : 0.0;
}

const SummaryReporter::Figure* SummaryReporter::find(const std::string& name) const {
    const auto found = m_figures.find(name);
    return found == m_figures.end() || found->second.values.empty() ? nullptr : &found->second;
}

double SummaryReporter::millis(const std::string& name) const {
    const Figure* figure = find(name);
    return figure == nullptr ? -1.0 : figure->median();
}

void SummaryReporter::printTime(std::ostream& out, const std::string& label,
                                const std::string& name) const {
    const Figure* figure = find(name);
    if (figure == nullptr) {
        return;
    }
    out << "  " << std::left << std::setw(44) << label << std::right << std::setw(10) << std::fixed
        << std::setprecision(3) << figure->median() << " ms   (spread " << std::setprecision(0)
        << figure->spread() * 100.0 << "% over " << figure->values.size() << " runs)\n";
}

void SummaryReporter::printCount(std::ostream& out, const std::string& label,
                                 const std::string& name) const {
    if (const Figure* figure = find(name)) {
        out << "  " << std::left << std::setw(44) << label << std::right << std::setw(10)
            << std::setprecision(0) << figure->median() << "\n";
    }
}

void SummaryReporter::printPainted(std::ostream& out, const std::string& label,
                                   const std::string& name) const {
    const Figure* pixels = find(name + ".pixels_painted");
    if (pixels == nullptr) {
        return;
    }
    out << "  " << std::left << std::setw(44) << (label + ", pixels painted per frame")
        << std::right << std::setw(10) << std::fixed << std::setprecision(0) << pixels->median()
        << "   (" << std::setprecision(2) << millis(name + ".screens_painted")
        << " x the screen's pixels)\n";
}

void SummaryReporter::printRatio(std::ostream& out, const std::string& label, double ratio,
                                 double target) const {
    out << "  " << std::left << std::setw(44) << label << std::right << std::setw(10) << std::fixed
        << std::setprecision(2) << ratio << "      (target at most " << std::setprecision(2)
        << target << ")\n";
}

void SummaryReporter::printMemory(std::ostream& out, const std::string& label,
                                  const std::string& name) const {
    const Figure* cells = find(name + ".cells");
    if (cells == nullptr) {
        return;
    }
    out << "  " << std::left << std::setw(44) << ("memory per cell, " + label) << std::right
        << std::fixed << std::setprecision(1) << "tiles " << millis(name + ".tile_bytes_per_cell")
        << " B, geometry " << millis(name + ".geometry_bytes_per_cell") << " B, process grew "
        << millis(name + ".resident_growth_per_cell") << " B (" << std::setprecision(0)
        << cells->median() << " cells)\n";
}

void SummaryReporter::printSummary(std::ostream& out) const {
    out << "\nSummary (medians over the repetitions; spread = (max - min) / median)\n";
    printTime(out, "loadMap of the level", "BM_LoadLevelMap");
    printTime(out, "bare RapidXML parse of the same bytes", "BM_ParseLevelXml");
    printTime(out, "loading the level's tileset textures", "BM_LoadLevelTilesets");
    printTime(out, "  in the load: reading the file into records", "BM_ReadLevelTmx");
    printTime(out, "  in the load: cutting the layers into tiles", "BM_CutLevelTiles");
    printTime(out, "  in the load: building the tile geometry", "BM_BuildLevelGeometry");
    const double load = millis("BM_LoadLevelMap");
    const double parse = millis("BM_ParseLevelXml");
    const double textures = millis("BM_LoadLevelTilesets");
    if (load >= 0.0 && parse >= 0.0 && textures >= 0.0) {
        printRatio(out, "load / (parse + texture loads)", load / (parse + textures), 3.0);
    }
    printTime(out, "loadMap of the race ten times longer", "BM_LoadLongRaceMap");
    const double longLoad = millis("BM_LoadLongRaceMap");
    if (load > 0.0 && longLoad >= 0.0) {
        printRatio(out, "long race load / shipped load", longLoad / load, 10.0);
    }
    printMemory(out, "shipped race", "BM_LevelMemory");
    printMemory(out, "race ten times longer", "BM_LongRaceMemory");
    printTime(out, "one physics tick with the level's colliders", "BM_PhysicsTick");
    printTime(out, "the level's update of one frame", "BM_LevelUpdate");
    printTime(out, "own code per frame (update, tile passes)", "BM_FrameOwnWork");
    printTime(out, "own code per frame, CPU of the main thread", "BM_FrameOwnWork.cpu_ms");
    printTime(out, "level frame, median frame time", "BM_LevelFrame.median_ms");
    printTime(out, "floor frame, median frame time", "BM_FloorFrame.median_ms");
    printTime(out, "level frame, CPU of the main thread", "BM_LevelFrame.cpu_ms");
    printTime(out, "floor frame, CPU of the main thread", "BM_FloorFrame.cpu_ms");
    printTime(out, "level frame, CPU of all threads", "BM_LevelFrame.process_cpu_ms");
    printTime(out, "floor frame, CPU of all threads", "BM_FloorFrame.process_cpu_ms");
    printCount(out, "level frame, draw calls per frame", "BM_LevelFrame.draw_calls");
    printCount(out, "floor frame, draw calls per frame", "BM_FloorFrame.draw_calls");
    printCount(out, "level frame, vertices drawn per frame", "BM_LevelFrame.vertices");
    printCount(out, "floor frame, vertices drawn per frame", "BM_FloorFrame.vertices");
    printCount(out, "level frame, allocations per frame", "BM_LevelFrame.allocations");
    printCount(out, "floor frame, allocations per frame", "BM_FloorFrame.allocations");
    printCount(out, "title frame, allocations per frame", "BM_TitleFrame.allocations");
    printPainted(out, "level frame", "BM_LevelFrame");
    printPainted(out, "floor frame", "BM_FloorFrame");
    printPainted(out, "title frame", "BM_TitleFrame");
    printTime(out, "title frame, median frame time", "BM_TitleFrame.median_ms");
    const double frame = millis("BM_LevelFrame.median_ms");
    const double floor = millis("BM_FloorFrame.median_ms");
    if (frame >= 0.0 && floor > 0.0) {
        printRatio(out, "frame / floor", frame / floor, 1.10);
    }
    const double frameCpu = millis("BM_LevelFrame.process_cpu_ms");
    const double floorCpu = millis("BM_FloorFrame.process_cpu_ms");
    if (frameCpu >= 0.0 && floorCpu > 0.0) {
        printRatio(out, "frame / floor, CPU of all threads", frameCpu / floorCpu, 1.10);
    }
    printTime(out, "race ten times longer, median frame time", "BM_LongRaceFrame.median_ms");
    const double longFrame = millis("BM_LongRaceFrame.median_ms");
    if (longFrame >= 0.0 && frame > 0.0) {
        printRatio(out, "long race frame / shipped frame", longFrame / frame, 1.05);
    }
    out << "  " << std::left << std::setw(44) << "frame budget at 144 frames per second"
        << std::right << std::setw(10) << std::setprecision(3) << kFrameBudgetMs << " ms\n";
}
