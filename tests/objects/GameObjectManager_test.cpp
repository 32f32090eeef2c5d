#include "objects/GameObjectManager.hpp"

#include <gtest/gtest.h>

#include "objects/IComponent.hpp"
#include "support/ErrCapture.hpp"
#include "support/ScratchGameDir.hpp"
#include "support/TestScene.hpp"
#include "support/TextFiles.hpp"

namespace {

class IdleComponent : public IComponent {
public:
    using IComponent::IComponent;
    bool init() override { return true; }
    void update(float) override {}
};

std::shared_ptr<GameObject> makeObject(const std::string& id) {
    return std::make_shared<GameObject>(id);
}

TEST(GameObjectManagerTest, OnlyIdsWithPlayerAndWithoutCameraJoinTheRace) {
    GameObjectManager manager;
    auto player = makeObject("Player1");
    manager.addGameObject(player);
    manager.addGameObject(makeObject("CameraOnPlayer1"));
    manager.addGameObject(makeObject("Wall"));
    ASSERT_EQ(manager.getPlayers().size(), 1u);
    EXPECT_EQ(manager.getPlayers()[0], player);
    EXPECT_EQ(manager.getGameObjects().size(), 3u);
}

// Tiled names no object by default: a map's unnamed walls all share the id "".
TEST(GameObjectManagerTest, ObjectsSharingAnIdAllCountAndAreAllReleased) {
    GameObjectManager manager;
    std::weak_ptr<GameObject> watched[3];
    {
        const auto first = makeObject("");
        const auto second = makeObject("");
        const auto third = makeObject("");
        for (const auto& object : {first, second, third}) {
            object->addComponent(std::make_shared<IdleComponent>(object));
        }
        manager.addGameObject(first);
        manager.addGameObject(second);
        manager.addGameObject(second);
        manager.addGameObject(third);
        EXPECT_EQ(manager.getGameObject(""), third);
        EXPECT_EQ(manager.getObjects(), (GameObjectManager::Objects{first, second, third}));
        // Removing a shadowed object leaves the one found by the id.
        manager.removeGameObject(first);
        EXPECT_EQ(manager.getGameObject(""), third);
        EXPECT_EQ(manager.getObjects(), (GameObjectManager::Objects{second, third}));
        watched[0] = first;
        watched[1] = second;
        watched[2] = third;
    }
    EXPECT_TRUE(watched[0].expired());
    manager.clear();
    EXPECT_TRUE(watched[1].expired() && watched[2].expired());
}

TEST(GameObjectManagerTest, AnUnknownIdGivesNothingAndOneErrorLine) {
    GameObjectManager manager;
    ErrCapture err;
    EXPECT_EQ(manager.getGameObject("Ghost"), nullptr);
    EXPECT_EQ(err.lineCount(), 1);
    const std::string line = err.text();
    EXPECT_NE(line.find(" Line: "), std::string::npos);
    const std::string tail = "Could not find gameobject with m_id Ghost\n";
    ASSERT_GE(line.size(), tail.size());
    EXPECT_EQ(line.substr(line.size() - tail.size()), tail);
}

TEST(GameObjectManagerTest, RemovingAnOrdinaryObjectDropsItAndLeavesThePlayers) {
    GameObjectManager manager;
    auto wall = makeObject("Wall");
    manager.addGameObject(wall);
    manager.addGameObject(makeObject("Player1"));
    manager.removeGameObject(wall);
    EXPECT_EQ(manager.getGameObjects().count("Wall"), 0u);
    EXPECT_EQ(manager.getPlayers().size(), 1u);
}

TEST(GameObjectManagerTest, ClearEmptiesEveryComponentListTheRegistryAndThePlayers) {
    GameObjectManager manager;
    auto player = makeObject("Player1");
    player->addComponent(std::make_shared<IdleComponent>(player));
    auto wall = makeObject("Wall");
    wall->addComponent(std::make_shared<IdleComponent>(wall));
    manager.addGameObject(player);
    manager.addGameObject(wall);

    manager.clear();
    EXPECT_TRUE(player->getComponentList().empty());
    EXPECT_TRUE(wall->getComponentList().empty());
    EXPECT_TRUE(manager.getGameObjects().empty());
    EXPECT_TRUE(manager.getPlayers().empty());
}

// Racers without a picture leave the race like any player but have no name to write.
TEST(RetirementTest, ALeavingPlayerStaysInTheSceneAndSpeedsUpTheOthersOnce) {
    ScratchGameDir scratch;
    TestScene scene;
    GameObjectManager manager;
    const auto leaver = scene.player("Player1", {0, 0}, {10, 10}, 1.0f);
    const auto other = scene.player("Player2", {0, 0}, {10, 10}, 1.0f);
    const auto impostor = scene.object("PlayerSpawn");
    for (const auto& object : {leaver.object, other.object, impostor}) {
        manager.addGameObject(object);
    }
    manager.removeGameObject(impostor);  // no components at all: no crash, no speed-up
    for (int removal = 0; removal < 2; ++removal) {
        leaver.object->setMarkedForRemoval(true);
        manager.removeGameObject(leaver.object);
    }
    EXPECT_EQ(manager.getGameObject("Player1"), leaver.object);
    EXPECT_FALSE(leaver.object->isMarkedForRemoval());
    EXPECT_EQ(manager.getPlayers(), std::vector<std::shared_ptr<GameObject>>{other.object});
    EXPECT_EQ(other.move->getDegradationRate(), 3.0f);
    EXPECT_EQ(leaver.move->getDegradationRate(), 1.0f);
    EXPECT_TRUE(readLines(scratch.leaderboard()).empty());

    manager.removeGameObject(other.object);
    EXPECT_TRUE(manager.getPlayers().empty());
    EXPECT_EQ(leaver.move->getDegradationRate(), 3.0f) << "finished players speed up too";
}

}  // namespace
