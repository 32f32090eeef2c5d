#pragma once

#include <string>

namespace sf {
class RenderWindow;
}

// Holds everything that belongs to the map currently loaded and draws its layers.
class AssetManager {
public:
    static AssetManager& instance();

    sf::RenderWindow* getRenderWindow() const { return m_renderWindow; }
    void setRenderWindow(sf::RenderWindow* window) { m_renderWindow = window; }
    const std::string& getAssetRoot() const { return m_assetRoot; }

    // Forgets the current map.
    void reset();
    // One pass over the current map's visible layers with the window's current view.
    void drawLayers();

private:
    AssetManager() = default;

    sf::RenderWindow* m_renderWindow = nullptr;
    std::string m_assetRoot = "../assets/";
};
