#include "states/QuitState.hpp"

#include "assets/AssetManager.hpp"
#include "core/Game.hpp"
#include "physics/PhysicsManager.hpp"
#include "platform/DesignView.hpp"

QuitState::QuitState(GameStateManager* stateManager, Game* game) : GameState(stateManager, game) {}

void QuitState::init() {
    AssetManager::instance().reset();
    sf::RenderWindow& window = m_game->getWindow();
    window.setView(DesignView::view(window.getSize()));
    PhysicsManager::instance().reset();
    window.close();
}

void QuitState::exit() {}

void QuitState::update(float /*frameSeconds*/) {}

void QuitState::draw() {}
