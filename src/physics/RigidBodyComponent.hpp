#pragma once

#include <SFML/System/Vector2.hpp>
#include <memory>

#include "objects/IComponent.hpp"

// The dynamic state of a body. Nothing here moves it: the player's movement integrates player
// bodies every frame and the physics corrects bodies in contact.
class RigidBodyComponent : public IComponent {
public:
    // A mass of 0 or less (the map's default is 0) makes an immovable body: inverse mass 0.
    // The position is taken from the owner, which must already stand at its start.
    RigidBodyComponent(std::shared_ptr<GameObject> gameObject, float mass, float restitution,
                       sf::Vector2f velocity, sf::Vector2f acceleration);

    bool init() override { return true; }
    void update(float /*frameSeconds*/) override {}

    // Marks the player of a player / win-zone pair for removal, whichever side it is on.
    void checkWinZone(const std::shared_ptr<RigidBodyComponent>& other) const;

    float getInverseMass() const { return m_inverseMass; }
    void setInverseMass(float inverseMass) { m_inverseMass = inverseMass; }
    // The inverse mass with which the body takes part in a contact: its own for a player, 0
    // (it stands firm) for anything that nothing ever moves, whatever its mass.
    float getContactInverseMass() const;
    float getRestitution() const { return m_restitution; }
    void setRestitution(float restitution) { m_restitution = restitution; }
    const sf::Vector2f& getVelocity() const { return m_velocity; }
    void setVelocity(sf::Vector2f velocity) { m_velocity = velocity; }
    const sf::Vector2f& getAcceleration() const { return m_acceleration; }
    void setAcceleration(sf::Vector2f acceleration) { m_acceleration = acceleration; }
    const sf::Vector2f& getPosition() const { return m_position; }
    void setPosition(sf::Vector2f position) { m_position = position; }

    static float inverseMassOf(float mass);

private:
    float m_inverseMass;
    float m_restitution;
    sf::Vector2f m_velocity;
    sf::Vector2f m_acceleration;  // kept from the map; nothing reads it
    sf::Vector2f m_position;
};
