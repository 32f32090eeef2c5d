#pragma once

#include <SFML/System/Vector2.hpp>
#include <memory>
#include <string>
#include <vector>

#include "assets/LayerTiles.hpp"
#include "assets/TileBatches.hpp"
#include "objects/IRenderComponent.hpp"

class GameObject;
namespace sf {
class RenderTarget;
}

// One tile layer of the loaded map, on the map's game object. It draws its tiles around the
// current view and then the game objects that belong to it, top to bottom, so an object lower on
// the screen appears in front.
class LayerComponent : public IRenderComponent {
public:
    // The tiles are shared with the asset manager, which cut them.
    LayerComponent(std::shared_ptr<GameObject> gameObject, sf::RenderWindow& renderWindow,
                   std::shared_ptr<const LayerTiles> tiles, std::string name, int tileSize);

    bool init() override { return true; }
    void update(float /*frameSeconds*/) override {}
    void draw() override;

    // The tiles around the view: one and a half times the window's half-size on each side,
    // widened by whole tiles, on the grid of tileSize anchored at 0.
    static TileRange visibleTiles(sf::Vector2f viewCentre, sf::Vector2u windowSize, int tileSize);

    const std::string& getName() const { return m_name; }
    const std::vector<std::shared_ptr<GameObject>>& getObjects() const { return m_objects; }
    void addObject(std::shared_ptr<GameObject> gameObject);
    const LayerTiles& getTiles() const { return *m_tiles; }
    // Lets go of the tiles, whose textures are about to go.
    void clearTiles();
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    int getTileSize() const { return m_tileSize; }

    // The two halves of draw(). The tile pass culls against the target's own view and size, so
    // it can also draw into an off-screen texture.
    void drawTiles(sf::RenderTarget& target);
    void drawObjects();
    // The work of the two halves without drawing: the tile pass's batches for the target's view,
    // and the objects put in drawing order (top to bottom).
    void prepareTiles(const sf::RenderTarget& target);
    void sortObjects();
    // What the last tile pass drew.
    const TileBatches& getTileBatches() const { return m_batches; }

private:
    std::string m_name;
    std::shared_ptr<const LayerTiles> m_tiles;
    TileBatches m_batches;
    std::vector<std::shared_ptr<GameObject>> m_objects;
    bool m_visible = true;
    int m_tileSize;
};
