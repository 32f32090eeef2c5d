#include "physics/PhysicsManager.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

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

class PhysicsManagerTest : public ::testing::Test {
protected:
    void tick() { physics.update(physics.getTimeStep()); }
    using Boxes = std::initializer_list<std::shared_ptr<BoxCollisionComponent>>;
    static void add(PhysicsManager& to, Boxes boxes) {
        for (const auto& box : boxes) {
            to.registerCollider(box);
        }
    }
    void add(Boxes boxes) { add(physics, boxes); }

    PhysicsManager physics;
    TestScene scene;
    TestScene::Player player = scene.player("Player1", {0, 0}, {10, 10}, 1.0f);
};

TEST_F(PhysicsManagerTest, WholeTicksRunFromTheAccumulatedFrameTime) {
    add({player.box});
    player.move->setSpeedFactor(2.0f);  // relaxed once per tick: counts the ticks
    physics.update(1.0f / 60.0f);
    EXPECT_EQ(player.move->getSpeedFactor(), 2.0f);
    physics.update(1.0f / 60.0f);
    EXPECT_EQ(player.move->getSpeedFactor(), 2.0f * 0.95f);
    physics.update(0.1f);  // two ticks, not three, in single precision
    EXPECT_EQ(player.move->getSpeedFactor(), 2.0f * 0.95f * 0.95f * 0.95f);
    EXPECT_EQ(physics.getAccumulator(), 0.033333328f);
    // That the colliders go too, the screen-cycling rounds show: they would keep every map.
    physics.reset();
    EXPECT_EQ(physics.getAccumulator(), 0.0f);
}

// A paused race must not find its paused time waiting when it resumes: the racers would jump.
TEST_F(PhysicsManagerTest, PausedTheClockStandsAndCollectsNothing) {
    add({player.box});
    player.move->setSpeedFactor(2.0f);
    physics.update(1.0f / 60.0f);
    physics.setPaused(true);
    physics.update(5.0f);
    EXPECT_EQ(player.move->getSpeedFactor(), 2.0f);
    physics.setPaused(false);
    physics.update(1.0f / 60.0f);  // completes the tick begun before the pause, no more
    EXPECT_EQ(player.move->getSpeedFactor(), 2.0f * 0.95f);
    EXPECT_LT(physics.getAccumulator(), physics.getTimeStep());
    physics.setPaused(true);
    physics.reset();  // a new race never starts paused
    EXPECT_FALSE(physics.isPaused());
}

TEST_F(PhysicsManagerTest, TheCollisionTestPushesAlongTheShallowerAxis) {
    const auto& a = player.box;
    sf::Vector2f normal;
    EXPECT_TRUE(
        physics.checkCollision(a, scene.box("B", "", {8, -100}, {100, 300}, 1, true), normal));
    EXPECT_EQ(normal, sf::Vector2f(2, 0));
    EXPECT_TRUE(physics.checkCollision(a, scene.box("C", "", {7, 7}, {10, 10}, 1, true), normal));
    EXPECT_EQ(normal, sf::Vector2f(3, 0)) << "a tie pushes sideways";
    EXPECT_TRUE(physics.checkCollision(a, scene.box("D", "", {-15, 10}, {40, 5}, 1, true), normal));
    EXPECT_EQ(normal, sf::Vector2f(0, -15)) << "touching counts; the way out is the far side";
    EXPECT_FALSE(physics.checkCollision(a, scene.box("E", "", {11, 0}, {5, 5}, 1, true), normal));
    EXPECT_FALSE(physics.checkCollision(a, scene.box("F", "", {2, 2}, {0, 5}, 1, true), normal));
    EXPECT_FALSE(physics.checkCollision(a, scene.box("G", "", {2, 2}, {5, 0}, 1, true), normal));
}

