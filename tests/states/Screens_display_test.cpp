#include <gtest/gtest.h>

#include <SFML/Window/Keyboard.hpp>
#include <fstream>
#include <map>

#include "assets/AssetManager.hpp"
#include "components/CameraRenderComponent.hpp"
#include "components/PlayerMoveComponent.hpp"
#include "components/TextRenderComponent.hpp"
#include "components/TransformCopyComponent.hpp"
#include "core/GameStateManager.hpp"
#include "core/InputManager.hpp"
#include "physics/PhysicsManager.hpp"
#include "states/MainState.hpp"
#include "states/SettingsState.hpp"
#include "states/StateButtonComponent.hpp"
#include "states/WinState.hpp"
#include "support/ErrCapture.hpp"
#include "support/ScratchGameDir.hpp"
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

std::string objectXml(const std::string& name, const std::string& type, int x, int y,
                      const std::string& properties) {
    return "<object name='" + name + "' type='" + type + "' x='" + std::to_string(x) + "' y='" +
           std::to_string(y) + "' width='40' height='40'><properties>" +
           "<property name='correspondingLayer' value='Front'/>" + properties +
           "</properties></object>";
}

std::string mapXml(const std::string& objects) {
    return "<map width='2' height='2' tilewidth='32' tileheight='32'>"
           "<layer name='Front' width='2' height='2'><data>0,0,0,0</data></layer>"
           "<objectgroup name='Things'>" +
           objects + "</objectgroup></map>";
}

std::string playerXml(const std::string& name, int x) {
    return objectXml(name, "Player", x, 0,
                     "<property name='mass' value='1'/>"
                     "<property name='texturepath' value='racer.png'/>");
}

class ScreensTest : public ::testing::Test {
protected:
    void SetUp() override {
        AssetManager::instance().setRenderWindow(&screen.window());
        writeSolidPng(scratch.assets() / "racer.png", 4, 8, sf::Color::Red);
        std::filesystem::create_directories(scratch.assets() / "fonts/mini-pixel-7");
        std::filesystem::copy_file(std::filesystem::path(std::getenv("TUMBLELEAF_SOURCE_DIR")) /
                                       "assets/fonts/mini-pixel-7/mini_pixel-7.ttf",
                                   scratch.assets() / "fonts/mini-pixel-7/mini_pixel-7.ttf");
        for (const char* name : {"MenuState", "WinState", "GameState"}) {
            markers[name] = std::make_shared<MarkerState>();
            manager.registerState(name, markers[name]);
        }
    }
    void TearDown() override {
        level.exit();
        win.exit();
        settings.exit();
        InputManager::instance().setKeyState(sf::Keyboard::Escape, false);
        InputManager::instance().advanceFrame();
        InputManager::instance().advanceFrame();
    }

    std::shared_ptr<GameObject> registered(GameState& state, const std::string& id) {
        const auto& objects = state.getGameObjectManager().getGameObjects();
        const auto found = objects.find(id);
        return found == objects.end() ? nullptr : found->second;
    }

    TestWindow screen{1920, 1080};
    ScratchGameDir scratch;
    // Objects update in no particular order, so a camera may trail its player by one frame;
    // frames of no time let everything catch up.
    void settle() {
        level.update(0.0f);
        level.update(0.0f);
    }

    GameStateManager manager;
    std::map<std::string, std::shared_ptr<MarkerState>> markers;
    MainState level{&manager, nullptr};
    WinState win{&manager, nullptr};
    SettingsState settings{&manager, nullptr};
};

TEST_F(ScreensTest, EachPlayerGetsAZoomedHalfWindowCameraThatFollowsIt) {
    scratch.writeAsset("TileMap.tmx",
                       mapXml(playerXml("Player1", 100) + playerXml("Player2", 300)));
    level.init();
    for (const char* id : {"CameraOnPlayer1", "CameraOnPlayer2"}) {
        const auto camera = registered(level, id);
        ASSERT_NE(camera, nullptr) << id;
        const sf::View& view = camera->getComponent<CameraRenderComponent>()->getView();
        EXPECT_EQ(view.getSize(), sf::Vector2f(1440.0f, 1620.0f));
    }
    EXPECT_EQ(level.getGameObjectManager().getPlayers().size(), 2u) << "cameras do not race";
    EXPECT_EQ(PhysicsManager::instance().getPlayerColliders().size(), 2u);

    level.update(0.01f);
    settle();
    const auto camera = registered(level, "CameraOnPlayer2");
    EXPECT_EQ(camera->getPosition(), registered(level, "Player2")->getPosition());
    camera->getComponent<CameraRenderComponent>()->applyViewport();
    EXPECT_EQ(screen.window().getView().getViewport(), sf::FloatRect(0.0f, 0.0f, 0.5f, 1.0f));
    EXPECT_EQ(screen.window().getView().getCenter(), camera->getPosition() + sf::Vector2f(0, 540));
}

