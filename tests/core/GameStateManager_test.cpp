#include "core/GameStateManager.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/GameState.hpp"

namespace {

using Log = std::vector<std::string>;

// Writes every call into a log shared by the screens of a test; `onUpdate` runs mid-update.
class RecordingState : public GameState {
public:
    RecordingState(std::string name, Log& log)
        : GameState(nullptr, nullptr), m_name(std::move(name)), m_log(log) {}

    void init() override { m_log.push_back(m_name + ".init"); }
    void exit() override { m_log.push_back(m_name + ".exit"); }
    void update(float) override {
        m_log.push_back(m_name + ".update");
        if (onUpdate) {
            onUpdate();
        }
    }
    void draw() override { m_log.push_back(m_name + ".draw"); }

    std::function<void()> onUpdate;

private:
    std::string m_name;
    Log& m_log;
};

class GameStateManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"MenuState", "GameState", "WinState"}) {
            screens[name] = std::make_shared<RecordingState>(name, log);
            manager.registerState(name, screens[name]);
        }
    }
    void frame() {
        manager.update(0.0f);
        manager.draw();
    }

    Log log;
    GameStateManager manager;
    std::map<std::string, std::shared_ptr<RecordingState>> screens;
};

// Each entry: the requests made between two frames and what the next frame then does.
TEST_F(GameStateManagerTest, ChangesWaitForTheNextFrameWhereTheLastRequestWins) {
    const std::pair<std::vector<const char*>, Log> frames[] = {
        {{}, {}},
        {{"MenuState"}, {"MenuState.init", "MenuState.update", "MenuState.draw"}},
        // The running screen is neither left nor entered again.
        {{"MenuState"}, {"MenuState.update", "MenuState.draw"}},
        {{"GameState", "WinState"},
         {"MenuState.exit", "WinState.init", "WinState.update", "WinState.draw"}},
        // An unknown name cancels the request before it.
        {{"MenuState", "NoSuchState"}, {"WinState.update", "WinState.draw"}},
    };
    for (const auto& [requests, expected] : frames) {
        for (const char* name : requests) {
            manager.changeState(name);
        }
        EXPECT_TRUE(log.empty()) << "a request alone changes nothing";
        frame();
        EXPECT_EQ(log, expected) << "after " << requests.size() << " requests";
        log.clear();
    }
    EXPECT_EQ(manager.getCurrent(), screens["WinState"].get());
}

TEST_F(GameStateManagerTest, AScreenAskingForItsSuccessorFinishesItsFrameFirst) {
    manager.changeState("GameState");
    frame();
    screens["GameState"]->onUpdate = [&] {
        manager.changeState("WinState");
        log.push_back("asked");
    };
    log.clear();
    frame();
    screens["GameState"]->onUpdate = nullptr;
    frame();
    // Leaving for good exits the running screen once and runs nothing after it.
    manager.leaveCurrent();
    manager.leaveCurrent();
    frame();
    EXPECT_EQ(log, (Log{"GameState.update", "asked", "GameState.draw", "GameState.exit",
                        "WinState.init", "WinState.update", "WinState.draw", "WinState.exit"}));
}

}  // namespace
