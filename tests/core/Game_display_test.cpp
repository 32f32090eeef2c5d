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
    const auto& names = Game::screenNames();
    EXPECT_EQ(names.size(), 7u);
    for (const auto& name : names) {
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
    EXPECT_NE(err.text().find("../assets/Music/pipe.wav"), std::string::npos);
    EXPECT_EQ(game.getMusic().getStatus(), sf::Music::Stopped);
    game.changeMusic(Game::kMenuMusic);
    EXPECT_EQ(game.getMusic().getStatus(), sf::Music::Playing) << "the next track plays again";
}

TEST_F(GameMusicTest, LeavingTheResultsPlaysTheMenuTrackAtFiveUnlessMuted) {
    WinState results(nullptr, nullptr);
    for (const bool muted : {false, true}) {
        game.changeMusic(Game::kLevelMusic);
        game.getMusic().setVolume(muted ? 0.0f : Game::kLevelVolume);
        game.setMuted(muted);
        results.exit();
        EXPECT_EQ(trackSeconds(), kMenuTrackSeconds) << muted;
        EXPECT_FLOAT_EQ(game.getMusic().getVolume(), muted ? 0.0f : 5.0f) << muted;
        EXPECT_EQ(game.getMusic().getStatus(), sf::Music::Playing) << muted;
    }
}

}  // namespace
