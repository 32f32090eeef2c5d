#include <gtest/gtest.h>

#include <SFML/Window/Keyboard.hpp>
#include <algorithm>
#include <fstream>
#include <initializer_list>
#include <map>

#include "assets/AssetManager.hpp"
#include "assets/LayerComponent.hpp"
#include "components/StateButtonComponent.hpp"
#include "components/TextRenderComponent.hpp"
#include "core/Game.hpp"
#include "core/GameStateManager.hpp"
#include "objects/GameNames.hpp"
#include "physics/BoxCollisionComponent.hpp"
#include "physics/PhysicsManager.hpp"
#include "physics/PlayerMoveComponent.hpp"
#include "platform/InputManager.hpp"
#include "states/MainState.hpp"
#include "states/WinState.hpp"
#include "support/ErrCapture.hpp"
#include "support/ScratchGameDir.hpp"
#include "support/TestMaps.hpp"
#include "support/TestWindow.hpp"

namespace {

constexpr float kFrame = 1.0f / 60.0f;
// The two tracks differ in length, so the open one tells which it is.
constexpr float kLevelTrackSeconds = 1.0f;

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

// The game's keys: Escape, F5, and J/L and A/D for the two racers.
class ScreensTest : public ::testing::Test {
protected:
    void SetUp() override {
        AssetManager::instance().setRenderWindow(&screen.window());
        writeSolidPng(scratch.assets() / "racer.png", 4, 8, sf::Color::Red);
        scratch.copyShipped("fonts/mini-pixel-7/mini_pixel-7.ttf");
        scratch.writeSilentTrack("Music/GameSound.wav", kLevelTrackSeconds);
        scratch.writeSilentTrack("Music/TestLoop.wav", 2.0f);
        for (const char* name : {"MenuState", "WinState", "GameState"}) {
            markers[name] = std::make_shared<MarkerState>();
            manager.registerState(name, markers[name]);
        }
        InputManager& input = InputManager::instance();
        input.bind(0, "Exit", sf::Keyboard::Escape);
        input.bind(0, "Reload", sf::Keyboard::F5);
        input.bind(0, "left", sf::Keyboard::J);
        input.bind(0, "right", sf::Keyboard::L);
        input.bind(1, "left", sf::Keyboard::A);
        input.bind(1, "right", sf::Keyboard::D);
    }
    void TearDown() override {
        level.exit();
        win.exit();
        play(0.0f);
        Game::instance().setMuted(false);
        Game::instance().getMusic().stop();
    }

    std::shared_ptr<GameObject> registered(GameState& state, const std::string& id) {
        return state.getGameObjectManager().getGameObject(id);
    }
    // Frames as the game runs them, holding exactly these keys: key history, physics, the screen.
    // All keys are up for a frame first, so that a key held by the last call is pressed anew.
    void play(float seconds, std::initializer_list<sf::Keyboard::Key> keys = {}) {
        InputManager::instance().releaseAllKeys();
        InputManager::instance().advanceFrame();
        for (auto key : keys) {
            InputManager::instance().setKeyState(key, true);
        }
        for (float played = 0.0f; played < seconds; played += kFrame) {
            InputManager::instance().advanceFrame();
            PhysicsManager::instance().update(kFrame);
            level.update(kFrame);
        }
    }
    // Objects update in no particular order, so a camera may trail its player by one frame; a
    // frame of no time lets everything catch up.
    void settle() { level.update(0.0f); }
    // Applies the change a screen asked for; false when it asked for none.
    bool switched() {
        const bool asked = manager.getPending() != nullptr;
        manager.update(0.0f);
        return asked;
    }
    sf::FloatRect box(const std::string& id) {
        const auto box = registered(level, id)->getComponent<BoxCollisionComponent>();
        return {box->getPosition(), box->getSize()};
    }

