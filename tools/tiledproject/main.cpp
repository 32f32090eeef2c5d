// tumbleleaf-tiledproject: writes the Tiled project that teaches Tiled the game's object types,
// from the factory's own table, so that the editor's defaults are the game's:
//   assets/tumbleleaf.tiled-project       classes and enums for Tiled 1.9 and later
//   assets/tumbleleaf-objecttypes.xml     the same types for Tiled 1.8, which has no classes
// Tiled leaves a property out of a map when it equals its class's default; the game then uses
// its own default, which is the same value.
// Usage: tumbleleaf-tiledproject ASSETS_FOLDER
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "assets/ObjectFactory.hpp"
#include "objects/GameNames.hpp"

namespace {

using Kind = ObjectFactory::PropertyKind;
using Rule = ObjectFactory::PropertyRule;

constexpr const char* kProjectFile = "tumbleleaf.tiled-project";
constexpr const char* kObjectTypesFile = "tumbleleaf-objecttypes.xml";
// The enums a property may take its values from, by the property's key.
constexpr const char* kScreenEnum = "nextState";
constexpr const char* kSettingEnum = "functionality";
// Tiled draws each type's objects in a colour of their own.
const char* const kColours[] = {"#ff3c78d8", "#ff6aa84f", "#ffe69138", "#ffcc4125",
                                "#ff8e7cc3", "#ff45818e", "#fff1c232", "#ffc27ba0"};

struct TiledProperty {
    std::string name;
    std::string type;  // Tiled's: string, file, float, int, color
    std::string enumName;
    std::string fallback;
};

std::string tiledType(Kind kind) {
    switch (kind) {
        case Kind::Picture:
        case Kind::Font:
            return "file";
        case Kind::Number:
            return "float";
        case Kind::Integer:
            return "int";
        case Kind::Colour:
            return "color";
        default:
            return "string";
    }
}

std::vector<TiledProperty> propertiesOf(const ObjectFactory::TypeRule& type) {
    std::vector<TiledProperty> properties;
    for (const Rule& rule : type.properties) {
        const std::string enumName = rule.kind == Kind::Screen    ? kScreenEnum
                                     : rule.kind == Kind::Setting ? kSettingEnum
                                                                  : "";
        properties.push_back({rule.key, tiledType(rule.kind), enumName, rule.fallback});
    }
    properties.push_back({ObjectFactory::kLayerProperty, "string", "", ""});
    return properties;
}

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
        }
        out += c;
    }
    return out + '"';
}

// A default as Tiled stores it in JSON: numbers bare, everything else as text.
std::string jsonValue(const TiledProperty& property) {
    if (property.type == "float" || property.type == "int") {
        return property.fallback;
    }
    return quoted(property.fallback);
}

std::string enumJson(int id, const char* name, const std::vector<std::string>& values) {
    std::ostringstream out;
    out << "        {\n            \"id\": " << id << ",\n            \"name\": " << quoted(name)
        << ",\n            \"storageType\": \"string\",\n            \"type\": \"enum\",\n"
        << "            \"values\": [";
    for (std::size_t i = 0; i < values.size(); ++i) {
        out << (i == 0 ? "\n" : ",\n") << "                " << quoted(values[i]);
    }
    out << "\n            ],\n            \"valuesAsFlags\": false\n        }";
    return out.str();
}

std::string classJson(int id, const ObjectFactory::TypeRule& type, const char* colour) {
    std::ostringstream out;
    out << "        {\n            \"color\": " << quoted(colour)
        << ",\n            \"drawFill\": true,\n            \"id\": " << id
        << ",\n            \"members\": [";
    const auto properties = propertiesOf(type);
    for (std::size_t i = 0; i < properties.size(); ++i) {
        const TiledProperty& property = properties[i];
        out << (i == 0 ? "\n" : ",\n")
            << "                {\n                    \"name\": " << quoted(property.name)
            << ",\n";
        if (!property.enumName.empty()) {
            out << "                    \"propertyType\": " << quoted(property.enumName) << ",\n";
        }
        out << "                    \"type\": " << quoted(property.type)
            << ",\n                    \"value\": " << jsonValue(property) << "\n                }";
    }
    out << "\n            ],\n            \"name\": " << quoted(type.type)
        << ",\n            \"type\": \"class\",\n            \"useAs\": [\n"
        << "                \"object\"\n            ]\n        }";
    return out.str();
}

std::string commandJson(const char* name, const char* command, const char* arguments) {
    std::ostringstream out;
    out << "        {\n            \"arguments\": " << quoted(arguments)
        << ",\n            \"command\": " << quoted(command)
        << ",\n            \"enabled\": true,\n            \"name\": " << quoted(name)
        << ",\n            \"saveBeforeExecute\": true,\n            \"shortcut\": \"\","
        << "\n            \"showOutput\": true,\n            \"workingDirectory\": \"\"\n"
        << "        }";
    return out.str();
}

std::string projectJson() {
    std::vector<std::string> types{enumJson(1, kScreenEnum, GameNames::screenNames()),
                                   enumJson(2, kSettingEnum, GameNames::settingFunctions())};
    int id = 3;
    for (const auto& type : ObjectFactory::typeRules()) {
        types.push_back(classJson(id, type, kColours[(id - 3) % std::size(kColours)]));
        ++id;
    }
    std::ostringstream out;
    out << "{\n    \"automappingRulesFile\": \"\",\n    \"commands\": [\n"
        << commandJson("Race this map", "tumbleleaf", "--level %mapfile --windowed") << ",\n"
        << commandJson("Check this map", "tumbleleaf-mapcheck", "%mapfile") << "\n    ],\n"
        << "    \"extensionsPath\": \"extensions\",\n    \"folders\": [\n        \".\"\n    ],\n"
        << "    \"objectTypesFile\": " << quoted(kObjectTypesFile) << ",\n"
        << "    \"propertyTypes\": [\n";
    for (std::size_t i = 0; i < types.size(); ++i) {
        out << types[i] << (i + 1 < types.size() ? ",\n" : "\n");
    }
    out << "    ]\n}\n";
    return out.str();
}

std::string xmlEscaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '"' ? "&quot;" : std::string(1, c);
    }
    return out;
}

std::string objectTypesXml() {
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<objecttypes>\n";
    std::size_t index = 0;
    for (const auto& type : ObjectFactory::typeRules()) {
        // Tiled 1.8 writes colours without their alpha here.
        const std::string colour = std::string("#") + (kColours[index++ % std::size(kColours)] + 3);
        out << " <objecttype name=\"" << xmlEscaped(type.type) << "\" color=\"" << colour
            << "\">\n";
        for (const TiledProperty& property : propertiesOf(type)) {
            out << "  <property name=\"" << xmlEscaped(property.name) << "\" type=\""
                << property.type << "\" default=\"" << xmlEscaped(property.fallback) << "\"/>\n";
        }
        out << " </objecttype>\n";
    }
    out << "</objecttypes>\n";
    return out.str();
}

bool write(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file) {
        std::cerr << "tumbleleaf-tiledproject: cannot write " << path << '\n';
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: tumbleleaf-tiledproject ASSETS_FOLDER\n";
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    const bool written = write(folder + kProjectFile, projectJson()) &&
                         write(folder + kObjectTypesFile, objectTypesXml());
    return written ? 0 : 1;
}
