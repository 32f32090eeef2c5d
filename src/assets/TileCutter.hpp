#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <memory>
#include <string>
#include <unordered_map>

#include "assets/SkippedCells.hpp"
#include "assets/TmxMap.hpp"

namespace sf {
class Sprite;
class Texture;
}  // namespace sf

// Cuts tiles out of the tileset images: the tile of a gid is the (gid - firstGid)-th cell of its
// tileset's image, counted row by row in steps of the map's tile size. Cells whose tile cannot be
// cut are counted by reason and reported together.
class TileCutter {
public:
    // One texture per tileset, keyed by the tileset's name.
    using Textures = std::unordered_map<std::string, std::shared_ptr<sf::Texture>>;

    TileCutter(const TmxMap& map, const Textures& textures);

    // The sprite of gid's tile, not yet placed; empty when the tile cannot be cut.
    std::shared_ptr<sf::Sprite> cut(int gid, const std::string& layer);
    // One error line per reason that left cells empty.
    void report() const;

private:
    const TmxMap& m_map;
    const Textures& m_textures;
    SkippedCells m_noTileset{"their gid is below the first tileset's firstgid"};
    SkippedCells m_narrowImage{"their tileset's image did not load or is narrower than one tile"};
    SkippedCells m_outsideImage{"their gid lies beyond the end of their tileset's image"};
};
