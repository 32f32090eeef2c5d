#include "components/StateButtonComponent.hpp"

#include "components/SpriteRenderComponent.hpp"

StateButtonComponent::StateButtonComponent(std::shared_ptr<GameObject> gameObject,
                                           sf::Vector2f position, int width, int height,
                                           std::shared_ptr<SpriteRenderComponent> spriteComponent,
                                           std::string nextState)
    : BaseButtonComponent(std::move(gameObject), position, width, height,
                          std::move(spriteComponent)),
      m_nextState(std::move(nextState)) {}
