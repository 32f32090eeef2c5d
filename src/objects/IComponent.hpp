#pragma once

#include <memory>

class GameObject;

// A piece of behaviour on a game object. init runs once after the whole scene exists (so it may
// look up siblings and other objects); update runs every frame with the last frame's duration.
class IComponent {
public:
    explicit IComponent(std::shared_ptr<GameObject> gameObject);
    virtual ~IComponent();

    virtual bool init() = 0;
    virtual void update(float frameSeconds) = 0;

    const std::shared_ptr<GameObject>& getGameObject() const { return m_gameObject; }

protected:
    // Keeps the owner alive; GameObjectManager::clear breaks the cycle.
    std::shared_ptr<GameObject> m_gameObject;
};
