#include "platform/UserFolders.hpp"

#include <cstdlib>
#include <utility>

namespace {

constexpr const char* kGameFolder = "tumbleleaf";

}  // namespace

UserFolders::UserFolders()
    : UserFolders([](const std::string& name) -> std::optional<std::string> {
          const char* value = std::getenv(name.c_str());
          if (value == nullptr) {
              return std::nullopt;
          }
          return std::string(value);
      }) {}

UserFolders::UserFolders(Environment environment) : m_environment(std::move(environment)) {}

std::optional<std::filesystem::path> UserFolders::configFolder() const {
    return gameFolder("XDG_CONFIG_HOME", ".config");
}

std::optional<std::filesystem::path> UserFolders::dataFolder() const {
    return gameFolder("XDG_DATA_HOME", std::filesystem::path(".local") / "share");
}

std::optional<std::filesystem::path> UserFolders::levelsFolder() const {
    auto data = dataFolder();
    if (!data) {
        return std::nullopt;
    }
    return *data / "levels";
}

std::optional<std::filesystem::path> UserFolders::gameFolder(
    const std::string& variable, const std::filesystem::path& fallback) const {
    if (auto base = absoluteFolder(variable)) {
        return *base / kGameFolder;
    }
    if (auto home = absoluteFolder("HOME")) {
        return *home / fallback / kGameFolder;
    }
    return std::nullopt;
}

// A relative base would put the files wherever the game was started from, so it counts as
// unset (the XDG rules say to ignore it).
std::optional<std::filesystem::path> UserFolders::absoluteFolder(
    const std::string& variable) const {
    const auto value = m_environment(variable);
    if (!value || value->empty()) {
        return std::nullopt;
    }
    std::filesystem::path folder(*value);
    if (!folder.is_absolute()) {
        return std::nullopt;
    }
    return folder;
}
