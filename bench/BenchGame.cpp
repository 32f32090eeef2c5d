#include "BenchGame.hpp"

#include <memory>
#include <random>
#include <string>

#include "assets/AssetManager.hpp"
#include "core/Game.hpp"
#include "states/MainState.hpp"

namespace fs = std::filesystem;

namespace {

std::unique_ptr<BenchGame>& slot() {
    static std::unique_ptr<BenchGame> game;
    return game;
}

// Links every entry of the real assets folder but the save files.
void linkAssets(const fs::path& realAssets, const fs::path& scratchAssets) {
    fs::create_directories(scratchAssets / "SaveFiles");
    for (const auto& entry : fs::directory_iterator(realAssets)) {
        if (entry.path().filename() != "SaveFiles") {
            fs::create_symlink(entry.path(), scratchAssets / entry.path().filename());
        }
    }
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
    linkAssets(fs::path(TUMBLELEAF_SOURCE_DIR) / "assets", m_root / "assets");
    fs::current_path(m_root / "bin");

    m_window.create(sf::VideoMode(kWidth, kHeight), "Tumbleleaf bench", sf::Style::None);
    m_window.setPosition({0, 0});
    AssetManager::instance().setRenderWindow(&m_window);
}

BenchGame::~BenchGame() {
    AssetManager::instance().reset();
    AssetManager::instance().setRenderWindow(nullptr);
    m_window.close();
    std::error_code ignored;
    fs::current_path(m_previousWorkingDir, ignored);
    fs::remove_all(m_root, ignored);
}

std::string BenchGame::levelMapPath() {
    return AssetManager::instance().getAssetRoot() + MainState::kMapFile;
}
