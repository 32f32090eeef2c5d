#include "components/FontLoader.hpp"

#include <SFML/System/Err.hpp>
#include <ostream>

#include "platform/RegularFile.hpp"

bool FontLoader::load(const std::string& path, sf::Font& font) {
    if (!RegularFile::exists(path) || !font.loadFromFile(path)) {
        sf::err() << "Could not load font\n";
        return false;
    }
    return true;
}
