#include "platform/KeyRebinder.hpp"

#include "platform/KeyNames.hpp"

namespace {

constexpr KeyRebinder::Side kSides[] = {KeyRebinder::Side::Left, KeyRebinder::Side::Right};

}  // namespace

std::string KeyRebinder::reservedFor(sf::Keyboard::Key key) {
    switch (key) {
        case sf::Keyboard::Escape:
            return "Escape leaves the race";
        case sf::Keyboard::F5:
            return "F5 restarts the race";
        case sf::Keyboard::P:
            return "P pauses the race";
        case sf::Keyboard::F11:
            return "F11 switches between window and full screen";
        default:
            return "";
    }
}

std::string KeyRebinder::actionName(int player, Side side) {
    return "player " + std::to_string(player + 1) + "'s " + (side == Side::Left ? "left" : "right");
}

sf::Keyboard::Key& KeyRebinder::keyOf(Settings& settings, int player, Side side) {
    PlayerKeys& keys = settings.players[static_cast<std::size_t>(player)];
    return side == Side::Left ? keys.left : keys.right;
}

void KeyRebinder::start(int player, Side side, const Settings& settings) {
    m_waiting = true;
    m_player = player;
    m_side = side;
    Settings copy = settings;
    m_message = "Press a key for " + actionName(player, side) + " (now " +
                KeyNames::name(keyOf(copy, player, side)) + "), Esc cancels";
}

KeyRebinder::Result KeyRebinder::offer(sf::Keyboard::Key key, Settings& settings) {
    const std::string name = KeyNames::name(key);
    if (key == sf::Keyboard::Escape) {
        m_waiting = false;
        m_message = "Nothing changed: " + actionName(m_player, m_side) + " stays " +
                    KeyNames::name(keyOf(settings, m_player, m_side));
        return Result::Cancelled;
    }
    if (const std::string reason = reservedFor(key); !reason.empty()) {
        m_message = reason + ": press another key";
        return Result::Refused;
    }
    for (int player = 0; player < static_cast<int>(settings.players.size()); ++player) {
        for (const Side side : kSides) {
            const bool same = player == m_player && side == m_side;
            if (!same && keyOf(settings, player, side) == key) {
                m_message =
                    name + " is " + actionName(player, side) + " already: press another key";
                return Result::Refused;
            }
        }
    }
    keyOf(settings, m_player, m_side) = key;
    m_waiting = false;
    m_message = "Now " + actionName(m_player, m_side) + " is " + name;
    return Result::Bound;
}
