#pragma once

#include <optional>

// The integer at the start of a text, read the way strtol reads it: leading white space, an
// optional sign, then the digits up to the first other character, which ends the number (so
// " 12px" is 12). Saved scores, map properties and map attributes are all read so.
class LeadingInteger {
public:
    // Nothing when the text starts with no digits or the value lies outside [min, max].
    static std::optional<long long> read(const char* text, long long min, long long max,
                                         int base = 10);
    // The way atoi reads it: no digits read as 0. Nothing when the value lies outside
    // [min, max], where atoi's result would be undefined.
    static std::optional<long long> readOrZero(const char* text, long long min, long long max);
};
