#include "states/TutorialState.hpp"

TutorialState::TutorialState(GameStateManager* stateManager, Game* game)
    : GameState(stateManager, game) {}

void TutorialState::init() {}

void TutorialState::exit() {}

void TutorialState::update(float /*frameSeconds*/) {}
