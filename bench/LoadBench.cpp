// Loading the level: the whole loadMap against what it cannot do without, reading and parsing
// the same file with RapidXML and loading the textures its tilesets name.
#include <benchmark/benchmark.h>
#include <SFML/Graphics/Texture.hpp>

#include <fstream>
#include <iterator>
#include <optional>
#include <rapidxml.hpp>
#include <string>
#include <vector>

#include "BenchGame.hpp"
#include "FrameTimer.hpp"
#include "assets/AssetManager.hpp"
#include "assets/LayerComponent.hpp"
#include "assets/TmxReader.hpp"
#include "objects/GameObjectManager.hpp"

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

// Gives the map back the way a screen does when it is left.
void release(const std::shared_ptr<GameObject>& map) {
    GameObjectManager objects;
    objects.addGameObject(map);
    for (const auto& layer : map->getComponents<LayerComponent>()) {
        for (const auto& object : layer->getObjects()) {
            objects.addGameObject(object);
        }
    }
    objects.clear();
    AssetManager::instance().reset();
}

void BM_LoadLevelMap(benchmark::State& state) {
    BenchGame::instance();
    const std::string path = BenchGame::levelMapPath();
    for (auto _ : state) {
        FrameTimer timer(state);
        const auto map = AssetManager::instance().loadMap(path, sf::Vector2f(0.f, 0.f));
        timer.stop();
        if (!map) {
            state.SkipWithError("the level map did not load");
            break;
        }
        release(map);
    }
}
BENCHMARK(BM_LoadLevelMap)->Unit(benchmark::kMillisecond)->UseManualTime();

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

void BM_CutLevelTiles(benchmark::State& state) {
    BenchGame::instance();
    const auto map = levelRecords(state);
    if (!map) {
        return;
    }
    AssetManager& assets = AssetManager::instance();
    assets.loadTilesetTextures(*map);
    for (auto _ : state) {
        assets.buildTileSprites(*map, sf::Vector2f(0.f, 0.f));
    }
    assets.reset();
}
BENCHMARK(BM_CutLevelTiles)->Unit(benchmark::kMillisecond);

}  // namespace
