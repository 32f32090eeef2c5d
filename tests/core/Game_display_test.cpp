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

// A frame that stalls for seconds (the window dragged, the machine suspended) must not move every
// racer by its whole length at once; an ordinary frame advances the race by exactly its own time.
TEST(GameTest, AStalledFrameAdvancesTheRaceByAtMostATenthOfASecond) {
    EXPECT_FLOAT_EQ(Game::frameSeconds(sf::seconds(4.0f)), 0.1f);
    EXPECT_FLOAT_EQ(Game::frameSeconds(sf::seconds(4.0f)), Game::frameSeconds(sf::seconds(0.1f)));
    EXPECT_FLOAT_EQ(Game::frameSeconds(sf::milliseconds(7)), 0.007f);
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
