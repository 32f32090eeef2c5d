#pragma once

#include <SFML/Window/Keyboard.hpp>
#include <array>

enum class WindowMode { Fullscreen, Windowed };

// The two keys one player steers with.
struct PlayerKeys {
    sf::Keyboard::Key left;
    sf::Keyboard::Key right;

    bool operator==(const PlayerKeys& other) const {
        return left == other.left && right == other.right;
    }
};

// What the player may choose, with the choices a first start (or a lost file) comes up with.
struct Settings {
    // Player 1 steers with J and L, player 2 with A and D: one at each end of the keyboard.
    std::array<PlayerKeys, 2> players{
        {{sf::Keyboard::J, sf::Keyboard::L}, {sf::Keyboard::A, sf::Keyboard::D}}};
    bool sound = true;
    WindowMode windowMode = WindowMode::Fullscreen;

    bool operator==(const Settings& other) const {
        return players == other.players && sound == other.sound && windowMode == other.windowMode;
    }
    bool operator!=(const Settings& other) const { return !(*this == other); }
};
