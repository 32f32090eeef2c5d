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
        pad.stickY = sf::Joystick::getAxisPosition(id, sf::Joystick::Y);
        // SFML reports the D-pad's up as positive, unlike the stick.
        pad.povY = -sf::Joystick::getAxisPosition(id, sf::Joystick::PovY);
        const unsigned count = std::min(sf::Joystick::getButtonCount(id), 32u);
        for (unsigned button = 0; button < count; ++button) {
            if (sf::Joystick::isButtonPressed(id, button)) {
                pad.buttons |= 1u << button;
            }
        }
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
    m_previousPads = m_pads;
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

bool Gamepads::gives(const PadState& pad, PadControl control) {
    const auto held = [&pad](unsigned button) { return (pad.buttons >> button & 1u) != 0; };
    switch (control) {
        case PadControl::Up:
            return pad.stickY <= -kDeadZone || pad.povY <= -kDeadZone;
        case PadControl::Down:
            return pad.stickY >= kDeadZone || pad.povY >= kDeadZone;
        case PadControl::Left:
            return pad.stickX <= -kDeadZone || pad.povX <= -kDeadZone;
        case PadControl::Right:
            return pad.stickX >= kDeadZone || pad.povX >= kDeadZone;
        case PadControl::Confirm:
            return held(kConfirmButton);
        case PadControl::Back:
            return held(kBackButton);
        case PadControl::Start:
            return held(kStartButton);
    }
    return false;
}

bool Gamepads::wasPressed(PadControl control) const {
    for (unsigned id = 0; id < kMaxPads; ++id) {
        if (m_pads[id].connected && gives(m_pads[id], control) &&
            !gives(m_previousPads[id], control)) {
            return true;
        }
    }
    return false;
}
