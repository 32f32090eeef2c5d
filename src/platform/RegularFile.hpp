#pragma once

#include <string>

// Paths from maps and the leaderboard are open to anyone who edits those files. Opening a pipe
// or a device would block the game until something writes to it, maybe for good, so every
// loader asks here first and opens only a plain file on disk.
class RegularFile {
public:
    // True only for a regular file (or a link to one): the only thing a loader may open.
    static bool exists(const std::string& path);
    // True when writing there opens a regular file: one that exists, or none yet (then the
    // writer creates it). False for a pipe, a device or a folder.
    static bool mayWrite(const std::string& path);
};
