#include "assets/PropertyParser.hpp"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

// The value of the longest number at the start of `text`, if there is one and it fits.
std::optional<long> leadingInteger(const std::string& text, int base) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(begin, &end, base);
    if (end == begin || errno == ERANGE || value < INT_MIN || value > INT_MAX) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> hexPair(const std::string& text, std::size_t position) {
    const auto value = leadingInteger(text.substr(position, 2), 16);
    if (!value || *value < 0) {
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

}  // namespace

std::optional<float> PropertyParser::number(const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const float value = std::strtof(begin, &end);
    if (end == begin || errno == ERANGE || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> PropertyParser::integer(const std::string& text) {
    const auto value = leadingInteger(text, 10);
    if (!value) {
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

std::optional<sf::Vector2f> PropertyParser::pair(const std::string& text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) {
        const auto both = number(text);
        return both ? std::optional<sf::Vector2f>({*both, *both}) : std::nullopt;
    }
    const auto x = number(text.substr(0, comma));
    const auto y = number(text.substr(comma + 1));
    if (!x || !y) {
        return std::nullopt;
    }
    return sf::Vector2f(*x, *y);
}

std::optional<sf::Color> PropertyParser::colour(const std::string& text) {
    // Tiled leaves the alpha pair out when a colour is fully opaque.
    const std::size_t firstPair = text.size() == 7 ? 1 : 3;
    if (text.empty() || text[0] != '#' || text.size() < firstPair + 6) {
        return std::nullopt;
    }
    const auto red = hexPair(text, firstPair);
    const auto green = hexPair(text, firstPair + 2);
    const auto blue = hexPair(text, firstPair + 4);
    if (!red || !green || !blue) {
        return std::nullopt;
    }
    return sf::Color(static_cast<sf::Uint8>(*red), static_cast<sf::Uint8>(*green),
                     static_cast<sf::Uint8>(*blue), 255);
}
