#pragma once

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <string>

#include "core/GameState.hpp"

// The race: "TileMap.tmx" played split-screen, one camera per player, over a darkened
// background. Finished players are retired and their cameras stop; when nobody is left in the
// race the win screen follows. Escape goes back to the title menu.
class MainState : public GameState {
public:
    static constexpr const char* kMapFile = "TileMap.tmx";

    MainState(GameStateManager* stateManager, Game* game);

    void init() override;
    void exit() override;
    void update(float frameSeconds) override;
    void draw() override;

private:
    void registerColliders();
    void addCameras();
    void addCamera(const std::shared_ptr<GameObject>& player);
    void loadBackground();
    void retire(const std::shared_ptr<GameObject>& gameObject);

    std::string m_backgroundPath;
    sf::Sprite m_background;
    sf::Texture m_backgroundTexture;
    // False when the level map could not be loaded: the screen then only waits for Escape.
    bool m_mapLoaded = false;
};
