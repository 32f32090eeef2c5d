#include "states/CreditsState.hpp"

CreditsState::CreditsState(GameStateManager* stateManager, Game* game)
    : GameState(stateManager, game) {}

void CreditsState::init() {}

void CreditsState::exit() {}

void CreditsState::update(float /*frameSeconds*/) {}
