#include "support/TestMaps.hpp"

std::string tmxProperty(const std::string& name, const std::string& value) {
    return "<property name='" + name + "' value='" + value + "'/>";
}

std::string tmxObject(const std::string& name, const std::string& type, sf::Vector2i position,
                      sf::Vector2i size, const std::string& properties, const std::string& layer) {
    const std::string nameAttribute = name.empty() ? "" : " name='" + name + "'";
    return "<object" + nameAttribute + " type='" + type + "' x='" + std::to_string(position.x) +
           "' y='" + std::to_string(position.y) + "' width='" + std::to_string(size.x) +
           "' height='" + std::to_string(size.y) + "'><properties>" +
           tmxProperty("correspondingLayer", layer) + properties + "</properties></object>";
}

std::string tmxRacer(const std::string& name, sf::Vector2i position, sf::Vector2i size) {
    return tmxObject(name, "Player", position, size,
                     tmxProperty("mass", "1") + tmxProperty("texturepath", "racer.png"));
}

std::string tmxMap(const std::string& objects, std::initializer_list<const char*> layers) {
    std::string text = "<map width='2' height='2' tilewidth='32' tileheight='32'>";
    for (const std::string name : layers) {
        text += "<layer name='" + name + "' width='2' height='2'><data>0,0,0,0</data></layer>";
    }
    return text + "<objectgroup name='Things'>" + objects + "</objectgroup></map>";
}
