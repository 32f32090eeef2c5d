#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

// The plain records a map file is read into. They live only while a map is being loaded; every
// vector keeps the order of the file.

// Where an element's name stands in the map file: line and column counted from 1, in bytes.
// 0 means there is no such place (a problem with the file as a whole).
struct TmxPosition {
    int line = 0;
    int column = 0;
};

struct TmxProperty {
    TmxProperty() = default;
    TmxProperty(std::string name, std::string value, TmxPosition position = {})
        : name(std::move(name)), value(std::move(value)), position(position) {}

    std::string name;
    std::string value;
    TmxPosition position;
};

// The value of the property called name, the first one if the list has several.
inline std::optional<std::string> findProperty(const std::vector<TmxProperty>& properties,
                                               const std::string& name) {
    for (const TmxProperty& property : properties) {
        if (property.name == name) {
            return property.value;
        }
    }
    return std::nullopt;
}

struct TmxObject {
    // Tiled's object shapes; the game gives every object the rectangle of its width and height.
    enum class Shape { Rectangle, Ellipse, Point, Polygon, Polyline };

    std::string name;
    std::string type;
    int gid = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::vector<TmxProperty> properties;
    TmxPosition position;
    Shape shape = Shape::Rectangle;
    // Degrees clockwise, as Tiled turns an object around its top-left corner.
    double rotation = 0.0;
};

struct TmxObjectGroup {
    std::string name;
    bool visible = true;
    std::vector<TmxObject> objects;
    TmxPosition position;
};

struct TmxLayer {
    std::string name;
    int width = 0;
    int height = 0;
    // The gids of the cells, row by row; exactly width * height of them, 0 for an empty cell.
    std::vector<int> data;
    TmxPosition position;
    TmxPosition dataPosition;
};

struct TmxTileset {
    int firstGid = 0;
    std::string name;
    int tileWidth = 0;
    int tileHeight = 0;
    std::string imageSource;
    TmxPosition position;
    TmxPosition imagePosition;
};

struct TmxMap {
    int width = 0;
    int height = 0;
    int tileWidth = 0;
    int tileHeight = 0;
    std::vector<TmxTileset> tilesets;
    std::vector<TmxLayer> layers;
    std::vector<TmxObjectGroup> objectGroups;
    // The map's own properties, such as a course's "name" and "description".
    std::vector<TmxProperty> properties;
    TmxPosition position;
};
