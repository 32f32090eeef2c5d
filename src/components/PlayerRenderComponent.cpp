#include "components/PlayerRenderComponent.hpp"

#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

#include "components/PictureLoader.hpp"
#include "objects/GameObject.hpp"
#include "physics/PlayerMoveComponent.hpp"

PlayerRenderComponent::PlayerRenderComponent(sf::RenderWindow& renderWindow, sf::Color maskColor,
                                             std::shared_ptr<GameObject> gameObject,
                                             std::string texturePath)
    : IRenderComponent(renderWindow, std::move(gameObject)),
      m_texturePath(std::move(texturePath)),
      m_maskColor(maskColor) {}

bool PlayerRenderComponent::init() {
    if (!PictureLoader::load(m_texturePath, m_texture, m_maskColor)) {
        return false;
    }
    m_sprite.setTexture(m_texture, true);
    m_playerMove = m_gameObject->getComponent<PlayerMoveComponent>();
    return true;
}

// Clamped to the picture: a negative count would draw rows above the picture upside down, and
// one beyond it would smear the last row downward.
int PlayerRenderComponent::visibleHeight() const {
    const int fullHeight = m_sprite.getTextureRect().height;
    if (!m_playerMove) {
        return fullHeight;
    }
    const float shown = static_cast<float>(fullHeight) *
                        (m_playerMove->getPoints() / PlayerMoveComponent::kFullPoints);
    if (!(shown > 0.0f)) {
        return 0;
    }
    if (shown >= static_cast<float>(fullHeight)) {
        return fullHeight;
    }
    return static_cast<int>(shown);
}

void PlayerRenderComponent::draw() {
    const sf::IntRect fullRect = m_sprite.getTextureRect();
    m_sprite.setTextureRect(
        sf::IntRect(fullRect.left, fullRect.top, fullRect.width, visibleHeight()));
    m_renderWindow.draw(m_sprite, sf::RenderStates(m_gameObject->getTransform()));
    m_sprite.setTextureRect(fullRect);
}
