#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "platform/Settings.hpp"

// The player's settings file, "settings.ini" in the user's config folder, in the format
// SettingsText describes. Reading never writes it; writing replaces it whole or not at all.
class SettingsFile {
public:
    static constexpr const char* kFileName = "settings.ini";

    // Writes all of `text` to the file at `path` and reports whether every byte reached it.
    using Writer = std::function<bool(const std::filesystem::path& path, const std::string& text)>;

    // The file in `folder`. `writer` puts the text into the temporary file; tests swap it to
    // make writing fail.
    explicit SettingsFile(const std::filesystem::path& folder, Writer writer = writeWholeFile);
    // The file in UserFolders' config folder; nothing when the user has no home to keep it in.
    static std::optional<SettingsFile> inConfigFolder();

    // The settings in the file. A missing file means the defaults, silently. A file that is not
    // a regular file (a folder, a pipe, a device) is never opened: like an unreadable one it
    // means the defaults and one line on sf::err() with its path. Problems inside the file are
    // reported line by line (SettingsText::parse) and keep their defaults.
    Settings read() const;
    // Writes the settings to a temporary file beside the file, then renames it over the file,
    // so that a crash or a full disk leaves the old file as it was. Creates the folder when it
    // is missing. False, with one line on sf::err() naming the path, on any failure; then no
    // temporary file is left behind.
    bool write(const Settings& settings) const;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path temporaryPath() const;

    // The default writer: writes, flushes and closes an ofstream, then checks it.
    static bool writeWholeFile(const std::filesystem::path& path, const std::string& text);

private:
    std::filesystem::path m_path;
    Writer m_writer;
};
