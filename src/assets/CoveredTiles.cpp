#include "assets/CoveredTiles.hpp"

#include <cstdlib>

#include "assets/LayerComponent.hpp"

namespace {

bool keyLess(sf::Vector2i a, sf::Vector2i b) {
    return a.y != b.y ? a.y < b.y : a.x < b.x;
}

sf::Vector2i sizeOf(const TileLook& look) {
    return {std::abs(look.textureRect.width), std::abs(look.textureRect.height)};
}

// A tile off its layer's grid is never drawn, so it hides nothing.
bool onGrid(sf::Vector2f position, int step) {
    const sf::Vector2i key = LayerTiles::keyOf(position);
    return key.x % step == 0 && key.y % step == 0;
}

}  // namespace

CoveredTiles::CoveredTiles(const std::shared_ptr<const LayerTiles>& tiles, int tileSize,
                           const Layers& above)
    : m_shown(tiles) {
    if (!tiles || tiles->empty() || tileSize <= 0) {
        return;
    }
    std::vector<bool> covered(tiles->size(), false);
    for (const auto& layer : above) {
        if (layer && markCovered(*tiles, tileSize, *layer, covered)) {
            m_coverers.push_back(layer);
        }
    }
    if (m_coverers.empty()) {
        return;
    }
    const std::vector<Tile>& all = tiles->inKeyOrder();
    std::vector<Tile> kept;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (!covered[i]) {
            kept.push_back(all[i]);
        }
    }
    m_coveredCount = all.size() - kept.size();
    m_shown = std::make_shared<const LayerTiles>(tiles->getLooks(), std::move(kept));
}

// Both layers' tiles are ordered by key, so one walk through each finds every pair of tiles
// under the same key.
bool CoveredTiles::markCovered(const LayerTiles& tiles, int tileSize, const LayerComponent& layer,
                               std::vector<bool>& covered) {
    if (layer.getTileSize() != tileSize) {
        return false;
    }
    const std::vector<Tile>& lower = tiles.inKeyOrder();
    const LayerTiles& upperTiles = layer.getTiles();
    const std::vector<Tile>& upper = upperTiles.inKeyOrder();
    bool any = false;
    std::size_t u = 0;
    for (std::size_t i = 0; i < lower.size(); ++i) {
        const sf::Vector2i key = LayerTiles::keyOf(lower[i].position);
        while (u < upper.size() && keyLess(LayerTiles::keyOf(upper[u].position), key)) {
            ++u;
        }
        if (u == upper.size()) {
            break;
        }
        const Tile& over = upper[u];
        if (!covered[i] && layer.isOpaque(over) && over.position == lower[i].position &&
            onGrid(over.position, tileSize) &&
            sizeOf(upperTiles.lookOf(over)) == sizeOf(tiles.lookOf(lower[i]))) {
            covered[i] = true;
            any = true;
        }
    }
    return any;
}
