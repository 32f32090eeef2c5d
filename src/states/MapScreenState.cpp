#include "states/MapScreenState.hpp"

#include "assets/AssetManager.hpp"
#include "core/Game.hpp"

MapScreenState::MapScreenState(GameStateManager* stateManager, Game* game, Layout layout)
    : GameState(stateManager, game), m_layout(std::move(layout)) {}

void MapScreenState::init() {
    if (m_layout.playsFirstCourse && m_game != nullptr) {
        m_game->raceFirstCourse();
    }
    enterMenuScreen(m_layout.mapFile, m_view, m_layout.takesFont ? &m_font : nullptr);
}

// Otherwise the next screen's map load forgets this screen's map. The next screen captures its
// view in its own init, so it must find the default one.
void MapScreenState::exit() {
    m_gameObjectManager.clear();
    if (m_layout.releasesMapOnExit) {
        AssetManager::instance().reset();
        useDesignView();
    }
}

void MapScreenState::update(float frameSeconds) {
    updateMenu(m_view, frameSeconds);
}
