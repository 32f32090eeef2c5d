#include "core/GameStateManager.hpp"

#include "core/GameState.hpp"

GameStateManager& GameStateManager::instance() {
    static GameStateManager manager;
    return manager;
}

void GameStateManager::registerState(const std::string& name, std::shared_ptr<GameState> state) {
    m_states[name] = std::move(state);
}

void GameStateManager::changeState(const std::string& name) {
    const auto found = m_states.find(name);
    m_pending = found == m_states.end() ? nullptr : found->second.get();
}

void GameStateManager::update(float frameSeconds) {
    applyPendingChange();
    if (m_current != nullptr) {
        m_current->update(frameSeconds);
    }
}

void GameStateManager::draw() {
    if (m_current != nullptr) {
        m_current->draw();
    }
}

void GameStateManager::applyPendingChange() {
    if (m_pending != nullptr && m_pending != m_current) {
        if (m_current != nullptr) {
            m_current->exit();
        }
        m_current = m_pending;
        m_current->init();
    }
    m_pending = nullptr;
}

void GameStateManager::leaveCurrent() {
    if (m_current != nullptr) {
        m_current->exit();
    }
    m_current = nullptr;
    m_pending = nullptr;
}