TEST_F(PhysicsManagerTest, APushIsSharedByInverseMassAndStopsTheApproach) {
    const auto heavy = scene.player("Player2", {8, -100}, {100, 300}, 1000.0f);
    physics.correctPositions(*player.body, *heavy.body, {2, 0});
    EXPECT_NEAR(player.body->getPosition().x, -0.3976f, 1e-4);
    EXPECT_NEAR(heavy.body->getPosition().x, 8 + 0.3976f / 1000, 1e-6);
    player.body->setVelocity({50, 0});
    EXPECT_EQ(physics.resolveCollision(player.body, heavy.body, {2, 0}), 50.0f)
        << "the impact speed, which the hit's sound is as loud as";
    EXPECT_NEAR(player.body->getVelocity().x, 0.05f, 1e-4);
    EXPECT_NEAR(heavy.body->getVelocity().x, 0.05f, 1e-4);
    player.body->setVelocity({-5, 0});  // moving apart already
    EXPECT_EQ(physics.resolveCollision(player.body, heavy.body, {2, 0}), 0.0f);
    EXPECT_EQ(player.body->getVelocity().x, -5.0f);

    // A wall is immovable whatever mass the map gives it: the player takes the whole push and
    // stops.
    const auto wall =
        scene.box("Wall", "MapBorder", {0, 0}, {10, 10}, 1000.0f, true)->getRigidBody();
    player.body->setPosition({0, 0});
    player.body->setVelocity({50, 0});
    physics.correctPositions(*player.body, *wall, {2, 0});
    physics.resolveCollision(player.body, wall, {2, 0});
    EXPECT_NEAR(player.body->getPosition().x, -0.398f, 1e-4);
    EXPECT_EQ(player.body->getVelocity().x, 0.0f);
    EXPECT_EQ(wall->getPosition(), sf::Vector2f(0, 0));
    EXPECT_EQ(wall->getVelocity(), sf::Vector2f(0, 0));
}

// "paper" in lower case is no ground. Off the ground, the speed fades back within seven ticks and
// the wear stops at once.
TEST_F(PhysicsManagerTest, GroundsAndTheFinishActOnlyOnTheTouchingPlayer) {
    const auto other = scene.player("Player2", {300, 0}, {10, 10}, 1.0f);
    const auto wax = scene.surface("WaxPaper", {0, 0}, {20, 20}, 1.5f, 3.0f);
    add({player.box, other.box, wax, scene.surface("paper", {0, 0}, {20, 20}, 9.0f, 9.0f),
         scene.box("WinZone", "WinZone", {0, 0}, {20, 20}, 0.0f, false)});
    tick();
    tick();
    EXPECT_EQ(player.move->getSpeedFactor(), 1.425f);
    EXPECT_EQ(player.move->getDegradationFactor(), 3.0f);
    EXPECT_EQ(other.move->getDegradationFactor(), 1.0f);
    EXPECT_TRUE(player.object->isMarkedForRemoval());
    EXPECT_FALSE(other.object->isMarkedForRemoval());
    EXPECT_EQ(player.body->getPosition(), sf::Vector2f(0, 0)) << "nothing solid touched";
    wax->getGameObject()->setPosition(5000, 5000);
    wax->update(0.0f);
    for (int ticks = 0; ticks < 6; ++ticks) {
        tick();
    }
    EXPECT_GT(player.move->getSpeedFactor(), 1.0f);
    EXPECT_EQ(player.move->getDegradationFactor(), 1.0f);
    tick();
    EXPECT_EQ(player.move->getSpeedFactor(), 1.0f);
}

TEST_F(PhysicsManagerTest, OnTwoGroundsAtOnceTheLaterOneInTheMapDecides) {
    const auto paper = scene.surface("Paper", {0, 0}, {50, 50}, 2.0f, 3.0f);
    const auto wax = scene.surface("WaxPaper", {0, 0}, {50, 50}, 0.5f, 5.0f);
    for (const auto& [first, later, speed, degradation] :
         {std::tuple{paper, wax, 0.525f, 5.0f}, std::tuple{wax, paper, 1.9f, 3.0f}}) {
        PhysicsManager fresh;
        add(fresh, {player.box, first, later});
        player.move->setSpeedFactor(1.0f);
        fresh.update(fresh.getTimeStep());
        EXPECT_FLOAT_EQ(player.move->getSpeedFactor(), speed);
        EXPECT_EQ(player.move->getDegradationFactor(), degradation);
    }
}

}  // namespace
