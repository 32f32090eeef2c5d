#include "core/GameState.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

#include "assets/AssetManager.hpp"
#include "assets/LayerComponent.hpp"
#include "components/FontLoader.hpp"
#include "components/StateButtonComponent.hpp"
#include "core/GameStateManager.hpp"
#include "objects/GameNames.hpp"
#include "platform/AssetFolder.hpp"
#include "platform/DesignView.hpp"

GameState::GameState(GameStateManager* stateManager, Game* game)
    : m_stateManager(stateManager), m_game(game) {}

GameState::~GameState() = default;

void GameState::draw() {
    AssetManager::instance().drawLayers();
    if (sf::RenderWindow* target = window()) {
        m_menu.draw(*target);
    }
}

std::shared_ptr<GameObject> GameState::loadAndRegisterMap(const std::string& fileName) {
    AssetManager& assets = AssetManager::instance();
    assets.setAssetRoot(AssetFolder::root());
    auto map = assets.loadMap(AssetFolder::path(fileName), sf::Vector2f(0.f, 0.f));
    registerMap(map);
    return map;
}

void GameState::registerMap(const std::shared_ptr<GameObject>& map) {
    if (!map) {
        return;
    }
    m_gameObjectManager.addGameObject(map);
    for (const auto& layer : map->getComponents<LayerComponent>()) {
        for (const auto& object : layer->getObjects()) {
            m_gameObjectManager.addGameObject(object);
        }
    }
}

void GameState::initRegisteredObjects() {
    for (const auto& object : m_gameObjectManager.getObjects()) {
        object->init();
    }
    collectMenuButtons();
}

void GameState::collectMenuButtons() {
    MenuNavigator::Buttons buttons;
    std::shared_ptr<BaseButtonComponent> back;
    for (const auto& object : m_gameObjectManager.getObjects()) {
        const auto button = object->getComponent<BaseButtonComponent>();
        if (!button) {
            continue;
        }
        buttons.push_back(button);
        const auto leads = object->getComponent<StateButtonComponent>();
        const bool toTitle = leads && leads->getNextState() == GameNames::Screen::kTitle;
        if (!back && (toTitle || object->getId().find("Back") != std::string::npos)) {
            back = button;
        }
    }
    m_menu.setButtons(std::move(buttons), back);
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
    // Fitted anew every frame: the player may resize the window.
    if (sf::RenderWindow* target = window()) {
        sf::View fitted = view;
        fitted.setViewport(DesignView::letterbox(target->getSize()));
        target->setView(fitted);
    }
    m_menu.update();
    for (const auto& object : m_gameObjectManager.getObjects()) {
        const auto button = object->getComponent<StateButtonComponent>();
        for (const auto& component : object->getComponentList()) {
            component->update(frameSeconds);
        }
        if (button && button->isClicked()) {
            requestState(button->getNextState());
            button->setClicked(false);
        }
    }
}

bool GameState::loadFont(sf::Font& font) {
    return FontLoader::load(AssetFolder::path(kFontFile), font);
}

sf::RenderWindow* GameState::window() {
    return AssetManager::instance().getRenderWindow();
}

void GameState::useDesignView() {
    if (sf::RenderWindow* target = window()) {
        target->setView(DesignView::view(target->getSize()));
    }
}

void GameState::requestState(const std::string& name) {
    if (m_stateManager != nullptr) {
        m_stateManager->changeState(name);
    }
}