    TestWindow screen{1920, 1080};
    ScratchGameDir scratch;
    GameStateManager manager;
    std::map<std::string, std::shared_ptr<MarkerState>> markers;
    MainState level{&manager, nullptr};
    WinState win{&manager, nullptr};
};

// Each player gets a camera on half the window (where it shows the racer, the end-to-end level
// test sees); a finished player is retired, its camera stops while the other goes on, and once
// nobody is left in the race the results follow a frame later.
TEST_F(ScreensTest, ARaceFollowsEachPlayerUntilTheLastHasFinished) {
    scratch.writeAsset("TileMap.tmx",
                       tmxMap(tmxRacer("Player1", {100, 0}) + tmxRacer("Player2", {300, 0})));
    level.init();
    const auto camera = registered(level, "CameraOnPlayer2");
    ASSERT_NE(camera, nullptr);

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
}

// Escape leads to the title, whose track plays at 5 (the race's at 15), in a frame that moves
// nothing; muted, both stay silent. Without its map the level runs no race, so it never asks for
// results, and Escape still leads out.
TEST_F(ScreensTest, EscapeLeavesTheRaceForTheTitleAndItsTrackEvenWithoutAMap) {
    ErrCapture err;
    level.init();
    level.update(0.1f);
    level.draw();
    EXPECT_FALSE(switched());
    EXPECT_TRUE(err.hasLineWith({"could not open", "TileMap.tmx"})) << err.text();
    play(kFrame, {sf::Keyboard::Escape});
    ASSERT_TRUE(switched());
    EXPECT_EQ(manager.getCurrent(), markers["MenuState"].get());
    level.exit();

    scratch.writeAsset("TileMap.tmx", tmxMap(tmxRacer("Player1", {0, 0})));
    sf::Music& music = Game::instance().getMusic();
    for (const bool muted : {false, true}) {
        Game::instance().setMuted(muted);
        music.setVolume(muted ? 0.0f : Game::kMenuVolume);
        level.init();
        EXPECT_EQ(music.getDuration().asSeconds(), kLevelTrackSeconds) << muted;
        EXPECT_FLOAT_EQ(music.getVolume(), muted ? 0.0f : 15.0f) << muted;
        const auto before = registered(level, "Player1")->getPosition();
        play(kFrame, {sf::Keyboard::Escape});
        EXPECT_EQ(registered(level, "Player1")->getPosition(), before) << muted;
        EXPECT_TRUE(switched()) << muted;
        EXPECT_NE(music.getDuration().asSeconds(), kLevelTrackSeconds) << muted;
        EXPECT_FLOAT_EQ(music.getVolume(), muted ? 0.0f : 5.0f) << muted;
        level.exit();
    }
}

TEST_F(ScreensTest, TheRaceBackgroundIsDarkenedAndSlightlySeeThroughAtTheTopLeft) {
    std::filesystem::create_directories(scratch.assets() / "x400pngs");
    writeSolidPng(scratch.assets() / "x400pngs/MainStateBackground.png", 64, 64, sf::Color::White);
    scratch.writeAsset("TileMap.tmx", tmxMap(tmxRacer("Player1", {0, 0})));
    level.init();
    screen.window().clear(sf::Color::Black);
    level.draw();
    const sf::Image shot = screen.capture();
    // White tinted to 130 of 255, laid at alpha 230 over black: 130 * 230 / 255 = 117.25, which
    // drivers may round either way.
    const sf::Color darkened = shot.getPixel(10, 10);
    EXPECT_TRUE(darkened.r == darkened.g && darkened.g == darkened.b);
    EXPECT_NEAR(darkened.r, 117, 1);
    EXPECT_EQ(shot.getPixel(70, 10), sf::Color::Black) << "the picture is drawn at its own size";
    // The divider: 20 units from the middle of the screen on, over its whole height.
    for (const unsigned y : {0u, 1079u}) {
        EXPECT_EQ(shot.getPixel(959, y), sf::Color::Black) << y;
        EXPECT_EQ(shot.getPixel(960, y), sf::Color::White) << y;
        EXPECT_EQ(shot.getPixel(979, y), sf::Color::White) << y;
        EXPECT_EQ(shot.getPixel(980, y), sf::Color::Black) << y;
    }
}

// Something of the racers' type that is no racer by its name leaves the scene when it reaches
// the finish: its box stops standing in the way and its trail goes with it.
TEST_F(ScreensTest, ALookalikeRacerLeavesWithItsBoxAndTrail) {
    scratch.writeAsset("TileMap.tmx",
                       tmxMap(tmxRacer("Player1", {0, 0}) + tmxRacer("Runner", {200, 0}) +
                              tmxObject("RunnerTrail", "Trail", {0, 0}, {0, 0},
                                        tmxProperty("texturepath", "racer.png"))));
    level.init();
    const auto runner = registered(level, "Runner");
    const auto ownedByRunner = [&] {
        const auto& boxes = PhysicsManager::instance().getColliders();
        return std::count_if(boxes.begin(), boxes.end(),
                             [&](const auto& box) { return box->getGameObject() == runner; });
    };
    ASSERT_EQ(ownedByRunner(), 1);
    const auto trail = registered(level, "TrailOn");
    ASSERT_FALSE(trail->getComponentList().empty());
    runner->setMarkedForRemoval(true);
    play(kFrame);
    EXPECT_EQ(ownedByRunner(), 0);
    EXPECT_TRUE(trail->getComponentList().empty());
    EXPECT_EQ(level.getGameObjectManager().getPlayers().size(), 1u);
}

// Designers rarely name walls. The racer steers into the left wall and falls onto the floor;
// both are unnamed, and each must stop it.
TEST_F(ScreensTest, UnnamedWallsEachStopTheRacer) {
    const int left = 300, floor = 8000;
    scratch.writeAsset("TileMap.tmx", tmxMap(tmxRacer("Player1", {400, 0}) +
                                             tmxObject("", "MapBorder", {0, -500}, {left, 9000}) +
                                             tmxObject("", "MapBorder", {0, floor}, {1300, 300})));
    level.init();
    play(10.5f, {sf::Keyboard::J});
    EXPECT_NEAR(box("Player1").left, left, 10.0f);
    EXPECT_NEAR(box("Player1").top + box("Player1").height, floor, 10.0f);
}

// Without its map a menu says which and shows nothing. Every frame of a menu starts from the
// view it was built with, and a clicked button leads to its screen once; leaving lets go of the
// map and gives the next screen the design view.
TEST_F(ScreensTest, AMenuIsBuiltFromItsMapAndLetsGoOfItOnExit) {
    const auto title = Game::createScreen(GameNames::Screen::kTitle, &manager, nullptr);
    GameState& menu = *title;
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
// leaderboard the screen still has its buttons, so nobody is stuck there. Leaving them plays the
// title's track at 5.
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
    EXPECT_EQ(scratch.leaderboardLines().size(), 2u) << "the results never write";
    Game::instance().playTrack(Game::kLevelMusic, Game::kLevelVolume);
    win.exit();
    EXPECT_NE(Game::instance().getMusic().getDuration().asSeconds(), kLevelTrackSeconds);
    EXPECT_FLOAT_EQ(Game::instance().getMusic().getVolume(), 5.0f);
}

}  // namespace
