#include "core/GameState.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

#include "assets/AssetManager.hpp"
#include "assets/LayerComponent.hpp"
#include "components/FontLoader.hpp"
#include "core/GameStateManager.hpp"
#include "states/StateButtonComponent.hpp"

GameState::GameState(GameStateManager* stateManager, Game* game)
    : m_stateManager(stateManager), m_game(game) {}

GameState::~GameState() = default;

void GameState::draw() {
    AssetManager::instance().drawLayers();
}

std::shared_ptr<GameObject> GameState::loadAndRegisterMap(const std::string& fileName) {
    AssetManager& assets = AssetManager::instance();
    auto map = assets.loadMap(assets.getAssetRoot() + fileName, sf::Vector2f(0.f, 0.f));
    if (!map) {
        return nullptr;
    }
    m_gameObjectManager.addGameObject(map);
    for (const auto& layer : map->getComponents<LayerComponent>()) {
        for (const auto& object : layer->getObjects()) {
            m_gameObjectManager.addGameObject(object);
        }
    }
    return map;
}

void GameState::initRegisteredObjects() {
    for (const auto& entry : m_gameObjectManager.getGameObjects()) {
        entry.second->init();
    }
}

bool GameState::loadScreenMap(const std::string& fileName) {
    if (!loadAndRegisterMap(fileName)) {
        return false;
    }
    initRegisteredObjects();
    return true;
}

void GameState::enterMenuScreen(const std::string& fileName, sf::View& view, sf::Font* font) {
    if (font != nullptr && !loadFont(*font)) {
        return;
    }
    loadScreenMap(fileName);
    if (sf::RenderWindow* target = window()) {
        view = target->getView();
    }
}

void GameState::updateMenu(const sf::View& view, float frameSeconds) {
    if (sf::RenderWindow* target = window()) {
        target->setView(view);
    }
    for (const auto& entry : m_gameObjectManager.getGameObjects()) {
        const auto button = entry.second->getComponent<StateButtonComponent>();
        for (const auto& component : entry.second->getComponentList()) {
            component->update(frameSeconds);
        }
        if (button && button->isClicked()) {
            requestState(button->getNextState());
            button->setClicked(false);
        }
    }
}

bool GameState::loadFont(sf::Font& font) {
    return FontLoader::load(kFontPath, font);
}

sf::RenderWindow* GameState::window() {
    return AssetManager::instance().getRenderWindow();
}

void GameState::useDefaultView() {
    if (sf::RenderWindow* target = window()) {
        target->setView(target->getDefaultView());
    }
}

void GameState::requestState(const std::string& name) {
    if (m_stateManager != nullptr) {
        m_stateManager->changeState(name);
    }
}
