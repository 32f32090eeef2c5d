#include "physics/PhysicsManager.hpp"

#include <SFML/System/Err.hpp>
#include <algorithm>
#include <cmath>
#include <limits>
#include <ostream>

#include "objects/GameNames.hpp"
#include "objects/GameObject.hpp"
#include "physics/BoxCollisionComponent.hpp"
#include "physics/PlayerMoveComponent.hpp"
#include "physics/RigidBodyComponent.hpp"
#include "physics/SurfaceComponent.hpp"

namespace {

constexpr float kSlop = 0.01f;            // overlap left alone, in pixels
constexpr float kCorrectionShare = 0.2f;  // part of the overlap undone per tick
constexpr float kSpeedFactorDecay = 0.95f;
constexpr float kSpeedFactorGrowth = 1.05f;
constexpr float kInfinity = std::numeric_limits<float>::infinity();

GameObject& ownerOf(const BoxCollisionComponent& box) {
    return *box.getRigidBody()->getGameObject();
}

float length(sf::Vector2f v) {
    return std::sqrt(v.x * v.x + v.y * v.y);
}

// The player's movement component of a box whose owner is a racer by its id, if it has one.
std::shared_ptr<PlayerMoveComponent> playerMovementOf(const BoxCollisionComponent& box) {
    const GameObject& owner = ownerOf(box);
    if (!GameNames::isRacerId(owner.getId())) {
        return nullptr;
    }
    return owner.getComponent<PlayerMoveComponent>();
}

// Of the two ways out along one axis, the shorter. A side that only touches offers none.
float penetration(float aMin, float aMax, float bMin, float bMax) {
    const float outBefore = bMax > aMin ? aMin - bMax : kInfinity;
    const float outAfter = aMax > bMin ? aMax - bMin : kInfinity;
    return std::abs(outAfter) > std::abs(outBefore) ? outBefore : outAfter;
}

float relaxedTowardOne(float factor) {
    if (factor > 1.0f) {
        const float relaxed = factor * kSpeedFactorDecay;
        return relaxed > 1.0f ? relaxed : 1.0f;
    }
    if (factor < 1.0f) {
        const float relaxed = factor * kSpeedFactorGrowth;
        return relaxed < 1.0f ? relaxed : 1.0f;
    }
    return factor;
}

}  // namespace

PhysicsManager& PhysicsManager::instance() {
    static PhysicsManager manager;
    return manager;
}

PhysicsManager::PhysicsManager() = default;

void PhysicsManager::registerCollider(std::shared_ptr<BoxCollisionComponent> collider) {
    if (!collider || !collider->getRigidBody()) {
        sf::err() << "Could not register a collider without a rigid body of object "
                  << (collider ? collider->getGameObject()->getId() : std::string()) << std::endl;
        return;
    }
    if (ownerOf(*collider).getType() == GameNames::Type::kPlayer) {
        m_playerColliders.push_back(collider);
    }
    m_colliders.push_back(std::move(collider));
}

void PhysicsManager::unregisterCollidersOf(const GameObject& owner) {
    const auto ownedBy = [&](const std::shared_ptr<BoxCollisionComponent>& box) {
        return &ownerOf(*box) == &owner;
    };
    for (auto* boxes : {&m_colliders, &m_playerColliders}) {
        boxes->erase(std::remove_if(boxes->begin(), boxes->end(), ownedBy), boxes->end());
    }
}

void PhysicsManager::update(float frameSeconds) {
    if (m_paused) {
        return;
    }
    m_accumulator += frameSeconds;
    while (m_accumulator >= m_timeStep) {
        resetDegradationFactors();
        step();
        relaxSpeedFactors();
        m_accumulator -= m_timeStep;
    }
}

void PhysicsManager::resetDegradationFactors() const {
    for (const auto& box : m_colliders) {
        if (const auto move = playerMovementOf(*box)) {
            move->setDegradationFactor(1.0f);
        }
    }
}

void PhysicsManager::relaxSpeedFactors() const {
    for (const auto& box : m_colliders) {
        if (const auto move = playerMovementOf(*box)) {
            move->setSpeedFactor(relaxedTowardOne(move->getSpeedFactor()));
        }
    }
}

void PhysicsManager::step() {
    for (const auto& playerBox : m_playerColliders) {
        const auto& a = playerBox->getRigidBody();
        GameObject& ownerA = *a->getGameObject();
        for (const auto& box : m_colliders) {
            const auto& b = box->getRigidBody();
            GameObject& ownerB = *b->getGameObject();
            if (a == b || (ownerA.getType() != GameNames::Type::kPlayer &&
                           ownerB.getType() != GameNames::Type::kPlayer)) {
                continue;
            }
            sf::Vector2f normal(kInfinity, kInfinity);
            if (!checkCollision(playerBox, box, normal)) {
                continue;
            }
            applySurfaceRule(ownerA, ownerB);
            b->checkWinZone(a);
            if (playerBox->isSolid() && box->isSolid()) {
                correctPositions(*a, *b, normal);
                const float impactSpeed = resolveCollision(a, b, normal);
                if (impactSpeed > 0.0f && m_impactListener) {
                    m_impactListener(impactSpeed);
                }
            }
        }
    }
}

