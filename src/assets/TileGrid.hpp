#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>
#include <optional>

// How a tileset image is cut into tiles: row by row in steps of the map's tile size, starting at
// the top-left corner. The tileset's own tile size, margin and spacing play no part.
class TileGrid {
public:
    TileGrid(sf::Vector2u imageSize, unsigned tileWidth, unsigned tileHeight);

    // Whole tiles across and down the image; 0 when the image is narrower (or lower) than a tile.
    unsigned getColumns() const { return m_columns; }
    unsigned getRows() const { return m_rows; }
    // The rectangle of the tile with this local id (gid minus the tileset's firstgid), or nothing
    // when the image holds no such tile.
    std::optional<sf::IntRect> rectOf(unsigned localId) const;

private:
    unsigned m_tileWidth;
    unsigned m_tileHeight;
    unsigned m_columns;
    unsigned m_rows;
};
