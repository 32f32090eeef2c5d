#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "assets/AssetManager.hpp"
#include "core/GameObjectManager.hpp"
#include "core/GameStateManager.hpp"
#include "states/MainState.hpp"
#include "support/ScratchGameDir.hpp"
#include "support/TestWindow.hpp"

namespace {

// The race paints its background only where no opaque tile hides it. Whatever the window and
// wherever the cameras look (inside the course, on its side walls, past its ends where the
// background shows), the picture must be exactly the one with the whole background painted.
TEST(RaceBackgroundTest, PaintingOnlyTheSeenBackgroundLeavesThePictureExactlyAsItWas) {
    ScratchGameDir game;
    std::filesystem::copy(std::filesystem::path(std::getenv("TUMBLELEAF_SOURCE_DIR")) / "assets",
                          game.assets(),
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    const sf::Vector2u sizes[] = {{1920, 1080}, {1000, 1000}, {777, 431}};
    // Player positions in the world: start, the left wall, mid-course, past the right edge and
    // above the top, below the end, and one a fraction of a pixel off the grid.
    const sf::Vector2f places[][2] = {{{300.f, 200.f}, {1500.f, 200.f}},
                                      {{16.f, 9000.f}, {960.f, 25000.f}},
                                      {{2100.f, -400.f}, {-300.f, 52000.f}},
                                      {{1000.3f, 7000.7f}, {333.33f, 12345.6f}}};
    for (const sf::Vector2u size : sizes) {
        TestWindow screen(size.x, size.y);
        AssetManager::instance().setRenderWindow(&screen.window());
        GameStateManager manager;
        MainState level(&manager, nullptr);
        level.init();
        const auto& players = level.getGameObjectManager().getPlayers();
        for (const auto& place : places) {
            ASSERT_EQ(players.size(), 2u);
            players[0]->setPosition(place[0]);
            players[1]->setPosition(place[1]);
            level.update(0.f);
            const auto picture = [&](bool culling) {
                level.setBackgroundCulling(culling);
                screen.window().clear();
                level.draw();
                return screen.capture();
            };
            const sf::Image whole = picture(false);
            const PictureDiff diff = comparePictures(whole, picture(true), sf::Color::Black);
            EXPECT_EQ(diff.differing, 0)
                << size.x << "x" << size.y << " at " << place[0].x << "," << place[0].y << " and "
                << place[1].x << "," << place[1].y;
            EXPECT_GT(diff.drawn, 0);
        }
        level.exit();
        AssetManager::instance().setRenderWindow(nullptr);
    }
}

}  // namespace
