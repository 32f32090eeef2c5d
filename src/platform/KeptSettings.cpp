#include "platform/KeptSettings.hpp"

#include <SFML/System/Err.hpp>
#include <ostream>
#include <utility>

KeptSettings::KeptSettings(std::optional<SettingsFile> file) : m_file(std::move(file)) {
    if (m_file) {
        m_settings = m_file->read();
    }
}

KeptSettings KeptSettings::fromConfigFolder() {
    auto file = SettingsFile::inConfigFolder();
    if (!file) {
        sf::err() << "Settings are not kept: neither XDG_CONFIG_HOME nor HOME names a folder"
                  << std::endl;
    }
    return KeptSettings(std::move(file));
}

void KeptSettings::change(const Settings& settings) {
    if (settings == m_settings) {
        return;
    }
    m_settings = settings;
    if (m_file) {
        m_file->write(m_settings);
    }
}