// Whichever of the two is the surface hands its factors to the other, the player. When a
// player overlaps several surfaces, the one registered last wins.
void PhysicsManager::applySurfaceRule(GameObject& ownerA, GameObject& ownerB) const {
    for (const std::string& surfaceType : GameNames::groundTypes()) {
        GameObject* surface = nullptr;
        GameObject* player = nullptr;
        if (ownerA.getType() == surfaceType && ownerB.getType() == GameNames::Type::kPlayer) {
            surface = &ownerA;
            player = &ownerB;
        } else if (ownerA.getType() == GameNames::Type::kPlayer &&
                   ownerB.getType() == surfaceType) {
            surface = &ownerB;
            player = &ownerA;
        } else {
            continue;
        }
        const auto move = player->getComponent<PlayerMoveComponent>();
        const auto ground = surface->getComponent<SurfaceComponent>();
        if (move && ground) {
            ground->applyTo(*move);
        }
    }
}

// Undoes part of the overlap, shared by inverse mass. Two immovable bodies stay as they are.
void PhysicsManager::correctPositions(RigidBodyComponent& a, RigidBodyComponent& b,
                                      sf::Vector2f normal) {
    const float inverseMassA = a.getContactInverseMass();
    const float inverseMassB = b.getContactInverseMass();
    const float inverseMassSum = inverseMassB + inverseMassA;
    if (inverseMassSum == 0.0f) {
        return;
    }
    const float len = length(normal);
    const float depth = std::max(len - kSlop, 0.0f);
    const float share = depth / inverseMassSum * kCorrectionShare;
    const sf::Vector2f correction(normal.x / len * share, normal.y / len * share);
    a.setPosition(a.getPosition() - correction * inverseMassA);
    b.setPosition(b.getPosition() + correction * inverseMassB);
}

bool PhysicsManager::checkCollision(const std::shared_ptr<BoxCollisionComponent>& a,
                                    const std::shared_ptr<BoxCollisionComponent>& b,
                                    sf::Vector2f& normal) {
    const sf::Vector2f aSize = a->getSize();
    const sf::Vector2f bSize = b->getSize();
    // A box without area has no inside to push out of.
    if (!(aSize.x > 0.0f && aSize.y > 0.0f && bSize.x > 0.0f && bSize.y > 0.0f)) {
        return false;
    }
    const sf::Vector2f a0 = a->getPosition();
    const sf::Vector2f a1 = a0 + aSize;
    const sf::Vector2f b0 = b->getPosition();
    const sf::Vector2f b1 = b0 + bSize;
    if (a0.x > b1.x || b0.x > a1.x) {
        return false;
    }
    normal.x = penetration(a0.x, a1.x, b0.x, b1.x);
    if (a0.y > b1.y || b0.y > a1.y) {
        return false;
    }
    normal.y = penetration(a0.y, a1.y, b0.y, b1.y);
    // Push out along the axis of smaller penetration; a tie goes sideways.
    if (std::abs(normal.x) > std::abs(normal.y)) {
        normal.x = 0.0f;
    } else {
        normal.y = 0.0f;
    }
    return true;
}

float PhysicsManager::resolveCollision(std::shared_ptr<RigidBodyComponent> a,
                                       std::shared_ptr<RigidBodyComponent> other,
                                       sf::Vector2f normal) {
    const float len = length(normal);
    const sf::Vector2f unit(normal.x / len, normal.y / len);
    const float inverseMassA = a->getContactInverseMass();
    const float inverseMassOther = other->getContactInverseMass();
    const float inverseMassSum = inverseMassOther + inverseMassA;
    if (inverseMassSum == 0.0f) {
        return 0.0f;
    }
    const sf::Vector2f relative = a->getVelocity() - other->getVelocity();
    const float approach = relative.x * unit.x + relative.y * unit.y;
    if (approach <= 0.0f) {
        return 0.0f;  // already separating, or resting
    }
    const float restitution = std::min(a->getRestitution(), other->getRestitution());
    const float impulse = (restitution + 1.0f) * approach / inverseMassSum;
    a->setVelocity(a->getVelocity() - unit * impulse * inverseMassA);
    other->setVelocity(other->getVelocity() + unit * impulse * inverseMassOther);
    return approach;
}

void PhysicsManager::reset() {
    m_colliders.clear();
    m_accumulator = 0.0f;
    m_paused = false;
    m_playerColliders.clear();
}
