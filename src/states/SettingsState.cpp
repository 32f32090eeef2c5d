#include "states/SettingsState.hpp"

SettingsState::SettingsState(GameStateManager* stateManager, Game* game)
    : GameState(stateManager, game) {}

void SettingsState::init() {}

void SettingsState::exit() {}

void SettingsState::update(float /*frameSeconds*/) {}
