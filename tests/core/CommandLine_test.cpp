#include "core/CommandLine.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/AssetFolder.hpp"
#include "platform/DesignView.hpp"
#include "support/ScratchGameDir.hpp"

namespace {

using Outcome = CommandLine::Outcome;

TEST(CommandLineTest, OptionsAndMistakes) {
    struct Case {
        std::vector<std::string> arguments;
        bool windowed;
        sf::Vector2u size;
        std::string level;
    };
    const sf::Vector2u standard{1280, 720};
    for (const Case& c :
         {Case{{}, false, standard, ""}, Case{{"--windowed"}, true, standard, ""},
          Case{{"--size", "1600x900"}, true, {1600, 900}, ""},
          Case{{"--level", "maps/My Map.tmx", "--windowed"}, true, standard, "maps/My Map.tmx"}}) {
        const CommandLine::Result result = CommandLine::parse(c.arguments);
        const std::string shown = ::testing::PrintToString(c.arguments);
        ASSERT_EQ(result.outcome, Outcome::Run) << shown;
        EXPECT_EQ(result.options.windowed, c.windowed) << shown;
        EXPECT_EQ(result.options.windowSize, c.size) << shown;
        EXPECT_EQ(result.options.levelPath, c.level) << shown;
    }
    EXPECT_EQ(CommandLine::parse({"--windowed", "--help", "--bogus"}).outcome, Outcome::ShowHelp);
    for (const char* wrong :
         {"--fullscreen", "level.tmx", "--level", "--size", "--size 1600", "--size 1600x900x2",
          "--size -1600x900", "--size 100x100", "--size 99999x900"}) {
        std::istringstream words(wrong);
        const CommandLine::Result result =
            CommandLine::parse({std::istream_iterator<std::string>(words), {}});
        EXPECT_EQ(result.outcome, Outcome::Error) << wrong;
        EXPECT_FALSE(result.error.empty());
        EXPECT_EQ(result.error.find('\n'), std::string::npos) << "one line: " << result.error;
    }
}

TEST(AssetFolderTest, TheWorkingDirectoryFirstThenTheExecutablesFolder) {
    const ScratchGameDir scratch;  // bin/ beside assets/
    const std::filesystem::path game = scratch.root() / "bin";
    const std::filesystem::path elsewhere = scratch.root() / "elsewhere" / "bin";
    std::filesystem::create_directories(elsewhere);
    std::ofstream(elsewhere / ".." / "assets");  // a file named like the folder is not it
    EXPECT_EQ(AssetFolder::findRunFolder(game, elsewhere), game);
    EXPECT_EQ(AssetFolder::findRunFolder(elsewhere, game), game);
    EXPECT_EQ(AssetFolder::findRunFolder(scratch.root(), elsewhere), std::nullopt);
    EXPECT_EQ(AssetFolder::findRunFolder(scratch.root(), {}), std::nullopt);
}

// Where the bars of a whole design go the end-to-end tests see on screens and windows of every
// shape; a camera's half of it they do not.
TEST(DesignViewTest, TheDesignFillsTheWindowKeepingItsShape) {
    // The right half of the design is the right half of the picture between bars, whether they
    // lie above and below or left and right.
    EXPECT_EQ(DesignView::viewport({0.5f, 0.0f, 0.5f, 1.0f}, {1280, 1024}),
              sf::FloatRect(0.5f, 152.0f / 1024.0f, 0.5f, 720.0f / 1024.0f));
    EXPECT_EQ(DesignView::viewport({0.5f, 0.0f, 0.5f, 1.0f}, {2560, 1080}),
              sf::FloatRect(0.5f, 0.0f, 960.0f / 2560.0f, 1.0f));
    // A window minimised to nothing does not divide by zero.
    EXPECT_EQ(DesignView::letterbox({0, 0}), sf::FloatRect(0.0f, 0.0f, 1.0f, 1.0f));
}

}  // namespace
