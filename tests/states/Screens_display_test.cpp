#include <gtest/gtest.h>

#include <SFML/Window/Keyboard.hpp>
#include <fstream>
#include <map>

#include "assets/AssetManager.hpp"
#include "assets/LayerComponent.hpp"
#include "components/CameraRenderComponent.hpp"
#include "components/PlayerMoveComponent.hpp"
#include "components/TextRenderComponent.hpp"
#include "core/GameStateManager.hpp"
#include "core/InputManager.hpp"
#include "physics/PhysicsManager.hpp"
#include "states/MainState.hpp"
#include "states/MenuState.hpp"
#include "states/StateButtonComponent.hpp"
#include "states/WinState.hpp"
#include "support/ErrCapture.hpp"
#include "support/ScratchGameDir.hpp"
#include "support/TestMaps.hpp"
#include "support/TestWindow.hpp"
#include "support/TextFiles.hpp"

namespace {

// A screen that only notes that it was entered.
class MarkerState : public GameState {
public:
    MarkerState() : GameState(nullptr, nullptr) {}
    void init() override {}
    void exit() override {}
    void update(float) override {}
};

const std::string kBackButton =
    tmxObject("Back", "GamestateButton", {10, 10}, {40, 40}, tmxProperty("nextState", "MenuState"));

class ScreensTest : public ::testing::Test {
protected:
    void SetUp() override {
        AssetManager::instance().setRenderWindow(&screen.window());
        writeSolidPng(scratch.assets() / "racer.png", 4, 8, sf::Color::Red);
        scratch.copyShipped("fonts/mini-pixel-7/mini_pixel-7.ttf");
        for (const char* name : {"MenuState", "WinState", "GameState"}) {
            markers[name] = std::make_shared<MarkerState>();
            manager.registerState(name, markers[name]);
        }
        InputManager::instance().bind(0, "Exit", sf::Keyboard::Escape);
    }
    void TearDown() override {
        level.exit();
        win.exit();
        pressEscape(false);
        InputManager::instance().advanceFrame();
    }

    std::shared_ptr<GameObject> registered(GameState& state, const std::string& id) {
        return state.getGameObjectManager().getGameObject(id);
    }
    // Objects update in no particular order, so a camera may trail its player by one frame; a
    // frame of no time lets everything catch up.
    void settle() { level.update(0.0f); }
    void pressEscape(bool down) {
        InputManager::instance().setKeyState(sf::Keyboard::Escape, down);
        InputManager::instance().advanceFrame();
    }
    // Applies the change a screen asked for; false when it asked for none.
    bool switched() {
        const bool asked = manager.getPending() != nullptr;
        manager.update(0.0f);
        return asked;
    }

