#pragma once

#include <filesystem>
#include <optional>
#include <string>

// The game reads everything from "../assets/" as seen from the folder it runs in (bin/). Started
// from somewhere else, say as bin/tumbleleaf from the project folder or from a desktop launcher,
// it runs from its own folder instead, where the assets sit beside it. Installed, it finds them
// in PREFIX/share/tumbleleaf beside its PREFIX/bin and stays in the folder it was started from.
class AssetFolder {
public:
    // Where the game's own files are, seen from the folder the game runs in; every path to one
    // of them is made here.
    static const std::string& root();
    // The installed game's assets, an absolute folder; set once, before anything is loaded.
    static void useInstalled(const std::filesystem::path& folder);
    // Where an installed game's assets are, seen from the folder of its executable.
    static std::filesystem::path installedSeenFrom(const std::filesystem::path& executableFolder);
    // `relative` (e.g. "Music/GameSound.wav") under the root.
    static std::string path(const std::string& relative);
    // Where a file the game writes (a leaderboard) is kept: the assets' "SaveFiles" folder when
    // the game may write there (run from the project folder), otherwise "SaveFiles" in the
    // player's data folder ($XDG_DATA_HOME/tumbleleaf), made when missing.
    static std::string savePath(const std::string& fileName);

    // The folder to run from: the working directory when it has ../assets/, otherwise the
    // executable's folder when that has; nothing when neither does.
    static std::optional<std::filesystem::path> findRunFolder(
        const std::filesystem::path& workingDirectory,
        const std::filesystem::path& executableFolder);
    // The folder of the running executable; from argv[0] when the system cannot tell.
    static std::filesystem::path executableFolder(const char* argv0);
    // Where the assets would be, seen from a run folder.
    static std::filesystem::path assetsSeenFrom(const std::filesystem::path& runFolder);
};
