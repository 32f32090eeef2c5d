#include "assets/AssetManager.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Err.hpp>
#include <algorithm>
#include <cstdint>
#include <ostream>
#include <unordered_map>

#include "assets/GeometryPool.hpp"
#include "assets/LayerComponent.hpp"
#include "assets/ObjectFactory.hpp"
#include "assets/TileGrid.hpp"
#include "assets/TmxReader.hpp"
#include "objects/GameObject.hpp"
#include "platform/DesignView.hpp"
#include "platform/RegularFile.hpp"

namespace {

// The line between the two halves of the split screen, in view units.

void reportMapProblem(const std::string& path, const std::string& problem) {
    sf::err() << "loadMap: " << path << ": " << problem << std::endl;
}

// Cells that could not be cut for one reason, so that each reason is reported once per map
// rather than once per cell.
class SkippedCells {
public:
    explicit SkippedCells(std::string reason) : m_reason(std::move(reason)) {}

    void add(int gid, const std::string& layer) {
        if (m_count++ == 0) {
            m_firstGid = gid;
            m_firstLayer = layer;
        }
    }

    void report() const {
        if (m_count > 0) {
            sf::err() << "Left " << m_count << " tile(s) empty: " << m_reason
                      << " (the first is gid " << m_firstGid << " in layer \"" << m_firstLayer
                      << "\")" << std::endl;
        }
    }

private:
    std::string m_reason;
    int m_count = 0;
    int m_firstGid = 0;
    std::string m_firstLayer;
};

// Cuts tiles out of the tileset images: the tile of a gid is the (gid - firstGid)-th cell of its
// tileset's image, counted row by row in steps of the map's tile size.
class TileCutter {
public:
    TileCutter(const TmxMap& map, const AssetManager::Textures& textures)
        : m_map(map), m_textures(textures) {}

    // The sprite of gid's tile, not yet placed; empty when the tile cannot be cut.
    std::shared_ptr<sf::Sprite> cut(int gid, const std::string& layer) {
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

    void report() const {
        m_noTileset.report();
        m_narrowImage.report();
        m_outsideImage.report();
    }

private:
    const TmxMap& m_map;
    const AssetManager::Textures& m_textures;
    SkippedCells m_noTileset{"their gid is below the first tileset's firstgid"};
    SkippedCells m_narrowImage{"their tileset's image did not load or is narrower than one tile"};
    SkippedCells m_outsideImage{"their gid lies beyond the end of their tileset's image"};
};

// The looks of one layer's tiles, each gid cut once: a level has a hundred thousand cells but a
// few dozen different tiles. The cutter hands out a sprite, of which the look keeps the texture
// and the rectangle. A gid that cannot be cut goes to the cutter at every cell, so that the
// cutter counts them all.
class LayerLooks {
public:
    LayerLooks(TileCutter& cutter, const std::string& layer) : m_cutter(cutter), m_layer(layer) {}

    // The index in takeLooks() of gid's tile; false when the tile cannot be cut.
    bool find(int gid, std::uint32_t& look) {
        const auto known = m_known.find(gid);
        if (known != m_known.end()) {
            look = known->second;
            return true;
        }
        const auto sprite = m_cutter.cut(gid, m_layer);
        if (!sprite) {
            return false;
        }
        look = static_cast<std::uint32_t>(m_looks.size());
        m_looks.push_back(TileLook{sprite->getTexture(), sprite->getTextureRect()});
        m_known.emplace(gid, look);
        return true;
    }

