#pragma once

#include <memory>
#include <vector>

#include "BenchGame.hpp"
#include "states/MainState.hpp"

class CameraRenderComponent;

// The race on the shipped level, entered the way the game enters it and driven frame by frame
// at a fixed 144 frames per second of game time, with nobody touching the keys. Entering it
// plays the first seconds of the race without drawing, so that the trails are full and the
// players are on their way, as in a race in progress.
class BenchLevel {
public:
    static constexpr float kFrameSeconds = 1.0f / 144.0f;
    static constexpr float kWarmUpSeconds = 20.0f;

    explicit BenchLevel(BenchGame::Race race = BenchGame::Race::Shipped);
    ~BenchLevel();
    BenchLevel(const BenchLevel&) = delete;
    BenchLevel& operator=(const BenchLevel&) = delete;

    // The physics of one frame, then the level's update.
    void update();
    // One whole frame as the game's main loop runs it: events, physics, update, clear, draw,
    // display.
    void frame();
    // Both players still racing; a benchmark that runs long enough starts a new race.
    bool bothRacing();

    MainState& state() { return m_level; }
    // The players' cameras, in the order the level draws them.
    std::vector<std::shared_ptr<CameraRenderComponent>> cameras();

private:
    MainState m_level;
};
