#include "components/BaseButtonComponent.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Mouse.hpp>

#include "components/SpriteRenderComponent.hpp"
#include "platform/DesignView.hpp"
#include "platform/InputManager.hpp"
#include "platform/SoundEffects.hpp"

const sf::Color BaseButtonComponent::kHoverTint(180, 180, 180, 255);
const sf::Color BaseButtonComponent::kPressTint(120, 120, 120, 255);

BaseButtonComponent::BaseButtonComponent(std::shared_ptr<GameObject> gameObject,
                                         sf::Vector2f position, int width, int height,
                                         std::shared_ptr<SpriteRenderComponent> spriteComponent)
    : IComponent(std::move(gameObject)),
      m_position(position),
      m_shape(std::make_shared<sf::RectangleShape>(
          sf::Vector2f(static_cast<float>(width), static_cast<float>(height)))),
      m_bottomRight(position + m_shape->getSize()),
      m_spriteComponent(std::move(spriteComponent)) {
    m_shape->setPosition(m_position);
}

void BaseButtonComponent::update(float /*frameSeconds*/) {
    const sf::RenderWindow* window = InputManager::instance().getWindow();
    if (window == nullptr) {
        return;
    }
    handleMouse(DesignView::pointAt(*window, sf::Mouse::getPosition(*window)),
                sf::Mouse::isButtonPressed(sf::Mouse::Left));
}

void BaseButtonComponent::handleMouse(std::optional<sf::Vector2f> position, bool leftButtonDown) {
    const bool over = position && contains(position->x, position->y);
    m_hovered = over;
    updateHover(over, leftButtonDown);
    if (!over) {
        return;
    }
    InputManager& input = InputManager::instance();
    if (!leftButtonDown) {
        input.setMouseLatch(false);
        return;
    }
    if (input.isMouseLatched()) {
        return;
    }
    input.setMouseLatch(true);
    press();
}

void BaseButtonComponent::press() {
    SoundEffects::instance().play(SoundEffects::Kind::Click);
    fire();
}

void BaseButtonComponent::updateHover(bool over, bool leftButtonDown) {
    if (over) {
        m_spriteComponent->setColor(leftButtonDown ? kPressTint : kHoverTint);
    } else if (m_highlighted) {
        m_spriteComponent->setColor(kHoverTint);
    } else if (m_spriteComponent->getColor() != sf::Color::White) {
        m_spriteComponent->setColor(sf::Color::White);
    }
}

bool BaseButtonComponent::contains(float x, float y) const {
    return m_position.x <= x && x < m_bottomRight.x && m_position.y <= y && y < m_bottomRight.y;
}
