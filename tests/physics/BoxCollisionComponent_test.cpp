#include "physics/BoxCollisionComponent.hpp"

#include <gtest/gtest.h>

#include <limits>

#include "support/TestScene.hpp"

namespace {

TEST(RigidBodyComponentTest, MassGivesInverseMassAndNoMassMeansImmovable) {
    EXPECT_EQ(RigidBodyComponent::inverseMassOf(2.0f), 0.5f);
    for (float mass : {0.0f, -3.0f, std::numeric_limits<float>::quiet_NaN(), 1e-45f}) {
        EXPECT_EQ(RigidBodyComponent::inverseMassOf(mass), 0.0f) << mass;
    }
}

TEST(BoxCollisionComponentTest, TheBoxFollowsItsOwnerFromTheFirstUpdateButTheBodyDoesNot) {
    TestScene scene;
    const auto player = scene.player("Player1", {100, 50}, {32, 64}, 1.0f, 200.0f);
    EXPECT_EQ(player.box->getPosition(), sf::Vector2f(100, 50));
    EXPECT_EQ(player.box->getSize(), sf::Vector2f(32, 64));
    player.box->update(0.0f);
    EXPECT_EQ(player.box->getPosition(), sf::Vector2f(100, 250));
    player.object->setPosition(-10.5f, 7.0f);
    player.box->update(0.0f);
    EXPECT_EQ(player.box->getPosition(), sf::Vector2f(-10.5f, 207));
    EXPECT_EQ(player.body->getPosition(), sf::Vector2f(100, 50));
}

}  // namespace
