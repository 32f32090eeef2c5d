#include "states/SettingsState.hpp"

SettingsState::SettingsState(GameStateManager* stateManager, Game* game)
    : GameState(stateManager, game) {}

void SettingsState::init() {
    enterMenuScreen("SettingsScreenMap.tmx", m_view, &m_font);
}

// The next screen's map load forgets this screen's map.
void SettingsState::exit() {
    m_gameObjectManager.clear();
}

void SettingsState::update(float frameSeconds) {
    updateMenu(m_view, frameSeconds);
}
