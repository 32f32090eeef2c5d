#pragma once

#include <SFML/System/Vector2.hpp>

#include "objects/IComponent.hpp"

// Keeps its object at another object's position (a camera following its player). Pointing it at
// its own object freezes the object where it is.
class TransformCopyComponent : public IComponent {
public:
    TransformCopyComponent(std::shared_ptr<GameObject> gameObject,
                           std::shared_ptr<GameObject> target);

    bool init() override { return true; }
    void update(float frameSeconds) override;

    void setTarget(std::shared_ptr<GameObject> target) { m_target = std::move(target); }
    const std::shared_ptr<GameObject>& getTarget() const { return m_target; }

private:
    std::shared_ptr<GameObject> m_target;
    sf::Vector2f m_offset;
};
