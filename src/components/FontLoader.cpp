#include "components/FontLoader.hpp"

#include <SFML/System/Err.hpp>
#include <ostream>

#include "platform/RegularFile.hpp"

bool FontLoader::load(const std::string& path, sf::Font& font) {
    if (!RegularFile::load(
            path, [&font](const std::string& plain) { return font.loadFromFile(plain); })) {
        sf::err() << "Could not load font\n";
        return false;
    }
    return true;
}
