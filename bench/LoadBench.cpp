// Loading the level: the whole loadMap against what it cannot do without, reading and parsing
// the same file with RapidXML and loading the textures its tilesets name.
#include <benchmark/benchmark.h>
#include <unistd.h>
#include <SFML/Graphics/Texture.hpp>

#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <rapidxml.hpp>
#include <string>
#include <vector>

#include "BenchGame.hpp"
#include "FrameTimer.hpp"
#include "assets/AssetManager.hpp"
#include "assets/GeometryPool.hpp"
#include "assets/LayerComponent.hpp"
#include "assets/TmxReader.hpp"
#include "core/GameObjectManager.hpp"

namespace {

std::vector<char> readWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<char> text((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    text.push_back('\0');
    return text;
}

// The level map read into records, outside the timing; nothing, with the benchmark skipped, when
// it does not parse.
std::optional<TmxMap> levelRecords(benchmark::State& state) {
    std::vector<char> text = readWholeFile(BenchGame::levelMapPath());
    TmxParseResult parsed = parseTmx(text.data());
    if (!parsed.map) {
        state.SkipWithError("the level map did not parse");
    }
    return std::move(parsed.map);
}

void loadRepeatedly(benchmark::State& state, BenchGame::Race race) {
    BenchGame::instance().useRace(race);
    const std::string path = BenchGame::levelMapPath();
    for (auto _ : state) {
        FrameTimer timer(state);
        const auto map = AssetManager::instance().loadMap(path, sf::Vector2f(0.f, 0.f));
        timer.stop();
        if (!map) {
            state.SkipWithError("the level map did not load");
            break;
        }
        BenchGame::releaseMap(map);
    }
    BenchGame::instance().useRace(BenchGame::Race::Shipped);
}

void BM_LoadLevelMap(benchmark::State& state) {
    loadRepeatedly(state, BenchGame::Race::Shipped);
}
BENCHMARK(BM_LoadLevelMap)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_LoadLongRaceMap(benchmark::State& state) {
    loadRepeatedly(state, BenchGame::Race::TenTimesLonger);
}
BENCHMARK(BM_LoadLongRaceMap)->Unit(benchmark::kMillisecond)->UseManualTime();

double residentBytes() {
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
}

// What a loaded map holds per cell of its layers: the tiles, their geometry (in graphics memory
// where there is some; with Mesa's software renderer that is the process's own memory), and how
// much the process grew.
void reportMemory(benchmark::State& state, BenchGame::Race race) {
    BenchGame::instance().useRace(race);
    const auto records = levelRecords(state);
    if (!records) {
        BenchGame::instance().useRace(BenchGame::Race::Shipped);
        return;
    }
    double cells = 0.0;
    for (const auto& layer : records->layers) {
        cells += static_cast<double>(layer.width) * static_cast<double>(layer.height);
    }
    for (auto _ : state) {
        const double before = residentBytes();
        const auto map =
            AssetManager::instance().loadMap(BenchGame::levelMapPath(), sf::Vector2f(0.f, 0.f));
        const double grown = residentBytes() - before;
        double tiles = 0.0;
        double geometry = 0.0;
        for (const auto& layer : AssetManager::instance().getLayers()) {
            tiles += static_cast<double>(layer.second->getTiles().size() * sizeof(Tile));
            geometry += static_cast<double>(layer.second->getTileChunks().vertexBytes());
        }
        state.counters["cells"] = cells;
        state.counters["tile_bytes_per_cell"] = tiles / cells;
        state.counters["geometry_bytes_per_cell"] = geometry / cells;
        state.counters["resident_growth_per_cell"] = grown / cells;
        BenchGame::releaseMap(map);
    }
    BenchGame::instance().useRace(BenchGame::Race::Shipped);
}

void BM_LevelMemory(benchmark::State& state) {
    reportMemory(state, BenchGame::Race::Shipped);
}
BENCHMARK(BM_LevelMemory)->Iterations(1);

void BM_LongRaceMemory(benchmark::State& state) {
    reportMemory(state, BenchGame::Race::TenTimesLonger);
}
BENCHMARK(BM_LongRaceMemory)->Iterations(1);

void BM_ParseLevelXml(benchmark::State& state) {
    BenchGame::instance();
    const std::string path = BenchGame::levelMapPath();
    for (auto _ : state) {
        std::vector<char> text = readWholeFile(path);
        rapidxml::xml_document<> document;
        document.parse<0>(text.data());
        benchmark::DoNotOptimize(document.first_node());
    }
}
BENCHMARK(BM_ParseLevelXml)->Unit(benchmark::kMillisecond);

void BM_LoadLevelTilesets(benchmark::State& state) {
    BenchGame::instance();
    const auto map = levelRecords(state);
    if (!map) {
        return;
    }
    const std::string& root = AssetManager::instance().getAssetRoot();
    for (auto _ : state) {
        for (const auto& tileset : map->tilesets) {
            sf::Texture texture;
            benchmark::DoNotOptimize(texture.loadFromFile(root + tileset.imageSource));
        }
    }
}
BENCHMARK(BM_LoadLevelTilesets)->Unit(benchmark::kMillisecond);

// The two parts of the load that are the game's own work on the map: reading the file into
// records, and cutting the layers into tiles.
void BM_ReadLevelTmx(benchmark::State& state) {
    BenchGame::instance();
    const std::string path = BenchGame::levelMapPath();
    for (auto _ : state) {
        std::vector<char> text = readWholeFile(path);
        const TmxParseResult parsed = parseTmx(text.data());
        benchmark::DoNotOptimize(parsed.map.has_value());
    }
}
BENCHMARK(BM_ReadLevelTmx)->Unit(benchmark::kMillisecond);

// The level's records with their tileset textures loaded, ready for the load's later steps.
std::optional<TmxMap> levelWithTextures(benchmark::State& state) {
    BenchGame::instance();
    auto map = levelRecords(state);
    if (map) {
        AssetManager::instance().loadTilesetTextures(*map);
    }
    return map;
}

void BM_CutLevelTiles(benchmark::State& state) {
    const auto map = levelWithTextures(state);
    if (!map) {
        return;
    }
    AssetManager& assets = AssetManager::instance();
    for (auto _ : state) {
        assets.buildTileSprites(*map, sf::Vector2f(0.f, 0.f));
    }
    assets.reset();
}
BENCHMARK(BM_CutLevelTiles)->Unit(benchmark::kMillisecond);

// The geometry of every layer, chunked and sent to graphics memory, as the layers build it.
void BM_BuildLevelGeometry(benchmark::State& state) {
    const auto map = levelWithTextures(state);
    if (!map) {
        return;
    }
    AssetManager& assets = AssetManager::instance();
    assets.buildTileSprites(*map, sf::Vector2f(0.f, 0.f));
    const bool inGraphicsMemory = sf::VertexBuffer::isAvailable();
    const auto pool = std::make_shared<GeometryPool>();
    for (auto _ : state) {
        for (const auto& tiles : assets.getLayerTiles()) {
            const TileChunks chunks(*tiles, map->tileHeight, inGraphicsMemory, pool);
            benchmark::DoNotOptimize(chunks.vertexBytes());
        }
    }
    assets.reset();
}
BENCHMARK(BM_BuildLevelGeometry)->Unit(benchmark::kMillisecond);

}  // namespace
