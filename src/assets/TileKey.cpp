#include "assets/TileKey.hpp"

std::string tileKey(int x, int y) {
    return std::to_string(x) + ',' + std::to_string(y);
}