    std::vector<TileLook> takeLooks() { return std::move(m_looks); }

private:
    TileCutter& m_cutter;
    const std::string& m_layer;
    std::unordered_map<int, std::uint32_t> m_known;
    std::vector<TileLook> m_looks;
};

}  // namespace

AssetManager::AssetManager() : m_geometryPool(std::make_shared<GeometryPool>()) {}

AssetManager& AssetManager::instance() {
    static AssetManager manager;
    return manager;
}

std::shared_ptr<GameObject> AssetManager::loadMap(const std::string& path,
                                                  const sf::Vector2f& offset) {
    reset();
    TmxParseResult parsed;
    {
        auto text = readMapText(path);
        if (!text) {
            sf::err() << "loadMap: could not open file " << path << std::endl;
            return nullptr;
        }
        parsed = parseTmx(text->data());
    }
    if (!parsed.map) {
        reportMapProblem(path, parsed.error());
        return nullptr;
    }
    for (const auto& warning : parsed.warnings) {
        reportMapProblem(path, warning.describe());
    }
    return buildMap(*parsed.map, offset);
}

std::shared_ptr<GameObject> AssetManager::buildMap(const TmxMap& map, const sf::Vector2f& offset) {
    auto mapObject = std::make_shared<GameObject>("map");
    loadTilesetTextures(map);
    buildTileSprites(map, offset);
    buildLayers(map, mapObject);
    buildObjects(map);
    return mapObject;
}

void AssetManager::dropSpareGeometry() {
    m_geometryPool->dropSpares();
}

// The order matters: the layers still share the tiles when the textures go, so they must let go
// of them before the map object (which owns the layers) is released by its screen.
void AssetManager::reset() {
    m_textures.clear();
    m_layerTiles.clear();
    for (const auto& layer : m_layers) {
        layer.second->clearTiles();
    }
    m_layers.clear();
    m_renderComponents.clear();
    m_playerCount = 0;
    m_players.clear();
}

void AssetManager::loadTilesetTextures(const TmxMap& map) {
    for (const auto& tileset : map.tilesets) {
        auto texture = std::make_shared<sf::Texture>();
        const std::string path = m_assetRoot + tileset.imageSource;
        if (!RegularFile::load(path, [&texture](const std::string& plain) {
                return texture->loadFromFile(plain);
            })) {
            sf::err() << "Could not load texture " << path << std::endl;
        }
        m_textures[tileset.name] = std::move(texture);
    }
}

void AssetManager::buildTileSprites(const TmxMap& map, const sf::Vector2f& offset) {
    m_layerTiles.clear();
    if (map.tileWidth <= 0 || map.tileHeight <= 0) {
        m_layerTiles.assign(map.layers.size(), std::make_shared<const LayerTiles>());
        return;
    }
    TileCutter cutter(map, m_textures);
    for (const TmxLayer& layer : map.layers) {
        const auto cells = layer.data.begin() + (layer.width <= 0 ? 0 : layer.data.size());
        LayerLooks looks(cutter, layer.name);
        std::vector<Tile> tiles;
        tiles.reserve(static_cast<std::size_t>(
            std::count_if(layer.data.begin(), cells, [](int gid) { return gid != 0; })));
        // Cells row by row: counting columns spares a division per cell.
        int column = 0;
        int row = 0;
        for (auto cell = layer.data.begin(); cell != cells; ++cell) {
            Tile tile;
            if (*cell != 0 && looks.find(*cell, tile.look)) {
                tile.position = {static_cast<float>(map.tileWidth * column) + offset.x,
                                 static_cast<float>(map.tileHeight * row) + offset.y};
                tiles.push_back(tile);
            }
            if (++column == layer.width) {
                column = 0;
                ++row;
            }
        }
        m_layerTiles.push_back(
            std::make_shared<const LayerTiles>(looks.takeLooks(), std::move(tiles)));
    }
    cutter.report();
}

void AssetManager::buildLayers(const TmxMap& map, std::shared_ptr<GameObject> mapObject) {
    if (m_renderWindow == nullptr) {
        sf::err() << "buildLayers: there is no window to draw the layers into" << std::endl;
        return;
    }
    for (std::size_t i = 0; i < map.layers.size(); ++i) {
        const std::string& name = map.layers[i].name;
        auto layer = std::make_shared<LayerComponent>(
            mapObject, *m_renderWindow, i < m_layerTiles.size() ? m_layerTiles[i] : nullptr, name,
            map.tileHeight, m_geometryPool);
        mapObject->addComponent(layer);
        m_layers.emplace_back(name, std::move(layer));
    }
}

void AssetManager::attachToLayer(std::shared_ptr<GameObject> gameObject, const TmxObject* object) {
    if (object == nullptr) {
        return;
    }
    gameObject->setType(object->type);
    for (const auto& layer : m_layers) {
        const bool named = std::any_of(object->properties.begin(), object->properties.end(),
                                       [&](const TmxProperty& property) {
                                           return property.name == ObjectFactory::kLayerProperty &&
                                                  property.value == layer.first;
                                       });
        if (named) {
            layer.second->addObject(gameObject);
        }
    }
}

// Every object of the map becomes a game object by its type, on the layer it names.
void AssetManager::buildObjects(const TmxMap& map) {
    ObjectFactory(*this).buildObjects(map);
}

void AssetManager::addRenderComponent(std::shared_ptr<IRenderComponent> component) {
    m_renderComponents.push_back(std::move(component));
}

void AssetManager::addPlayer(std::shared_ptr<GameObject> player) {
    m_players.push_back(std::move(player));
}

void AssetManager::forgetRenderComponentsOf(const GameObject& gameObject) {
    const auto& components = gameObject.getComponentList();
    m_renderComponents.erase(std::remove_if(m_renderComponents.begin(), m_renderComponents.end(),
                                            [&](const auto& rendered) {
                                                return std::find(components.begin(),
                                                                 components.end(),
                                                                 rendered) != components.end();
                                            }),
                             m_renderComponents.end());
}

void AssetManager::drawLayers() {
    if (m_renderWindow == nullptr) {
        return;
    }
    for (const auto& layer : m_layers) {
        if (layer.second->isVisible()) {
            layer.second->draw();
        }
    }
}
