#include "support/TestScene.hpp"

#include "physics/SurfaceComponent.hpp"

TestScene::~TestScene() {
    for (const auto& object : m_objects) {
        object->clearComponents();
    }
}

std::shared_ptr<GameObject> TestScene::object(const std::string& id, const std::string& type) {
    m_objects.push_back(std::make_shared<GameObject>(id));
    m_objects.back()->setType(type);
    return m_objects.back();
}

TestScene::Player TestScene::player(const std::string& id, sf::Vector2f position, sf::Vector2i size,
                                    float mass, float offsetY) {
    const auto box = this->box(id, "Player", position, size, mass, true);
    box->setOffsetY(offsetY);
    const auto owner = box->getGameObject();
    const auto move = std::make_shared<PlayerMoveComponent>(owner, 0);
    owner->addComponent(move);
    return Player{owner, move, box->getRigidBody(), box};
}

std::shared_ptr<BoxCollisionComponent> TestScene::box(const std::string& id,
                                                      const std::string& type,
                                                      sf::Vector2f position, sf::Vector2i size,
                                                      float mass, bool solid) {
    const auto owner = object(id, type);
    owner->setPosition(position);
    const auto body =
        std::make_shared<RigidBodyComponent>(owner, mass, 0.0f, sf::Vector2f(), sf::Vector2f());
    const auto box = std::make_shared<BoxCollisionComponent>(owner, body, position.x, position.y,
                                                             size.x, size.y, solid);
    owner->addComponent(body);
    owner->addComponent(box);
    return box;
}

std::shared_ptr<BoxCollisionComponent> TestScene::surface(const std::string& type,
                                                          sf::Vector2f position, sf::Vector2i size,
                                                          float speed, float degradation) {
    const auto made = box(type + "Surface", type, position, size, 0.0f, false);
    const auto owner = made->getGameObject();
    owner->addComponent(std::make_shared<SurfaceComponent>(owner, speed, degradation));
    return made;
}
