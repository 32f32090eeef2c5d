#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/View.hpp>
#include <memory>

#include "core/GameState.hpp"
#include "states/ResultBoard.hpp"

class LayerComponent;

// The results: "HighscoreScreenMap.tmx" with the last race's two entries and the five best
// entries of the board of the course just raced, each shown as the player's picture cut to its
// score, with the score above it. The board is read afresh on every visit and never written
// here.
class WinState : public GameState {
public:
    static constexpr const char* kMapFile = "HighscoreScreenMap.tmx";

    WinState(GameStateManager* stateManager, Game* game);

    void init() override;
    void exit() override;
    void update(float frameSeconds) override;

private:
    void showResults(LayerComponent& layer);
    std::shared_ptr<GameObject> makeResult(const ResultBoard::Spot& spot);

    sf::Font m_font;
    sf::View m_view;
};
