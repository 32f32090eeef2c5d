#include "assets/CourseCatalogue.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "support/ScratchGameDir.hpp"

namespace fs = std::filesystem;

namespace {

const char* const kRace =
    "<map width=\"1\" height=\"1\" tilewidth=\"32\" tileheight=\"32\">%s<objectgroup "
    "name=\"g\"><object name=\"Player1\" type=\"%s\" x=\"0\" y=\"0\"/></objectgroup></map>";

std::string race(const std::string& properties, const std::string& type = "Player") {
    char text[512];
    std::snprintf(text, sizeof text, kRace, properties.c_str(), type.c_str());
    return text;
}

// Whatever the levels folder holds, every map is listed after the game's own courses, in file
// name order, with its name and why it cannot be raced; nothing blocks on a pipe.
TEST(CourseCatalogueTest, ListsEveryMapOfTheLevelsFolderWithWhatIsWrong) {
    ScratchGameDir scratch;
    const fs::path levels = scratch.root() / "levels";
    fs::create_directories(levels / "folder.tmx");
    ASSERT_EQ(mkfifo((levels / "pipe.tmx").c_str(), 0600), 0);
    const std::pair<std::string, std::string> files[] = {
        {"a-named.tmx", race("<properties><property name=\"name\" value=\"Canyon\"/>"
                             "<property name=\"description\" value=\"Deep.\"/></properties>")},
        {"b-plain.tmx", race("")},
        {"c-broken.tmx", "<map"},
        {"d-nobody.tmx", race("", "Paper")},
        {"notes.txt", "not a map"},
    };
    for (const auto& [name, text] : files) {
        std::ofstream(levels / name) << text;
    }
    scratch.writeAsset(CourseCatalogue::shippedMaps().front(),
                       race("<properties><property name=\"name\" value=\"First\"/></properties>"));
    const auto courses = CourseCatalogue::list(levels, "");
    ASSERT_EQ(courses.size(), CourseCatalogue::shippedMaps().size() + 6);
    const char* const problems[] = {"", "not a file", "unreadable", "broken", "no racer"};
    std::string shown;
    for (std::size_t i = CourseCatalogue::shippedMaps().size(); i < courses.size(); ++i) {
        shown += courses[i].name + "|" + courses[i].description + "|" +
                 problems[static_cast<int>(courses[i].problem)] + "\n";
    }
    EXPECT_EQ(shown,
              "Canyon|Deep.|\nb-plain||\nc-broken||broken\nd-nobody||no racer\n"
              "folder||not a file\npipe||not a file\n");
    EXPECT_NE(courses[CourseCatalogue::shippedMaps().size() + 2].loadError, "");
    // The first course is made without reading its map (for a quick start), but listed by name.
    EXPECT_EQ(courses.front().name, "First");
    EXPECT_EQ(courses.front().boardPath, CourseCatalogue::firstShipped().boardPath);
    EXPECT_TRUE(CourseCatalogue::list(levels / "missing", "").front().shipped);
    EXPECT_EQ(CourseCatalogue::list(std::nullopt, "").size(),
              CourseCatalogue::shippedMaps().size());
    // The map named on the command line is listed once, even when it is in the folder too.
    EXPECT_EQ(CourseCatalogue::list(levels, (levels / "b-plain.tmx").string()).size(),
              courses.size());
}

}  // namespace
