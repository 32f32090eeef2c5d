#include "assets/TileGrid.hpp"

TileGrid::TileGrid(sf::Vector2u imageSize, unsigned tileWidth, unsigned tileHeight)
    : m_tileWidth(tileWidth),
      m_tileHeight(tileHeight),
      m_columns(tileWidth == 0 ? 0 : imageSize.x / tileWidth),
      m_rows(tileHeight == 0 ? 0 : imageSize.y / tileHeight) {}

std::optional<sf::IntRect> TileGrid::rectOf(unsigned localId) const {
    if (m_columns == 0 || localId / m_columns >= m_rows) {
        return std::nullopt;
    }
    return sf::IntRect(static_cast<int>(m_tileWidth * (localId % m_columns)),
                       static_cast<int>(m_tileHeight * (localId / m_columns)),
                       static_cast<int>(m_tileWidth), static_cast<int>(m_tileHeight));
}
