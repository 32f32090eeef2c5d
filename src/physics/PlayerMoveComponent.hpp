#pragma once

#include <SFML/System/Vector2.hpp>

#include "objects/IComponent.hpp"

// Drives a player: a constant push downward, a sideways push per held "left" / "right" (a key of
// its binding set or its controller), integration of the player's body, and the points. Points are
// the score and the size: they drain with the distance travelled, the collider shrinks with them,
// and the player is marked for removal when they run out.
class PlayerMoveComponent : public IComponent {
public:
    static constexpr float kFullPoints = 1000.0f;
    static constexpr float kFullOffsetY = 200.0f;  // collider offset below the owner at full points

    PlayerMoveComponent(std::shared_ptr<GameObject> gameObject, unsigned inputSet);

    bool init() override { return true; }
    void update(float frameSeconds) override;

    // The force from this frame's input: always m_speed downward, plus or minus m_speed
    // sideways per held direction (both directions held cancel).
    sf::Vector2f inputDirection() const;

    unsigned getInputSet() const { return m_inputSet; }
    float getSpeed() const { return m_speed; }
    float getPoints() const { return m_points; }
    void setPoints(float points) { m_points = points; }
    float getSpeedFactor() const { return m_speedFactor; }
    void setSpeedFactor(float factor) { m_speedFactor = factor; }
    float getDegradationFactor() const { return m_degradationFactor; }
    void setDegradationFactor(float factor) { m_degradationFactor = factor; }
    float getDegradationRate() const { return m_degradationRate; }
    void setDegradationRate(float rate) { m_degradationRate = rate; }

private:
    void shrinkCollider(float scaleBefore, float scaleAfter) const;

    unsigned m_inputSet;
    float m_speed = 1000.0f;
    float m_points = kFullPoints;
    float m_speedFactor = 1.0f;        // from the surface underfoot, scales the vertical limit
    float m_degradationFactor = 1.0f;  // from the surface underfoot, scales the point drain
    float m_degradationRate = 1.0f;    // grows each time another player leaves the race
};
