#include "physics/BoxCollisionComponent.hpp"

#include "objects/GameObject.hpp"

BoxCollisionComponent::BoxCollisionComponent(std::shared_ptr<GameObject> gameObject,
                                             std::shared_ptr<RigidBodyComponent> rigidBody, float x,
                                             float y, int width, int height, bool solid,
                                             float offsetY)
    : IComponent(std::move(gameObject)),
      m_position(x, y),
      m_rigidBody(std::move(rigidBody)),
      m_shape(std::make_shared<sf::RectangleShape>(
          sf::Vector2f(static_cast<float>(width), static_cast<float>(height)))),
      m_solid(solid),
      m_offsetY(offsetY) {
    // The offset is applied by the first update, not here.
    m_shape->setPosition(m_position);
}

void BoxCollisionComponent::update(float /*frameSeconds*/) {
    const sf::Vector2f owner = m_gameObject->getPosition();
    m_position = sf::Vector2f(owner.x, owner.y + m_offsetY);
    m_shape->setPosition(m_position);
}
