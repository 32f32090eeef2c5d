#pragma once

#include <SFML/System/Vector2.hpp>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class BoxCollisionComponent;
class GameObject;
class RigidBodyComponent;

// Detects and resolves collisions at a fixed 30 ticks per second, whatever the frame rate. It
// moves nothing by itself: each tick it tests every player's box against every registered box,
// applies the surface and win-zone rules to overlaps, and pushes solid boxes apart.
class PhysicsManager {
public:
    static PhysicsManager& instance();
    PhysicsManager();

    // Boxes of objects of type "Player" are also tested against all others.
    void registerCollider(std::shared_ptr<BoxCollisionComponent> collider);
    // Forgets the boxes of an object that has left the scene.
    void unregisterCollidersOf(const GameObject& owner);
    // Runs as many whole ticks as the accumulated frame time allows; the rest waits.
    void update(float frameSeconds);
    // Paused, the clock stands: frame time is not collected, so nothing jumps on resuming.
    void setPaused(bool paused) { m_paused = paused; }
    bool isPaused() const { return m_paused; }
    // Forgets every box and the time not yet consumed, and runs again.
    void reset();
    // Told of every solid contact that bounces bodies apart, with the speed of the impact
    // along the contact.
    using ImpactListener = std::function<void(float impactSpeed)>;
    void setImpactListener(ImpactListener listener) { m_impactListener = std::move(listener); }

    // True when the boxes overlap (touching counts). `normal` then points from a into b and
    // its length is the depth along the axis of smaller penetration. Boxes without area never
    // collide.
    bool checkCollision(const std::shared_ptr<BoxCollisionComponent>& a,
                        const std::shared_ptr<BoxCollisionComponent>& b, sf::Vector2f& normal);
    // Undoes a fifth of the overlap (less a small slop), shared by the bodies' inverse masses.
    void correctPositions(RigidBodyComponent& a, RigidBodyComponent& b, sf::Vector2f normal);
    // Restitution impulse along `normal` for bodies moving into each other; returns their speed
    // towards each other along it (0 when they were not closing).
    float resolveCollision(std::shared_ptr<RigidBodyComponent> a,
                           std::shared_ptr<RigidBodyComponent> other, sf::Vector2f normal);

    float getTimeStep() const { return m_timeStep; }
    float getAccumulator() const { return m_accumulator; }
    const std::vector<std::shared_ptr<BoxCollisionComponent>>& getColliders() const {
        return m_colliders;
    }
    const std::vector<std::shared_ptr<BoxCollisionComponent>>& getPlayerColliders() const {
        return m_playerColliders;
    }

private:
    void step();
    void applySurfaceRule(GameObject& ownerA, GameObject& ownerB) const;
    // Surface factors are per tick: degradation starts from neutral, speed fades toward it.
    void resetDegradationFactors() const;
    void relaxSpeedFactors() const;

    std::vector<std::shared_ptr<BoxCollisionComponent>> m_colliders;
    std::vector<std::shared_ptr<BoxCollisionComponent>> m_playerColliders;
    float m_timeStep = 1.0f / 30.0f;
    float m_accumulator = 0.0f;
    bool m_paused = false;
    ImpactListener m_impactListener;
};
