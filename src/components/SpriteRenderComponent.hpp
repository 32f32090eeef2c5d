#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <string>

#include "objects/IRenderComponent.hpp"

// Draws one picture at its object's transform: backgrounds, props, button faces, logos.
class SpriteRenderComponent : public IRenderComponent {
public:
    // Pixels of exactly `maskColor` become transparent when the picture is loaded.
    SpriteRenderComponent(sf::RenderWindow& renderWindow, sf::Color maskColor,
                          std::shared_ptr<GameObject> gameObject, std::string texturePath);

    bool init() override;
    void update(float frameSeconds) override;
    void draw() override;

    const sf::Sprite& getSprite() const { return m_sprite; }
    const std::string& getTexturePath() const { return m_texturePath; }
    // The tint; kept beside the sprite so buttons can tell whether it needs changing.
    const sf::Color& getColor() const { return m_color; }
    void setColor(const sf::Color& color);

private:
    std::string m_texturePath;
    sf::Texture m_texture;
    sf::Sprite m_sprite;
    sf::Color m_maskColor;
    sf::Color m_color = sf::Color::White;
};
