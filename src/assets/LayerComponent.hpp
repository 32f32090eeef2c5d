#pragma once

#include <SFML/System/Vector2.hpp>
#include <memory>
#include <string>
#include <vector>

#include "assets/TileKey.hpp"
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
    // The grid corners one tile pass visits: x from start.x while below end.x, y likewise, both
    // in steps of the tile size.
    struct TileRange {
        sf::Vector2i start;
        sf::Vector2i end;
    };

    LayerComponent(std::shared_ptr<GameObject> gameObject, sf::RenderWindow& renderWindow,
                   TileSprites tiles, std::string name, int tileSize);

    bool init() override { return true; }
    void update(float /*frameSeconds*/) override {}
    void draw() override;

    // The tiles around the view: one and a half times the window's half-size on each side,
    // widened by whole tiles, on the grid of tileSize anchored at 0.
    static TileRange visibleTiles(sf::Vector2f viewCentre, sf::Vector2u windowSize, int tileSize);

    const std::string& getName() const { return m_name; }
    const std::vector<std::shared_ptr<GameObject>>& getObjects() const { return m_objects; }
    void addObject(std::shared_ptr<GameObject> gameObject);
    const TileSprites& getTiles() const { return m_tiles; }
    // Lets go of the tile sprites, whose textures are about to go.
    void clearTiles() { m_tiles.clear(); }
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    int getTileSize() const { return m_tileSize; }

    // The two halves of draw(). The tile pass culls against the target's own view and size, so
    // it can also draw into an off-screen texture.
    void drawTiles(sf::RenderTarget& target);
    void drawObjects();

private:
    std::string m_name;
    TileSprites m_tiles;
    std::vector<std::shared_ptr<GameObject>> m_objects;
    bool m_visible = true;
    int m_tileSize;
};
