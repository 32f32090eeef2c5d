#pragma once

#include <memory>
#include <string>
#include <unordered_map>

class GameState;

// Keeps every screen by name and switches between them at a fixed point of the frame, so a
// screen can ask for its own replacement mid-update and still finish that update.
class GameStateManager {
public:
    static GameStateManager& instance();
    GameStateManager() = default;

    void registerState(const std::string& name, std::shared_ptr<GameState> state);
    // Takes effect at the next update. Only the last request counts; an unknown name cancels.
    void changeState(const std::string& name);
    void update(float frameSeconds);
    void draw();
    // Exits the running screen for good (at shutdown), releasing what it holds.
    void leaveCurrent();

    GameState* getCurrent() const { return m_current; }
    GameState* getPending() const { return m_pending; }

private:
    void applyPendingChange();

    std::unordered_map<std::string, std::shared_ptr<GameState>> m_states;
    GameState* m_current = nullptr;
    GameState* m_pending = nullptr;
};
