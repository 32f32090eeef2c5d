#pragma once

#include <SFML/Graphics/Image.hpp>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "assets/LayerTiles.hpp"
#include "assets/TileChunks.hpp"
#include "objects/IRenderComponent.hpp"

class GameObject;
namespace sf {
class RenderTarget;
class View;
}  // namespace sf

// One tile layer of the loaded map, on the map's game object. It draws its tiles around the
// current view and then the game objects that belong to it, top to bottom, so an object lower on
// the screen appears in front. Tiles that the layers drawn after it cover exactly are left out
// for as long as those layers are shown.
class LayerComponent : public IRenderComponent {
public:
    using TexturePictures = std::unordered_map<const sf::Texture*, sf::Image>;

    // The tiles are shared with the asset manager, which cut them; their geometry is built here,
    // once, in buffers from the pool where it is large. `above` are the layers drawn after this
    // one, in the order they are drawn; they must be built before it. `pictures` are the
    // textures' pictures as loaded, to find the fully opaque looks in; a texture without one
    // is read back from the graphics driver.
    LayerComponent(std::shared_ptr<GameObject> gameObject, sf::RenderWindow& renderWindow,
                   std::shared_ptr<const LayerTiles> tiles, std::string name, int tileSize,
                   const std::shared_ptr<GeometryPool>& geometryPool = nullptr,
                   const std::vector<std::shared_ptr<const LayerComponent>>& above = {},
                   const TexturePictures& pictures = {});

    bool init() override { return true; }
    void update(float /*frameSeconds*/) override {}
    void draw() override;

    // The tiles the view shows: the world rectangle it covers, widened by one tile on each side
    // so that nothing pops in at the edges, whatever the size of the window it is shown in.
    static TileRange visibleTiles(const sf::View& view, int tileSize);

    const std::string& getName() const { return m_name; }
    const std::vector<std::shared_ptr<GameObject>>& getObjects() const { return m_objects; }
    void addObject(std::shared_ptr<GameObject> gameObject);
    // All of the layer's tiles, covered or not.
    const LayerTiles& getTiles() const { return *m_tiles; }
    // The tiles that no layer above covers, which are all that is drawn while those are shown.
    const LayerTiles& getUncoveredTiles() const { return *m_uncovered; }
    // The geometry of the uncovered tiles.
    const TileChunks& getTileChunks() const { return m_chunks; }
    // Lets go of the tiles, whose textures are about to go.
    void clearTiles();
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    int getTileSize() const { return m_tileSize; }

    // The two halves of draw(). The tile pass culls against the target's own view, so it can
    // also draw into an off-screen texture.
    void drawTiles(sf::RenderTarget& target);
    void drawObjects();
    // The work of the two halves without drawing: the tile pass's range for the target's view,
    // and the objects put in drawing order (top to bottom).
    void prepareTiles(const sf::RenderTarget& target);
    void sortObjects();
    // The range of the last tile pass.
    const TileRange& getTileRange() const { return m_range; }
    // Whether every pixel of the tile's picture is fully opaque: it then hides whatever lies
    // under it.
    bool isOpaque(const Tile& tile) const { return m_opaqueLooks[tile.look]; }
    // Calls visit(worldRectangle) for each fully opaque tile of the range, where it is drawn.
    template <typename Visit>
    void forEachOpaqueTile(const TileRange& range, Visit&& visit) const;

private:
    // The uncovered tiles' geometry while every layer covering some tile is shown, else that of
    // all the tiles, built the first time it is needed.
    const TileChunks& chunksToDraw();

    std::string m_name;
    std::shared_ptr<const LayerTiles> m_tiles;
    int m_tileSize;
    std::shared_ptr<GeometryPool> m_geometryPool;
    std::shared_ptr<const LayerTiles> m_uncovered;
    std::vector<std::weak_ptr<const LayerComponent>> m_coverers;
    TileChunks m_chunks;
    TileChunks m_allChunks;
    bool m_allChunksBuilt = false;
    std::vector<bool> m_opaqueLooks;  // by look
    TileRange m_range;
    std::vector<std::shared_ptr<GameObject>> m_objects;
    bool m_visible = true;
};

template <typename Visit>
void LayerComponent::forEachOpaqueTile(const TileRange& range, Visit&& visit) const {
    m_tiles->forEachOnGrid(range, m_tileSize, [&](const Tile& tile) {
        if (isOpaque(tile)) {
            const sf::IntRect& picture = m_tiles->lookOf(tile).textureRect;
            visit(sf::FloatRect(tile.position, sf::Vector2f(static_cast<float>(picture.width),
                                                            static_cast<float>(picture.height))));
        }
    });
}
