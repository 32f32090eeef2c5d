#include "assets/AssetManager.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Err.hpp>
#include <algorithm>
#include <filesystem>
#include <ostream>

#include "assets/GeometryPool.hpp"
#include "assets/LayerComponent.hpp"
#include "assets/LayerTilesBuilder.hpp"
#include "assets/ObjectFactory.hpp"
#include "assets/TmxReader.hpp"
#include "objects/GameObject.hpp"
#include "platform/RegularFile.hpp"

namespace {

// The line between the two halves of the split screen, in view units.

void reportMapProblem(const std::string& path, const std::string& problem) {
    sf::err() << "loadMap: " << path << ": " << problem << std::endl;
}

// The folder a map's templates are looked for in, as Tiled keeps them: the map's own.
std::string folderOf(const std::string& mapPath) {
    const std::string folder = std::filesystem::path(mapPath).parent_path().string();
    return folder.empty() ? folder : folder + "/";
}

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
        parsed = parseTmx(text->data(), folderOf(path));
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
    m_mapProperties = map.properties;
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
    m_tilesetPictures.clear();
    m_layerTiles.clear();
    for (const auto& layer : m_layers) {
        layer.second->clearTiles();
    }
    m_layers.clear();
    m_renderComponents.clear();
    m_playerCount = 0;
    m_players.clear();
    m_mapProperties.clear();
}

// The pictures stay while the map is loaded: the layers find their opaque tiles in them rather
// than reading every texture back from the graphics driver.
void AssetManager::loadTilesetTextures(const TmxMap& map) {
    for (const auto& tileset : map.tilesets) {
        auto texture = std::make_shared<sf::Texture>();
        const std::string path = m_assetRoot + tileset.imageSource;
        sf::Image picture;
        if (!RegularFile::load(
                path,
                [&picture](const std::string& plain) { return picture.loadFromFile(plain); }) ||
            !texture->loadFromImage(picture)) {
            sf::err() << "Could not load texture " << path << std::endl;
        } else {
            m_tilesetPictures[texture.get()] = std::move(picture);
        }
        m_textures[tileset.name] = std::move(texture);
    }
}

void AssetManager::buildTileSprites(const TmxMap& map, const sf::Vector2f& offset) {
    m_layerTiles = LayerTilesBuilder::build(map, m_textures, offset);
}

void AssetManager::buildLayers(const TmxMap& map, std::shared_ptr<GameObject> mapObject) {
    if (m_renderWindow == nullptr) {
        sf::err() << "buildLayers: there is no window to draw the layers into" << std::endl;
        return;
    }
    // Top layer first, so that each layer knows the layers drawn over it when it leaves out
    // the tiles they cover.
    std::vector<std::shared_ptr<LayerComponent>> built(map.layers.size());
    std::vector<std::shared_ptr<const LayerComponent>> above;
    for (std::size_t i = map.layers.size(); i-- > 0;) {
        built[i] = std::make_shared<LayerComponent>(
            mapObject, *m_renderWindow, i < m_layerTiles.size() ? m_layerTiles[i] : nullptr,
            map.layers[i].name, map.tileHeight, m_geometryPool, above, m_tilesetPictures);
        above.insert(above.begin(), built[i]);
    }
    for (std::size_t i = 0; i < built.size(); ++i) {
        mapObject->addComponent(built[i]);
        m_layers.emplace_back(map.layers[i].name, std::move(built[i]));
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
