#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/AssetFolder.hpp"
#include "platform/BoardFileName.hpp"

// One result as read back from the leaderboard file.
struct LeaderboardEntry {
    std::string name;       // the player's texture path
    std::string scoreText;  // the text after the first comma, as written (without a CR)
    int score;              // scoreText as a decimal integer (trailing characters ignored)
    float points;           // scoreText as a number, for cutting the player's picture
};

// The leaderboard file: one "name,score" line per player that left a race, oldest first. Only
// a regular file is opened: a pipe or a device standing at the path would stall the game.
class Leaderboard {
public:
    // The first course's board, in the folder of saved files.
    static constexpr const char* kDefaultFile = BoardFileName::kFirstCourse;

    // Empties every course's board in the folder of saved files, the first course's made when
    // missing. False when one of them could not be emptied (each says so on the error output).
    static bool clearEvery();

    explicit Leaderboard(std::string path = AssetFolder::savePath(kDefaultFile));

    // Appends one line. The name loses its commas and line breaks (each becomes "_") so that
    // the line stays one entry. False, with an error line, when the file cannot be written.
    bool appendEntry(const std::string& name, int score) const;
    // Empties the file (creating it when missing). False, with an error line, on failure.
    bool clear() const;
    // Every well-formed line in file order, or nothing when the file cannot be opened. Empty
    // lines, lines without a comma and lines whose score is no int are skipped.
    std::optional<std::vector<LeaderboardEntry>> readEntries() const;

    // Points as a score: truncated toward zero, clamped to the int range (NaN counts as 0).
    static int scoreFromPoints(float points);
    static std::string sanitizedName(std::string name);

    const std::string& getPath() const { return m_path; }

private:
    std::string m_path;
};
