#include "states/MainState.hpp"

MainState::MainState(GameStateManager* stateManager, Game* game)
    : GameState(stateManager, game),
      m_backgroundPath("../assets/x400pngs/MainStateBackground.png") {}

void MainState::init() {}

void MainState::exit() {}

void MainState::update(float /*frameSeconds*/) {}
