#pragma once

#include <memory>
#include <string>
#include <unordered_map>

namespace sf {
class Sprite;
}

// The tile sprites of one layer, by tile key.
using TileSprites = std::unordered_map<std::string, std::shared_ptr<sf::Sprite>>;

// The key of the tile whose top-left corner is at (x, y) in world pixels: both numbers in
// decimal joined by a comma, such as "64,128" or "-32,0". Cutting a map into tiles and drawing
// a layer must form keys through this one function, or tiles silently go missing.
std::string tileKey(int x, int y);
