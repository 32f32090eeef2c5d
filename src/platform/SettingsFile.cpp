#include "platform/SettingsFile.hpp"

#include <SFML/System/Err.hpp>
#include <fstream>
#include <iterator>
#include <ostream>
#include <system_error>
#include <utility>

#include "platform/RegularFile.hpp"
#include "platform/SettingsText.hpp"
#include "platform/UserFolders.hpp"

namespace fs = std::filesystem;

namespace {

enum class Opened { Missing, Refused, Read };

// The whole text of a regular file. Anything else standing at the path is refused unopened:
// opening a pipe would block the game until something writes to it, maybe for good.
std::pair<Opened, std::string> readRegularFile(const fs::path& path) {
    std::error_code error;
    if (fs::status(path, error).type() == fs::file_type::not_found) {
        return {Opened::Missing, {}};
    }
    std::ifstream file;
    if (!RegularFile::open(path.string(), file)) {
        return {Opened::Refused, {}};
    }
    std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) {
        return {Opened::Refused, {}};
    }
    return {Opened::Read, std::move(text)};
}

}  // namespace

SettingsFile::SettingsFile(const fs::path& folder, Writer writer)
    : m_path(folder / kFileName), m_writer(std::move(writer)) {}

std::optional<SettingsFile> SettingsFile::inConfigFolder() {
    const auto folder = UserFolders().configFolder();
    if (!folder) {
        return std::nullopt;
    }
    return SettingsFile(*folder);
}

fs::path SettingsFile::temporaryPath() const {
    fs::path temporary = m_path;
    temporary += ".new";
    return temporary;
}

Settings SettingsFile::read() const {
    const auto [opened, text] = readRegularFile(m_path);
    if (opened == Opened::Missing) {
        return Settings();
    }
    if (opened == Opened::Refused) {
        sf::err() << "Could not read settings " << m_path.string() << std::endl;
        return Settings();
    }
    return SettingsText::parse(text, m_path.string());
}

bool SettingsFile::write(const Settings& settings) const {
    const fs::path temporary = temporaryPath();
    std::error_code error;
    fs::create_directories(m_path.parent_path(), error);
    // A left-over temporary from a crash is removed unopened: it may even be a pipe.
    if (!error) {
        fs::remove(temporary, error);
    }
    if (!error && m_writer(temporary, SettingsText::format(settings))) {
        fs::rename(temporary, m_path, error);
        if (!error) {
            return true;
        }
    }
    fs::remove(temporary, error);
    sf::err() << "Could not save settings " << m_path.string() << std::endl;
    return false;
}

bool SettingsFile::writeWholeFile(const fs::path& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    return !file.fail();
}
