#pragma once

// Detects and resolves collisions at a fixed 30 ticks per second, whatever the frame rate.
class PhysicsManager {
public:
    static PhysicsManager& instance();

    // Runs as many whole ticks as the accumulated frame time allows.
    void update(float frameSeconds);
    void reset();

    float getAccumulator() const { return m_accumulator; }

private:
    PhysicsManager() = default;
    void step();

    float m_timeStep = 1.0f / 30.0f;
    float m_accumulator = 0.0f;
};
