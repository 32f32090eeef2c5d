#include "core/GameState.hpp"

#include "assets/AssetManager.hpp"

GameState::GameState(GameStateManager* stateManager, Game* game)
    : m_stateManager(stateManager), m_game(game) {}

GameState::~GameState() = default;

void GameState::draw() {
    AssetManager::instance().drawLayers();
}
