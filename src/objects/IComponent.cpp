#include "objects/IComponent.hpp"

#include "objects/GameObject.hpp"

IComponent::IComponent(std::shared_ptr<GameObject> gameObject)
    : m_gameObject(std::move(gameObject)) {}

IComponent::~IComponent() = default;
