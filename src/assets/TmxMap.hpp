#pragma once

#include <string>
#include <vector>

// The plain records a map file is read into. They live only while a map is being loaded; every
// vector keeps the order of the file.

struct TmxProperty {
    std::string name;
    std::string value;
};

struct TmxObject {
    std::string name;
    std::string type;
    int gid = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::vector<TmxProperty> properties;
};

struct TmxObjectGroup {
    std::string name;
    bool visible = true;
    std::vector<TmxObject> objects;
};

struct TmxLayer {
    std::string name;
    int width = 0;
    int height = 0;
    // The gids of the cells, row by row; exactly width * height of them, 0 for an empty cell.
    std::vector<int> data;
};

struct TmxTileset {
    int firstGid = 0;
    std::string name;
    int tileWidth = 0;
    int tileHeight = 0;
    std::string imageSource;
};

struct TmxMap {
    int width = 0;
    int height = 0;
    int tileWidth = 0;
    int tileHeight = 0;
    std::vector<TmxTileset> tilesets;
    std::vector<TmxLayer> layers;
    std::vector<TmxObjectGroup> objectGroups;
};
