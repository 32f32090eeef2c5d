#pragma once

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <memory>
#include <string>
#include <vector>

#include "core/GameState.hpp"
#include "states/BackgroundMask.hpp"
#include "states/KeyHints.hpp"
#include "states/PauseMenu.hpp"

class CameraRenderComponent;

// The race on the game's current course (the first one, "TileMap.tmx", unless the player chose
// another or named a map when starting the game), played
// split-screen, one camera per player, over a darkened background. Finished players are retired
// and their cameras stop; when nobody is left in the race the win screen follows. Escape goes
// back to the title menu; F5 reads the map again and restarts the race on it. The pause key, a
// pad's Start or the window losing the focus pauses the race: nothing moves, the physics clock
// stands and the music plays quieter under an overlay offering Resume, Restart and Title.
class MainState : public GameState {
public:
    static constexpr const char* kMapFile = "TileMap.tmx";
    static constexpr float kPausedVolume = 5.0f;

    MainState(GameStateManager* stateManager, Game* game);

    void init() override;
    void exit() override;
    void update(float frameSeconds) override;
    void draw() override;
    // Off, the background is painted whole under the tiles, as it once was: the same picture,
    // for comparing the two.
    void setBackgroundCulling(bool culling) { m_backgroundCulling = culling; }
    bool isPaused() const { return m_pause.isOpen(); }
    void pause();
    void resume();

private:
    // The race's map and everything built from it; the music is left alone.
    void enterRace();
    void leaveRace();
    void loadLevel();
    void registerColliders(const GameObject& map);
    void addCameras();
    void addCamera(const std::shared_ptr<GameObject>& player);
    void loadBackground();
    void drawDivider(sf::RenderTarget& target) const;
    // Paints the background only where no camera's opaque tiles will hide it.
    void drawBackground(sf::RenderWindow& target);
    void updateObjects(float frameSeconds);
    // The frame of a paused race: only the overlay and the pause key answer.
    void updatePaused(float frameSeconds);
    void leaveForTitle();
    void restart();
    void retire(const std::shared_ptr<GameObject>& gameObject);
    void removeTrailsOf(const GameObject& gameObject);

    std::string m_backgroundPath;
    sf::Sprite m_background;
    sf::Texture m_backgroundTexture;
    // The white line between the two halves, from the middle of the design screen rightward.
    sf::RectangleShape m_divider;
    BackgroundMask m_backgroundMask;
    KeyHints m_keyHints;
    bool m_backgroundCulling = true;
    // False when the level map could not be loaded: the screen then only waits for Escape (or
    // F5, once the designer has mended the map).
    bool m_mapLoaded = false;
    std::vector<std::shared_ptr<CameraRenderComponent>> m_cameras;
    // Players that finished in this frame's walk; kept between frames so that a frame allocates
    // nothing.
    std::vector<std::shared_ptr<GameObject>> m_finished;
    PauseMenu m_pause;
};
