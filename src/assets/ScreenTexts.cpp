#include "assets/ScreenTexts.hpp"

#include <SFML/System/Err.hpp>
#include <ostream>

#include "assets/MapWording.hpp"

ScreenTexts::ScreenTexts(std::vector<TmxProperty> properties, std::string mapName)
    : m_properties(std::move(properties)), m_mapName(std::move(mapName)) {}

std::string ScreenTexts::text(const std::string& key, const TextTemplate::Values& values) const {
    const auto written = findProperty(m_properties, key);
    if (!written) {
        if (m_reported.insert(key).second) {
            sf::err() << m_mapName << " has no map property " << MapWording::inQuotes(key)
                      << ": that text stays empty" << std::endl;
        }
        return "";
    }
    return TextTemplate::fill(*written, values);
}
