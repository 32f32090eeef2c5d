#pragma once

#include <filesystem>
#include <string>

// A throw-away game folder with bin/ and assets/. While it lives, bin/ is the working directory,
// so the game's "../assets/" paths lead into it.
class TempGameDir {
public:
    TempGameDir();
    ~TempGameDir();
    TempGameDir(const TempGameDir&) = delete;
    TempGameDir& operator=(const TempGameDir&) = delete;

    // Writes assets/<name> and returns the path by which the game reaches it.
    std::string writeAsset(const std::string& name, const std::string& content) const;
    std::filesystem::path assets() const { return m_root / "assets"; }

private:
    std::filesystem::path m_root;
    std::filesystem::path m_previousDir;
};
