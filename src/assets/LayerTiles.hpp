#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace sf {
class Texture;
}

// What a tile shows: a part of a tileset texture. The texture belongs to the asset manager.
struct TileLook {
    const sf::Texture* texture = nullptr;
    sf::IntRect textureRect;
};

// One occupied cell of a tile layer: where its tile is drawn, and which of the layer's looks it
// shows. A layer has a hundred thousand cells but a few dozen looks.
struct Tile {
    sf::Vector2f position;
    std::uint32_t look = 0;
};

// A rectangle of tile keys: x from start.x while below end.x, y likewise.
struct TileRange {
    sf::Vector2i start;
    sf::Vector2i end;
};

// The tiles of one layer, found by their tile key: the cell's top-left corner with both
// coordinates truncated toward zero. A map is cut into tiles once, when it loads; afterwards the
// tiles never change, and every tile pass only walks the keys it needs.
class LayerTiles {
public:
    LayerTiles() = default;
    // Tiles in the order the map's cells were cut; a later tile replaces an earlier one under the
    // same key. A tile whose look does not exist or has no texture shows nothing and is left out.
    LayerTiles(std::vector<TileLook> looks, std::vector<Tile> tiles);

    static sf::Vector2i keyOf(sf::Vector2f position);

    // The tile under the key, or null.
    const Tile* find(sf::Vector2i key) const;
    const TileLook& lookOf(const Tile& tile) const { return m_looks[tile.look]; }
    const std::vector<TileLook>& getLooks() const { return m_looks; }
    // Every tile, ordered by key: top row first, left to right.
    const std::vector<Tile>& inKeyOrder() const { return m_tiles; }
    std::size_t size() const { return m_tiles.size(); }
    bool empty() const { return m_tiles.empty(); }
    // How many of the layer's tiles show each look.
    const std::vector<std::size_t>& getLookCounts() const { return m_lookCounts; }

    // Calls visit(tile) for each tile whose key lies in the range and on the grid of `step`
    // anchored at 0; row by row, left to right.
    template <typename Visit>
    void forEachOnGrid(const TileRange& range, int step, Visit&& visit) const;

private:
    struct Row {
        int y;
        std::size_t begin;
        std::size_t end;
    };

    static bool onGrid(int coordinate, int step) { return coordinate % step == 0; }
    bool shows(const Tile& tile) const;
    // Finds the rows and counts the looks; false, having stopped early, unless the tiles are
    // strictly ordered by key and all show something.
    bool indexRows();
    // Orders the tiles by key and keeps, of each key, the last tile cut if it shows something.
    void sortAndDeduplicate();
    // The first tile of the row at or right of x.
    std::size_t firstInRow(const Row& row, int x) const;

    std::vector<TileLook> m_looks;
    // Ordered by key, top row first, left to right; keys are unique.
    std::vector<Tile> m_tiles;
    std::vector<Row> m_rows;
    std::vector<std::size_t> m_lookCounts;
};

template <typename Visit>
void LayerTiles::forEachOnGrid(const TileRange& range, int step, Visit&& visit) const {
    if (step <= 0) {
        return;
    }
    auto row = std::lower_bound(m_rows.begin(), m_rows.end(), range.start.y,
                                [](const Row& r, int y) { return r.y < y; });
    for (; row != m_rows.end() && row->y < range.end.y; ++row) {
        if (!onGrid(row->y, step)) {
            continue;
        }
        for (std::size_t i = firstInRow(*row, range.start.x); i < row->end; ++i) {
            const int x = keyOf(m_tiles[i].position).x;
            if (x >= range.end.x) {
                break;
            }
            if (onGrid(x, step)) {
                visit(m_tiles[i]);
            }
        }
    }
}
