#pragma once

#include <SFML/Graphics/RectangleShape.hpp>
#include <memory>

#include "objects/IComponent.hpp"
#include "physics/RigidBodyComponent.hpp"

// An axis-aligned box that follows its owner, offset downward by m_offsetY. A solid box pushes
// back; a non-solid one only reports overlaps (surfaces, the win zone).
class BoxCollisionComponent : public IComponent {
public:
    BoxCollisionComponent(std::shared_ptr<GameObject> gameObject,
                          std::shared_ptr<RigidBodyComponent> rigidBody, float x, float y,
                          int width, int height, bool solid, float offsetY = 0.0f);

    bool init() override { return true; }
    // Moves the box to the owner's position plus the offset; the frame time is not used.
    void update(float frameSeconds) override;

    const sf::Vector2f& getPosition() const { return m_position; }
    const std::shared_ptr<RigidBodyComponent>& getRigidBody() const { return m_rigidBody; }
    const std::shared_ptr<sf::RectangleShape>& getShape() const { return m_shape; }
    void setShape(std::shared_ptr<sf::RectangleShape> shape) { m_shape = std::move(shape); }
    sf::Vector2f getSize() const { return m_shape->getSize(); }
    bool isSolid() const { return m_solid; }
    float getOffsetY() const { return m_offsetY; }
    void setOffsetY(float offsetY) { m_offsetY = offsetY; }

private:
    sf::Vector2f m_position;  // top-left corner in the world
    std::shared_ptr<RigidBodyComponent> m_rigidBody;
    std::shared_ptr<sf::RectangleShape> m_shape;  // holds the size; never drawn
    bool m_solid;
    float m_offsetY;
};
