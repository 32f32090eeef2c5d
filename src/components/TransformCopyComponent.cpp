#include "components/TransformCopyComponent.hpp"

#include "objects/GameObject.hpp"

TransformCopyComponent::TransformCopyComponent(std::shared_ptr<GameObject> gameObject,
                                               std::shared_ptr<GameObject> target)
    : IComponent(std::move(gameObject)), m_target(std::move(target)) {}

// Only the position follows: the object keeps its own rotation, scale and origin.
void TransformCopyComponent::update(float /*frameSeconds*/) {
    m_gameObject->setPosition(m_target->getPosition());
    m_gameObject->move(m_offset);
}
