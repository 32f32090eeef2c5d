#pragma once

#include <optional>

#include "platform/Settings.hpp"
#include "platform/SettingsFile.hpp"

// The settings in force in this run, and the file they are kept in between runs. The file is
// read once at start and written, whole, only when the player changes something: a file the
// game could not read stays as the player left it until then.
class KeptSettings {
public:
    // Nothing kept: the defaults, for this run only.
    KeptSettings() = default;
    explicit KeptSettings(std::optional<SettingsFile> file);
    // The file in the user's config folder; without a home to keep it in, says so in one line.
    static KeptSettings fromConfigFolder();

    const Settings& get() const { return m_settings; }
    // Takes the new settings and writes them to the file, when there is one.
    void change(const Settings& settings);
    bool isKept() const { return m_file.has_value(); }

private:
    Settings m_settings;
    std::optional<SettingsFile> m_file;
};
