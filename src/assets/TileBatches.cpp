#include "assets/TileBatches.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <algorithm>
#include <cstdlib>

// One batch per texture, in the order of the looks.
TileBatches::TileBatches(const LayerTiles& tiles) {
    const auto& looks = tiles.getLooks();
    for (std::size_t look = 0; look < looks.size(); ++look) {
        const auto batch =
            std::find_if(m_batches.begin(), m_batches.end(),
                         [&](const Batch& known) { return known.texture == looks[look].texture; });
        m_batchOfLook.push_back(static_cast<std::size_t>(batch - m_batches.begin()));
        if (batch == m_batches.end()) {
            m_batches.push_back(Batch{looks[look].texture, 0, {}});
        }
        m_batches[m_batchOfLook.back()].tileCount += tiles.getLookCounts()[look];
    }
}

void TileBatches::reserveFor(const TileRange& range, int step) {
    if (step <= 0 || range.end.x <= range.start.x || range.end.y <= range.start.y) {
        return;
    }
    const auto columns = static_cast<std::size_t>(
        (static_cast<long long>(range.end.x) - range.start.x + step - 1) / step);
    const auto rows = static_cast<std::size_t>(
        (static_cast<long long>(range.end.y) - range.start.y + step - 1) / step);
    for (auto& batch : m_batches) {
        batch.vertices.reserve(6 * std::min(columns * rows, batch.tileCount));
    }
}

void TileBatches::collect(const LayerTiles& tiles, const TileRange& range, int step) {
    for (auto& batch : m_batches) {
        batch.vertices.clear();
    }
    tiles.forEachOnGrid(range, step, [&](const Tile& tile) {
        appendQuad(m_batches[m_batchOfLook[tile.look]].vertices, tile,
                   tiles.lookOf(tile).textureRect);
    });
}

void TileBatches::draw(sf::RenderTarget& target) const {
    for (const auto& batch : m_batches) {
        if (!batch.vertices.empty()) {
            target.draw(batch.vertices.data(), batch.vertices.size(), sf::Triangles,
                        sf::RenderStates(batch.texture));
        }
    }
}

// A sprite's corners are its position plus (0, 0), (0, h), (w, 0) and (w, h), drawn as a strip;
// the two triangles below are the strip's, with its vertices in the order the strip gives them
// to the rasteriser, and the sums are the ones the sprite's transform makes.
void TileBatches::appendQuad(std::vector<sf::Vertex>& vertices, const Tile& tile,
                             const sf::IntRect& rect) {
    const auto width = static_cast<float>(std::abs(rect.width));
    const auto height = static_cast<float>(std::abs(rect.height));
    const auto left = static_cast<float>(rect.left);
    const float right = left + static_cast<float>(rect.width);
    const auto top = static_cast<float>(rect.top);
    const float bottom = top + static_cast<float>(rect.height);
    const sf::Vector2f at = tile.position;
    const sf::Vertex topLeft(at, sf::Vector2f(left, top));
    const sf::Vertex bottomLeft(sf::Vector2f(at.x, height + at.y), sf::Vector2f(left, bottom));
    const sf::Vertex topRight(sf::Vector2f(width + at.x, at.y), sf::Vector2f(right, top));
    const sf::Vertex bottomRight(sf::Vector2f(width + at.x, height + at.y),
                                 sf::Vector2f(right, bottom));
    vertices.insert(vertices.end(),
                    {topLeft, bottomLeft, topRight, topRight, bottomLeft, bottomRight});
}
