#include "assets/RegularFile.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "assets/TmxReader.hpp"
#include "objects/Leaderboard.hpp"
#include "support/ErrCapture.hpp"
#include "support/ScratchGameDir.hpp"

namespace {

namespace fs = std::filesystem;

class RegularFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::ofstream(scratch.root() / "file") << "x";
        fs::create_symlink(scratch.root() / "file", scratch.root() / "link");
        ASSERT_EQ(mkfifo(path("pipe").c_str(), 0600), 0);
    }
    std::string path(const std::string& name) const { return (scratch.root() / name).string(); }

    ScratchGameDir scratch;
};

TEST_F(RegularFileTest, OnlyAPlainFileMayBeOpenedAndOnlyThereOrNowhereWritten) {
    struct Case {
        const char* name;
        bool exists, mayWrite;
    };
    for (const Case& c :
         {Case{"file", true, true}, Case{"link", true, true}, Case{"missing", false, true},
          Case{"pipe", false, false}, Case{"bin", false, false}}) {
        EXPECT_EQ(RegularFile::exists(path(c.name)), c.exists) << c.name;
        EXPECT_EQ(RegularFile::mayWrite(path(c.name)), c.mayWrite) << c.name;
    }
}

// A map or a leaderboard that is a pipe would wait for good for the other end.
TEST_F(RegularFileTest, OnlyAPlainFileIsReadAsAMapOrALeaderboard) {
    std::ofstream(path("a.tmx")) << "<map/>";
    const auto text = readMapText(path("a.tmx"));
    ASSERT_TRUE(text);
    EXPECT_EQ(std::string(text->begin(), text->end()), std::string("<map/>", 7)) << "NUL-ended";
    for (const char* name : {"bin", "pipe", "missing"}) {
        EXPECT_FALSE(readMapText(path(name))) << name;
    }
    const Leaderboard board(path("pipe"));
    ErrCapture err;
    EXPECT_FALSE(board.readEntries());
    EXPECT_FALSE(board.appendEntry("../assets/racer.png", 700));
    EXPECT_FALSE(board.clear());
    EXPECT_NE(err.text().find(path("pipe")), std::string::npos);
}

}  // namespace
