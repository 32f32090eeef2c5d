#pragma once

#include <SFML/System/Vector2.hpp>
#include <memory>
#include <string>
#include <vector>

#include "objects/GameObject.hpp"
#include "physics/BoxCollisionComponent.hpp"
#include "physics/PlayerMoveComponent.hpp"
#include "physics/RigidBodyComponent.hpp"

// Builds physics objects the way the maps do and breaks their reference cycles when it goes.
class TestScene {
public:
    struct Player {
        std::shared_ptr<GameObject> object;
        std::shared_ptr<PlayerMoveComponent> move;
        std::shared_ptr<RigidBodyComponent> body;
        std::shared_ptr<BoxCollisionComponent> box;
    };

    ~TestScene();

    // Movement, body and a solid box at the player's position.
    Player player(const std::string& id, sf::Vector2f position, sf::Vector2i size, float mass,
                  float offsetY = 0.0f);
    std::shared_ptr<BoxCollisionComponent> box(const std::string& id, const std::string& type,
                                               sf::Vector2f position, sf::Vector2i size, float mass,
                                               bool solid);
    // A non-solid box of mass 0 with a surface component, as the maps make ground.
    std::shared_ptr<BoxCollisionComponent> surface(const std::string& type, sf::Vector2f position,
                                                   sf::Vector2i size, float speed,
                                                   float degradation);
    std::shared_ptr<GameObject> object(const std::string& id, const std::string& type = "");

private:
    std::vector<std::shared_ptr<GameObject>> m_objects;
};
