#pragma once

#include <optional>
#include <string>
#include <vector>

#include "assets/TmxMap.hpp"

// What reading a map text gave: the map, or why there is none.
struct TmxParseResult {
    std::optional<TmxMap> map;
    // Why the text is not a map we can use, with the line and column where there is one.
    std::string error;
    // Parts of a readable map that were left out, one line each.
    std::vector<std::string> warnings;
};

// Reads a NUL-terminated map text. The text is parsed in place and so is changed; the records
// hold copies of every string. Never throws.
TmxParseResult parseTmx(char* text);

// A decimal integer read the way atoi reads it (leading white space, an optional sign, the digits
// up to the first other character; no digits give 0), or nothing when it lies outside
// [min, max], where atoi's result would be undefined.
std::optional<long long> readInteger(const char* text, long long min, long long max);
