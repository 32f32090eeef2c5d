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

// Written even when nothing differs: a run with --windowed that the player switches to full
// screen must leave a file that says so, whatever the defaults are.
void KeptSettings::change(const Settings& settings) {
    m_settings = settings;
    if (m_file) {
        m_file->write(m_settings);
    }
}
