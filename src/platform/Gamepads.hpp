#pragma once

#include <array>
#include <functional>
#include <string>

// One controller as the game needs it in one frame. Axes run from -100 (left, up) to 100
// (right, down).
struct PadState {
    bool connected = false;
    float stickX = 0.0f;  // left stick
    float povX = 0.0f;    // D-pad
    float stickY = 0.0f;
    float povY = 0.0f;
    unsigned buttons = 0;  // bit n: button n is held
};

// What the menus and the pause read from a pad, whichever player's it is.
enum class PadControl { Up, Down, Left, Right, Confirm, Back, Start };

// The controllers, read once per frame so that every player sees the same snapshot. Each player
// keeps the pad it was given until that pad is unplugged; a newly connected pad goes to the
// lowest player without one, so of the pads connected at start the lowest id steers player 1.
// Players are counted from 0, like the key binding sets.
class Gamepads {
public:
    static constexpr unsigned kMaxPads = 8;  // sf::Joystick::Count
    // A resting stick rarely reads exactly 0; half way out is a deliberate push.
    static constexpr float kDeadZone = 50.0f;

    using Reader = std::function<PadState(unsigned id)>;
    // The system's controllers through SFML.
    static PadState readJoystick(unsigned id);
    static PadState readNothing(unsigned /*id*/) { return {}; }

    explicit Gamepads(Reader reader = readNothing);
    void setReader(Reader reader);

    void sample();
    // Whether the player's pad pushes towards "left" or "right"; false for any other action.
    bool isPushing(const std::string& action, int player) const;
    // Some connected pad began to give `control` this sample: a stick pushed past the dead zone
    // or a button went down. Held, it counts once.
    bool wasPressed(PadControl control) const;

    // Button numbers as SFML reports them for the common pads: A / Cross, B / Circle, Start.
    static constexpr unsigned kConfirmButton = 0;
    static constexpr unsigned kBackButton = 1;
    static constexpr unsigned kStartButton = 7;

private:
    static constexpr int kNoPad = -1;

    void seatNewPads();
    static bool gives(const PadState& pad, PadControl control);

    Reader m_reader;
    std::array<PadState, kMaxPads> m_pads{};
    std::array<PadState, kMaxPads> m_previousPads{};
    std::array<int, kMaxPads> m_padOfPlayer;
};
