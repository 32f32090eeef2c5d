#include "core/Game.hpp"

#include <gtest/gtest.h>

#include "core/GameState.hpp"

namespace {

// Map checkers take the names a button may switch to from this list, so every name on it must
// make a screen, and nothing else may.
TEST(GameTest, EveryRegisteredScreenNameMakesAScreen) {
    const auto& names = Game::screenNames();
    EXPECT_EQ(names.size(), 7u);
    for (const auto& name : names) {
        EXPECT_NE(Game::createScreen(name, nullptr, nullptr), nullptr) << name;
    }
    EXPECT_EQ(Game::createScreen("menuState", nullptr, nullptr), nullptr);
    EXPECT_EQ(Game::createScreen("", nullptr, nullptr), nullptr);
}

}  // namespace
