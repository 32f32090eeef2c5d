#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/View.hpp>

#include "core/GameState.hpp"

// The results of the race and the best entries of the leaderboard.
// Its content is not built yet: entering it shows an empty screen.
class WinState : public GameState {
public:
    WinState(GameStateManager* stateManager, Game* game);

    void init() override;
    void exit() override;
    void update(float frameSeconds) override;

private:
    sf::Font m_font;
    sf::View m_view;
};
