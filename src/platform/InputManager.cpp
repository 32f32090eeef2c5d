#include "platform/InputManager.hpp"

#include <SFML/Window/Event.hpp>
#include <unordered_map>

#include "platform/ActionNames.hpp"

namespace {

std::optional<PadControl> padControlFor(const std::string& action) {
    static const std::unordered_map<std::string, PadControl> controls{
        {ActionNames::kMenuUp, PadControl::Up},
        {ActionNames::kMenuDown, PadControl::Down},
        {ActionNames::kMenuLeft, PadControl::Left},
        {ActionNames::kMenuRight, PadControl::Right},
        {ActionNames::kMenuPress, PadControl::Confirm},
        {ActionNames::kMenuBack, PadControl::Back},
        {ActionNames::kPause, PadControl::Start},
    };
    const auto found = controls.find(action);
    if (found == controls.end()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace

InputManager& InputManager::instance() {
    static InputManager manager(Gamepads::readJoystick);
    return manager;
}

InputManager::InputManager(Gamepads::Reader padReader) : m_pads(std::move(padReader)) {}

void InputManager::setPadReader(Gamepads::Reader padReader) {
    m_pads.setReader(std::move(padReader));
}

void InputManager::handleEvent(const sf::Event& event) {
    switch (event.type) {
        case sf::Event::KeyPressed:
            setKeyState(event.key.code, true);
            break;
        case sf::Event::KeyReleased:
            setKeyState(event.key.code, false);
            break;
        case sf::Event::LostFocus:
            // The release of a key held while switching away never reaches us.
            releaseAllKeys();
            // Only a focus the window had: while a window appears, some X servers take back a
            // focus it never had.
            m_liveLostFocus = m_liveLostFocus || m_hasFocus;
            m_hasFocus = false;
            break;
        case sf::Event::GainedFocus:
            m_hasFocus = true;
            break;
        default:
            break;
    }
}

void InputManager::setKeyState(int keyCode, bool down) {
    if (isValidKey(keyCode)) {
        m_liveKeys[keyCode] = down;
    }
}

void InputManager::releaseAllKeys() {
    m_liveKeys.fill(false);
}

void InputManager::advanceFrame() {
    m_previousKeys = m_currentKeys;
    m_currentKeys = m_liveKeys;
    m_lostFocus = m_liveLostFocus;
    m_liveLostFocus = false;
    m_pads.sample();
}

int InputManager::getKey(const std::string& name, int bindingSet) const {
    return findKey(name, bindingSet).value_or(0);
}

std::optional<int> InputManager::findKey(const std::string& name, int bindingSet) const {
    if (bindingSet < 0 || bindingSet >= kBindingSets) {
        return std::nullopt;
    }
    const auto& bindings = m_bindings[bindingSet];
    const auto found = bindings.find(name);
    if (found == bindings.end()) {
        return std::nullopt;
    }
    return found->second;
}

void InputManager::bind(int bindingSet, const std::string& name, int keyCode) {
    if (bindingSet >= 0 && bindingSet < kBindingSets) {
        m_bindings[bindingSet][name] = keyCode;
        ++m_bindingsVersion;
    }
}

void InputManager::clearBindings(int bindingSet) {
    if (bindingSet >= 0 && bindingSet < kBindingSets) {
        m_bindings[bindingSet].clear();
        ++m_bindingsVersion;
    }
}

bool InputManager::isKeyDown(int keyCode) const {
    return isValidKey(keyCode) && m_currentKeys[keyCode];
}

bool InputManager::isKeyPressed(int keyCode) const {
    return isValidKey(keyCode) && m_currentKeys[keyCode] && !m_previousKeys[keyCode];
}

// Unlike getKey, an unbound action must not fall back to key code 0: a player whose set has no
// "left" would otherwise steer with the A key, and a set without "Reload" restart the race.
bool InputManager::isActionPressed(const std::string& action, int bindingSet) const {
    const std::optional<int> key = findKey(action, bindingSet);
    return key && isKeyPressed(*key);
}

bool InputManager::isActionDown(const std::string& action, int player) const {
    const std::optional<int> key = findKey(action, player);
    return (key && isKeyDown(*key)) || m_pads.isPushing(action, player);
}

bool InputManager::isCommandPressed(const std::string& action) const {
    if (isActionPressed(action, 0)) {
        return true;
    }
    const std::optional<PadControl> control = padControlFor(action);
    return control && m_pads.wasPressed(*control);
}
