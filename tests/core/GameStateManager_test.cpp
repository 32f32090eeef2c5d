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

TEST_F(GameStateManagerTest, ChangesWaitForTheNextFrameAndExitTheOldScreenBeforeTheNewInit) {
    frame();
    EXPECT_TRUE(log.empty()) << "no screen before the first change";
    manager.changeState("MenuState");
    EXPECT_TRUE(log.empty()) << "a request alone changes nothing";
    frame();
    manager.changeState("GameState");
    frame();
    EXPECT_EQ(log, (Log{"MenuState.init", "MenuState.update", "MenuState.draw", "MenuState.exit",
                        "GameState.init", "GameState.update", "GameState.draw"}));
}

TEST_F(GameStateManagerTest, TheLastRequestOfAFrameWinsAndAnUnknownNameCancels) {
    manager.changeState("GameState");
    manager.changeState("WinState");
    frame();
    EXPECT_EQ(manager.getCurrent(), screens["WinState"].get());
    manager.changeState("MenuState");
    manager.changeState("NoSuchState");
    frame();
    EXPECT_EQ(manager.getCurrent(), screens["WinState"].get());
    EXPECT_EQ(log, (Log{"WinState.init", "WinState.update", "WinState.draw", "WinState.update",
                        "WinState.draw"}));
}

TEST_F(GameStateManagerTest, RequestingTheRunningScreenNeitherExitsNorReentersIt) {
    manager.changeState("MenuState");
    frame();
    manager.changeState("MenuState");
    frame();
    EXPECT_EQ(log, (Log{"MenuState.init", "MenuState.update", "MenuState.draw", "MenuState.update",
                        "MenuState.draw"}));
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
    EXPECT_EQ(log, (Log{"GameState.update", "asked", "GameState.draw", "GameState.exit",
                        "WinState.init", "WinState.update", "WinState.draw"}));
}

TEST_F(GameStateManagerTest, LeavingForGoodExitsTheRunningScreenOnce) {
    manager.changeState("MenuState");
    frame();
    manager.leaveCurrent();
    manager.leaveCurrent();
    frame();
    EXPECT_EQ(log, (Log{"MenuState.init", "MenuState.update", "MenuState.draw", "MenuState.exit"}));
}

}  // namespace
