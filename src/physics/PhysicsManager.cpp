#include "physics/PhysicsManager.hpp"

PhysicsManager& PhysicsManager::instance() {
    static PhysicsManager manager;
    return manager;
}

void PhysicsManager::update(float frameSeconds) {
    m_accumulator += frameSeconds;
    while (m_accumulator >= m_timeStep) {
        step();
        m_accumulator -= m_timeStep;
    }
}

// No colliders exist yet: a tick has nothing to test.
void PhysicsManager::step() {}

void PhysicsManager::reset() {
    m_accumulator = 0.0f;
}
