#include "platform/BoardFileName.hpp"

#include <gtest/gtest.h>

namespace {

// Course names come from maps anyone writes: whatever they hold, the board stays one plain file
// of the save folder.
TEST(BoardFileNameTest, NamesStayInsideTheSaveFolder) {
    const std::pair<std::string, std::string> cases[] = {
        {"Sprint", "Leaderboard-Sprint.txt"},
        {"Desk Run", "Leaderboard-Desk_Run.txt"},
        {"../../etc/passwd", "Leaderboard-______etc_passwd.txt"},
        {"a/b\\c", "Leaderboard-a_b_c.txt"},
        {std::string("tab\there\nnul\0x", 14), "Leaderboard-tab_here_nul_x.txt"},
        {"", "Leaderboard-course.txt"},
        {std::string(100, 'x'), "Leaderboard-" + std::string(40, 'x') + ".txt"},
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(BoardFileName::forShippedCourse(name), expected) << name;
        EXPECT_TRUE(BoardFileName::isBoard(expected)) << expected;
    }
}

// Two maps of one name in two folders keep two boards; one folder always gives the same board,
// and never the shipped course's of that name.
TEST(BoardFileNameTest, APlayersMapIsToldApartByItsFolder) {
    const std::string canyonA = BoardFileName::forPlayersMap("Canyon", "/home/a/levels");
    EXPECT_EQ(canyonA, BoardFileName::forPlayersMap("Canyon", "/home/a/levels"));
    EXPECT_NE(canyonA, BoardFileName::forPlayersMap("Canyon", "/home/b/levels"));
    EXPECT_NE(canyonA, BoardFileName::forShippedCourse("Canyon"));
    EXPECT_TRUE(BoardFileName::isBoard(canyonA));
    for (const char* other : {"settings.ini", "Leaderboard-a.b.txt", "Leaderboard-x.txt~"}) {
        EXPECT_FALSE(BoardFileName::isBoard(other)) << other;
    }
}

}  // namespace
