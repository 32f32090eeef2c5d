#include "platform/RegularFile.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "assets/TmxReader.hpp"
#include "support/ScratchGameDir.hpp"

namespace {

namespace fs = std::filesystem;

// Every loader opens through here, so this is where a pipe (which would wait for good for its
// other end), a folder and a device are refused for all of them.
TEST(RegularFileTest, OnlyAPlainFileIsOpenedAndOnlyThereOrNowhereWritten) {
    ScratchGameDir scratch;
    const auto path = [&scratch](const char* name) { return (scratch.root() / name).string(); };
    std::ofstream(path("file")) << "x";
    fs::create_symlink(path("file"), path("link"));
    ASSERT_EQ(mkfifo(path("pipe").c_str(), 0600), 0);
    struct Case {
        std::string path;
        bool reads, writes;
    };
    for (const Case& c : {Case{path("file"), true, true}, Case{path("link"), true, true},
                          Case{path("missing"), false, true}, Case{path("pipe"), false, false},
                          Case{path("bin"), false, false}, Case{"/dev/zero", false, false}}) {
        int calls = 0;
        EXPECT_EQ(RegularFile::load(c.path, [&calls](const std::string&) { return ++calls; }),
                  c.reads)
            << c.path;
        EXPECT_EQ(calls, c.reads ? 1 : 0) << c.path;
        std::ifstream in;
        EXPECT_EQ(RegularFile::open(c.path, in), c.reads) << c.path;
        EXPECT_EQ(RegularFile::exists(c.path), c.reads) << c.path;
        std::ofstream out;
        EXPECT_EQ(RegularFile::open(c.path, out, std::ios::app), c.writes) << c.path;
    }
    EXPECT_FALSE(RegularFile::load(path("file"), [](const std::string&) { return false; }));
    EXPECT_EQ(readMapText(path("file")), std::vector<char>({'x', '\0'})) << "NUL-ended";
}

}  // namespace
