#include "assets/MapWording.hpp"

#include <rapidxml.hpp>

std::string MapWording::inQuotes(const std::string& text) {
    return '"' + text + '"';
}

std::string MapWording::tagOf(const rapidxml::xml_node<char>& node) {
    return '<' + std::string(node.name(), node.name_size()) + '>';
}
