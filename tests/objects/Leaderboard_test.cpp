#include "objects/Leaderboard.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <fstream>

#include "support/ErrCapture.hpp"
#include "support/ScratchGameDir.hpp"

namespace {

// A hand-edited or half-written file: what is no "name,int" line is skipped; the score is read
// as far as it is an int but shown as written. What the game writes stays one line whatever the
// name.
TEST(LeaderboardTest, EntriesStayOneLineAndReadingSkipsMalformedLines) {
    ScratchGameDir scratch;
    Leaderboard leaderboard;
    EXPECT_TRUE(leaderboard.appendEntry("odd,name\r\nhere", -3));
    EXPECT_EQ(scratch.leaderboardLines(), std::vector<std::string>{"odd_name__here,-3"});
    std::ofstream(scratch.leaderboard(), std::ios::app)
        << "\nnocomma\nb.png,abc\nc.png,99999999999\nd.png,512x\r\ne.png, -4,5\n";
    const auto entries = leaderboard.readEntries();
    ASSERT_EQ(entries->size(), 3u);
    EXPECT_EQ((*entries)[0].score, -3);
    EXPECT_EQ((*entries)[1].name, "d.png");
    EXPECT_EQ((*entries)[1].scoreText, "512x");
    EXPECT_EQ((*entries)[1].score, 512);
    EXPECT_EQ((*entries)[1].points, 512.0f);
    EXPECT_EQ((*entries)[2].scoreText, " -4,5");
    EXPECT_EQ((*entries)[2].score, -4);
    EXPECT_TRUE(leaderboard.clear());
    EXPECT_TRUE(leaderboard.readEntries()->empty());
}

TEST(LeaderboardTest, AFileThatCannotBeOpenedIsRefusedAndReportedWithItsPath) {
    ScratchGameDir scratch;
    const std::string path = "../missing/Leaderboard.txt";
    const Leaderboard leaderboard(path);
    ErrCapture err;
    EXPECT_FALSE(leaderboard.appendEntry("a.png", 1));
    EXPECT_FALSE(leaderboard.clear());
    EXPECT_FALSE(leaderboard.readEntries());
    EXPECT_TRUE(err.hasLineWith({path}));
    EXPECT_EQ(err.lineCount(), 2) << "one line for each failed write";
}

// "DeleteSave" forgets every course's results and nothing else kept beside them.
TEST(LeaderboardTest, EveryBoardOfTheSaveFolderIsEmptiedAndNothingElse) {
    ScratchGameDir scratch;
    const auto saves = scratch.leaderboard().parent_path();
    for (const char* file :
         {"Leaderboard-Sprint.txt", "Leaderboard-Canyon-0a1b2c3d.txt", "notes.txt"}) {
        std::ofstream(saves / file) << "a.png,5\n";
    }
    std::filesystem::create_directory(saves / "Leaderboard-Folder.txt");
    EXPECT_TRUE(Leaderboard::clearEvery());
    EXPECT_EQ(std::filesystem::file_size(scratch.leaderboard()), 0u);
    EXPECT_EQ(std::filesystem::file_size(saves / "Leaderboard-Sprint.txt"), 0u);
    EXPECT_EQ(std::filesystem::file_size(saves / "Leaderboard-Canyon-0a1b2c3d.txt"), 0u);
    EXPECT_EQ(std::filesystem::file_size(saves / "notes.txt"), 8u);
}

TEST(LeaderboardTest, PointsBecomeScoresByTruncationWithinTheIntRange) {
    const std::pair<float, int> cases[] = {
        {512.75f, 512}, {-3.6f, -3}, {1e12f, INT_MAX}, {-INFINITY, INT_MIN}, {NAN, 0}};
    for (const auto& [points, score] : cases) {
        EXPECT_EQ(Leaderboard::scoreFromPoints(points), score) << points;
    }
}

}  // namespace
