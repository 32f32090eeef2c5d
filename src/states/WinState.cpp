#include "states/WinState.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Err.hpp>

#include "assets/AssetManager.hpp"
#include "assets/LayerComponent.hpp"
#include "components/PlayerRenderComponent.hpp"
#include "components/TextRenderComponent.hpp"
#include "core/Game.hpp"
#include "objects/Leaderboard.hpp"
#include "physics/PlayerMoveComponent.hpp"
#include "platform/AssetFolder.hpp"

namespace {
constexpr unsigned kScoreSize = 72;
const sf::Color kScoreColour(36, 36, 36, 255);
const sf::Vector2f kScoreOffset(-15.0f, -60.0f);
}  // namespace

WinState::WinState(GameStateManager* stateManager, Game* game) : GameState(stateManager, game) {}

void WinState::init() {
    if (!loadFont(m_font)) {
        return;
    }
    if (!loadAndRegisterMap(kMapFile)) {
        return;
    }
    // The results are drawn with the map's first tile layer.
    const auto& layers = AssetManager::instance().getLayers();
    if (layers.empty()) {
        sf::err() << "The results need a tile layer in " << kMapFile << std::endl;
    } else {
        showResults(*layers.front().second);
    }
    initRegisteredObjects();
    if (sf::RenderWindow* target = window()) {
        m_view = target->getView();
    }
}

// A missing leaderboard still leaves the screen's buttons working, so nobody is stuck here.
void WinState::showResults(LayerComponent& layer) {
    const auto entries = Leaderboard(Game::instance().getCourse().boardPath).readEntries();
    if (!entries) {
        sf::err() << "Could not load highscores\n.";
        return;
    }
    for (const ResultBoard::Spot& spot : ResultBoard::arrange(*entries)) {
        auto result = makeResult(spot);
        layer.addObject(result);
        m_gameObjectManager.addGameObject(result);
    }
}

// The player's picture, cut to the score like a player in the race, with the score over it.
std::shared_ptr<GameObject> WinState::makeResult(const ResultBoard::Spot& spot) {
    auto result = std::make_shared<GameObject>(spot.id);
    result->setPosition(spot.position);
    sf::RenderWindow& target = *window();
    // Never moves: it has no body. It only carries the points the picture is cut to.
    auto points = std::make_shared<PlayerMoveComponent>(result, static_cast<unsigned>(spot.index));
    points->setPoints(spot.entry.points);
    result->addComponent(points);
    result->addComponent(
        std::make_shared<PlayerRenderComponent>(target, sf::Color::White, result, spot.entry.name));
    result->addComponent(std::make_shared<TextRenderComponent>(target, AssetFolder::path(kFontFile),
                                                               kScoreSize, kScoreColour, result,
                                                               kScoreOffset, spot.entry.scoreText));
    return result;
}

void WinState::exit() {
    Game::instance().playTrack(Game::kMenuMusic, Game::kMenuVolume);
    m_gameObjectManager.clear();
}

void WinState::update(float frameSeconds) {
    updateMenu(m_view, frameSeconds);
}
