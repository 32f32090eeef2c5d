#pragma once

#include <cstdint>

// Every draw call SFML makes goes through glDrawArrays; the benchmark executable puts a counter
// in front of the GL library's function. The game itself is built without it.
namespace drawCalls {

std::uint64_t count();
// Vertices given to those calls: what a software renderer pays for per triangle.
std::uint64_t vertices();

}  // namespace drawCalls
