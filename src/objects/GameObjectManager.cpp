#include "objects/GameObjectManager.hpp"

#include <SFML/System/Err.hpp>
#include <algorithm>
#include <ostream>

namespace {
bool contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}
}  // namespace

void GameObjectManager::addGameObject(const std::shared_ptr<GameObject>& gameObject) {
    const std::string& id = gameObject->getId();
    m_gameObjects[id] = gameObject;
    if (contains(id, "Player") && !contains(id, "Camera")) {
        m_players.push_back(gameObject);
    }
}

std::shared_ptr<GameObject> GameObjectManager::getGameObject(const std::string& id) const {
    const auto found = m_gameObjects.find(id);
    if (found != m_gameObjects.end()) {
        return found->second;
    }
    sf::err() << __FILE__ << " Line: " << __LINE__ << " Could not find gameobject with m_id " << id
              << std::endl;
    return nullptr;
}

void GameObjectManager::removeGameObject(const std::shared_ptr<GameObject>& gameObject) {
    const std::string id = gameObject->getId();
    m_gameObjects.erase(id);
    if (contains(id, "Player")) {
        retirePlayer(gameObject);
    }
}

void GameObjectManager::retirePlayer(const std::shared_ptr<GameObject>& player) {
    const auto inRace = std::find(m_players.begin(), m_players.end(), player);
    if (inRace != m_players.end()) {
        m_players.erase(inRace);
    }
    player->setMarkedForRemoval(false);
    m_gameObjects[player->getId()] = player;
    if (player->isScoreRecorded()) {
        return;
    }
    player->setScoreRecorded(true);
}

void GameObjectManager::clear() {
    for (auto& entry : m_gameObjects) {
        entry.second->clearComponents();
    }
    m_gameObjects.clear();
    m_players.clear();
}
