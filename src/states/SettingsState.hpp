#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/View.hpp>

#include "core/GameState.hpp"

// The settings: the sound toggle and emptying the leaderboard.
// Built from "SettingsScreenMap.tmx" and navigated with its buttons.
class SettingsState : public GameState {
public:
    SettingsState(GameStateManager* stateManager, Game* game);

    void init() override;
    void exit() override;
    void update(float frameSeconds) override;

private:
    sf::Font m_font;
    // The view the screen was built with, made current again every frame.
    sf::View m_view;
};
