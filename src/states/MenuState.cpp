#include "states/MenuState.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

#include "assets/AssetManager.hpp"

MenuState::MenuState(GameStateManager* stateManager, Game* game) : GameState(stateManager, game) {}

void MenuState::init() {
    loadScreenMap("TitleScreenMap.tmx");
    if (sf::RenderWindow* window = AssetManager::instance().getRenderWindow()) {
        m_view = window->getView();
    }
}

// The next screen captures its view in its own init, so it must find the default one.
void MenuState::exit() {
    m_gameObjectManager.clear();
    AssetManager::instance().reset();
    if (sf::RenderWindow* window = AssetManager::instance().getRenderWindow()) {
        window->setView(window->getDefaultView());
    }
}

void MenuState::update(float frameSeconds) {
    if (sf::RenderWindow* window = AssetManager::instance().getRenderWindow()) {
        window->setView(m_view);
    }
    for (const auto& entry : m_gameObjectManager.getGameObjects()) {
        for (const auto& component : entry.second->getComponentList()) {
            component->update(frameSeconds);
        }
    }
}
