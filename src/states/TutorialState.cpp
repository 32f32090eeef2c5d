#include "states/TutorialState.hpp"

TutorialState::TutorialState(GameStateManager* stateManager, Game* game)
    : GameState(stateManager, game) {}

void TutorialState::init() {
    enterMenuScreen("TutorialScreenMap.tmx", m_view, &m_font);
}

// The next screen's map load forgets this screen's map.
void TutorialState::exit() {
    m_gameObjectManager.clear();
}

void TutorialState::update(float frameSeconds) {
    updateMenu(m_view, frameSeconds);
}
