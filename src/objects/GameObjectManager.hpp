#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "objects/GameObject.hpp"

// The game objects of one screen, by id, and the players still in the race.
class GameObjectManager {
public:
    using Registry = std::unordered_map<std::string, std::shared_ptr<GameObject>>;

    // Replaces an object already registered under the same id. Ids containing "Player" but not
    // "Camera" join the race.
    void addGameObject(const std::shared_ptr<GameObject>& gameObject);
    // Empty pointer, and one error line, when the id is unknown.
    std::shared_ptr<GameObject> getGameObject(const std::string& id) const;
    // Removes an object; a player is retired instead: it stays in the scene but leaves the race.
    void removeGameObject(const std::shared_ptr<GameObject>& gameObject);
    // Drops every object, breaking the object <-> component reference cycles first.
    void clear();

    const Registry& getGameObjects() const { return m_gameObjects; }
    const std::vector<std::shared_ptr<GameObject>>& getPlayers() const { return m_players; }

private:
    void retirePlayer(const std::shared_ptr<GameObject>& player);

    Registry m_gameObjects;
    std::vector<std::shared_ptr<GameObject>> m_players;
};
