#include "states/CreditsState.hpp"

CreditsState::CreditsState(GameStateManager* stateManager, Game* game)
    : GameState(stateManager, game) {}

void CreditsState::init() {
    enterMenuScreen("CreditsScreenMap.tmx", m_view, &m_font);
}

// The next screen's map load forgets this screen's map.
void CreditsState::exit() {
    m_gameObjectManager.clear();
}

void CreditsState::update(float frameSeconds) {
    updateMenu(m_view, frameSeconds);
}
