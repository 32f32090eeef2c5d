#pragma once

#include <string>

class InputManager;

// Texts that name the steering keys say "{player1.left}", "{player1.right}", "{player2.left}" or
// "{player2.right}" where the key goes; shown, each becomes the name of the key bound now (player
// 1 steers with binding set 0, player 2 with set 1), so a player who chose other keys sees them.
class KeyPlaceholders {
public:
    static bool hasAny(const std::string& text);
    static std::string fill(const std::string& text, const InputManager& input);
};
