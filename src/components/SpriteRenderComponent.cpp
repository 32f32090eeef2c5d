#include "components/SpriteRenderComponent.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Err.hpp>
#include <ostream>

#include "objects/GameObject.hpp"

SpriteRenderComponent::SpriteRenderComponent(sf::RenderWindow& renderWindow, sf::Color maskColor,
                                             std::shared_ptr<GameObject> gameObject,
                                             std::string texturePath)
    : IRenderComponent(renderWindow, std::move(gameObject)),
      m_texturePath(std::move(texturePath)),
      m_maskColor(maskColor) {}

bool SpriteRenderComponent::init() {
    sf::Image image;
    if (!image.loadFromFile(m_texturePath)) {
        sf::err() << "Could not load texture from " << m_texturePath << std::endl;
        return false;
    }
    image.createMaskFromColor(m_maskColor, 0);
    m_texture.loadFromImage(image);
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
