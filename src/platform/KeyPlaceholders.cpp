#include "platform/KeyPlaceholders.hpp"

#include <SFML/Window/Keyboard.hpp>

#include "platform/InputManager.hpp"
#include "platform/KeyNames.hpp"

namespace {

constexpr const char* kActions[] = {"left", "right"};
constexpr int kPlayers = 2;

std::string placeholder(int player, const char* action) {
    return "{player" + std::to_string(player + 1) + "." + action + "}";
}

}  // namespace

bool KeyPlaceholders::hasAny(const std::string& text) {
    for (int player = 0; player < kPlayers; ++player) {
        for (const char* action : kActions) {
            if (text.find(placeholder(player, action)) != std::string::npos) {
                return true;
            }
        }
    }
    return false;
}

std::string KeyPlaceholders::fill(const std::string& text, const InputManager& input) {
    std::string filled = text;
    for (int player = 0; player < kPlayers; ++player) {
        for (const char* action : kActions) {
            const std::string mark = placeholder(player, action);
            const std::string name =
                KeyNames::name(static_cast<sf::Keyboard::Key>(input.getKey(action, player)));
            for (auto at = filled.find(mark); at != std::string::npos;
                 at = filled.find(mark, at + name.size())) {
                filled.replace(at, mark.size(), name);
            }
        }
    }
    return filled;
}
