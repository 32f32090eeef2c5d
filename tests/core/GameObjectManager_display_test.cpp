#include "core/GameObjectManager.hpp"

#include <gtest/gtest.h>

#include <SFML/Graphics/RenderWindow.hpp>

#include "components/PlayerRenderComponent.hpp"
#include "support/ScratchGameDir.hpp"
#include "support/TestScene.hpp"

namespace {

// A leaving player is retired, not deleted: it stays in the scene, writes its score once (the
// picture's path is its name) and makes every other racer lose points faster.
TEST(RetirementTest, ALeavingPlayerWritesItsScoreOnceAndSpeedsUpTheOthers) {
    ScratchGameDir scratch;
    sf::RenderWindow window;
    TestScene scene;
    GameObjectManager manager;
    const auto leaver = scene.player("Player1", {0, 0}, {10, 10}, 1.0f);
    leaver.object->addComponent(std::make_shared<PlayerRenderComponent>(
        window, sf::Color::Black, leaver.object, "../assets/Crayon.png"));
    leaver.move->setPoints(-3.6f);
    // Without a picture it races like any player but has no name to write.
    const auto other = scene.player("Player2", {0, 0}, {10, 10}, 1.0f);
    // Only looks like a player by its id: it has no points and speeds nobody up.
    const auto impostor = scene.object("PlayerSpawn");
    for (const auto& object : {leaver.object, other.object, impostor}) {
        manager.addGameObject(object);
    }
    manager.removeGameObject(impostor);
    for (int removal = 0; removal < 2; ++removal) {
        leaver.object->setMarkedForRemoval(true);
        manager.removeGameObject(leaver.object);
    }
    EXPECT_EQ(manager.getGameObject("Player1"), leaver.object);
    EXPECT_FALSE(leaver.object->isMarkedForRemoval());
    EXPECT_EQ(manager.getPlayers(), std::vector{other.object});
    EXPECT_EQ(other.move->getDegradationRate(), 3.0f);
    EXPECT_EQ(leaver.move->getDegradationRate(), 1.0f);
    EXPECT_EQ(scratch.leaderboardLines(), std::vector<std::string>{"../assets/Crayon.png,-3"});

    manager.removeGameObject(other.object);
    EXPECT_TRUE(manager.getPlayers().empty());
    EXPECT_EQ(leaver.move->getDegradationRate(), 3.0f) << "finished players speed up too";
    EXPECT_EQ(scratch.leaderboardLines().size(), 1u);
}

}  // namespace
