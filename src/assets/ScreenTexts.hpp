#pragma once

#include <set>
#include <string>
#include <vector>

#include "assets/TmxMap.hpp"
#include "platform/TextTemplate.hpp"

// The words a screen makes up as it goes (a score line, a page number, why a course is greyed)
// are written in its map's own properties, so that a designer changes them in Tiled like every
// other word on the screen.
class ScreenTexts {
public:
    ScreenTexts() = default;
    // mapName only names the map in the report of a missing text.
    ScreenTexts(std::vector<TmxProperty> properties, std::string mapName);

    // The property's text with its gaps filled. A text the map lacks shows as nothing and is
    // reported once, naming the map and the property.
    std::string text(const std::string& key, const TextTemplate::Values& values = {}) const;

private:
    std::vector<TmxProperty> m_properties;
    std::string m_mapName;
    mutable std::set<std::string> m_reported;
};
