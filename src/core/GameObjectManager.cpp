#include "core/GameObjectManager.hpp"

#include <SFML/System/Err.hpp>
#include <algorithm>
#include <filesystem>
#include <ostream>

#include "components/PlayerRenderComponent.hpp"
#include "objects/GameNames.hpp"
#include "objects/Leaderboard.hpp"
#include "physics/PlayerMoveComponent.hpp"

void GameObjectManager::addGameObject(const std::shared_ptr<GameObject>& gameObject) {
    const std::string& id = gameObject->getId();
    const auto registered = m_gameObjects.find(id);
    // Registering an object again does not make it count twice.
    const bool known =
        registered != m_gameObjects.end() &&
        (registered->second == gameObject ||
         std::find(m_objects.begin(), m_objects.end(), gameObject) != m_objects.end());
    m_gameObjects[id] = gameObject;
    if (known) {
        return;
    }
    m_objects.push_back(gameObject);
    if (GameNames::isRacerId(id)) {
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
    if (GameNames::isRacerId(id)) {
        retirePlayer(gameObject);
        return;
    }
    const auto registered = m_gameObjects.find(id);
    if (registered != m_gameObjects.end() && registered->second == gameObject) {
        m_gameObjects.erase(registered);
    }
    m_objects.erase(std::remove(m_objects.begin(), m_objects.end(), gameObject), m_objects.end());
    // Gone from the screen for good: nothing would break its cycle with its components later.
    gameObject->clearComponents();
}

void GameObjectManager::retirePlayer(const std::shared_ptr<GameObject>& player) {
    const auto inRace = std::find(m_players.begin(), m_players.end(), player);
    if (inRace != m_players.end()) {
        m_players.erase(inRace);
    }
    player->setMarkedForRemoval(false);
    // Gameplay marks a finished player again and again (it stays in the win zone, its points
    // stay used up): only the first retirement counts.
    if (player->isScoreRecorded()) {
        return;
    }
    player->setScoreRecorded(true);
    // Something that only looks like a player by its id never raced: it has no points.
    const auto move = player->getComponent<PlayerMoveComponent>();
    if (!move) {
        return;
    }
    recordScore(*player, *move);
    speedUpOthers(*player);
}

// The picture's path is the player's name; a player without a picture leaves no line.
// A picture of a course in a folder of its own is named through that folder ("courses/../"):
// the shortest path keeps the names of one racer alike on every board.
void GameObjectManager::recordScore(const GameObject& player,
                                    const PlayerMoveComponent& move) const {
    if (const auto render = player.getComponent<PlayerRenderComponent>()) {
        const auto picture = std::filesystem::path(render->getTexturePath()).lexically_normal();
        Leaderboard(m_boardPath)
            .appendEntry(picture.string(), Leaderboard::scoreFromPoints(move.getPoints()));
    }
}

// Every player that leaves the race makes the others, finished ones included, lose points faster.
void GameObjectManager::speedUpOthers(const GameObject& leaver) {
    for (const auto& object : m_objects) {
        const GameObject& other = *object;
        if (&other == &leaver || other.getType() != GameNames::Type::kPlayer) {
            continue;
        }
        if (const auto move = other.getComponent<PlayerMoveComponent>()) {
            move->setDegradationRate(move->getDegradationRate() + kLeaveSpeedUp);
        }
    }
}

GameObjectManager::~GameObjectManager() {
    clear();
}

void GameObjectManager::clear() {
    for (const auto& object : m_objects) {
        object->clearComponents();
    }
    m_gameObjects.clear();
    m_objects.clear();
    m_players.clear();
}
