#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/View.hpp>

#include "core/GameState.hpp"

// The settings: the sound toggle and emptying the leaderboard.
// Its content is not built yet: entering it shows an empty screen.
class SettingsState : public GameState {
public:
    SettingsState(GameStateManager* stateManager, Game* game);

    void init() override;
    void exit() override;
    void update(float frameSeconds) override;

private:
    sf::Font m_font;
    sf::View m_view;
};
