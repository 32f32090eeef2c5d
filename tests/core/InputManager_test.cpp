#include "core/InputManager.hpp"

#include <gtest/gtest.h>
#include <SFML/Window/Keyboard.hpp>
#include <array>

namespace {

class InputManagerTest : public ::testing::Test {
protected:
    std::array<PadState, Gamepads::kMaxPads> pads{};  // the controllers as the tests set them
    InputManager input{[this](unsigned id) { return pads[id]; }};
};

TEST_F(InputManagerTest, KeyPressedAndReleasedWithinOnePollIsNeverSeen) {
    input.setKeyState(sf::Keyboard::J, true);
    input.setKeyState(sf::Keyboard::J, false);
    input.advanceFrame();
    EXPECT_FALSE(input.isKeyDown(sf::Keyboard::J));
    EXPECT_FALSE(input.isKeyPressed(sf::Keyboard::J));
}

TEST_F(InputManagerTest, HeldKeyIsPressedInItsFirstFrameOnlyAndDownInAll) {
    input.setKeyState(sf::Keyboard::L, true);
    input.advanceFrame();
    EXPECT_TRUE(input.isKeyPressed(sf::Keyboard::L));
    EXPECT_TRUE(input.isKeyDown(sf::Keyboard::L));
    for (int frame = 0; frame < 3; ++frame) {
        input.setKeyState(sf::Keyboard::L, true);  // key repeat changes nothing
        input.advanceFrame();
        EXPECT_FALSE(input.isKeyPressed(sf::Keyboard::L));
        EXPECT_TRUE(input.isKeyDown(sf::Keyboard::L));
    }
    input.setKeyState(sf::Keyboard::L, false);
    input.advanceFrame();
    EXPECT_FALSE(input.isKeyDown(sf::Keyboard::L));
    input.setKeyState(sf::Keyboard::L, true);
    input.advanceFrame();
    EXPECT_TRUE(input.isKeyPressed(sf::Keyboard::L)) << "a new press after a release counts";
}

TEST_F(InputManagerTest, EventsAreSeenOnlyAfterTheFrameAdvances) {
    input.setKeyState(sf::Keyboard::A, true);
    EXPECT_FALSE(input.isKeyDown(sf::Keyboard::A));
    input.advanceFrame();
    EXPECT_TRUE(input.isKeyDown(sf::Keyboard::A));
}

TEST_F(InputManagerTest, LosingFocusReleasesEveryHeldKey) {
    input.setKeyState(sf::Keyboard::A, true);
    input.setKeyState(sf::Keyboard::L, true);
    input.advanceFrame();
    input.releaseAllKeys();
    input.advanceFrame();
    EXPECT_FALSE(input.isKeyDown(sf::Keyboard::A));
    EXPECT_FALSE(input.isKeyDown(sf::Keyboard::L));
}

TEST_F(InputManagerTest, CodesOutsideTheKeyboardAreIgnoredAndReadAsUp) {
    input.setKeyState(-1, true);
    input.setKeyState(101, true);
    input.setKeyState(100, true);
    input.advanceFrame();
    EXPECT_FALSE(input.isKeyDown(-1));
    EXPECT_FALSE(input.isKeyDown(101));
    EXPECT_FALSE(input.isKeyPressed(5000));
    EXPECT_TRUE(input.isKeyDown(100)) << "Pause, the last key code, is a real key";
}

TEST_F(InputManagerTest, BindingsResolveBySetAndUnboundNamesGiveZero) {
    input.bind(0, "Exit", sf::Keyboard::Escape);
    input.bind(0, "left", sf::Keyboard::J);
    input.bind(1, "left", sf::Keyboard::A);
    input.bind(1, "right", sf::Keyboard::D);
    input.bind(4, "left", sf::Keyboard::Z);  // sets outside 0..3 do not exist
    input.bind(-1, "left", sf::Keyboard::Z);
    EXPECT_EQ(input.getKey("Exit", 0), 36);
    EXPECT_EQ(input.getKey("left", 0), 9);
    EXPECT_EQ(input.getKey("left", 1), 0);
    EXPECT_EQ(input.getKey("Exit", 1), 0) << "Exit is bound in set 0 only";
    EXPECT_EQ(input.getKey("jump", 0), 0);
    EXPECT_EQ(input.getKey("left", 4), 0);
    EXPECT_EQ(input.getKey("left", -1), 0);
    input.bind(0, "left", sf::Keyboard::K);
    EXPECT_EQ(input.getKey("left", 0), sf::Keyboard::K) << "binding again replaces";
    input.clearBindings(0);
    EXPECT_EQ(input.getKey("left", 0), 0);
    EXPECT_EQ(input.getKey("right", 1), 3) << "clearing a set leaves the others";
}

TEST_F(InputManagerTest, PadsSteerWithStickOrDpadBeyondTheDeadZone) {
    struct Case {
        float stickX, povX;
        bool left, right;
    };
    const Case cases[] = {
        {0, 0, false, false},    {-49.9f, 49.9f, false, false}, {-50, 0, true, false},
        {100, 0, false, true},   {0, -100, true, false},        {0, 100, false, true},
        {-100, 100, true, true},  // stick one way, D-pad the other: both held, as with keys
    };
    for (const Case& c : cases) {
        pads[0] = {true, c.stickX, c.povX};
        input.advanceFrame();
        EXPECT_EQ(input.isActionDown("left", 0), c.left) << c.stickX << " " << c.povX;
        EXPECT_EQ(input.isActionDown("right", 0), c.right) << c.stickX << " " << c.povX;
        EXPECT_FALSE(input.isActionDown("Exit", 0)) << "a pad only steers";
    }
}

TEST_F(InputManagerTest, EachPlayerKeepsItsPadAndAnUnpluggedPadFreesItsPlayer) {
    pads[3] = {true, -100, 0};
    pads[5] = {true, 100, 0};
    input.advanceFrame();
    EXPECT_TRUE(input.isActionDown("left", 0)) << "the lower id is the first player";
    EXPECT_TRUE(input.isActionDown("right", 1));

    pads[3] = {};
    pads[5] = {true, -100, 0};
    input.advanceFrame();
    EXPECT_FALSE(input.isActionDown("left", 0)) << "player 1's pad is gone";
    EXPECT_TRUE(input.isActionDown("left", 1)) << "player 2 keeps its pad";

    pads[7] = {true, 100, 0};
    EXPECT_FALSE(input.isActionDown("right", 0)) << "pads are read when the frame advances";
    input.advanceFrame();
    EXPECT_TRUE(input.isActionDown("right", 0)) << "a pad plugged in mid-game is picked up";
    EXPECT_TRUE(input.isActionDown("left", 1));
}

TEST_F(InputManagerTest, ActionsReadTheSetsKeysAndThePlayersPadAlike) {
    input.bind(0, "left", sf::Keyboard::J);
    input.setKeyState(sf::Keyboard::J, true);
    input.setKeyState(sf::Keyboard::A, true);
    pads[0] = {true, 0, 0};
    pads[1] = {true, 0, -100};
    input.advanceFrame();
    EXPECT_TRUE(input.isActionDown("left", 0)) << "key J";
    EXPECT_TRUE(input.isActionDown("left", 1)) << "D-pad";
    EXPECT_FALSE(input.isActionDown("left", 2)) << "unbound: key A (code 0) must not count";
}

}  // namespace
