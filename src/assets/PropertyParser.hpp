#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Vector2.hpp>
#include <optional>
#include <string>

// Turns the text of a map property into the value a game object needs. Every conversion takes
// what a number-reading function would take from the start of the text (leading blanks skipped,
// trailing characters ignored) and gives nothing when the text does not start with a usable
// value, so a bad property can be reported and replaced by its default.
class PropertyParser {
public:
    // A finite float ("12.5", " 3abc" = 3); nothing for text, infinities, NaN or out of range.
    static std::optional<float> number(const std::string& text);
    // A decimal int; nothing for text or values outside int.
    static std::optional<int> integer(const std::string& text);
    // "x,y" as two numbers; one number without a comma serves for both.
    static std::optional<sf::Vector2f> pair(const std::string& text);
    // Tiled's colour forms, "#aarrggbb" and "#rrggbb". The alpha pair is ignored: colours from
    // maps are always opaque.
    static std::optional<sf::Color> colour(const std::string& text);
};
