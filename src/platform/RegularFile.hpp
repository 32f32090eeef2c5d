#pragma once

#include <fstream>
#include <string>

// Paths from maps, the leaderboard, the settings and the command line are open to anyone who
// edits those files. Opening a pipe or a device would block the game until something writes to
// it, maybe for good, so every file such a path names is opened here and only when it is a
// plain file on disk.
class RegularFile {
public:
    // Calls loader(path) (an SFML loadFromFile, say) only for a regular file or a link to one;
    // false for anything else or when the loader fails.
    template <typename Loader>
    static bool load(const std::string& path, Loader&& loader) {
        return exists(path) && loader(path);
    }
    // Opens a regular file for reading.
    static bool open(const std::string& path, std::ifstream& file);
    // Opens for writing only a regular file or none yet (then the writer creates it).
    static bool open(const std::string& path, std::ofstream& file, std::ios::openmode mode);
    // True only for a regular file (or a link to one): for a message before anything opens it.
    static bool exists(const std::string& path);
};
