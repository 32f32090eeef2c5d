#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <memory>
#include <string>

#include "objects/IRenderComponent.hpp"

class PlayerMoveComponent;

// Draws a player's still picture, cut off at the bottom in proportion to the points left. The
// texture path doubles as the player's name on the leaderboard.
class PlayerRenderComponent : public IRenderComponent {
public:
    // Only stores its arguments; the image is loaded by init.
    PlayerRenderComponent(sf::RenderWindow& renderWindow, sf::Color maskColor,
                          std::shared_ptr<GameObject> gameObject, std::string texturePath);

    // Loads the image with the mask colour made transparent and finds the owner's movement.
    bool init() override;
    void update(float /*frameSeconds*/) override {}
    void draw() override;

    // Rows of the picture shown for the owner's points: all of them at full points (or without
    // a movement component), none at zero or below.
    int visibleHeight() const;

    const std::string& getTexturePath() const { return m_texturePath; }
    const sf::Sprite& getSprite() const { return m_sprite; }

private:
    std::string m_texturePath;
    sf::Texture m_texture;
    sf::Sprite m_sprite;
    sf::Color m_maskColor;
    std::shared_ptr<PlayerMoveComponent> m_playerMove;
};
