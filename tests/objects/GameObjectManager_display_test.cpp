#include <gtest/gtest.h>

#include <SFML/Graphics/RenderWindow.hpp>

#include "components/PlayerRenderComponent.hpp"
#include "objects/GameObjectManager.hpp"
#include "support/ScratchGameDir.hpp"
#include "support/TestScene.hpp"
#include "support/TextFiles.hpp"

namespace {

// The picture's path is the name on the leaderboard; only the picture's window needs a display.
TEST(LeaderboardLineTest, EachPlayerWritesOneLineWithItsTruncatedScore) {
    ScratchGameDir scratch;
    sf::RenderWindow window;
    TestScene scene;
    GameObjectManager manager;
    for (const auto& [id, points] : {std::pair{"Player1", 512.75f}, {"Player2", -3.6f}}) {
        const auto player = scene.player(id, {0, 0}, {10, 10}, 1.0f);
        player.object->addComponent(std::make_shared<PlayerRenderComponent>(
            window, sf::Color::Black, player.object, std::string("../assets/") + id + ".png"));
        player.move->setPoints(points);
        manager.addGameObject(player.object);
        manager.removeGameObject(player.object);
        manager.removeGameObject(player.object);
    }
    EXPECT_EQ(readLines(scratch.leaderboard()),
              (std::vector<std::string>{"../assets/Player1.png,512", "../assets/Player2.png,-3"}));
}

}  // namespace
