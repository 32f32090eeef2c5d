#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <optional>
#include <string>

// Loads a picture file into a texture for the components that show one. A file that cannot be
// read, or a path that is not a regular file, is reported on the error output; with a mask colour,
// pixels of exactly that colour become transparent.
class PictureLoader {
public:
    static bool load(const std::string& path, sf::Texture& texture,
                     std::optional<sf::Color> maskColor = std::nullopt);
};
