#include "states/ResultBoard.hpp"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

// Entries e0, e1, ... with these scores, oldest first as the file holds them.
std::vector<LeaderboardEntry> entries(const std::vector<int>& scores) {
    std::vector<LeaderboardEntry> made;
    for (int score : scores) {
        made.push_back({"e" + std::to_string(made.size()), std::to_string(score), score,
                        static_cast<float>(score)});
    }
    return made;
}

Lines describe(const std::vector<ResultBoard::Spot>& spots) {
    Lines lines;
    for (const auto& spot : spots) {
        lines.push_back(spot.id + " " + std::to_string(spot.index) + " @" +
                        std::to_string(static_cast<int>(spot.position.x)) + "," +
                        std::to_string(static_cast<int>(spot.position.y)) + " " + spot.entry.name +
                        " " + spot.entry.scoreText);
    }
    return lines;
}

// Scores compare as integers (100 above 80), ties keep their file order, and the score is shown
// as it was written.
TEST(ResultBoardTest, NewestTwoSideBySideAndTheFiveBestInOrderBelow) {
    auto board = entries({10, 80, 100, -3, 70, 60, 20, 60, 50, 40});
    board[4].scoreText = "70x";
    EXPECT_EQ(
        describe(ResultBoard::arrange(board)),
        (Lines{"Player-1 -1 @750,340 e9 40", "Player-2 -2 @1200,340 e8 50",
               "Player1 1 @300,690 e2 100", "Player2 2 @600,690 e1 80", "Player3 3 @900,690 e4 70x",
               "Player4 4 @1200,690 e5 60", "Player5 5 @1500,690 e7 60"}));
}

TEST(ResultBoardTest, FewerEntriesLeavePlacesEmptyAndManyTiesKeepTheirOrder) {
    EXPECT_EQ(describe(ResultBoard::arrange(entries({321}))),
              (Lines{"Player-1 -1 @750,340 e0 321", "Player1 1 @300,690 e0 321"}));
    EXPECT_TRUE(ResultBoard::arrange({}).empty());
    // A long board of equal scores keeps its file order too.
    const auto tied = describe(ResultBoard::arrange(entries(std::vector<int>(20, 7))));
    EXPECT_EQ(
        Lines(tied.begin() + 2, tied.end()),
        (Lines{"Player1 1 @300,690 e0 7", "Player2 2 @600,690 e1 7", "Player3 3 @900,690 e2 7",
               "Player4 4 @1200,690 e3 7", "Player5 5 @1500,690 e4 7"}));
}

}  // namespace
