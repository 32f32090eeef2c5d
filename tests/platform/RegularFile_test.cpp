#include "platform/RegularFile.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "assets/TmxReader.hpp"
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

// A map that is a pipe would wait for good for the other end; so would a board written there.
TEST_F(RegularFileTest, OnlyAPlainFileIsReadAsAMapAndOnlyThereOrNowhereWritten) {
    struct Case {
        const char* name;
        bool exists, mayWrite;
    };
    for (const Case& c :
         {Case{"file", true, true}, Case{"link", true, true}, Case{"missing", false, true},
          Case{"pipe", false, false}, Case{"bin", false, false}}) {
        EXPECT_EQ(RegularFile::exists(path(c.name)), c.exists) << c.name;
        EXPECT_EQ(RegularFile::mayWrite(path(c.name)), c.mayWrite) << c.name;
        EXPECT_EQ(readMapText(path(c.name)).has_value(), c.exists) << c.name;
    }
    EXPECT_EQ(readMapText(path("file")), std::vector<char>({'x', '\0'})) << "NUL-ended";
}

}  // namespace
