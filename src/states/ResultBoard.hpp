#pragma once

#include <SFML/System/Vector2.hpp>
#include <string>
#include <vector>

#include "objects/Leaderboard.hpp"

// Where the win screen shows which leaderboard entries: the last race's two newest entries side
// by side, and below them the five best of all time, highest score first.
class ResultBoard {
public:
    struct Spot {
        std::string id;  // "Player-1", "Player-2" for the newest; "Player1".."Player5" for the best
        int index;       // -1, -2 for the newest; 1..5 for the best
        sf::Vector2f position;
        LeaderboardEntry entry;
    };

    static constexpr std::size_t kNewestShown = 2;
    static constexpr std::size_t kBestShown = 5;

    // Entries in file order (oldest first). Fewer entries simply leave places empty.
    static std::vector<Spot> arrange(const std::vector<LeaderboardEntry>& entries);
};
