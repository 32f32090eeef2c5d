#include "platform/Gamepads.hpp"

#include <SFML/Window/Joystick.hpp>
#include <algorithm>

static_assert(Gamepads::kMaxPads == sf::Joystick::Count, "one entry per joystick SFML knows");

// No sf::Joystick::update() here: polling the game window's events refreshes the joysticks.
PadState Gamepads::readJoystick(unsigned id) {
    PadState pad;
    pad.connected = sf::Joystick::isConnected(id);
    if (pad.connected) {
        pad.stickX = sf::Joystick::getAxisPosition(id, sf::Joystick::X);
        pad.povX = sf::Joystick::getAxisPosition(id, sf::Joystick::PovX);
    }
    return pad;
}

Gamepads::Gamepads(Reader reader) : m_reader(std::move(reader)) {
    m_padOfPlayer.fill(kNoPad);
}

void Gamepads::setReader(Reader reader) {
    m_reader = std::move(reader);
}

void Gamepads::sample() {
    for (unsigned id = 0; id < kMaxPads; ++id) {
        m_pads[id] = m_reader(id);
    }
    // An unplugged pad frees its player for the next pad plugged in, and until then that player
    // steers with the keyboard alone.
    for (int& pad : m_padOfPlayer) {
        if (pad != kNoPad && !m_pads[pad].connected) {
            pad = kNoPad;
        }
    }
    seatNewPads();
}

void Gamepads::seatNewPads() {
    for (int id = 0; id < static_cast<int>(kMaxPads); ++id) {
        const bool seated =
            std::find(m_padOfPlayer.begin(), m_padOfPlayer.end(), id) != m_padOfPlayer.end();
        if (!m_pads[id].connected || seated) {
            continue;
        }
        const auto freeSeat = std::find(m_padOfPlayer.begin(), m_padOfPlayer.end(), kNoPad);
        if (freeSeat == m_padOfPlayer.end()) {
            return;
        }
        *freeSeat = id;
    }
}

bool Gamepads::isPushing(const std::string& action, int player) const {
    if (player < 0 || player >= static_cast<int>(kMaxPads) || m_padOfPlayer[player] == kNoPad) {
        return false;
    }
    const float direction = action == "left" ? -1.0f : action == "right" ? 1.0f : 0.0f;
    const PadState& pad = m_pads[m_padOfPlayer[player]];
    return direction != 0.0f &&
           (pad.stickX * direction >= kDeadZone || pad.povX * direction >= kDeadZone);
}
