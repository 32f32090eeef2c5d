#include "core/Game.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/GameState.hpp"
#include "states/WinState.hpp"
#include "support/ErrCapture.hpp"
#include "support/ScratchGameDir.hpp"
#include "support/TestTracks.hpp"

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

// The two tracks differ in length, so the open one tells which it is.
class GameMusicTest : public ::testing::Test {
protected:
    static constexpr float kMenuTrackSeconds = 2.0f;

    void SetUp() override {
        writeSilentTrack(scratch.assets() / "Music/TestLoop.wav", kMenuTrackSeconds);
        writeSilentTrack(scratch.assets() / "Music/GameSound.wav", 1.0f);
    }
    void TearDown() override {
        game.setMuted(false);
        game.getMusic().stop();
    }
    float trackSeconds() const { return game.getMusic().getDuration().asSeconds(); }

    ScratchGameDir scratch;
    Game& game = Game::instance();
};

TEST_F(GameMusicTest, APipeNamedAsTheTrackIsRefusedAtOnceAndLeavesTheGameSilent) {
    game.changeMusic(Game::kLevelMusic);
    ASSERT_EQ(game.getMusic().getStatus(), sf::Music::Playing);
    ASSERT_EQ(mkfifo((scratch.assets() / "Music/pipe.wav").c_str(), 0600), 0);
    ErrCapture err;
    game.changeMusic("../assets/Music/pipe.wav");  // would wait for a writer for good
    EXPECT_TRUE(err.hasLineWith({"../assets/Music/pipe.wav"}));
    EXPECT_EQ(game.getMusic().getStatus(), sf::Music::Stopped);
    game.changeMusic(Game::kMenuMusic);
    EXPECT_EQ(game.getMusic().getStatus(), sf::Music::Playing) << "the next track plays again";
}

// Muted, the menu track stays silent whoever starts it: that is checked where a race is left.
TEST_F(GameMusicTest, LeavingTheResultsPlaysTheMenuTrackAtFive) {
    game.playTrack(Game::kLevelMusic, Game::kLevelVolume);
    WinState(nullptr, nullptr).exit();
    EXPECT_EQ(trackSeconds(), kMenuTrackSeconds);
    EXPECT_FLOAT_EQ(game.getMusic().getVolume(), 5.0f);
}

}  // namespace
