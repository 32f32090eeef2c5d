#pragma once

#include <SFML/System/Vector2.hpp>
#include <initializer_list>
#include <string>

// Map text as Tiled saves it, for tests that load small maps.

std::string tmxProperty(const std::string& name, const std::string& value);

// An object of `size` at `position` on the layer `layer`; an empty name is left out, as Tiled
// leaves it out.
std::string tmxObject(const std::string& name, const std::string& type, sf::Vector2i position,
                      sf::Vector2i size, const std::string& properties = "",
                      const std::string& layer = "Front");

// A racer of mass 1 drawn from assets/racer.png.
std::string tmxRacer(const std::string& name, sf::Vector2i position, sf::Vector2i size = {64, 64});

// A 2 x 2 map of 32 px tiles with empty tile layers of these names, bottom first, and the
// objects in one object group.
std::string tmxMap(const std::string& objects,
                   std::initializer_list<const char*> layers = {"Front"});
