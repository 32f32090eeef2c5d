#include "assets/LayerComponent.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <algorithm>

#include "objects/GameObject.hpp"

LayerComponent::LayerComponent(std::shared_ptr<GameObject> gameObject,
                               sf::RenderWindow& renderWindow, TileSprites tiles, std::string name,
                               int tileSize)
    : IRenderComponent(renderWindow, std::move(gameObject)),
      m_name(std::move(name)),
      m_tiles(std::move(tiles)),
      m_tileSize(tileSize) {}

void LayerComponent::draw() {
    drawTiles(m_renderWindow);
    drawObjects();
}

void LayerComponent::addObject(std::shared_ptr<GameObject> gameObject) {
    m_objects.push_back(std::move(gameObject));
}

// Integer halving before the factor, and every division truncating toward zero, decide which
// border tiles are drawn; the margins are generous so that nothing pops in at the edges.
LayerComponent::TileRange LayerComponent::visibleTiles(sf::Vector2f viewCentre,
                                                       sf::Vector2u windowSize, int tileSize) {
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
    if (m_tiles.empty() || m_tileSize <= 0) {
        return;
    }
    const TileRange range =
        visibleTiles(target.getView().getCenter(), target.getSize(), m_tileSize);
    for (int x = range.start.x; x < range.end.x; x += m_tileSize) {
        for (int y = range.start.y; y < range.end.y; y += m_tileSize) {
            // find, not [], so that an empty cell leaves the tile map as it was.
            const auto tile = m_tiles.find(tileKey(x, y));
            if (tile != m_tiles.end() && tile->second) {
                target.draw(*tile->second);
            }
        }
    }
}

void LayerComponent::drawObjects() {
    std::sort(m_objects.begin(), m_objects.end(),
              [](const std::shared_ptr<GameObject>& a, const std::shared_ptr<GameObject>& b) {
                  return a->getPosition().y < b->getPosition().y;
              });
    for (const auto& object : m_objects) {
        for (const auto& renderer : object->getComponents<IRenderComponent>()) {
            renderer->draw();
        }
    }
}
