#include "platform/LeadingInteger.hpp"

#include <cerrno>
#include <cstdlib>

namespace {

struct Reading {
    long long value;
    bool hasDigits;
    bool fits;
};

Reading readFrom(const char* text, long long min, long long max, int base) {
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text, &end, base);
    return {value, end != text, errno != ERANGE && value >= min && value <= max};
}

}  // namespace

std::optional<long long> LeadingInteger::read(const char* text, long long min, long long max,
                                              int base) {
    const Reading reading = readFrom(text, min, max, base);
    if (!reading.hasDigits || !reading.fits) {
        return std::nullopt;
    }
    return reading.value;
}

std::optional<long long> LeadingInteger::readOrZero(const char* text, long long min,
                                                    long long max) {
    // strtoll gives 0 when there are no digits.
    const Reading reading = readFrom(text, min, max, 10);
    return reading.fits ? std::optional<long long>(reading.value) : std::nullopt;
}
