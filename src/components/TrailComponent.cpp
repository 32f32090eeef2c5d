#include "components/TrailComponent.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

#include "components/PictureLoader.hpp"
#include "components/PlayerMoveComponent.hpp"
#include "objects/GameObject.hpp"

TrailComponent::TrailComponent(sf::RenderWindow& renderWindow, std::shared_ptr<GameObject> player,
                               std::string texturePath)
    : IRenderComponent(renderWindow, std::move(player)), m_texturePath(std::move(texturePath)) {}

bool TrailComponent::init() {
    // A trail stamp keeps every colour it has.
    if (!PictureLoader::load(m_texturePath, m_texture)) {
        return false;
    }
    m_sprite.setTexture(m_texture, true);
    m_playerMove = m_gameObject->getComponent<PlayerMoveComponent>();
    return true;
}

// At most one record per frame: a long frame leaves its surplus for the frames after it.
void TrailComponent::update(float frameSeconds) {
    m_sampleTime += frameSeconds;
    if (!(m_sampleTime > kSampleInterval)) {
        return;
    }
    if (m_transforms.size() >= kMaxRecords) {
        m_transforms.pop_front();
    }
    m_transforms.push_back(m_gameObject->getTransform());
    m_sampleTime -= kSampleInterval;
}

sf::Transform TrailComponent::stampTransform(const sf::Transform& record) const {
    const float points =
        m_playerMove ? m_playerMove->getPoints() : PlayerMoveComponent::kFullPoints;
    sf::Transform stamp = record;
    stamp.translate(0.0f,
                    points / PlayerMoveComponent::kFullPoints * PlayerMoveComponent::kFullOffsetY);
    return stamp;
}

void TrailComponent::draw() {
    for (const sf::Transform& record : m_transforms) {
        m_renderWindow.draw(m_sprite, stampTransform(record));
    }
}
