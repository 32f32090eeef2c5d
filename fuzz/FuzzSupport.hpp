#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "assets/TmxMap.hpp"

// The one entry point every fuzz target defines: libFuzzer calls it with each input it tries,
// and RunInputs.cpp with each file it is given.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// The game reports every bad value on sf::err(); while fuzzing that is millions of lines. This
// keeps the reports being written, so that their code runs, but drops the text.
void discardGameErrors();

std::string textOf(const std::uint8_t* data, std::size_t size);

// Stops the run (a finding for the fuzzer) when a promise of the game's code does not hold.
void check(bool promise);

// True when the line and column name a place in the text, or its end; 0:0 means the text as a
// whole.
bool liesInside(const std::string& text, TmxPosition position);
