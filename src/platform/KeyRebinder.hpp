#pragma once

#include <SFML/Window/Keyboard.hpp>
#include <string>

#include "platform/Settings.hpp"

// Choosing a new steering key on the settings screen: after start() the next key pressed is
// offered here. Escape cancels. A key the game keeps for itself (Escape, F5, P, F11) or one that
// already steers another action of either player is refused, and the wait goes on; any other key
// is bound. Every step leaves a line for the screen in message().
class KeyRebinder {
public:
    enum class Side { Left, Right };
    enum class Result { Bound, Cancelled, Refused };

    // `player` is 0 for player 1, 1 for player 2.
    void start(int player, Side side, const Settings& settings);
    bool isWaiting() const { return m_waiting; }
    // Stops waiting without a word (the screen is left, another setting is chosen).
    void cancel() { m_waiting = false; }
    // Only while waiting; binds into `settings` when the key is taken.
    Result offer(sf::Keyboard::Key key, Settings& settings);
    const std::string& message() const { return m_message; }

    // Why the game keeps a key for itself; empty for a key a player may steer with.
    static std::string reservedFor(sf::Keyboard::Key key);
    // "player 1's left" and the like.
    static std::string actionName(int player, Side side);
    static sf::Keyboard::Key& keyOf(Settings& settings, int player, Side side);

private:
    bool m_waiting = false;
    int m_player = 0;
    Side m_side = Side::Left;
    std::string m_message;
};
