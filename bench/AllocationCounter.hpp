#pragma once

#include <cstdint>

// The benchmark executable replaces the global operator new and delete (in its own source file,
// so that no caller sees them inline) with ones that count the allocations the counting thread
// asks for. The music streams on a thread of its own and the graphics driver's threads are its
// business, so only the thread that started counting is counted. The game itself is built
// without it.
namespace allocations {

void startCounting();
// Allocations on this thread since startCounting().
std::uint64_t stopCounting();

}  // namespace allocations
