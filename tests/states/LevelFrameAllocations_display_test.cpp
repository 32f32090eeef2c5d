// Counts what a frame of the race allocates: every operator new of this test program goes through
// the counter below, which counts on the thread that asks for it only (the music streams on a
// thread of its own, and the graphics driver's threads are its business).
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <string>

#include "assets/AssetManager.hpp"
#include "core/GameStateManager.hpp"
#include "physics/PhysicsManager.hpp"
#include "states/MainState.hpp"
#include "support/ScratchGameDir.hpp"
#include "support/TestWindow.hpp"

namespace {

thread_local bool t_counting = false;
thread_local long t_allocations = 0;

void* allocate(std::size_t size) noexcept {
    if (t_counting) {
        ++t_allocations;
    }
    return std::malloc(size == 0 ? 1 : size);
}

// Allocations `work` makes on this thread.
template <typename Work>
long allocationsDuring(Work&& work) {
    t_allocations = 0;
    t_counting = true;
    work();
    t_counting = false;
    return t_allocations;
}

}  // namespace

void* operator new(std::size_t size) {
    if (void* memory = allocate(size)) {
        return memory;
    }
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return allocate(size);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}

namespace {

// The shipped race, both players on their way: once the first frames have warmed up what lives
// from frame to frame (tile geometry, trail vertices, the driver's shaders), a whole frame
// (physics, update, both cameras' layer passes with their objects and trails, the divider)
// allocates nothing.
TEST(LevelFrameAllocationTest, ASteadyFrameOfTheRaceAllocatesNothing) {
    TestWindow screen(1920, 1080);
    ScratchGameDir game;
    game.copyShipped();
    AssetManager::instance().setRenderWindow(&screen.window());
    GameStateManager manager;
    MainState level(&manager, nullptr);
    level.init();
    const auto frame = [&](bool drawn) {
        PhysicsManager::instance().update(1.0f / 144.0f);
        level.update(1.0f / 144.0f);
        if (drawn) {
            screen.window().clear();
            level.draw();
            screen.window().display();
        }
    };
    // Long enough for the trails to fill up, so that they record by overwriting.
    for (int warmUp = 0; warmUp < 144 * 21 + 20; ++warmUp) {
        frame(warmUp >= 144 * 21);
    }
    ASSERT_EQ(level.getGameObjectManager().getPlayers().size(), 2u);
    ASSERT_GE(allocationsDuring([] {
                  const auto held = std::make_unique<std::string>(100, 'x');
                  EXPECT_EQ(held->size(), 100u);
              }),
              1)
        << "the counter sees allocations";
    const long allocated = allocationsDuring([&] {
        for (int measured = 0; measured < 150; ++measured) {
            frame(true);
        }
    });
    EXPECT_EQ(allocated, 0);
    EXPECT_EQ(level.getGameObjectManager().getPlayers().size(), 2u) << "the race went on";
    level.exit();
    AssetManager::instance().setRenderWindow(nullptr);
}

}  // namespace
