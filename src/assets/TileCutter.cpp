#include "assets/TileCutter.hpp"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>

#include "assets/TileGrid.hpp"
#include "assets/TmxReader.hpp"

TileCutter::TileCutter(const TmxMap& map, const Textures& textures)
    : m_map(map), m_textures(textures) {}

std::shared_ptr<sf::Sprite> TileCutter::cut(int gid, const std::string& layer) {
    const TmxTileset* tileset = tilesetOfGid(m_map, gid);
    if (tileset == nullptr) {
        m_noTileset.add(gid, layer);
        return nullptr;
    }
    const auto found = m_textures.find(tileset->name);
    const sf::Texture* texture = found == m_textures.end() ? nullptr : found->second.get();
    const TileGrid grid(texture == nullptr ? sf::Vector2u() : texture->getSize(),
                        static_cast<unsigned>(m_map.tileWidth),
                        static_cast<unsigned>(m_map.tileHeight));
    if (grid.getColumns() == 0) {
        m_narrowImage.add(gid, layer);
        return nullptr;
    }
    const auto rect = grid.rectOf(static_cast<unsigned>(gid - tileset->firstGid));
    if (!rect) {
        m_outsideImage.add(gid, layer);
        return nullptr;
    }
    auto sprite = std::make_shared<sf::Sprite>();
    sprite->setTexture(*texture);
    sprite->setTextureRect(*rect);
    return sprite;
}

void TileCutter::report() const {
    m_noTileset.report();
    m_narrowImage.report();
    m_outsideImage.report();
}
