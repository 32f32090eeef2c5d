#include "assets/LayerComponent.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <algorithm>

#include "objects/GameObject.hpp"

namespace {

std::shared_ptr<const LayerTiles> orNoTiles(std::shared_ptr<const LayerTiles> tiles) {
    return tiles ? std::move(tiles) : std::make_shared<const LayerTiles>();
}

}  // namespace

LayerComponent::LayerComponent(std::shared_ptr<GameObject> gameObject,
                               sf::RenderWindow& renderWindow,
                               std::shared_ptr<const LayerTiles> tiles, std::string name,
                               int tileSize)
    : IRenderComponent(renderWindow, std::move(gameObject)),
      m_name(std::move(name)),
      m_tiles(orNoTiles(std::move(tiles))),
      m_batches(*m_tiles),
      m_tileSize(tileSize) {}

void LayerComponent::draw() {
    drawTiles(m_renderWindow);
    drawObjects();
}

void LayerComponent::clearTiles() {
    m_tiles = orNoTiles(nullptr);
    m_batches = TileBatches(*m_tiles);
}

// Unstable: objects at the same height may swap from one pass to the next.
void LayerComponent::sortObjects() {
    std::sort(m_objects.begin(), m_objects.end(),
              [](const std::shared_ptr<GameObject>& a, const std::shared_ptr<GameObject>& b) {
                  return a->getPosition().y < b->getPosition().y;
              });
}

void LayerComponent::addObject(std::shared_ptr<GameObject> gameObject) {
    m_objects.push_back(std::move(gameObject));
}

// Integer halving before the factor, and every division truncating toward zero, decide which
// border tiles are drawn; the margins are generous so that nothing pops in at the edges.
TileRange LayerComponent::visibleTiles(sf::Vector2f viewCentre, sf::Vector2u windowSize,
                                       int tileSize) {
    const float halfWidth = static_cast<float>(windowSize.x / 2) * 1.5f;
    const float halfHeight = static_cast<float>(windowSize.y / 2) * 1.5f;
    TileRange range;
    range.start.x = tileSize * (static_cast<int>(viewCentre.x - halfWidth) / tileSize - 2);
    range.start.y = tileSize * (static_cast<int>(viewCentre.y - halfHeight) / tileSize - 2);
    range.end.x = range.start.x + tileSize * (static_cast<int>(2 * halfWidth) / tileSize + 6);
    range.end.y = range.start.y + tileSize * (static_cast<int>(2 * halfHeight) / tileSize + 6);
    return range;
}

void LayerComponent::drawTiles(sf::RenderTarget& target) {
    prepareTiles(target);
    m_batches.draw(target);
}

// The range's size depends only on the target's size, so the batches stop growing after the
// first pass.
void LayerComponent::prepareTiles(const sf::RenderTarget& target) {
    if (m_tiles->empty() || m_tileSize <= 0) {
        return;
    }
    const TileRange range =
        visibleTiles(target.getView().getCenter(), target.getSize(), m_tileSize);
    m_batches.reserveFor(range, m_tileSize);
    m_batches.collect(*m_tiles, range, m_tileSize);
}

void LayerComponent::drawObjects() {
    sortObjects();
    for (const auto& object : m_objects) {
        for (const auto& renderer : object->getComponents<IRenderComponent>()) {
            renderer->draw();
        }
    }
}
