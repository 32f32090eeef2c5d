#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A throw-away copy of the game's folder layout (bin/ and assets/SaveFiles/) in a temporary
// directory, with the working directory moved into its bin/ while it lives, so that the game's
// relative "../assets/..." paths land here and never in the real assets.
class ScratchGameDir {
public:
    ScratchGameDir();
    ~ScratchGameDir();
    ScratchGameDir(const ScratchGameDir&) = delete;
    ScratchGameDir& operator=(const ScratchGameDir&) = delete;

    const std::filesystem::path& root() const { return m_root; }
    std::filesystem::path assets() const { return m_root / "assets"; }
    std::filesystem::path leaderboard() const;
    // The leaderboard's lines without their line ends; none when it cannot be read.
    std::vector<std::string> leaderboardLines() const;
    // Writes assets/<name> and returns the path by which the game reaches it.
    std::string writeAsset(const std::string& name, const std::string& content) const;
    // Copies the game's own assets/<relative> (a file or a folder; all of it by default) here.
    void copyShipped(const std::string& relative = "") const;
    // Writes a silent WAV track assets/<name> lasting `seconds`, so that tests can tell which
    // track the game opened by its duration.
    void writeSilentTrack(const std::string& name, float seconds) const;

private:
    std::filesystem::path m_previousWorkingDir;
    std::filesystem::path m_root;
};
