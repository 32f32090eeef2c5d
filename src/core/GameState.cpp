#include "core/GameState.hpp"

#include "assets/AssetManager.hpp"
#include "assets/LayerComponent.hpp"

GameState::GameState(GameStateManager* stateManager, Game* game)
    : m_stateManager(stateManager), m_game(game) {}

GameState::~GameState() = default;

void GameState::draw() {
    AssetManager::instance().drawLayers();
}

bool GameState::loadScreenMap(const std::string& fileName) {
    AssetManager& assets = AssetManager::instance();
    const auto map = assets.loadMap(assets.getAssetRoot() + fileName, sf::Vector2f(0.f, 0.f));
    if (!map) {
        return false;
    }
    m_gameObjectManager.addGameObject(map);
    for (const auto& layer : map->getComponents<LayerComponent>()) {
        for (const auto& object : layer->getObjects()) {
            m_gameObjectManager.addGameObject(object);
        }
    }
    // Only now that the whole scene is registered may components look each other up.
    for (const auto& entry : m_gameObjectManager.getGameObjects()) {
        entry.second->init();
    }
    return true;
}
