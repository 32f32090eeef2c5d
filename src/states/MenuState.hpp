#pragma once

#include <SFML/Graphics/View.hpp>

#include "core/GameState.hpp"

// The title menu, the first screen, built from its map and drawn with the default draw.
class MenuState : public GameState {
public:
    MenuState(GameStateManager* stateManager, Game* game);

    void init() override;
    void exit() override;
    void update(float frameSeconds) override;

private:
    // The view the screen was built with, made current again every frame.
    sf::View m_view;
};
