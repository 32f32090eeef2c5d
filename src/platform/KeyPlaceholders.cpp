#include "platform/KeyPlaceholders.hpp"

#include <SFML/Window/Keyboard.hpp>

#include "platform/InputManager.hpp"
#include "platform/KeyNames.hpp"
#include "platform/TextTemplate.hpp"

namespace {

constexpr const char* kActions[] = {"left", "right"};
constexpr int kPlayers = 2;

std::string gapName(int player, const char* action) {
    return "player" + std::to_string(player + 1) + "." + action;
}

}  // namespace

bool KeyPlaceholders::hasAny(const std::string& text) {
    for (int player = 0; player < kPlayers; ++player) {
        for (const char* action : kActions) {
            if (text.find("{" + gapName(player, action) + "}") != std::string::npos) {
                return true;
            }
        }
    }
    return false;
}

std::string KeyPlaceholders::fill(const std::string& text, const InputManager& input) {
    TextTemplate::Values keys;
    for (int player = 0; player < kPlayers; ++player) {
        for (const char* action : kActions) {
            keys.emplace_back(
                gapName(player, action),
                KeyNames::name(static_cast<sf::Keyboard::Key>(input.getKey(action, player))));
        }
    }
    return TextTemplate::fill(text, keys);
}
