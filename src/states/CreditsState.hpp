#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/View.hpp>

#include "core/GameState.hpp"

// Who made the game, and with what.
// Built from "CreditsScreenMap.tmx" and navigated with its buttons.
class CreditsState : public GameState {
public:
    CreditsState(GameStateManager* stateManager, Game* game);

    void init() override;
    void exit() override;
    void update(float frameSeconds) override;

private:
    sf::Font m_font;
    // The view the screen was built with, made current again every frame.
    sf::View m_view;
};
