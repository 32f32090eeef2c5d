#pragma once

#include <benchmark/benchmark.h>

#include <chrono>

// Times one part of an iteration for benchmarks with manual timing, so that setting up and
// tearing down around it costs nothing in the figures.
class FrameTimer {
public:
    explicit FrameTimer(benchmark::State& state)
        : m_state(state), m_start(std::chrono::steady_clock::now()) {}
    ~FrameTimer() { stop(); }
    FrameTimer(const FrameTimer&) = delete;
    FrameTimer& operator=(const FrameTimer&) = delete;

    // Seconds since the start; the first call reports them as the iteration's time.
    double stop() {
        if (!m_stopped) {
            m_seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
            m_state.SetIterationTime(m_seconds);
            m_stopped = true;
        }
        return m_seconds;
    }

private:
    benchmark::State& m_state;
    std::chrono::steady_clock::time_point m_start;
    double m_seconds = 0.0;
    bool m_stopped = false;
};
