#include "core/GameStateManager.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/GameState.hpp"

namespace {

using Log = std::vector<std::string>;

// Writes every call into a log shared by the screens of a test, and during its update asks for
// the screen that `asked` names, if any.
class RecordingState : public GameState {
public:
    RecordingState(std::string name, Log& log, GameStateManager& manager, const char*& asked)
        : GameState(&manager, nullptr), m_name(std::move(name)), m_log(log), m_asked(asked) {}

    void init() override { m_log.push_back(m_name + ".init"); }
    void exit() override { m_log.push_back(m_name + ".exit"); }
    void update(float) override {
        m_log.push_back(m_name + ".update");
        if (m_asked != nullptr) {
            requestState(m_asked);
        }
    }
    void draw() override { m_log.push_back(m_name + ".draw"); }

private:
    std::string m_name;
    Log& m_log;
    const char*& m_asked;
};

// Each row: the requests made between two frames, the one the running screen makes during its
// update, and what that frame then does.
TEST(GameStateManagerTest, ChangesWaitForTheNextFrameWhereTheLastRequestWins) {
    Log log;
    const char* askedNow = nullptr;
    GameStateManager manager;
    for (const char* name : {"MenuState", "GameState", "WinState"}) {
        manager.registerState(name, std::make_shared<RecordingState>(name, log, manager, askedNow));
    }
    struct Frame {
        std::vector<const char*> requests;
        const char* askedDuringUpdate;
        Log done;
    };
    const Frame frames[] = {
        {{}, nullptr, {}},
        {{"MenuState"}, nullptr, {"MenuState.init", "MenuState.update", "MenuState.draw"}},
        // The running screen is neither left nor entered again.
        {{"MenuState"}, nullptr, {"MenuState.update", "MenuState.draw"}},
        {{"GameState", "WinState"},
         nullptr,
         {"MenuState.exit", "WinState.init", "WinState.update", "WinState.draw"}},
        // An unknown name cancels the request before it.
        {{"MenuState", "NoSuchState"}, nullptr, {"WinState.update", "WinState.draw"}},
        // A screen asking for its successor finishes its frame first.
        {{}, "GameState", {"WinState.update", "WinState.draw"}},
        {{}, nullptr, {"WinState.exit", "GameState.init", "GameState.update", "GameState.draw"}},
    };
    for (const auto& [requests, asked, done] : frames) {
        for (const char* name : requests) {
            manager.changeState(name);
        }
        EXPECT_TRUE(log.empty()) << "a request alone changes nothing";
        askedNow = asked;
        manager.update(0.0f);
        manager.draw();
        EXPECT_EQ(log, done) << "after " << requests.size() << " requests";
        log.clear();
    }
    // Leaving for good exits the running screen once and runs nothing after it.
    manager.leaveCurrent();
    manager.leaveCurrent();
    manager.update(0.0f);
    manager.draw();
    EXPECT_EQ(log, Log{"GameState.exit"});
}

}  // namespace