TEST_F(ScreensTest, AFinishedPlayerIsRetiredAndOnlyItsCameraStops) {
    scratch.writeAsset("TileMap.tmx",
                       mapXml(playerXml("Player1", 100) + playerXml("Player2", 300)));
    level.init();
    level.update(0.01f);
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
    EXPECT_EQ(registered(level, "CameraOnPlayer2")->getPosition(),
              registered(level, "Player2")->getPosition());
    EXPECT_EQ(readLines(scratch.leaderboard()).size(), 1u);
    EXPECT_EQ(level.getGameObjectManager().getPlayers().size(), 1u);

    registered(level, "Player2")->setMarkedForRemoval(true);
    level.update(0.01f);
    EXPECT_EQ(manager.getPending(), nullptr);
    level.update(0.01f);
    ASSERT_NE(manager.getPending(), nullptr) << "the next frame asks for the results";
    manager.update(0.0f);
    EXPECT_EQ(manager.getCurrent(), markers["WinState"].get());
    EXPECT_EQ(readLines(scratch.leaderboard()).size(), 2u);
}

TEST_F(ScreensTest, EscapeLeavesForTheTitleWithoutMovingAnything) {
    scratch.writeAsset("TileMap.tmx", mapXml(playerXml("Player1", 100)));
    InputManager::instance().bind(0, "Exit", sf::Keyboard::Escape);
    level.init();
    const auto player = registered(level, "Player1");
    const auto before = player->getPosition();
    InputManager::instance().setKeyState(sf::Keyboard::Escape, true);
    InputManager::instance().advanceFrame();
    level.update(0.1f);
    EXPECT_EQ(player->getPosition(), before);
    ASSERT_NE(manager.getPending(), nullptr);
    manager.update(0.0f);
    EXPECT_EQ(manager.getCurrent(), markers["MenuState"].get());
}

TEST_F(ScreensTest, ALevelThatCannotBeLoadedStaysEmptyButEscapeStillWorks) {
    ErrCapture err;
    InputManager::instance().bind(0, "Exit", sf::Keyboard::Escape);
    level.init();
    level.update(0.1f);
    level.draw();
    EXPECT_EQ(manager.getPending(), nullptr) << "no race was run, so no results";
    EXPECT_NE(err.text().find("loadMap: could not open file ../assets/TileMap.tmx"),
              std::string::npos);
    InputManager::instance().setKeyState(sf::Keyboard::Escape, true);
    InputManager::instance().advanceFrame();
    level.update(0.1f);
    EXPECT_NE(manager.getPending(), nullptr);
}

TEST_F(ScreensTest, AClickedStateButtonLeadsToItsScreenOnce) {
    scratch.writeAsset("SettingsScreenMap.tmx",
                       mapXml(objectXml("Back", "GamestateButton", 10, 10,
                                        "<property name='nextState' value='MenuState'/>")));
    settings.init();
    const auto button = registered(settings, "Back")->getComponent<StateButtonComponent>();
    ASSERT_NE(button, nullptr);
    settings.update(0.01f);
    EXPECT_EQ(manager.getPending(), nullptr);
    button->setClicked(true);
    settings.update(0.01f);
    EXPECT_NE(manager.getPending(), nullptr);
    EXPECT_FALSE(button->isClicked());
}

TEST_F(ScreensTest, TheResultsShowPicturesCutToTheirScoresWithTheScoreAbove) {
    scratch.writeAsset("HighscoreScreenMap.tmx", mapXml(""));
    std::ofstream(scratch.leaderboard()) << "../assets/racer.png,700\n"
                                            "../assets/racer.png,512x\nbroken line\n";
    win.init();
    const auto newest = registered(win, "Player-1");
    ASSERT_NE(newest, nullptr);
    EXPECT_EQ(newest->getPosition(), sf::Vector2f(750.0f, 340.0f));
    EXPECT_FLOAT_EQ(newest->getComponent<PlayerMoveComponent>()->getPoints(), 512.0f);
    EXPECT_EQ(newest->getComponent<TextRenderComponent>()->getText(), "512x");
    EXPECT_EQ(registered(win, "Player1")->getPosition(), sf::Vector2f(300.0f, 690.0f));
    EXPECT_EQ(registered(win, "Player2")->getComponent<TextRenderComponent>()->getText(), "512x");
    EXPECT_EQ(registered(win, "Player3"), nullptr);
    EXPECT_EQ(readLines(scratch.leaderboard()).size(), 3u) << "the results never write";
}

TEST_F(ScreensTest, WithoutALeaderboardTheResultsScreenStillHasItsButtons) {
    scratch.writeAsset("HighscoreScreenMap.tmx",
                       mapXml(objectXml("Back", "GamestateButton", 10, 10,
                                        "<property name='nextState' value='MenuState'/>")));
    ErrCapture err;
    win.init();
    EXPECT_NE(err.text().find("Could not load highscores\n."), std::string::npos);
    EXPECT_NE(registered(win, "Back"), nullptr);
    EXPECT_EQ(registered(win, "Player-1"), nullptr);
}

}  // namespace
