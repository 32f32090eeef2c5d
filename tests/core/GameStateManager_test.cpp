#include "core/GameStateManager.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/GameState.hpp"

namespace {

// Records every call, in order, into a log shared by all screens of a test.
class RecordingState : public GameState {
public:
    RecordingState(std::string name, std::vector<std::string>& log)
        : GameState(nullptr, nullptr), m_name(std::move(name)), m_log(log) {}

    void init() override { m_log.push_back(m_name + ".init"); }
    void exit() override { m_log.push_back(m_name + ".exit"); }
    void update(float) override {
        m_log.push_back(m_name + ".update");
        if (!m_requestOnUpdate.empty()) {
            GameStateManager* manager = m_manager;
            manager->changeState(m_requestOnUpdate);
            m_log.push_back(m_name + ".update.end");
        }
    }
    void draw() override { m_log.push_back(m_name + ".draw"); }

    void requestOnUpdate(GameStateManager* manager, std::string name) {
        m_manager = manager;
        m_requestOnUpdate = std::move(name);
    }

private:
    std::string m_name;
    std::vector<std::string>& m_log;
    GameStateManager* m_manager = nullptr;
    std::string m_requestOnUpdate;
};

class GameStateManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        menu = std::make_shared<RecordingState>("menu", log);
        level = std::make_shared<RecordingState>("level", log);
        win = std::make_shared<RecordingState>("win", log);
        manager.registerState("MenuState", menu);
        manager.registerState("GameState", level);
        manager.registerState("WinState", win);
    }

    std::vector<std::string> log;
    GameStateManager manager;
    std::shared_ptr<RecordingState> menu, level, win;
};

using Log = std::vector<std::string>;

TEST_F(GameStateManagerTest, NothingRunsBeforeTheFirstChange) {
    manager.update(0.016f);
    manager.draw();
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(manager.getCurrent(), nullptr);
}

TEST_F(GameStateManagerTest, ChangeWaitsForTheNextUpdateThenExitsBeforeInit) {
    manager.changeState("MenuState");
    EXPECT_TRUE(log.empty()) << "a request alone changes nothing";
    manager.update(0.0f);
    manager.changeState("GameState");
    manager.update(0.0f);
    EXPECT_EQ(log, (Log{"menu.init", "menu.update", "menu.exit", "level.init", "level.update"}));
    EXPECT_EQ(manager.getCurrent(), level.get());
}

TEST_F(GameStateManagerTest, TheLaterOfTwoRequestsInOneFrameWins) {
    manager.changeState("GameState");
    manager.changeState("WinState");
    manager.update(0.0f);
    EXPECT_EQ(log, (Log{"win.init", "win.update"}));
}

TEST_F(GameStateManagerTest, AnUnknownNameCancelsAnEarlierRequest) {
    manager.changeState("MenuState");
    manager.update(0.0f);
    manager.changeState("GameState");
    manager.changeState("NoSuchState");
    manager.update(0.0f);
    EXPECT_EQ(manager.getCurrent(), menu.get());
    EXPECT_EQ(log, (Log{"menu.init", "menu.update", "menu.update"}));
}

TEST_F(GameStateManagerTest, RequestingTheRunningScreenNeitherExitsNorReinitialisesIt) {
    manager.changeState("MenuState");
    manager.update(0.0f);
    manager.changeState("MenuState");
    manager.update(0.0f);
    EXPECT_EQ(log, (Log{"menu.init", "menu.update", "menu.update"}));
    EXPECT_EQ(manager.getPending(), nullptr);
}

TEST_F(GameStateManagerTest, AScreenFinishesItsUpdateAndIsDrawnOnceMoreAfterRequestingAChange) {
    manager.changeState("GameState");
    manager.update(0.0f);
    level->requestOnUpdate(&manager, "WinState");
    log.clear();
    manager.update(0.0f);
    manager.draw();
    EXPECT_EQ(log, (Log{"level.update", "level.update.end", "level.draw"}));
    log.clear();
    level->requestOnUpdate(&manager, "");
    manager.update(0.0f);
    EXPECT_EQ(log, (Log{"level.exit", "win.init", "win.update"}));
}

TEST_F(GameStateManagerTest, RegisteringUnderATakenNameReplacesTheScreen) {
    auto other = std::make_shared<RecordingState>("other", log);
    manager.registerState("MenuState", other);
    manager.changeState("MenuState");
    manager.update(0.0f);
    EXPECT_EQ(manager.getCurrent(), other.get());
}

TEST_F(GameStateManagerTest, LeavingTheCurrentScreenExitsItOnce) {
    manager.changeState("MenuState");
    manager.update(0.0f);
    manager.leaveCurrent();
    manager.leaveCurrent();
    manager.draw();
    EXPECT_EQ(log, (Log{"menu.init", "menu.update", "menu.exit"}));
}

}  // namespace
