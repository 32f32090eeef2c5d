#pragma once

#include <array>
#include <optional>
#include <string>
#include <unordered_map>

#include "platform/Gamepads.hpp"

namespace sf {
class Event;
class RenderWindow;
}  // namespace sf

// Turns keyboard events into per-frame key states and maps action names ("left", "Exit", ...)
// to key codes, one binding set per player; players steer with their keys or their controller
// alike (isActionDown). Also carries the window through which buttons read the mouse, and the
// click latch all buttons share so that one press fires one button once.
class InputManager {
public:
    static constexpr int kKeyCount = 101;  // sf::Keyboard::KeyCount in SFML 2.5
    static constexpr int kBindingSets = 4;

    // The game's input, with the system's controllers.
    static InputManager& instance();
    // Keyboard only until a pad reader is set.
    InputManager() = default;
    explicit InputManager(Gamepads::Reader padReader);
    void setPadReader(Gamepads::Reader padReader);

    // Key presses and releases, and the gain and loss of focus; other events change nothing
    // here.
    void handleEvent(const sf::Event& event);
    // Live state from a KeyPressed / KeyReleased event; unknown codes (-1) are ignored.
    void setKeyState(int keyCode, bool down);
    // A held key whose release went to another window would stay down forever.
    void releaseAllKeys();
    // Once per frame, after polling: previous <- current, current <- live; the pads are read.
    void advanceFrame();

    // The key bound to `name` in `bindingSet`, or 0 when unbound (or the set does not exist).
    int getKey(const std::string& name, int bindingSet) const;
    void bind(int bindingSet, const std::string& name, int keyCode);
    void clearBindings(int bindingSet);
    // Goes up with every change of any binding: texts that name keys know when to look again.
    unsigned bindingsVersion() const { return m_bindingsVersion; }

    // Codes outside 0..100 read as up.
    bool isKeyDown(int keyCode) const;
    bool isKeyPressed(int keyCode) const;
    // The key is down as the events so far leave it (a repeated press of a held key says so).
    bool isKeyHeldLive(int keyCode) const { return isValidKey(keyCode) && m_liveKeys[keyCode]; }
    // The key bound to `action` in set `player` is down, or that player's pad pushes that way.
    // An action the set does not bind reads no key at all.
    bool isActionDown(const std::string& action, int player) const;
    // The key bound to `action` in `bindingSet` went down this frame; unbound, no key does.
    bool isActionPressed(const std::string& action, int bindingSet) const;
    // A menu or pause action (ActionNames) went down this frame, by its key in set 0 or by its
    // control on any pad: everyone may work the menus.
    bool isCommandPressed(const std::string& action) const;
    // The window lost the focus it had gained, since the last frame.
    bool lostFocus() const { return m_lostFocus; }

    sf::RenderWindow* getWindow() const { return m_window; }
    void setWindow(sf::RenderWindow* window) { m_window = window; }
    bool isMouseLatched() const { return m_mouseLatch; }
    void setMouseLatch(bool latched) { m_mouseLatch = latched; }

private:
    static bool isValidKey(int keyCode) { return keyCode >= 0 && keyCode < kKeyCount; }
    std::optional<int> findKey(const std::string& name, int bindingSet) const;

    std::array<bool, kKeyCount> m_previousKeys{};
    std::array<bool, kKeyCount> m_currentKeys{};
    std::array<bool, kKeyCount> m_liveKeys{};
    sf::RenderWindow* m_window = nullptr;
    std::array<std::unordered_map<std::string, int>, kBindingSets> m_bindings{};
    bool m_mouseLatch = false;
    unsigned m_bindingsVersion = 0;
    bool m_hasFocus = false;
    bool m_liveLostFocus = false;
    bool m_lostFocus = false;
    Gamepads m_pads;
};
