#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/View.hpp>

#include "core/GameState.hpp"

// The screen that teaches the controls and what each material does.
// Its content is not built yet: entering it shows an empty screen.
class TutorialState : public GameState {
public:
    TutorialState(GameStateManager* stateManager, Game* game);

    void init() override;
    void exit() override;
    void update(float frameSeconds) override;

private:
    sf::Font m_font;
    sf::View m_view;
};
