#pragma once

#include <SFML/Window/Keyboard.hpp>
#include <optional>
#include <string>

// Readable names for the keyboard's keys, as the player writes them in the settings file: the
// names of sf::Keyboard::Key ("J", "Left", "Num4", "Numpad4", "LShift", "F1", ...), one for each
// key SFML knows.
class KeyNames {
public:
    // The key's name; "Unknown" for a code SFML cannot name.
    static std::string name(sf::Keyboard::Key key);
    // The key a name stands for, whatever its letter case ("left" is Left); nothing for a name
    // no key has.
    static std::optional<sf::Keyboard::Key> key(const std::string& name);
};
