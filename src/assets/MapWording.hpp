#pragma once

#include <string>

namespace rapidxml {
template <class Ch>
class xml_node;
}

// How the messages about a map name its parts, so that every report reads alike: a name or value
// as written, in double quotes, and an element by its tag.
class MapWording {
public:
    // "text", quotes included.
    static std::string inQuotes(const std::string& text);
    // <name> of the element.
    static std::string tagOf(const rapidxml::xml_node<char>& node);
};
