#include "components/TrailComponent.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

#include "components/PictureLoader.hpp"
#include "objects/GameObject.hpp"
#include "physics/PlayerMoveComponent.hpp"

TrailComponent::TrailComponent(sf::RenderWindow& renderWindow, std::shared_ptr<GameObject> player,
                               std::string texturePath)
    : IRenderComponent(renderWindow, std::move(player)),
      m_texturePath(std::move(texturePath)),
      m_records(kMaxRecords),
      m_stamps(6 * kMaxRecords) {}

bool TrailComponent::init() {
    // A trail stamp keeps every colour it has.
    if (!PictureLoader::load(m_texturePath, m_texture)) {
        return false;
    }
    m_sprite.setTexture(m_texture, true);
    ++m_recordsVersion;
    m_playerMove = m_gameObject->getComponent<PlayerMoveComponent>();
    return true;
}

// At most one record per frame: a long frame leaves its surplus for the frames after it.
void TrailComponent::update(float frameSeconds) {
    m_sampleTime += frameSeconds;
    if (!(m_sampleTime > kSampleInterval)) {
        return;
    }
    if (m_recordCount == kMaxRecords) {
        m_oldest = (m_oldest + 1) % kMaxRecords;
        --m_recordCount;
    }
    m_records[(m_oldest + m_recordCount) % kMaxRecords] = m_gameObject->getTransform();
    ++m_recordCount;
    ++m_recordsVersion;
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

// The sprite's corners go through the same products as when a sprite is drawn on its own: its
// transform combined with the stamp's, then each corner transformed. The triangles follow the
// sprite's strip, vertex for vertex; only places and texture coordinates are written, the
// vertices keep the sprite's colour, white.
const sf::Vertex* TrailComponent::prepareStamps() {
    const float points =
        m_playerMove ? m_playerMove->getPoints() : PlayerMoveComponent::kFullPoints;
    if (m_stampsVersion == m_recordsVersion && m_stampsPoints == points) {
        return m_stamps.data();
    }
    m_stampsVersion = m_recordsVersion;
    m_stampsPoints = points;
    const sf::FloatRect bounds = m_sprite.getLocalBounds();
    const sf::FloatRect rect(m_sprite.getTextureRect());
    const sf::Vector2f corners[] = {
        {0.f, 0.f}, {0.f, bounds.height}, {bounds.width, 0.f}, {bounds.width, bounds.height}};
    const sf::Vector2f texCoords[] = {{rect.left, rect.top},
                                      {rect.left, rect.top + rect.height},
                                      {rect.left + rect.width, rect.top},
                                      {rect.left + rect.width, rect.top + rect.height}};
    const int strip[] = {0, 1, 2, 2, 1, 3};
    sf::Vertex* out = m_stamps.data();
    for (std::size_t i = 0; i < m_recordCount; ++i) {
        sf::Transform stamp = stampTransform(getRecord(i));
        stamp *= m_sprite.getTransform();
        for (const int corner : strip) {
            out->position = stamp.transformPoint(corners[corner]);
            out->texCoords = texCoords[corner];
            ++out;
        }
    }
    return m_stamps.data();
}

void TrailComponent::draw() {
    const sf::Vertex* stamps = prepareStamps();
    if (m_recordCount > 0) {
        m_renderWindow.draw(stamps, getStampVertexCount(), sf::Triangles,
                            sf::RenderStates(&m_texture));
    }
}
