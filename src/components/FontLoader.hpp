#pragma once

#include <SFML/Graphics/Font.hpp>
#include <string>

// Loads a font for the texts and screens that write with one. A font that cannot be read, or a
// path that is not a regular file, is reported on the error output and leaves `font` empty.
class FontLoader {
public:
    static bool load(const std::string& path, sf::Font& font);
};
