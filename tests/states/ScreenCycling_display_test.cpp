// Drives every screen of the game, with the shipped content, through many rounds: the game
// reads all of it without a complaint, and nothing a screen builds outlives it: the heap does
// not grow from round to round, and the leak checker finds nothing at exit.
#include <gtest/gtest.h>

#include <memory>
#include <string>

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

TEST(ScreenCyclingTest, RoundsThroughEveryScreenLeaveNothingBehind) {
    TestWindow screen(1920, 1080);
    ScratchGameDir scratch;
    scratch.copyShipped();
    AssetManager::instance().setRenderWindow(&screen.window());
    GameStateManager manager;
    for (const auto& name : Game::screenNames()) {
        manager.registerState(name, Game::createScreen(name, &manager, nullptr));
    }
    // Three frames on each screen; at "" everyone crosses the line at once and the results
    // follow. The graphics driver keeps and gives back memory of its own as it draws, megabytes
    // at a time, so the rounds that are measured only update.
    bool drawing = true;
    manager.changeState("CreditsState");  // a screen to start from: one always runs
    manager.update(0.0f);
    const auto round = [&] {
        for (const std::string name : {"MenuState", "GameState", "", "MenuState", "SettingsState",
                                       "TutorialState", "CreditsState"}) {
            manager.changeState(name);  // "" asks for no change
            for (const auto& player : manager.getCurrent()->getGameObjectManager().getPlayers()) {
                player->setMarkedForRemoval(name.empty());
            }
            for (int frame = 0; frame < 3; ++frame) {
                manager.update(0.02f);
                if (drawing) {
                    manager.draw();
                }
            }
            EXPECT_TRUE(!name.empty() || dynamic_cast<WinState*>(manager.getCurrent()))
                << "results";
        }
    };
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
    manager.leaveCurrent();
}

}  // namespace
