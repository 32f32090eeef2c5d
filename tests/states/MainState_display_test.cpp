#include "states/MainState.hpp"

#include <gtest/gtest.h>

#include <SFML/Window/Keyboard.hpp>
#include <initializer_list>

#include "assets/AssetManager.hpp"
#include "core/Game.hpp"
#include "core/GameStateManager.hpp"
#include "core/InputManager.hpp"
#include "physics/BoxCollisionComponent.hpp"
#include "physics/PhysicsManager.hpp"
#include "support/ScratchGameDir.hpp"
#include "support/TestMaps.hpp"
#include "support/TestTracks.hpp"
#include "support/TestWindow.hpp"

namespace {

constexpr float kFrame = 1.0f / 60.0f;

class MainStateTest : public ::testing::Test {
protected:
    static constexpr float kLevelTrackSeconds = 1.0f;

    void SetUp() override {
        AssetManager::instance().setRenderWindow(&screen.window());
        writeSolidPng(scratch.assets() / "racer.png", 4, 8, sf::Color::Red);
        writeSilentTrack(scratch.assets() / "Music/GameSound.wav", kLevelTrackSeconds);
        writeSilentTrack(scratch.assets() / "Music/TestLoop.wav", 2.0f);
        InputManager& input = InputManager::instance();
        input.bind(0, "Exit", sf::Keyboard::Escape);
        input.bind(0, "left", sf::Keyboard::J);
        input.bind(0, "right", sf::Keyboard::L);
        input.bind(1, "left", sf::Keyboard::A);
        input.bind(1, "right", sf::Keyboard::D);
    }
    void TearDown() override {
        level.exit();
        InputManager::instance().releaseAllKeys();
        Game::instance().setMuted(false);
        Game::instance().getMusic().stop();
    }

    // Frames as the game runs them, holding exactly these keys: key history, physics, the screen.
    void play(float seconds, std::initializer_list<sf::Keyboard::Key> keys = {}) {
        InputManager::instance().releaseAllKeys();
        for (auto key : keys) {
            InputManager::instance().setKeyState(key, true);
        }
        for (float played = 0.0f; played < seconds; played += kFrame) {
            InputManager::instance().advanceFrame();
            PhysicsManager::instance().update(kFrame);
            level.update(kFrame);
        }
    }
    sf::FloatRect box(const std::string& id) {
        const auto& objects = level.getGameObjectManager().getGameObjects();
        const auto box = objects.at(id)->getComponent<BoxCollisionComponent>();
        return {box->getPosition(), box->getSize()};
    }

    TestWindow screen{1920, 1080};
    ScratchGameDir scratch;
    GameStateManager manager;
    MainState level{&manager, nullptr};
};

TEST_F(MainStateTest, TheRacePlaysItsTrackAtFifteenAndEscapeTheMenuTrackAtFiveUnlessMuted) {
    scratch.writeAsset("TileMap.tmx", tmxMap(tmxRacer("Player1", {0, 0})));
    sf::Music& music = Game::instance().getMusic();
    for (const bool muted : {false, true}) {
        Game::instance().setMuted(muted);
        music.setVolume(muted ? 0.0f : Game::kMenuVolume);
        level.init();
        EXPECT_EQ(music.getDuration().asSeconds(), kLevelTrackSeconds) << muted;
        EXPECT_FLOAT_EQ(music.getVolume(), muted ? 0.0f : 15.0f) << muted;
        play(kFrame, {sf::Keyboard::Escape});
        EXPECT_NE(music.getDuration().asSeconds(), kLevelTrackSeconds) << muted;
        EXPECT_FLOAT_EQ(music.getVolume(), muted ? 0.0f : 5.0f) << muted;
        level.exit();
        play(kFrame);
    }
}

TEST_F(MainStateTest, TheBackgroundIsDarkenedAndSlightlySeeThroughAtTheTopLeft) {
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
}

// Designers rarely name walls. Each racer steers into the left and the right wall and then
// falls onto the floor; all three are unnamed, and each must stop each racer.
TEST_F(MainStateTest, UnnamedWallsEachStopEachRacer) {
    const int left = 300, right = 1000, floor = 8000;
    const std::string walls = tmxObject("", "MapBorder", {0, -500}, {left, 9000}) +
                              tmxObject("", "MapBorder", {right, -500}, {300, 9000}) +
                              tmxObject("", "MapBorder", {0, floor}, {1300, 300});
    // Started at different heights, the racers fall side by side and never touch each other.
    scratch.writeAsset("TileMap.tmx", tmxMap(tmxRacer("Player1", {400, 0}) +
                                             tmxRacer("Player2", {800, 600}) + walls));
    level.init();
    const float tolerance = 10.0f;

    play(1.5f, {sf::Keyboard::J, sf::Keyboard::D});  // Player1 left, Player2 right
    EXPECT_NEAR(box("Player1").left, left, tolerance);
    EXPECT_NEAR(box("Player2").left + box("Player2").width, right, tolerance);

    play(2.0f, {sf::Keyboard::L, sf::Keyboard::A});  // and the other way
    EXPECT_NEAR(box("Player1").left + box("Player1").width, right, tolerance);
    EXPECT_NEAR(box("Player2").left, left, tolerance);

    play(7.0f);
    for (const char* racer : {"Player1", "Player2"}) {
        EXPECT_NEAR(box(racer).top + box(racer).height, floor, tolerance) << racer;
    }
}

}  // namespace
