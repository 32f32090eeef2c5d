#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

// Where the player's own files go, after the XDG base directory rules: settings under
// $XDG_CONFIG_HOME/tumbleleaf, saved data (the player's levels) under $XDG_DATA_HOME/tumbleleaf.
// A variable counts only when it is set, non-empty and an absolute path; otherwise the folder
// is the usual one under $HOME (.config, .local/share). With no usable $HOME either (unset,
// empty or relative) there is nowhere to keep the player's files: the folders are then empty
// optionals, never a folder relative to wherever the game happens to run.
class UserFolders {
public:
    // Reads one environment variable; nothing when it is not set.
    using Environment = std::function<std::optional<std::string>(const std::string& name)>;

    // The process's own environment, through std::getenv.
    UserFolders();
    // Another environment, such as a test's table.
    explicit UserFolders(Environment environment);

    std::optional<std::filesystem::path> configFolder() const;
    std::optional<std::filesystem::path> dataFolder() const;
    std::optional<std::filesystem::path> levelsFolder() const;

private:
    // The game's folder in the base folder that `variable` names, or in $HOME/`fallback`.
    std::optional<std::filesystem::path> gameFolder(const std::string& variable,
                                                    const std::filesystem::path& fallback) const;
    std::optional<std::filesystem::path> absoluteFolder(const std::string& variable) const;

    Environment m_environment;
};
