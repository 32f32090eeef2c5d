#pragma once

#include <SFML/Graphics/View.hpp>

#include "core/GameState.hpp"

// The title menu, the first screen.
// Its content is not built yet: entering it shows an empty screen.
class MenuState : public GameState {
public:
    MenuState(GameStateManager* stateManager, Game* game);

    void init() override;
    void exit() override;
    void update(float frameSeconds) override;

private:
    sf::View m_view;
};
