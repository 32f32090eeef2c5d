#include "physics/RigidBodyComponent.hpp"

#include <cmath>

#include "objects/GameNames.hpp"
#include "objects/GameObject.hpp"
#include "physics/PlayerMoveComponent.hpp"

RigidBodyComponent::RigidBodyComponent(std::shared_ptr<GameObject> gameObject, float mass,
                                       float restitution, sf::Vector2f velocity,
                                       sf::Vector2f acceleration)
    : IComponent(std::move(gameObject)),
      m_inverseMass(inverseMassOf(mass)),
      m_restitution(restitution),
      m_velocity(velocity),
      m_acceleration(acceleration),
      m_position(m_gameObject->getPosition()) {}

// 1 / 0 would be an infinite inverse mass: the body's numbers would turn into NaN at the first
// contact and a player would pass through it. Such a body (and a negative or NaN mass, or one
// so small that its inverse overflows) stands still instead.
float RigidBodyComponent::inverseMassOf(float mass) {
    if (!(mass > 0.0f)) {
        return 0.0f;
    }
    const float inverse = 1.0f / mass;
    return std::isfinite(inverse) ? inverse : 0.0f;
}

// Only a player's movement ever moves a body. A wall that took its share of a contact would
// store a velocity that never moves it, and from then on give way: a player would sink through
// any wall not much heavier than itself.
float RigidBodyComponent::getContactInverseMass() const {
    return m_gameObject->getComponent<PlayerMoveComponent>() ? m_inverseMass : 0.0f;
}

void RigidBodyComponent::checkWinZone(const std::shared_ptr<RigidBodyComponent>& other) const {
    GameObject& self = *m_gameObject;
    GameObject& otherOwner = *other->getGameObject();
    using Type = GameNames::Type;
    if (self.getType() == Type::kPlayer && otherOwner.getType() == Type::kWinZone) {
        self.setMarkedForRemoval(true);
    } else if (self.getType() == Type::kWinZone && otherOwner.getType() == Type::kPlayer) {
        otherOwner.setMarkedForRemoval(true);
    }
}
