#include "assets/LayerTiles.hpp"

#include <numeric>

namespace {

bool keyLess(sf::Vector2i a, sf::Vector2i b) {
    return a.y != b.y ? a.y < b.y : a.x < b.x;
}

}  // namespace

// A map's cells come row by row, so their keys are nearly always in order already and the tiles
// are kept as they come; only odd maps (keys that collide, such as one-pixel tiles shifted by a
// fraction of a pixel) pay for a sort.
LayerTiles::LayerTiles(std::vector<TileLook> looks, std::vector<Tile> tiles)
    : m_looks(std::move(looks)), m_tiles(std::move(tiles)) {
    if (!indexRows()) {
        sortAndDeduplicate();
        indexRows();
    }
}

sf::Vector2i LayerTiles::keyOf(sf::Vector2f position) {
    return sf::Vector2i(static_cast<int>(position.x), static_cast<int>(position.y));
}

const Tile* LayerTiles::find(sf::Vector2i key) const {
    const auto found = std::lower_bound(m_tiles.begin(), m_tiles.end(), key,
                                        [](const Tile& tile, sf::Vector2i wanted) {
                                            return keyLess(keyOf(tile.position), wanted);
                                        });
    if (found == m_tiles.end() || keyOf(found->position) != key) {
        return nullptr;
    }
    return &*found;
}

bool LayerTiles::shows(const Tile& tile) const {
    return tile.look < m_looks.size() && m_looks[tile.look].texture != nullptr;
}

void LayerTiles::sortAndDeduplicate() {
    std::vector<std::size_t> order(m_tiles.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return keyLess(keyOf(m_tiles[a].position), keyOf(m_tiles[b].position));
    });
    std::vector<Tile> kept;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const Tile& tile = m_tiles[order[i]];
        const bool replaced =
            i + 1 < order.size() && keyOf(m_tiles[order[i + 1]].position) == keyOf(tile.position);
        if (!replaced && shows(tile)) {
            kept.push_back(tile);
        }
    }
    m_tiles = std::move(kept);
}

bool LayerTiles::indexRows() {
    m_rows.clear();
    m_lookCounts.assign(m_looks.size(), 0);
    sf::Vector2i previous;
    for (std::size_t i = 0; i < m_tiles.size(); ++i) {
        const sf::Vector2i key = keyOf(m_tiles[i].position);
        if (!shows(m_tiles[i]) || (i > 0 && !keyLess(previous, key))) {
            return false;
        }
        if (m_rows.empty() || m_rows.back().y != key.y) {
            m_rows.push_back(Row{key.y, i, i});
        }
        ++m_rows.back().end;
        ++m_lookCounts[m_tiles[i].look];
        previous = key;
    }
    return true;
}

std::size_t LayerTiles::firstInRow(const Row& row, int x) const {
    const auto begin = m_tiles.begin() + static_cast<std::ptrdiff_t>(row.begin);
    const auto end = m_tiles.begin() + static_cast<std::ptrdiff_t>(row.end);
    return static_cast<std::size_t>(std::lower_bound(begin, end, x,
                                                     [](const Tile& tile, int wanted) {
                                                         return keyOf(tile.position).x < wanted;
                                                     }) -
                                    m_tiles.begin());
}
