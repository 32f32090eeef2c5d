#pragma once

#include <string>

#include "objects/GameObjectManager.hpp"

class Game;
class GameStateManager;

// One screen of the game (title menu, level, win screen, ...). Screens are created once and
// entered and left many times, so init must rebuild everything exit dropped.
class GameState {
public:
    GameState(GameStateManager* stateManager, Game* game);
    virtual ~GameState();

    virtual void init() = 0;
    virtual void exit() = 0;
    virtual void update(float frameSeconds) = 0;
    // Default: one pass over the loaded map's layers with the window's current view.
    virtual void draw();

    GameObjectManager& getGameObjectManager() { return m_gameObjectManager; }

protected:
    // Loads the screen's map from the asset folder, registers the map object and every object of
    // its layers, and initialises all of them. False when there is no map (already reported).
    bool loadScreenMap(const std::string& fileName);

    GameStateManager* m_stateManager;
    Game* m_game;
    GameObjectManager m_gameObjectManager;
};
