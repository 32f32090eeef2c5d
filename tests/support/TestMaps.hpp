#pragma once

#include <SFML/System/Vector2.hpp>
#include <string>

// Small maps for screen tests, written as the editor writes them: one tile layer "Front" of 2 by 2
// empty cells of 32 pixels, and one object group holding `objects`.
std::string screenMapXml(const std::string& objects);

// A map object on the layer "Front"; an empty name leaves the name out, as the editor does.
std::string mapObjectXml(const std::string& name, const std::string& type, sf::Vector2i position,
                         sf::Vector2i size, const std::string& properties = "");

// A racer of mass 1 drawn with assets/racer.png.
std::string racerXml(const std::string& name, sf::Vector2i position);
