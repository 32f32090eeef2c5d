#pragma once

#include <string>

// The file each course keeps its best results in, inside the folder of saved files. The names
// come from course names and folders that anyone can write into a map, so they are made safe:
// only letters, digits, "-" and "_" survive, and nothing can lead out of the folder.
class BoardFileName {
public:
    // The first shipped course's board, kept under its old name so that its scores stay.
    static constexpr const char* kFirstCourse = "Leaderboard.txt";

    // Another course that comes with the game: from its name alone.
    static std::string forShippedCourse(const std::string& courseName);
    // A player's map: from its name and the folder it is in, so that two maps of one name in
    // different folders keep apart.
    static std::string forPlayersMap(const std::string& courseName, const std::string& folder);
    // Whether a file of the save folder is a board (the ones "DeleteSave" empties).
    static bool isBoard(const std::string& fileName);
    // Every other character becomes "_"; at most kMaxNameLength of them; "course" for nothing.
    static std::string safe(const std::string& text);

private:
    static constexpr std::size_t kMaxNameLength = 40;
};
