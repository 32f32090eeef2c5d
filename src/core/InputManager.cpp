#include "core/InputManager.hpp"

InputManager& InputManager::instance() {
    static InputManager manager;
    return manager;
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
}

int InputManager::getKey(const std::string& name, int bindingSet) const {
    if (bindingSet < 0 || bindingSet >= kBindingSets) {
        return 0;
    }
    const auto& bindings = m_bindings[bindingSet];
    const auto found = bindings.find(name);
    return found == bindings.end() ? 0 : found->second;
}

void InputManager::bind(int bindingSet, const std::string& name, int keyCode) {
    if (bindingSet >= 0 && bindingSet < kBindingSets) {
        m_bindings[bindingSet][name] = keyCode;
    }
}

void InputManager::clearBindings(int bindingSet) {
    if (bindingSet >= 0 && bindingSet < kBindingSets) {
        m_bindings[bindingSet].clear();
    }
}

bool InputManager::isKeyDown(int keyCode) const {
    return isValidKey(keyCode) && m_currentKeys[keyCode];
}

bool InputManager::isKeyPressed(int keyCode) const {
    return isValidKey(keyCode) && m_currentKeys[keyCode] && !m_previousKeys[keyCode];
}
