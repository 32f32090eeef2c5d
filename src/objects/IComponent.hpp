#pragma once

#include <memory>

class GameObject;
class IRenderComponent;

// A piece of behaviour on a game object. init runs once after the whole scene exists (so it may
// look up siblings and other objects); update runs every frame with the last frame's duration.
class IComponent {
public:
    explicit IComponent(std::shared_ptr<GameObject> gameObject);
    virtual ~IComponent();

    virtual bool init() = 0;
    virtual void update(float frameSeconds) = 0;
    // The component as something drawn, or null. Every layer pass asks this of every component of
    // its objects, twice a frame in the race: far cheaper than a dynamic_cast each time.
    virtual IRenderComponent* asRenderComponent() { return nullptr; }

    const std::shared_ptr<GameObject>& getGameObject() const { return m_gameObject; }

protected:
    // Keeps the owner alive; GameObjectManager::clear breaks the cycle.
    std::shared_ptr<GameObject> m_gameObject;
};
