#include "platform/InputManager.hpp"

#include <gtest/gtest.h>
#include <SFML/Window/Event.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <array>
#include <utility>

#include "platform/ActionNames.hpp"

namespace {

class InputManagerTest : public ::testing::Test {
protected:
    std::array<PadState, Gamepads::kMaxPads> pads{};  // the controllers as the tests set them
    InputManager input{[this](unsigned id) { return pads[id]; }};
};

// A key counts from the frame after its event: pressed in its first frame only, down while
// held; a press and release between two frames is never seen. Losing the focus lets go of all.
TEST_F(InputManagerTest, KeysChangeOnlyWhenTheFrameAdvances) {
    const auto send = [&](sf::Event::EventType type, sf::Keyboard::Key key = sf::Keyboard::A) {
        sf::Event event{};
        event.type = type;
        event.key.code = key;
        input.handleEvent(event);
    };
    const auto frame = [&](sf::Keyboard::Key key, bool down) {
        const bool before = input.isKeyDown(key);
        send(down ? sf::Event::KeyPressed : sf::Event::KeyReleased, key);
        EXPECT_EQ(input.isKeyDown(key), before) << "not before the frame advances";
        input.advanceFrame();
        return std::pair{input.isKeyPressed(key), input.isKeyDown(key)};
    };
    using Seen = std::pair<bool, bool>;
    EXPECT_EQ(frame(sf::Keyboard::L, true), (Seen{true, true}));
    EXPECT_EQ(frame(sf::Keyboard::L, true), (Seen{false, true})) << "key repeat changes nothing";
    EXPECT_EQ(frame(sf::Keyboard::L, false), (Seen{false, false}));
    EXPECT_EQ(frame(sf::Keyboard::L, true), (Seen{true, true})) << "a new press counts";

    send(sf::Event::KeyPressed, sf::Keyboard::J);
    send(sf::Event::KeyReleased, sf::Keyboard::J);
    input.advanceFrame();
    EXPECT_FALSE(input.isKeyDown(sf::Keyboard::J));

    send(sf::Event::LostFocus);
    input.advanceFrame();
    EXPECT_FALSE(input.isKeyDown(sf::Keyboard::L));

    // Codes outside the keyboard are ignored and read as up, even beside held keys: A, the first
    // code, and Pause, the last.
    for (int code : {-1, 0, 100, 101}) {
        input.setKeyState(code, true);
    }
    input.advanceFrame();
    EXPECT_FALSE(input.isKeyDown(-1) || input.isKeyDown(101) || input.isKeyPressed(5000));
    EXPECT_TRUE(input.isKeyDown(0) && input.isKeyDown(100));
}

// Sets 0..3 exist; an unbound name gives code 0, which must not read as key A.
TEST_F(InputManagerTest, BindingsResolveBySetAndAnUnboundActionIsNotKeyA) {
    input.bind(0, "left", sf::Keyboard::J);
    input.bind(0, "left", sf::Keyboard::K);  // binding again replaces
    input.bind(1, "right", sf::Keyboard::D);
    for (int set : {4, -1}) {
        input.bind(set, "left", sf::Keyboard::Z);
        EXPECT_EQ(input.getKey("left", set), 0) << set;
    }
    EXPECT_EQ(input.getKey("left", 0), sf::Keyboard::K);
    EXPECT_EQ(input.getKey("left", 1), 0);

    input.setKeyState(sf::Keyboard::K, true);
    input.setKeyState(sf::Keyboard::A, true);
    input.advanceFrame();
    EXPECT_TRUE(input.isActionDown("left", 0)) << "key K";
    EXPECT_FALSE(input.isActionDown("left", 2)) << "unbound";
    EXPECT_TRUE(input.isActionPressed("left", 0));
    EXPECT_FALSE(input.isActionPressed("Reload", 0)) << "unbound";

    input.clearBindings(0);
    EXPECT_EQ(input.getKey("left", 0), 0);
    EXPECT_EQ(input.getKey("right", 1), sf::Keyboard::D) << "clearing a set leaves the others";
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

// Any pad works the menus, whichever player it steers for; a held control counts once, like a
// held key, or one push would run through the whole menu.
TEST_F(InputManagerTest, MenuCommandsComeFromTheKeyOrAnyPadOncePerPush) {
    input.bind(0, ActionNames::kMenuDown, sf::Keyboard::Down);
    pads[2] = {true, 0, 0, 0, 100};  // a D-pad held down
    input.advanceFrame();
    EXPECT_TRUE(input.isCommandPressed(ActionNames::kMenuDown));
    EXPECT_FALSE(input.isCommandPressed(ActionNames::kMenuUp));
    input.advanceFrame();
    EXPECT_FALSE(input.isCommandPressed(ActionNames::kMenuDown)) << "still held";
    pads[2] = {true, 0, 0, 0, 0};
    pads[6] = {true, 0, 0, 0, 0, 1u << Gamepads::kStartButton};
    input.advanceFrame();
    EXPECT_TRUE(input.isCommandPressed(ActionNames::kPause));
    EXPECT_FALSE(input.isCommandPressed(ActionNames::kMenuPress));
    input.setKeyState(sf::Keyboard::Down, true);
    input.advanceFrame();
    EXPECT_TRUE(input.isCommandPressed(ActionNames::kMenuDown)) << "the key works as well";

    sf::Event focus{};
    focus.type = sf::Event::LostFocus;
    input.handleEvent(focus);
    input.advanceFrame();
    EXPECT_FALSE(input.lostFocus()) << "a focus never gained is not lost";
    focus.type = sf::Event::GainedFocus;
    input.handleEvent(focus);
    focus.type = sf::Event::LostFocus;
    input.handleEvent(focus);
    input.advanceFrame();
    EXPECT_TRUE(input.lostFocus());
    input.advanceFrame();
    EXPECT_FALSE(input.lostFocus()) << "told in one frame only";
}

}  // namespace
