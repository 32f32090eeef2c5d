#include "states/ResultBoard.hpp"

#include <gtest/gtest.h>

#include <fstream>

#include "support/ScratchGameDir.hpp"

namespace {

// Entries exactly as the game reads them back from a leaderboard file with these lines.
std::vector<LeaderboardEntry> readBack(const std::string& text) {
    ScratchGameDir scratch;
    std::ofstream(scratch.leaderboard()) << text;
    return Leaderboard().readEntries().value();
}

std::vector<std::string> describe(const std::vector<ResultBoard::Spot>& spots) {
    std::vector<std::string> lines;
    for (const auto& spot : spots) {
        lines.push_back(spot.id + " " + std::to_string(spot.index) + " @" +
                        std::to_string(static_cast<int>(spot.position.x)) + "," +
                        std::to_string(static_cast<int>(spot.position.y)) + " " + spot.entry.name +
                        " " + spot.entry.scoreText);
    }
    return lines;
}

using Lines = std::vector<std::string>;

TEST(ResultBoardTest, NewestTwoSideBySideAndTheBestInOrderBelow) {
    const auto spots = ResultBoard::arrange(readBack("a.png,700\nb.png,650\nc.png,900\n"));
    EXPECT_EQ(describe(spots),
              (Lines{"Player-1 -1 @750,340 c.png 900", "Player-2 -2 @1200,340 b.png 650",
                     "Player1 1 @300,690 c.png 900", "Player2 2 @600,690 a.png 700",
                     "Player3 3 @900,690 b.png 650"}));
}

TEST(ResultBoardTest, ScoresSortByTheirIntegerValueWithNegativesLastAndTextKept) {
    const auto spots = ResultBoard::arrange(readBack("n.png,-3\nx.png,512x\ny.png,60\n"));
    ASSERT_EQ(spots.size(), 5u);
    EXPECT_EQ(spots[2].entry.scoreText, "512x");
    EXPECT_EQ(spots[2].entry.score, 512);
    EXPECT_EQ(spots[3].entry.name, "y.png");
    EXPECT_EQ(spots[4].entry.scoreText, "-3");
}

TEST(ResultBoardTest, OnlyTheFiveBestOfManyAndMalformedLinesAreSkipped) {
    const auto spots = ResultBoard::arrange(
        readBack("p.png,10\np.png,80\n\nnocomma\np.png,zz\np.png,99999999999\np.png,30\n"
                 "p.png,70\np.png,20\np.png,60\np.png,50\np.png,40\n"));
    ASSERT_EQ(spots.size(), 7u);
    std::vector<int> best;
    for (std::size_t k = 2; k < spots.size(); ++k) {
        best.push_back(spots[k].entry.score);
    }
    EXPECT_EQ(best, (std::vector<int>{80, 70, 60, 50, 40}));
    EXPECT_EQ(spots[0].entry.score, 40) << "the last well-formed line is the newest";
}

TEST(ResultBoardTest, FewerThanTwoEntriesShowWhatThereIs) {
    EXPECT_EQ(describe(ResultBoard::arrange(readBack("solo.png,321\n"))),
              (Lines{"Player-1 -1 @750,340 solo.png 321", "Player1 1 @300,690 solo.png 321"}));
    EXPECT_TRUE(ResultBoard::arrange({}).empty());
}

}  // namespace
