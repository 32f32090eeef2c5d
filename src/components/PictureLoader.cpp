#include "components/PictureLoader.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/System/Err.hpp>
#include <ostream>

#include "platform/RegularFile.hpp"

bool PictureLoader::load(const std::string& path, sf::Texture& texture,
                         std::optional<sf::Color> maskColor) {
    sf::Image image;
    if (!RegularFile::load(
            path, [&image](const std::string& plain) { return image.loadFromFile(plain); })) {
        sf::err() << "Could not load texture from " << path << std::endl;
        return false;
    }
    if (maskColor) {
        image.createMaskFromColor(*maskColor, 0);
    }
    return texture.loadFromImage(image);
}
