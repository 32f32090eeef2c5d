#include "components/SpriteRenderComponent.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

#include "components/PictureLoader.hpp"
#include "objects/GameObject.hpp"

SpriteRenderComponent::SpriteRenderComponent(sf::RenderWindow& renderWindow, sf::Color maskColor,
                                             std::shared_ptr<GameObject> gameObject,
                                             std::string texturePath)
    : IRenderComponent(renderWindow, std::move(gameObject)),
      m_texturePath(std::move(texturePath)),
      m_maskColor(maskColor) {}

bool SpriteRenderComponent::init() {
    if (!PictureLoader::load(m_texturePath, m_texture, m_maskColor)) {
        return false;
    }
    m_sprite.setTexture(m_texture, true);
    return true;
}

void SpriteRenderComponent::update(float /*frameSeconds*/) {}

void SpriteRenderComponent::draw() {
    m_renderWindow.draw(m_sprite, m_gameObject->getTransform());
}

void SpriteRenderComponent::setColor(const sf::Color& color) {
    m_color = color;
    m_sprite.setColor(color);
}
