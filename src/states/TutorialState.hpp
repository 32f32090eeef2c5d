#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/View.hpp>

#include "core/GameState.hpp"

// The tutorial: the controls, and what each material does to a racer.
// Built from "TutorialScreenMap.tmx" and navigated with its buttons.
class TutorialState : public GameState {
public:
    TutorialState(GameStateManager* stateManager, Game* game);

    void init() override;
    void exit() override;
    void update(float frameSeconds) override;

private:
    sf::Font m_font;
    // The view the screen was built with, made current again every frame.
    sf::View m_view;
};
