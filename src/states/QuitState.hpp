#pragma once

#include "core/GameState.hpp"

// Entering this screen ends the game: the window closes and the main loop finishes its frame.
class QuitState : public GameState {
public:
    QuitState(GameStateManager* stateManager, Game* game);

    void init() override;
    void exit() override;
    void update(float frameSeconds) override;
    void draw() override;
};
