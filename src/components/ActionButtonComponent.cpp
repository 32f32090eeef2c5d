#include "components/ActionButtonComponent.hpp"

#include "components/SpriteRenderComponent.hpp"

ActionButtonComponent::ActionButtonComponent(std::shared_ptr<GameObject> gameObject,
                                             sf::Vector2f position, int width, int height,
                                             std::shared_ptr<SpriteRenderComponent> spriteComponent,
                                             Action action)
    : BaseButtonComponent(std::move(gameObject), position, width, height,
                          std::move(spriteComponent)),
      m_action(std::move(action)) {}

void ActionButtonComponent::fire() {
    if (m_action) {
        m_action();
    }
}
