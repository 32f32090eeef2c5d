#include "states/MenuState.hpp"

MenuState::MenuState(GameStateManager* stateManager, Game* game) : GameState(stateManager, game) {}

void MenuState::init() {}

void MenuState::exit() {}

void MenuState::update(float /*frameSeconds*/) {}
