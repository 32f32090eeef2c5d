#include "BenchGame.hpp"

#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>

#include "assets/AssetManager.hpp"
#include "assets/LayerComponent.hpp"
#include "core/Game.hpp"
#include "core/GameObjectManager.hpp"
#include "states/MainState.hpp"

namespace fs = std::filesystem;

namespace {

std::unique_ptr<BenchGame>& slot() {
    static std::unique_ptr<BenchGame> game;
    return game;
}

// Links every entry of the real assets folder but the save files and `except`.
void linkAssets(const fs::path& realAssets, const fs::path& scratchAssets,
                const std::string& except = "") {
    fs::create_directories(scratchAssets / "SaveFiles");
    for (const auto& entry : fs::directory_iterator(realAssets)) {
        const std::string name = entry.path().filename().string();
        if (name != "SaveFiles" && name != except) {
            fs::create_symlink(entry.path(), scratchAssets / name);
        }
    }
}

// Replaces the value of the attribute `name` in the tag starting at `tag`.
void setAttribute(std::string& text, std::size_t tag, const std::string& name,
                  const std::string& value) {
    const std::size_t start = text.find(" " + name + "=\"", tag) + name.size() + 3;
    text.replace(start, text.find('"', start) - start, value);
}

// The map with every tile layer's rows repeated `factor` times, and its height to match.
std::string longerMap(std::string text, int factor) {
    const std::size_t map = text.find("<map ");
    const std::size_t heightAt = text.find(" height=\"", map) + 9;
    const int height = std::stoi(text.substr(heightAt));
    setAttribute(text, map, "height", std::to_string(height * factor));
    for (std::size_t layer = text.find("<layer "); layer != std::string::npos;
         layer = text.find("<layer ", layer + 1)) {
        setAttribute(text, layer, "height", std::to_string(height * factor));
        const std::size_t begin = text.find('>', text.find("<data", layer)) + 1;
        const std::size_t end = text.find("</data>", begin);
        std::string rows = text.substr(begin, end - begin);
        rows = rows.substr(rows.find_first_not_of(" \n\r\t"));
        rows = rows.substr(0, rows.find_last_not_of(" \n\r\t") + 1);
        std::string repeated = rows;
        for (int copy = 1; copy < factor; ++copy) {
            repeated += ",\n" + rows;
        }
        text.replace(begin, end - begin, "\n" + repeated + "\n");
    }
    return text;
}

}  // namespace

BenchGame& BenchGame::instance() {
    if (!slot()) {
        slot().reset(new BenchGame());
    }
    return *slot();
}

void BenchGame::shutdown() {
    Game::instance().getMusic().stop();
    slot().reset();
}

BenchGame::BenchGame() : m_previousWorkingDir(fs::current_path()) {
    std::random_device seed;
    m_root = fs::temp_directory_path() / ("tumbleleaf-bench-" + std::to_string(seed()));
    fs::create_directories(m_root / "bin");
    const fs::path realAssets = fs::path(TUMBLELEAF_SOURCE_DIR) / "assets";
    linkAssets(realAssets, m_root / "assets");
    m_longRoot = m_root / "long";
    fs::create_directories(m_longRoot / "bin");
    linkAssets(realAssets, m_longRoot / "assets", MainState::kMapFile);
    std::ifstream shipped(realAssets / MainState::kMapFile, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(shipped)),
                           std::istreambuf_iterator<char>());
    std::ofstream(m_longRoot / "assets" / MainState::kMapFile, std::ios::binary)
        << longerMap(text, kLongRaceFactor);
    fs::current_path(m_root / "bin");

    m_window.create(sf::VideoMode(kWidth, kHeight), "Tumbleleaf bench", sf::Style::None);
    m_window.setPosition({0, 0});
    AssetManager::instance().setRenderWindow(&m_window);
}

BenchGame::~BenchGame() {
    AssetManager::instance().reset();
    AssetManager::instance().dropSpareGeometry();
    AssetManager::instance().setRenderWindow(nullptr);
    m_window.close();
    std::error_code ignored;
    fs::current_path(m_previousWorkingDir, ignored);
    fs::remove_all(m_root, ignored);
}

void BenchGame::useRace(Race race) {
    fs::current_path((race == Race::Shipped ? m_root : m_longRoot) / "bin");
}

std::string BenchGame::levelMapPath() {
    return AssetManager::instance().getAssetRoot() + MainState::kMapFile;
}

void BenchGame::releaseMap(const std::shared_ptr<GameObject>& map) {
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
