#include "physics/PlayerMoveComponent.hpp"

#include <gtest/gtest.h>
#include <SFML/Window/Keyboard.hpp>
#include <tuple>

#include "platform/InputManager.hpp"
#include "support/TestScene.hpp"

namespace {

// Binds the first player's keys and gives it a simulated pad on the game's input manager, and
// leaves the manager as it found it.
class PlayerMoveComponentTest : public ::testing::Test {
protected:
    void SetUp() override {
        input.bind(0, "left", sf::Keyboard::J);
        input.bind(0, "right", sf::Keyboard::L);
        input.setPadReader([this](unsigned id) { return id == 0 ? pad : PadState{}; });
    }
    void TearDown() override {
        input.setPadReader(Gamepads::readNothing);
        hold({});
        input.clearBindings(0);
    }
    void hold(std::initializer_list<sf::Keyboard::Key> keys) {
        input.releaseAllKeys();
        for (const auto key : keys) {
            input.setKeyState(key, true);
        }
        input.advanceFrame();
    }

    InputManager& input = InputManager::instance();
    PadState pad{true, 0, 0};
    TestScene scene;
    TestScene::Player player = scene.player("Player1", {0, 0}, {64, 128}, 1.0f, 200.0f);
};

TEST_F(PlayerMoveComponentTest, KeysAndPadPushSidewaysAndCancelEachOther) {
    hold({sf::Keyboard::J, sf::Keyboard::L});
    EXPECT_EQ(player.move->inputDirection(), sf::Vector2f(0, 1000));
    pad.stickX = 100;
    hold({sf::Keyboard::J});
    EXPECT_EQ(player.move->inputDirection(), sf::Vector2f(0, 1000)) << "stick right, key left";
    pad.stickX = -100;
    hold({});
    EXPECT_EQ(player.move->inputDirection(), sf::Vector2f(-1000, 1000));
    player.move->update(0.01f);
    EXPECT_FLOAT_EQ(player.body->getVelocity().x, -9.95f) << "damped";
}

// With no key held the player falls and pays for the distance; only the fall is limited, by the
// speed times the ground's factor.
TEST_F(PlayerMoveComponentTest, ThePlayerFallsAsFastAsTheGroundAllowsAndPaysForTheDistance) {
    player.move->update(0.01f);
    EXPECT_EQ(player.body->getVelocity(), sf::Vector2f(0, 10));
    EXPECT_FLOAT_EQ(player.body->getPosition().y, 0.1f);
    EXPECT_EQ(player.object->getPosition(), player.body->getPosition());
    EXPECT_FLOAT_EQ(player.move->getPoints(), 999.999f);
    for (const auto& [factor, fall, limit] :
         {std::tuple{1.0f, 3000.0f, 1000.0f}, {0.5f, 3000.0f, 500.0f}, {0.5f, -3000.0f, -500.0f}}) {
        player.move->setSpeedFactor(factor);
        player.body->setVelocity({3000, fall});
        player.move->update(0.01f);
        EXPECT_EQ(player.body->getVelocity().y, limit);
        EXPECT_GT(player.body->getVelocity().x, 2900.0f);
    }
}

TEST_F(PlayerMoveComponentTest, TheBoxShrinksWithThePointsUntilTheyAreUsedUp) {
    player.body->setInverseMass(0.0f);  // keeps the preset speed
    player.body->setVelocity({0, 1000});
    player.move->setDegradationRate(100.0f);
    player.move->update(0.5f);  // 500 units at 100 times the rate: 500 points
    EXPECT_EQ(player.move->getPoints(), 500.0f);
    EXPECT_EQ(player.box->getSize(), sf::Vector2f(64, 64));
    EXPECT_EQ(player.box->getOffsetY(), 100.0f);
    EXPECT_FALSE(player.object->isMarkedForRemoval());

    player.move->update(0.5f);
    EXPECT_EQ(player.move->getPoints(), 0.0f);
    EXPECT_TRUE(player.object->isMarkedForRemoval());
    EXPECT_EQ(player.box->getSize(), sf::Vector2f(64, 64)) << "unchanged when used up";
}

}  // namespace
