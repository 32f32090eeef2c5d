#include "states/WinState.hpp"

WinState::WinState(GameStateManager* stateManager, Game* game) : GameState(stateManager, game) {}

void WinState::init() {}

void WinState::exit() {}

void WinState::update(float /*frameSeconds*/) {}
