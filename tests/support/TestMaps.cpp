#include "support/TestMaps.hpp"

std::string screenMapXml(const std::string& objects) {
    return "<map width='2' height='2' tilewidth='32' tileheight='32'>"
           "<layer name='Front' width='2' height='2'><data>0,0,0,0</data></layer>"
           "<objectgroup name='Things'>" +
           objects + "</objectgroup></map>";
}

std::string mapObjectXml(const std::string& name, const std::string& type, sf::Vector2i position,
                         sf::Vector2i size, const std::string& properties) {
    const std::string nameAttribute = name.empty() ? "" : " name='" + name + "'";
    return "<object" + nameAttribute + " type='" + type + "' x='" + std::to_string(position.x) +
           "' y='" + std::to_string(position.y) + "' width='" + std::to_string(size.x) +
           "' height='" + std::to_string(size.y) +
           "'><properties><property name='correspondingLayer' value='Front'/>" + properties +
           "</properties></object>";
}

std::string racerXml(const std::string& name, sf::Vector2i position) {
    return mapObjectXml(name, "Player", position, {64, 64},
                        "<property name='mass' value='1'/>"
                        "<property name='texturepath' value='racer.png'/>");
}
