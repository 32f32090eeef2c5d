#pragma once

#include "objects/IComponent.hpp"

class PlayerMoveComponent;

// A piece of ground (paper, wax paper, baking tray, magazine). While a player overlaps it, the
// surface scales the player's top speed and how fast the player loses points; 1 is neutral.
class SurfaceComponent : public IComponent {
public:
    SurfaceComponent(std::shared_ptr<GameObject> gameObject, float speed, float degradation);

    bool init() override { return true; }
    void update(float /*frameSeconds*/) override {}

    // Hands this surface's factors to a player standing on it.
    void applyTo(PlayerMoveComponent& player) const;

    float getSpeed() const { return m_speed; }
    float getDegradation() const { return m_degradation; }

private:
    float m_speed;
    float m_degradation;
};
