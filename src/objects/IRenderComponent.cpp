#include "objects/IRenderComponent.hpp"

IRenderComponent::IRenderComponent(sf::RenderWindow& renderWindow,
                                   std::shared_ptr<GameObject> gameObject)
    : IComponent(std::move(gameObject)), m_renderWindow(renderWindow) {}
