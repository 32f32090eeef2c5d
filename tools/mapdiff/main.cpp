// tumbleleaf-mapdiff A.tmx B.tmx: whether two maps make the same game for the game's reader and
// factory (tilesets, layers and cells, and every object with what each property it reads comes
// to), with the first differences when not. For a designer: did saving in another Tiled, using
// templates or leaving defaults out change the level? Exit status 0 when the same, 1 when not.
#include <algorithm>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "assets/ObjectFactory.hpp"
#include "assets/PropertyParser.hpp"
#include "assets/TmxReader.hpp"

namespace {

using Kind = ObjectFactory::PropertyKind;

// What a value comes to in the game, so that "1" and "1.0" or "#ff102030" and "#102030" agree.
std::string effect(const std::string& value, Kind kind) {
    std::ostringstream out;
    if (kind == Kind::Number || kind == Kind::Integer) {
        const auto number = PropertyParser::number(value);
        out << (number ? std::to_string(*number) : "unreadable " + value);
    } else if (kind == Kind::Pair) {
        const auto pair = PropertyParser::pair(value);
        out << (pair ? std::to_string(pair->x) + "," + std::to_string(pair->y) : "unreadable");
    } else if (kind == Kind::Colour) {
        const auto colour = PropertyParser::colour(value);
        out << (colour ? colour->toInteger() : 0u);
    } else {
        out << value;
    }
    return out.str();
}

std::string valueOf(const TmxObject& object, const std::string& key, const std::string& fallback) {
    std::string value = fallback;
    for (const auto& property : object.properties) {
        if (property.name == key) {
            value = property.value;
        }
    }
    return value;
}

// One line per fact of the map the game depends on.
std::vector<std::string> describe(const TmxMap& map) {
    std::vector<std::string> lines{"tiles " + std::to_string(map.tileWidth) + "x" +
                                   std::to_string(map.tileHeight)};
    for (const auto& tileset : map.tilesets) {
        lines.push_back("tileset " + tileset.name + " from " + std::to_string(tileset.firstGid) +
                        " " + tileset.imageSource);
    }
    for (const auto& layer : map.layers) {
        std::string cells;
        for (int gid : layer.data) {
            cells += std::to_string(gid) + ",";
        }
        lines.push_back("layer " + layer.name + " " + std::to_string(layer.width) + "x" +
                        std::to_string(layer.height) + ": " + cells);
    }
    for (const auto& group : map.objectGroups) {
        for (const auto& object : group.objects) {
            std::string line = "object " + object.name + " (" + object.type + ") at " +
                               std::to_string(object.x) + "," + std::to_string(object.y) +
                               " size " + std::to_string(object.width) + "x" +
                               std::to_string(object.height) + " layer " +
                               valueOf(object, ObjectFactory::kLayerProperty, "");
            if (const auto* rule = ObjectFactory::typeRule(object.type)) {
                for (const auto& property : rule->properties) {
                    line += " " + property.key + "=" +
                            effect(valueOf(object, property.key, property.fallback), property.kind);
                }
            }
            lines.push_back(line);
        }
    }
    return lines;
}

std::vector<std::string> read(const std::string& path) {
    auto text = readMapText(path);
    if (!text) {
        return {"cannot read " + path};
    }
    const std::string folder = path.substr(0, path.find_last_of('/') + 1);
    TmxParseResult parsed = parseTmx(text->data(), folder);
    if (!parsed.map) {
        return {"refused: " + parsed.error()};
    }
    return describe(*parsed.map);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: tumbleleaf-mapdiff A.tmx B.tmx\n";
        return 2;
    }
    const auto a = read(argv[1]);
    const auto b = read(argv[2]);
    int shown = 0;
    for (std::size_t i = 0; i < std::max(a.size(), b.size()) && shown < 5; ++i) {
        const std::string left = i < a.size() ? a[i] : "(nothing)";
        const std::string right = i < b.size() ? b[i] : "(nothing)";
        if (left != right) {
            std::cout << "differ:\n  " << argv[1] << ": " << left.substr(0, 300) << "\n  "
                      << argv[2] << ": " << right.substr(0, 300) << '\n';
            ++shown;
        }
    }
    return shown == 0 ? 0 : 1;
}
