#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/View.hpp>
#include <memory>
#include <string>

#include "components/MenuNavigator.hpp"
#include "core/GameObjectManager.hpp"

class Game;
class GameStateManager;
namespace sf {
class RenderWindow;
}

// One screen of the game (title menu, level, win screen, ...). Screens are created once and
// entered and left many times, so init must rebuild everything exit dropped.
class GameState {
public:
    // The game's font, under the asset folder; a map's own pictures are read from the map's folder.
    static constexpr const char* kFontFile = "fonts/mini-pixel-7/mini_pixel-7.ttf";

    GameState(GameStateManager* stateManager, Game* game);
    virtual ~GameState();

    virtual void init() = 0;
    virtual void exit() = 0;
    virtual void update(float frameSeconds) = 0;
    // Default: one pass over the loaded map's layers with the window's current view, and the
    // menu's highlight.
    virtual void draw();

    GameObjectManager& getGameObjectManager() { return m_gameObjectManager; }

protected:
    // Loads the screen's map from the asset folder and registers the map object and every object
    // of its layers. Empty when there is no map (the loader has said why).
    std::shared_ptr<GameObject> loadAndRegisterMap(const std::string& fileName);
    // Registers a map object and every object of its layers, in the map's order; nothing for no
    // map.
    void registerMap(const std::shared_ptr<GameObject>& map);
    // Only once the whole scene is registered may components look each other up. The scene's
    // buttons become the screen's menu.
    void initRegisteredObjects();
    // Both of the above: what a menu-type screen does on entry. False when there is no map.
    bool loadScreenMap(const std::string& fileName);
    // What a menu-type screen does on entry: the font first when it takes one (no font, no
    // screen), then the map, then it remembers the view the screen is built with.
    void enterMenuScreen(const std::string& fileName, sf::View& view, sf::Font* font = nullptr);
    // The frame of every menu-type screen: the menu keys, then every object, and a clicked
    // state button followed to its screen.
    void updateMenu(const sf::View& view, float frameSeconds);
    // Loads the game's font, saying so when it cannot.
    static bool loadFont(sf::Font& font);
    // The game window, through which screens set views; null only in tests without one.
    static sf::RenderWindow* window();
    // The whole design screen, fitted to the window.
    static void useDesignView();
    void requestState(const std::string& name);

    GameStateManager* m_stateManager;
    Game* m_game;
    GameObjectManager m_gameObjectManager;
    MenuNavigator m_menu;

private:
    // The buttons of the registered objects; the way back is a button to the title, or one
    // whose object is named for going back.
    void collectMenuButtons();
};
