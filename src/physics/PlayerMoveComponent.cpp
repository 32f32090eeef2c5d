#include "physics/PlayerMoveComponent.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <cmath>

#include "objects/GameObject.hpp"
#include "physics/BoxCollisionComponent.hpp"
#include "physics/RigidBodyComponent.hpp"
#include "platform/InputManager.hpp"

PlayerMoveComponent::PlayerMoveComponent(std::shared_ptr<GameObject> gameObject, unsigned inputSet)
    : IComponent(std::move(gameObject)), m_inputSet(inputSet) {}

sf::Vector2f PlayerMoveComponent::inputDirection() const {
    const InputManager& input = InputManager::instance();
    const int bindingSet = static_cast<int>(m_inputSet);
    sf::Vector2f direction(0.0f, m_speed);
    if (input.isActionDown("left", bindingSet)) {
        direction.x -= m_speed;
    }
    if (input.isActionDown("right", bindingSet)) {
        direction.x += m_speed;
    }
    return direction;
}

void PlayerMoveComponent::update(float frameSeconds) {
    const auto body = m_gameObject->getComponent<RigidBodyComponent>();
    if (!body) {
        return;  // a picture of a player (the win screen's), not a racer
    }
    const float dt = frameSeconds;
    const sf::Vector2f force = inputDirection();
    const sf::Vector2f position = body->getPosition();
    const float inverseMass = body->getInverseMass();

    float vx = body->getVelocity().x + force.x * inverseMass * dt;
    float vy = body->getVelocity().y + force.y * inverseMass * dt;
    // Only the fall is limited, by the surface underfoot; sideways speed fades instead.
    const float limit = m_speedFactor * m_speed;
    if (std::abs(vy) > limit) {
        vy = vy / std::abs(vy) * limit;
    }
    vx = vx * (1.0f - 0.5f * dt);

    const sf::Vector2f moved(position.x + vx * dt, position.y + vy * dt);
    const sf::Vector2f travelled = position - moved;
    const float distance = std::sqrt(travelled.x * travelled.x + travelled.y * travelled.y);
    body->setVelocity(sf::Vector2f(vx, vy));
    body->setPosition(moved);
    m_gameObject->setPosition(moved);

    const float scaleBefore = m_points / kFullPoints;
    m_points -= distance / 100.0f * m_degradationFactor * m_degradationRate;
    if (m_points <= 0.0f) {
        m_gameObject->setMarkedForRemoval(true);
        return;
    }
    shrinkCollider(scaleBefore, m_points / kFullPoints);
}

// The box keeps its width; its height and its distance below the owner scale with the points,
// in step with the picture, which loses rows at the bottom.
void PlayerMoveComponent::shrinkCollider(float scaleBefore, float scaleAfter) const {
    const auto box = m_gameObject->getComponent<BoxCollisionComponent>();
    if (!box || !(scaleBefore > 0.0f)) {
        return;
    }
    const sf::FloatRect bounds = box->getShape()->getLocalBounds();
    // Resized in place: a new shape every frame would allocate.
    box->getShape()->setSize(sf::Vector2f(bounds.width, bounds.height / scaleBefore * scaleAfter));
    box->setOffsetY(scaleAfter * kFullOffsetY);
}
