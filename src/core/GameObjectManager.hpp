#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "objects/GameObject.hpp"
#include "platform/AssetFolder.hpp"
#include "platform/BoardFileName.hpp"

class PlayerMoveComponent;

// The game objects of one screen, by id, and the players still in the race.
class GameObjectManager {
public:
    using Registry = std::unordered_map<std::string, std::shared_ptr<GameObject>>;
    using Objects = std::vector<std::shared_ptr<GameObject>>;

    // Releases its objects as clear() does, or a screen still running at exit would leak them.
    ~GameObjectManager();
    GameObjectManager() = default;
    GameObjectManager(const GameObjectManager&) = delete;
    GameObjectManager& operator=(const GameObjectManager&) = delete;

    // Takes the id from an object already registered under it; that object stays registered
    // (updated, released) but is no longer found by id. A racer's id (GameNames::isRacerId) joins
    // the race, once however often it is registered.
    void addGameObject(const std::shared_ptr<GameObject>& gameObject);
    // Empty pointer, and one error line, when the id is unknown.
    std::shared_ptr<GameObject> getGameObject(const std::string& id) const;
    // Removes an object and lets go of its components; a player is retired instead: it stays in the
    // scene but leaves the race, and the first time it does, its score goes to the leaderboard and
    // the others speed up.
    void removeGameObject(const std::shared_ptr<GameObject>& gameObject);
    // Drops every object, breaking the object <-> component reference cycles first.
    void clear();

    // The objects by id: the last one registered under each id.
    const Registry& getGameObjects() const { return m_gameObjects; }
    // Every object registered, in the order it was registered: a map's unnamed objects all share
    // one id, and each of them still counts.
    const Objects& getObjects() const { return m_objects; }
    const Objects& getPlayers() const { return m_players; }
    // The leaderboard file retired players' scores go to: the race's course's own.
    void setBoardPath(std::string path) { m_boardPath = std::move(path); }
    const std::string& getBoardPath() const { return m_boardPath; }

private:
    static constexpr float kLeaveSpeedUp = 2.0f;

    void retirePlayer(const std::shared_ptr<GameObject>& player);
    void recordScore(const GameObject& player, const PlayerMoveComponent& move) const;
    void speedUpOthers(const GameObject& leaver);

    Registry m_gameObjects;
    Objects m_objects;
    Objects m_players;
    std::string m_boardPath = AssetFolder::savePath(BoardFileName::kFirstCourse);
};
