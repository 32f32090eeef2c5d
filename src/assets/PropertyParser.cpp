#include "assets/PropertyParser.hpp"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "platform/LeadingInteger.hpp"

namespace {

std::optional<int> hexPair(const std::string& text, std::size_t position) {
    constexpr int kHex = 16;
    const auto value = LeadingInteger::read(text.substr(position, 2).c_str(), 0, 0xFF, kHex);
    return value ? std::optional<int>(static_cast<int>(*value)) : std::nullopt;
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
    const auto value = LeadingInteger::read(text.c_str(), INT_MIN, INT_MAX);
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
