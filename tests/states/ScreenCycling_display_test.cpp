// Drives every screen of the game, with the shipped content, through many rounds, and shows
// that nothing a screen builds outlives it: the heap does not grow from round to round, and the
// leak checker finds nothing at exit.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <vector>

#include "assets/AssetManager.hpp"
#include "core/Game.hpp"
#include "core/GameStateManager.hpp"
#include "states/WinState.hpp"
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

    void frames(int count) {
        for (int frame = 0; frame < count; ++frame) {
            manager.update(0.02f);
            manager.draw();
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
        visit("MenuState");
        visit("SettingsState");
        visit("TutorialState");
        visit("CreditsState");
    }

    TestWindow screen{1920, 1080};
    ScratchGameDir scratch;
    GameStateManager manager;
};

TEST_F(ScreenCyclingTest, RoundsThroughEveryScreenLeaveNothingBehind) {
    std::vector<std::size_t> heapAfterRound;
    for (int rounds = 0; rounds < 8; ++rounds) {
        round();
        heapAfterRound.push_back(heapInUse());
    }
    // The graphics driver gives back some memory late, so one round may end several megabytes
    // up; the lower of two rounds is what is really held. A screen that leaked its map would
    // add megabytes every round; the level is about fifty.
    const std::size_t early = std::min(heapAfterRound[2], heapAfterRound[3]);
    const std::size_t late = std::min(heapAfterRound[6], heapAfterRound[7]);
    EXPECT_LT(late, early + 4 * 1024 * 1024) << early << " bytes grew to " << late;
}

}  // namespace