    TestWindow screen{1920, 1080};
    ScratchGameDir scratch;
    GameStateManager manager;
    std::map<std::string, std::shared_ptr<MarkerState>> markers;
    MainState level{&manager, nullptr};
    WinState win{&manager, nullptr};
};

// Each player gets a camera on half the window; a finished player is retired, its camera stops
// while the other goes on, and once nobody is left in the race the results follow a frame later.
TEST_F(ScreensTest, ARaceFollowsEachPlayerUntilTheLastHasFinished) {
    scratch.writeAsset("TileMap.tmx",
                       tmxMap(tmxRacer("Player1", {100, 0}) + tmxRacer("Player2", {300, 0})));
    level.init();
    for (const char* id : {"CameraOnPlayer1", "CameraOnPlayer2"}) {
        ASSERT_NE(registered(level, id), nullptr) << id;
        EXPECT_EQ(registered(level, id)->getComponent<CameraRenderComponent>()->getView().getSize(),
                  sf::Vector2f(1440.0f, 1620.0f));
    }
    EXPECT_EQ(PhysicsManager::instance().getPlayerColliders().size(), 2u);
    level.update(0.01f);
    settle();
    // Each player sits a sixth of the way down its half, most of the view ahead of it.
    const auto camera = registered(level, "CameraOnPlayer2");
    EXPECT_EQ(camera->getPosition(), registered(level, "Player2")->getPosition());
    EXPECT_EQ(camera->getComponent<CameraRenderComponent>()->getView().getCenter(),
              camera->getPosition() + sf::Vector2f(0, 540));

    registered(level, "Player1")->setMarkedForRemoval(true);
    level.update(0.01f);
    const auto frozen = registered(level, "CameraOnPlayer1");
    const auto stopAt = frozen->getPosition();
    for (int frame = 0; frame < 5; ++frame) {
        level.update(0.05f);
    }
    settle();
    EXPECT_EQ(frozen->getPosition(), stopAt);
    EXPECT_NE(registered(level, "Player1")->getPosition(), stopAt) << "the player goes on falling";
    EXPECT_EQ(camera->getPosition(), registered(level, "Player2")->getPosition());

    registered(level, "Player2")->setMarkedForRemoval(true);
    level.update(0.01f);
    EXPECT_FALSE(switched());
    level.update(0.01f);
    ASSERT_TRUE(switched()) << "the next frame asks for the results";
    EXPECT_EQ(manager.getCurrent(), markers["WinState"].get());
    EXPECT_EQ(readLines(scratch.leaderboard()).size(), 2u);
}

// Without its map the level runs no race, so it never asks for results; Escape leads to the
// title with or without a map, and its frame moves nothing.
TEST_F(ScreensTest, EscapeLeavesTheLevelForTheTitleEvenWithoutAMap) {
    ErrCapture err;
    level.init();
    level.update(0.1f);
    level.draw();
    EXPECT_FALSE(switched());
    EXPECT_TRUE(err.hasLineWith({"could not open", "TileMap.tmx"})) << err.text();
    pressEscape(true);
    level.update(0.1f);
    ASSERT_TRUE(switched());
    EXPECT_EQ(manager.getCurrent(), markers["MenuState"].get());

    level.exit();
    scratch.writeAsset("TileMap.tmx", tmxMap(tmxRacer("Player1", {100, 0})));
    level.init();
    const auto player = registered(level, "Player1");
    const auto before = player->getPosition();
    pressEscape(false);
    pressEscape(true);
    level.update(0.1f);
    EXPECT_EQ(player->getPosition(), before);
}

// Without its map a menu says which and shows nothing. Every frame of a menu starts from the
// view it was built with, and a clicked button leads to its screen once; leaving lets go of the
// map and gives the next screen the design view.
TEST_F(ScreensTest, AMenuIsBuiltFromItsMapAndLetsGoOfItOnExit) {
    MenuState menu{&manager, nullptr};
    const auto& objects = menu.getGameObjectManager().getGameObjects();
    ErrCapture err;
    menu.init();
    menu.update(0.1f);
    menu.draw();
    EXPECT_TRUE(err.hasLineWith({"could not open", "TitleScreenMap.tmx"})) << err.text();
    EXPECT_TRUE(objects.empty());
    menu.exit();
    scratch.writeAsset("TitleScreenMap.tmx", tmxMap(kBackButton));
    const sf::View zoomed(sf::FloatRect(0.f, 0.f, 32.f, 24.f));
    screen.window().setView(zoomed);
    menu.init();
    ASSERT_EQ(objects.size(), 2u);
    const auto map = objects.at("map");
    EXPECT_EQ(map->getComponents<LayerComponent>().size(), 1u);
    screen.window().setView(screen.window().getDefaultView());
    menu.update(0.1f);
    EXPECT_EQ(screen.window().getView().getSize(), zoomed.getSize());
    EXPECT_FALSE(switched());
    const auto button = registered(menu, "Back")->getComponent<StateButtonComponent>();
    button->setClicked(true);
    menu.update(0.1f);
    EXPECT_TRUE(switched());
    EXPECT_FALSE(button->isClicked());

    menu.exit();
    EXPECT_TRUE(objects.empty() && map->getComponentList().empty());
    EXPECT_TRUE(AssetManager::instance().getLayers().empty());
    EXPECT_EQ(screen.window().getView().getSize(), sf::Vector2f(1920.f, 1080.f))
        << "the design view";
}

// The results show each picture cut to its score with the score as written above it; without a
// leaderboard the screen still has its buttons, so nobody is stuck there.
TEST_F(ScreensTest, TheResultsShowTheLeaderboardAndTheButtonsWithoutOne) {
    scratch.writeAsset("HighscoreScreenMap.tmx", tmxMap(kBackButton));
    ErrCapture err;
    win.init();
    EXPECT_TRUE(err.hasLineWith({"Could not load highscores"})) << err.text();
    EXPECT_NE(registered(win, "Back"), nullptr);
    EXPECT_EQ(registered(win, "Player-1"), nullptr);
    win.exit();
    std::ofstream(scratch.leaderboard()) << "../assets/racer.png,700\n"
                                            "../assets/racer.png,512x\n";
    win.init();
    const auto newest = registered(win, "Player-1");
    ASSERT_NE(newest, nullptr);
    EXPECT_EQ(newest->getPosition(), sf::Vector2f(750.0f, 340.0f));
    EXPECT_FLOAT_EQ(newest->getComponent<PlayerMoveComponent>()->getPoints(), 512.0f);
    EXPECT_EQ(newest->getComponent<TextRenderComponent>()->getText(), "512x");
    EXPECT_EQ(readLines(scratch.leaderboard()).size(), 2u) << "the results never write";
}

}  // namespace
