// The running level: one physics tick, one update, and whole frames, drawn as the game draws
// them and as the floor that drawing could never beat.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <vector>

#include <SFML/Window/Event.hpp>

#include "AllocationCounter.hpp"
#include "BenchGame.hpp"
#include "BenchLevel.hpp"
#include "DrawCallCounter.hpp"
#include "FloorLayers.hpp"
#include "FrameTimer.hpp"
#include "PaintedArea.hpp"
#include "assets/AssetManager.hpp"
#include "assets/LayerComponent.hpp"
#include "components/CameraRenderComponent.hpp"
#include "components/TrailComponent.hpp"
#include "objects/GameObject.hpp"
#include "physics/PhysicsManager.hpp"
#include "states/MapScreenState.hpp"

namespace {

constexpr int kSteadyFramesBefore = 3;
// Short runs, repeated often and interleaved with the other benchmarks: the machine's load from
// elsewhere then weighs on the level's frame and on its floor alike.
constexpr int kFramesPerRun = 40;

void BM_PhysicsTick(benchmark::State& state) {
    BenchLevel level;
    PhysicsManager& physics = PhysicsManager::instance();
    for (auto _ : state) {
        // Whatever the accumulator holds, it is below one step: this is exactly one tick.
        FrameTimer timer(state);
        physics.update(physics.getTimeStep());
    }
}
BENCHMARK(BM_PhysicsTick)->Unit(benchmark::kMicrosecond)->UseManualTime()->Iterations(2000);

void BM_LevelUpdate(benchmark::State& state) {
    BenchLevel level;
    for (auto _ : state) {
        PhysicsManager::instance().update(BenchLevel::kFrameSeconds);
        FrameTimer timer(state);
        level.state().update(BenchLevel::kFrameSeconds);
        timer.stop();
        if (!level.bothRacing()) {
            state.SkipWithError("a player left the race during the measurement");
            break;
        }
    }
}
BENCHMARK(BM_LevelUpdate)->Unit(benchmark::kMicrosecond)->UseManualTime()->Iterations(2000);

// What a layer pass does besides SFML's draw calls: the culling range, the runs of chunks to
// draw, the objects' drawing order and the trails' vertices.
std::size_t passOwnWork(LayerComponent& layer, const sf::RenderTarget& target) {
    std::size_t runs = 0;
    layer.prepareTiles(target);
    layer.getTileChunks().forEachRun(
        layer.getTileRange(), [&](const TileChunks::Sheet&, std::size_t, std::size_t) { ++runs; });
    layer.sortObjects();
    for (const auto& object : layer.getObjects()) {
        for (const auto& component : object->getComponentList()) {
            // As the layer pass does: only what draws is looked at closer.
            IRenderComponent* renderer = component->asRenderComponent();
            if (auto* trail = dynamic_cast<TrailComponent*>(renderer)) {
                benchmark::DoNotOptimize(trail->prepareStamps());
                runs += trail->getStampVertexCount();
            }
        }
    }
    return runs;
}

// Our own code in a frame: the physics, the level's update, and per camera and layer the work
// of the pass. Nothing of it waits on SFML's draw calls or on OpenGL.
void BM_FrameOwnWork(benchmark::State& state) {
    BenchLevel level;
    const sf::RenderWindow& window = BenchGame::instance().window();
    const auto cameras = level.cameras();
    std::size_t work = 0;
    for (auto _ : state) {
        level.update();
        for (const auto& camera : cameras) {
            camera->applyViewport();
            for (const auto& layer : AssetManager::instance().getLayers()) {
                if (layer.second->isVisible()) {
                    work += passOwnWork(*layer.second, window);
                }
            }
        }
    }
    benchmark::DoNotOptimize(work);
}
BENCHMARK(BM_FrameOwnWork)->Unit(benchmark::kMicrosecond)->Iterations(2000);

// CPU time of every thread of the process: the software renderer draws on threads of its own,
// so this is what a frame costs the machine, whatever else the machine runs meanwhile.
double processCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

// Frames drawn one after another, each timed on its own: the median frame time, the draw calls,
// vertices and allocations per frame become counters; then one more frame, untimed, counts the
// pixels its draw calls paint.
template <typename Frame>
void measureFrames(benchmark::State& state, Frame&& frame) {
    for (int i = 0; i < kSteadyFramesBefore; ++i) {
        frame();
    }
    std::vector<double> frameMs;
    frameMs.reserve(static_cast<std::size_t>(state.max_iterations));
    const double cpuBefore = processCpuSeconds();
    const std::uint64_t callsBefore = drawCalls::count();
    const std::uint64_t verticesBefore = drawCalls::vertices();
    std::uint64_t allocated = 0;
    for (auto _ : state) {
        FrameTimer timer(state);
        allocations::startCounting();
        frame();
        allocated += allocations::stopCounting();
        frameMs.push_back(timer.stop() * 1e3);
    }
    if (frameMs.empty()) {
        return;
    }
    state.counters["median_ms"] = median(frameMs);
    state.counters["process_cpu_ms"] =
        (processCpuSeconds() - cpuBefore) * 1e3 / static_cast<double>(frameMs.size());
    const auto perFrame = [&](std::uint64_t total) {
        return static_cast<double>(total) / static_cast<double>(frameMs.size());
    };
    state.counters["draw_calls"] = perFrame(drawCalls::count() - callsBefore);
    state.counters["vertices"] = perFrame(drawCalls::vertices() - verticesBefore);
    state.counters["allocations"] = perFrame(allocated);
    paintedArea::startCounting();
    frame();
    const double painted = paintedArea::stopCounting();
    state.counters["pixels_painted"] = painted;
    state.counters["screens_painted"] =
        painted / (static_cast<double>(BenchGame::kWidth) * BenchGame::kHeight);
}

// A race in progress, both players still in it when the measurement ends.
void measureLevelFrames(benchmark::State& state, BenchLevel& level) {
    measureFrames(state, [&] { level.frame(); });
    if (!level.bothRacing()) {
        state.SkipWithError("a player left the race during the measurement");
    }
}

void BM_LevelFrame(benchmark::State& state) {
    BenchLevel level;
    measureLevelFrames(state, level);
}
BENCHMARK(BM_LevelFrame)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(kFramesPerRun);

void BM_FloorFrame(benchmark::State& state) {
    BenchLevel level;
    FloorLayers floor(level);
    measureLevelFrames(state, level);
}
BENCHMARK(BM_FloorFrame)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(kFramesPerRun);

// The same race with its course ten times as long: a frame must cost what the shipped one costs.
void BM_LongRaceFrame(benchmark::State& state) {
    BenchLevel level(BenchGame::Race::TenTimesLonger);
    measureLevelFrames(state, level);
}
BENCHMARK(BM_LongRaceFrame)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(kFramesPerRun);

// A menu: the title screen, nobody touching the keys.
void BM_TitleFrame(benchmark::State& state) {
    BenchGame::instance();
    MapScreenState title(nullptr, nullptr, {"TitleScreenMap.tmx", false, true});
    title.init();
    sf::RenderWindow& window = BenchGame::instance().window();
    measureFrames(state, [&] {
        sf::Event event;
        while (window.pollEvent(event)) {
        }
        PhysicsManager::instance().update(BenchLevel::kFrameSeconds);
        title.update(BenchLevel::kFrameSeconds);
        window.clear(sf::Color::Black);
        title.draw();
        window.display();
    });
    title.exit();
}
BENCHMARK(BM_TitleFrame)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(kFramesPerRun);

}  // namespace
