#pragma once

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <string>

#include "core/GameState.hpp"

// The race itself, split-screen for two players.
// Its content is not built yet: entering it shows an empty screen.
class MainState : public GameState {
public:
    MainState(GameStateManager* stateManager, Game* game);

    void init() override;
    void exit() override;
    void update(float frameSeconds) override;

private:
    std::string m_backgroundPath;
    sf::Sprite m_background;
    sf::Texture m_backgroundTexture;
};
