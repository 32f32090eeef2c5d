#pragma once

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/Transform.hpp>
#include <deque>
#include <string>

#include "objects/IRenderComponent.hpp"

class PlayerMoveComponent;

// The mark a player leaves behind: fifteen times a second it records the player's transform,
// keeps the latest 301, and stamps its picture at each of them, oldest first. The stamps sit at
// the top of the player's collider, so they shift with the player's current size.
class TrailComponent : public IRenderComponent {
public:
    static constexpr float kSampleInterval = 1.0f / 15.0f;
    static constexpr std::size_t kMaxRecords = 301;

    // `player` is the object followed; the component itself sits on a separate trail object.
    TrailComponent(sf::RenderWindow& renderWindow, std::shared_ptr<GameObject> player,
                   std::string texturePath);

    bool init() override;
    void update(float frameSeconds) override;
    void draw() override;

    const std::deque<sf::Transform>& getRecords() const { return m_transforms; }
    float getSampleTime() const { return m_sampleTime; }
    // Where the stamp of `record` goes: below the recorded origin by the collider's offset.
    sf::Transform stampTransform(const sf::Transform& record) const;

private:
    std::string m_texturePath;
    sf::Texture m_texture;
    sf::Sprite m_sprite;
    std::shared_ptr<PlayerMoveComponent> m_playerMove;
    float m_sampleTime = 0.0f;
    std::deque<sf::Transform> m_transforms;
};
