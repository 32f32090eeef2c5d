// Drives every screen of the game, with the shipped content, through many rounds: the game
// reads all of it without a complaint, and nothing a screen builds outlives it: the heap does
// not grow from round to round, and the leak checker finds nothing at exit.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "assets/AssetManager.hpp"
#include "core/Game.hpp"
#include "core/GameStateManager.hpp"
#include "states/WinState.hpp"
#include "support/ErrCapture.hpp"
#include "support/ScratchGameDir.hpp"
#include "support/TestWindow.hpp"

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer runtime: what the program holds on the heap right now.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace {

std::size_t heapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

class ScreenCyclingTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy(
            std::filesystem::path(std::getenv("TUMBLELEAF_SOURCE_DIR")) / "assets",
            scratch.assets(),
            std::filesystem::copy_options::recursive |
                std::filesystem::copy_options::overwrite_existing);
        AssetManager::instance().setRenderWindow(&screen.window());
        for (const auto& name : Game::screenNames()) {
            manager.registerState(name, Game::createScreen(name, &manager, nullptr));
        }
    }
    void TearDown() override { manager.leaveCurrent(); }

    // The graphics driver keeps and gives back memory of its own as it draws, megabytes at a
    // time, so the rounds that are measured only update.
    void frames(int count) {
        for (int frame = 0; frame < count; ++frame) {
            manager.update(0.02f);
            if (drawing) {
                manager.draw();
            }
        }
    }
    void visit(const char* screenName) {
        manager.changeState(screenName);
        frames(3);
    }
    // Everyone crosses the line at once; the results follow on the next frame.
    void finishRace() {
        for (const auto& player : manager.getCurrent()->getGameObjectManager().getPlayers()) {
            player->setMarkedForRemoval(true);
        }
        frames(3);
        EXPECT_NE(dynamic_cast<WinState*>(manager.getCurrent()), nullptr) << "the results show";
    }
    void round() {
        visit("MenuState");
        visit("GameState");
        finishRace();
        for (const char* name : {"MenuState", "SettingsState", "TutorialState", "CreditsState"}) {
            visit(name);
        }
    }

    bool drawing = true;
    TestWindow screen{1920, 1080};
    ScratchGameDir scratch;
    GameStateManager manager;
};

TEST_F(ScreenCyclingTest, RoundsThroughEveryScreenLeaveNothingBehind) {
    {
        ErrCapture err;
        round();
        EXPECT_EQ(err.text(), "") << "the shipped content loads as it is";
    }
    round();
    drawing = false;
    round();
    const std::size_t settled = heapInUse();
    for (int rounds = 0; rounds < 4; ++rounds) {
        round();
    }
    const std::size_t after = heapInUse();
    // The leaderboard grows by two lines a round; a screen that leaked its map would leave
    // megabytes behind every round.
    EXPECT_LT(after, settled + 16 * 1024) << settled << " bytes grew to " << after;
}

}  // namespace
