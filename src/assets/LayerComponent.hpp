#pragma once

#include <memory>
#include <string>
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
// the screen appears in front.
class LayerComponent : public IRenderComponent {
public:
    // The tiles are shared with the asset manager, which cut them; their geometry is built here,
    // once, in buffers from the pool where it is large.
    LayerComponent(std::shared_ptr<GameObject> gameObject, sf::RenderWindow& renderWindow,
                   std::shared_ptr<const LayerTiles> tiles, std::string name, int tileSize,
                   const std::shared_ptr<GeometryPool>& geometryPool = nullptr);

    bool init() override { return true; }
    void update(float /*frameSeconds*/) override {}
    void draw() override;

    // The tiles the view shows: the world rectangle it covers, widened by one tile on each side
    // so that nothing pops in at the edges, whatever the size of the window it is shown in.
    static TileRange visibleTiles(const sf::View& view, int tileSize);

    const std::string& getName() const { return m_name; }
    const std::vector<std::shared_ptr<GameObject>>& getObjects() const { return m_objects; }
    void addObject(std::shared_ptr<GameObject> gameObject);
    const LayerTiles& getTiles() const { return *m_tiles; }
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
    std::string m_name;
    std::shared_ptr<const LayerTiles> m_tiles;
    int m_tileSize;
    TileChunks m_chunks;
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
