#include "core/Game.hpp"

#include <gtest/gtest.h>

#include "core/GameState.hpp"
#include "platform/AssetFolder.hpp"
#include "support/ErrCapture.hpp"
#include "support/ScratchGameDir.hpp"

namespace {

// Map checkers take the names a button may switch to from this list, so every name on it must
// make a screen, and nothing else may.
TEST(GameTest, EveryRegisteredScreenNameMakesAScreen) {
    for (const auto& name : Game::screenNames()) {
        EXPECT_NE(Game::createScreen(name, nullptr, nullptr), nullptr) << name;
    }
    EXPECT_EQ(Game::createScreen("menuState", nullptr, nullptr), nullptr);
    EXPECT_EQ(Game::createScreen("", nullptr, nullptr), nullptr);
}

TEST(GameTest, ATrackThatCannotBeOpenedLeavesTheGameSilentUntilTheNextOne) {
    const ScratchGameDir scratch;
    Game& game = Game::instance();
    scratch.writeSilentTrack("Music/GameSound.wav", 1.0f);
    game.changeMusic(AssetFolder::path(Game::kLevelMusic));
    ASSERT_EQ(game.getMusic().getStatus(), sf::Music::Playing);
    ErrCapture err;
    game.changeMusic("../assets/Music/none.wav");
    EXPECT_TRUE(err.hasLineWith({"../assets/Music/none.wav"}));
    EXPECT_EQ(game.getMusic().getStatus(), sf::Music::Stopped);
    game.changeMusic(AssetFolder::path(Game::kLevelMusic));
    EXPECT_EQ(game.getMusic().getStatus(), sf::Music::Playing) << "the next track plays again";
    game.getMusic().stop();
}

}  // namespace
