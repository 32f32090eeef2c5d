#include "physics/SurfaceComponent.hpp"

#include "physics/PlayerMoveComponent.hpp"

SurfaceComponent::SurfaceComponent(std::shared_ptr<GameObject> gameObject, float speed,
                                   float degradation)
    : IComponent(std::move(gameObject)), m_speed(speed), m_degradation(degradation) {}

void SurfaceComponent::applyTo(PlayerMoveComponent& player) const {
    player.setSpeedFactor(m_speed);
    player.setDegradationFactor(m_degradation);
}
