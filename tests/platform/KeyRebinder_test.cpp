#include "platform/KeyRebinder.hpp"

#include <gtest/gtest.h>

#include "platform/InputManager.hpp"
#include "platform/KeyPlaceholders.hpp"

namespace {

using Key = sf::Keyboard::Key;
using Result = KeyRebinder::Result;
using Side = KeyRebinder::Side;

// No key may steer two actions, and the game's own keys steer none: refusals keep the wait (and
// the settings) as they were; Escape ends it unchanged; only the chosen action changes.
TEST(KeyRebinderTest, RefusesTakenAndReservedKeysAndBindsOnlyTheChosenAction) {
    Settings settings;
    KeyRebinder rebinder;
    rebinder.start(0, Side::Left, settings);
    for (const Key key : {Key::L, Key::A, Key::F5, Key::P, Key::F11, Key::D}) {
        EXPECT_EQ(rebinder.offer(key, settings), Result::Refused) << key;
        EXPECT_TRUE(rebinder.isWaiting()) << key;
        EXPECT_EQ(settings, Settings()) << key;
    }
    EXPECT_NE(rebinder.message().find("player 2's right"), std::string::npos) << rebinder.message();
    EXPECT_EQ(rebinder.offer(Key::Escape, settings), Result::Cancelled);
    EXPECT_FALSE(rebinder.isWaiting());
    EXPECT_EQ(settings, Settings());

    rebinder.start(0, Side::Left, settings);
    EXPECT_EQ(rebinder.offer(Key::Left, settings), Result::Bound);
    EXPECT_FALSE(rebinder.isWaiting());
    Settings expected;
    expected.players[0].left = Key::Left;
    EXPECT_EQ(settings, expected);

    rebinder.start(1, Side::Right, settings);
    EXPECT_EQ(rebinder.offer(Key::Left, settings), Result::Refused) << "player 1 has it now";
    EXPECT_EQ(rebinder.offer(Key::D, settings), Result::Bound) << "its own key again is fine";
    EXPECT_EQ(settings, expected);
}

TEST(KeyPlaceholdersTest, EveryPlaceholderShowsTheKeyBoundNow) {
    InputManager input;
    input.bind(0, "left", Key::Left);
    input.bind(1, "right", Key::Numpad6);
    EXPECT_EQ(KeyPlaceholders::fill("{player1.left}{player1.left} {player2.right}!", input),
              "LeftLeft Numpad6!");
    EXPECT_FALSE(KeyPlaceholders::hasAny("{player3.left} {player1.up}"));
}

}  // namespace
