#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/View.hpp>
#include <string>

#include "core/GameState.hpp"

// A screen that is only its map: the title, the tutorial, the credits and the settings. Its
// buttons and texts come from the map; it is drawn with the default draw.
class MapScreenState : public GameState {
public:
    struct Layout {
        std::string mapFile;  // under the asset folder
        // The screen needs the game's font: without it the screen stays empty.
        bool takesFont = false;
        // Leaving lets go of the map at once and hands the next screen the design view (the
        // title, which the race is entered from).
        bool releasesMapOnExit = false;
        // Its "PLAY" races the game's first course, whatever was raced before.
        bool playsFirstCourse = false;
    };

    MapScreenState(GameStateManager* stateManager, Game* game, Layout layout);

    void init() override;
    void exit() override;
    void update(float frameSeconds) override;

    const Layout& getLayout() const { return m_layout; }

private:
    Layout m_layout;
    sf::Font m_font;
    // The view the screen was built with, made current again every frame.
    sf::View m_view;
};
