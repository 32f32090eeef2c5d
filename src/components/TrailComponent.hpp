#pragma once

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/Transform.hpp>
#include <SFML/Graphics/Vertex.hpp>
#include <cstddef>
#include <string>
#include <vector>

#include "objects/IRenderComponent.hpp"

class PlayerMoveComponent;

// The mark a player leaves behind: fifteen times a second it records the player's transform,
// keeps the latest 301, and stamps its picture at each of them, oldest first. The stamps sit at
// the top of the player's collider, so they shift with the player's current size. All stamps go
// in one draw call: each is the two triangles its own sprite would make, at the same corners,
// in the same order, so the picture is the one drawn stamp by stamp.
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

    std::size_t getRecordCount() const { return m_recordCount; }
    // The i-th record, oldest first.
    const sf::Transform& getRecord(std::size_t i) const {
        return m_records[(m_oldest + i) % kMaxRecords];
    }
    float getSampleTime() const { return m_sampleTime; }
    // Where the stamp of `record` goes: below the recorded origin by the collider's offset.
    sf::Transform stampTransform(const sf::Transform& record) const;
    // The triangles of every stamp, oldest first, as the next draw gives them: made once per
    // frame, and again only when a record is added or the player's points change.
    const sf::Vertex* prepareStamps();
    std::size_t getStampVertexCount() const { return 6 * m_recordCount; }

private:
    std::string m_texturePath;
    sf::Texture m_texture;
    sf::Sprite m_sprite;
    std::shared_ptr<PlayerMoveComponent> m_playerMove;
    float m_sampleTime = 0.0f;
    // A ring of kMaxRecords, so that a long race records without allocating.
    std::vector<sf::Transform> m_records;
    std::size_t m_oldest = 0;
    std::size_t m_recordCount = 0;
    std::vector<sf::Vertex> m_stamps;
    // What the stamps were made from: the records' version and the points.
    unsigned m_recordsVersion = 0;
    unsigned m_stampsVersion = ~0u;
    float m_stampsPoints = -1.0f;
};
