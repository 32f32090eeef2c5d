#pragma once

#include <SFML/System/Vector2.hpp>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "assets/LayerComponent.hpp"
#include "assets/LayerTiles.hpp"
#include "assets/TileCutter.hpp"
#include "assets/TmxMap.hpp"
#include "platform/AssetFolder.hpp"

namespace sf {
class RenderWindow;
class Texture;
}  // namespace sf

class GameObject;
class GeometryPool;
class IRenderComponent;

// Holds everything that belongs to the map currently loaded: its tileset textures, one tile per
// occupied cell, its tile layers and the players built from it. Every loadMap starts by
// forgetting the previous map; only graphics memory for tile geometry is kept from one map to
// the next.
class AssetManager {
public:
    using Textures = TileCutter::Textures;
    using Layers = std::vector<std::pair<std::string, std::shared_ptr<LayerComponent>>>;
    using RenderComponents = std::vector<std::shared_ptr<IRenderComponent>>;
    using Players = std::vector<std::shared_ptr<GameObject>>;

    static AssetManager& instance();
    AssetManager(const AssetManager&) = delete;
    AssetManager& operator=(const AssetManager&) = delete;

    sf::RenderWindow* getRenderWindow() const { return m_renderWindow; }
    void setRenderWindow(sf::RenderWindow* window) { m_renderWindow = window; }
    // The folder that pictures and fonts named in the next map are read from, ending in '/'.
    const std::string& getAssetRoot() const { return m_assetRoot; }
    void setAssetRoot(std::string root) { m_assetRoot = std::move(root); }

    // Reads the map file at path (used as given) and builds it: textures, tiles shifted by
    // offset, layers and objects. Returns the map's own object (id "map", holding the layers),
    // or an empty pointer, with one error line, when the file cannot be read or is no usable map.
    // Never throws; on failure the manager is left reset.
    std::shared_ptr<GameObject> loadMap(const std::string& path, const sf::Vector2f& offset);
    // Forgets the current map. The graphics memory of its large layers stays for the next map.
    void reset();
    // Lets go of the graphics memory kept for the next map; the game does so before it ends.
    void dropSpareGeometry();

    // One texture per tileset, keyed by the tileset's name; images are found under the asset
    // root. A missing image is reported and stays as an empty texture.
    void loadTilesetTextures(const TmxMap& map);
    // One positioned tile per occupied cell of every layer, under its tile key.
    void buildTileSprites(const TmxMap& map, const sf::Vector2f& offset);
    // One LayerComponent per tile layer, in file order, added to mapObject.
    void buildLayers(const TmxMap& map, std::shared_ptr<GameObject> mapObject);
    // Gives gameObject the map object's type and adds it to every layer that the map object's
    // "correspondingLayer" property names.
    void attachToLayer(std::shared_ptr<GameObject> gameObject, const TmxObject* object);

    // One pass over the visible layers with the window's current view.
    void drawLayers();

    const Textures& getTextures() const { return m_textures; }
    // Per layer, in file order; each is shared with the layer's component.
    const std::vector<std::shared_ptr<const LayerTiles>>& getLayerTiles() const {
        return m_layerTiles;
    }
    const Layers& getLayers() const { return m_layers; }
    const RenderComponents& getRenderComponents() const { return m_renderComponents; }
    void setRenderComponents(RenderComponents components) {
        m_renderComponents = std::move(components);
    }
    // The map's own properties: a course's name, a screen's texts.
    const std::vector<TmxProperty>& getMapProperties() const { return m_mapProperties; }
    int getPlayerCount() const { return m_playerCount; }
    const Players& getPlayers() const { return m_players; }

    // The object factory's bookkeeping for the map being built.
    void addRenderComponent(std::shared_ptr<IRenderComponent> component);
    void countPlayer() { ++m_playerCount; }
    void addPlayer(std::shared_ptr<GameObject> player);
    // Drops what the list holds of an object that is being thrown away.
    void forgetRenderComponentsOf(const GameObject& gameObject);

private:
    AssetManager();

    std::shared_ptr<GameObject> buildMap(const TmxMap& map, const sf::Vector2f& offset);
    // Turns the map's objects into game objects and attaches them to their layers.
    void buildObjects(const TmxMap& map);

    sf::RenderWindow* m_renderWindow = nullptr;
    Textures m_textures;
    LayerComponent::TexturePictures m_tilesetPictures;
    std::string m_assetRoot = AssetFolder::root();
    std::vector<std::shared_ptr<const LayerTiles>> m_layerTiles;
    Layers m_layers;
    RenderComponents m_renderComponents;
    int m_playerCount = 0;
    Players m_players;
    std::vector<TmxProperty> m_mapProperties;
    std::shared_ptr<GeometryPool> m_geometryPool;
};
