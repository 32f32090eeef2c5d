#include "states/MenuState.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

#include "assets/AssetManager.hpp"

MenuState::MenuState(GameStateManager* stateManager, Game* game) : GameState(stateManager, game) {}

void MenuState::init() {
    enterMenuScreen("TitleScreenMap.tmx", m_view);
}

// The next screen captures its view in its own init, so it must find the default one.
void MenuState::exit() {
    m_gameObjectManager.clear();
    AssetManager::instance().reset();
    useDesignView();
}

void MenuState::update(float frameSeconds) {
    updateMenu(m_view, frameSeconds);
}
